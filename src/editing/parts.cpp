// Part operations. Inserting and deleting lay the parts out anew in a store
// of the new size: each part's used vertex slots and its triangles move to
// the part's new place, then the per-part records follow.
#include "editing/parts.h"

#include "model/alloc.h"
#include "model/car_model.h"
#include "model/messages.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Everything the model keeps per part besides its geometry.
struct PartRecord {
    int32_t vertexCount, triangleCount;
    Vec3 position;
    char name[NAME_SIZE];
    float halfWidth;
    uint32_t flags;
    uint16_t currentGroup, groupCount;
    SmoothingGroup groups[MAX_GROUPS];
};

PartRecord recordOf(int p) {
    const FceHeader& h = model.header;
    PartRecord r{h.partVertexCount[p],
                 h.partTriangleCount[p],
                 h.partPos[p],
                 {},
                 model.partHalfWidth[p],
                 model.partFlags[p],
                 model.currentGroup[p],
                 model.groupCount[p],
                 {}};
    std::memcpy(r.name, h.partNames[p], NAME_SIZE);
    std::memcpy(r.groups, model.groups[p], sizeof r.groups);
    return r;
}

void setRecord(int p, const PartRecord& r) {
    FceHeader& h = model.header;
    h.partVertexCount[p] = r.vertexCount, h.partTriangleCount[p] = r.triangleCount;
    h.partPos[p] = r.position;
    std::memcpy(h.partNames[p], r.name, NAME_SIZE);
    model.partHalfWidth[p] = r.halfWidth, model.partFlags[p] = r.flags;
    model.currentGroup[p] = r.currentGroup, model.groupCount[p] = r.groupCount;
    std::memcpy(model.groups[p], r.groups, sizeof r.groups);
}

// A part with no geometry yet: one base group, nothing else.
PartRecord emptyRecord(int triangles, int vertices) {
    PartRecord r{};
    r.vertexCount = vertices, r.triangleCount = triangles, r.groupCount = 1;
    for (SmoothingGroup& g : r.groups) g = {0, 60};
    return r;
}

// First triangles and vertex slots from the counts, the totals, and every
// triangle's slot base.
void recomputeLayout() {
    FceHeader& h = model.header;
    int triangles = 0, vertices = 0;
    for (int p = 0; p < h.numParts; ++p) {
        h.partFirstTriangle[p] = triangles, h.partFirstVertex[p] = 3 * triangles;
        for (int t = triangles; t < triangles + h.partTriangleCount[p]; ++t)
            model.triangles[t].groupAndBase =
                (model.triangles[t].groupAndBase & 0xFFFF0000u) | uint32_t(3 * triangles);
        triangles += h.partTriangleCount[p], vertices += h.partVertexCount[p];
    }
    h.numTriangles = triangles, h.numVertices = vertices;
}

void recomputeVertexNormals(int p) {
    const FceHeader& h = model.header;
    computeVertexNormals(h.partFirstTriangle[p], model.normals + partSlot(p),
                         h.partTriangleCount[p], h.partVertexCount[p]);
}

// Lays the model out anew: new part q is old part source[q], or the empty
// part `empty` where source[q] is -1. The new store is taken before the old
// one is let go, so a failed allocation changes nothing.
bool relayout(const std::vector<int>& source, const PartRecord& empty) {
    const FceHeader& h = model.header;
    std::vector<PartRecord> records;
    int total = 0;
    for (int old : source) {
        records.push_back(old < 0 ? empty : recordOf(old));
        total += records.back().triangleCount;
    }
    const std::vector<int> oldFirst(h.partFirstTriangle, h.partFirstTriangle + h.numParts);
    // The old store's arrays, taken from the model for the time of the copy.
    void* const oldBlocks[2] = {model.geometryBlock, model.renderBlock};
    const Vec3* const oldVec3[4] = {model.vertices, model.normals, model.damagedVertices,
                                    model.damagedNormals};
    const uint32_t* const oldFlags = model.vertexFlags;
    const ModelTriangle* const oldTriangles = model.triangles;
    model.geometryBlock = model.renderBlock = nullptr;
    if (!allocateStore(total)) {
        model.geometryBlock = oldBlocks[0], model.renderBlock = oldBlocks[1];
        return false;
    }
    Vec3* const newVec3[4] = {model.vertices, model.normals, model.damagedVertices,
                              model.damagedNormals};
    for (int q = 0, first = 0; q < int(source.size()); first += records[q++].triangleCount) {
        if (source[q] < 0) continue;
        const int from = oldFirst[size_t(source[q])], slots = records[q].vertexCount;
        for (int a = 0; a < 4; ++a)
            copyVec3Array(oldVec3[a] + 3 * from, newVec3[a] + 3 * first, slots);
        copyWords(oldFlags + 3 * from, model.vertexFlags + 3 * first, slots);
        std::memcpy(model.triangles + first, oldTriangles + from,
                    sizeof(ModelTriangle) * size_t(records[q].triangleCount));
    }
    freeBlock(oldBlocks[0]);
    freeBlock(oldBlocks[1]);
    model.header.numParts = int(source.size());
    for (int q = 0; q < int(source.size()); ++q) setRecord(q, records[q]);
    for (int p = 0; p < MAX_PARTS; ++p) model.partFlags[p] &= ~PART_SELECTED;
    recomputeLayout();
    for (int p = 0; p < model.header.numParts; ++p) recomputeVertexNormals(p);
    model.renderCacheValid = false;
    return true;
}

void makeCurrent(int p) {
    model.selectedPart = uint32_t(p);
    model.partFlags[p] |= PART_VISIBLE | PART_SELECTED;
}

} // namespace

bool insertPart(int index, int triangleCount, int vertexCount) {
    const int parts = model.header.numParts;
    if (parts >= MAX_PARTS) {
        showMessage("Maximal number of parts is 64!");
        return false;
    }
    if (triangleCount < 0 || vertexCount < 0 || vertexCount > 3 * triangleCount ||
        triangleCount > MAX_TRIANGLES - model.header.numTriangles) {
        showMessage(format("Maximal number of triangles is %d!", MAX_TRIANGLES));
        return false;
    }
    index = std::clamp(index, 0, parts);
    std::vector<int> source;
    for (int p = 0; p < parts; ++p) source.push_back(p);
    source.insert(source.begin() + index, -1);
    if (!relayout(source, emptyRecord(triangleCount, vertexCount))) return false;
    model.partFlags[index] = PART_VISIBLE | PART_SELECTED;
    model.selectedPart = uint32_t(index);
    return true;
}

bool copyPart(int index) {
    const FceHeader& h = model.header;
    if (index < 0 || index >= h.numParts) return false;
    const PartRecord source = recordOf(index);
    if (!insertPart(index, source.triangleCount, source.vertexCount)) return false;
    PartRecord copy = source;
    copy.flags = model.partFlags[index];
    const std::string name = nameString(source.name).substr(0, 58) + " Copy";
    std::memset(copy.name, 0, NAME_SIZE);
    std::memcpy(copy.name, name.data(), name.size());
    setRecord(index, copy);
    const int to = partSlot(index), from = partSlot(index + 1);
    for (Vec3* array : {model.vertices, model.normals, model.damagedVertices, model.damagedNormals})
        copyVec3Array(array + from, array + to, source.vertexCount);
    copyWords(model.vertexFlags + from, model.vertexFlags + to, source.vertexCount);
    std::memcpy(model.triangles + h.partFirstTriangle[index],
                model.triangles + h.partFirstTriangle[index + 1],
                sizeof(ModelTriangle) * size_t(source.triangleCount));
    recomputeLayout();
    recomputeVertexNormals(index);
    return true;
}

bool deletePart(int index) {
    const int parts = model.header.numParts;
    if (parts <= 1 || index < 0 || index >= parts) return false;
    std::vector<int> source;
    for (int p = 0; p < parts; ++p)
        if (p != index) source.push_back(p);
    if (!relayout(source, PartRecord{})) return false;
    makeCurrent(std::min(int(model.selectedPart), parts - 2));
    return true;
}

void mirrorPart(int index, int axis) {
    FceHeader& h = model.header;
    auto flip = [axis](Vec3& v) { (axis == 0 ? v.x : axis == 1 ? v.y : v.z) *= -1.0f; };
    const int slot = partSlot(index);
    for (int i = slot; i < slot + h.partVertexCount[index]; ++i)
        flip(model.vertices[i]), flip(model.damagedVertices[i]);
    flip(h.partPos[index]);
    const int first = h.partFirstTriangle[index];
    for (int t = first; t < first + h.partTriangleCount[index]; ++t) {
        ModelTriangle& tri = model.triangles[t];
        std::swap(tri.v[1], tri.v[2]);
        std::swap(tri.texU[1], tri.texU[2]);
        std::swap(tri.texV[1], tri.texV[2]);
    }
    computeFaceNormals(model.vertices + slot, h.partVertexCount[index], first,
                       h.partTriangleCount[index]);
    recomputeVertexNormals(index);
    model.renderCacheValid = false;
}

void setPartPosition(int index, Vec3 position, bool moveOrigin) {
    if (moveOrigin) toModelSpace(index);
    model.header.partPos[index] = position;
    if (moveOrigin) toPartSpace(index);
    model.renderCacheValid = false;
}

namespace {
// Centre of the box around the part's used vertex slots.
Vec3 boxCentre(int index) {
    const int slot = partSlot(index), count = model.header.partVertexCount[index];
    if (count <= 0) return {0, 0, 0};
    Vec3 lo = model.vertices[slot], hi = lo;
    for (int i = slot; i < slot + count; ++i) {
        const Vec3& v = model.vertices[i];
        lo = {std::min(lo.x, v.x), std::min(lo.y, v.y), std::min(lo.z, v.z)};
        hi = {std::max(hi.x, v.x), std::max(hi.y, v.y), std::max(hi.z, v.z)};
    }
    return {(lo.x + hi.x) / 2, (lo.y + hi.y) / 2, (lo.z + hi.z) / 2};
}
} // namespace

void centrePart(int index, bool moveOrigin) {
    if (moveOrigin) {
        toModelSpace(index);
        const Vec3 centre = boxCentre(index);
        toPartSpace(index);
        model.header.partPos[index] = centre;
    }
    const Vec3 c = boxCentre(index);
    const int slot = partSlot(index);
    for (int i = slot; i < slot + model.header.partVertexCount[index]; ++i)
        for (Vec3* array : {model.vertices, model.damagedVertices})
            array[i] = {array[i].x - c.x, array[i].y - c.y, array[i].z - c.z};
    model.renderCacheValid = false;
}
