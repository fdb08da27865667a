// Part file reading and writing.
#include "exchange/part_file.h"

#include "editing/parts.h"
#include "editing/rebuild.h"
#include "exchange/exchange_file.h"
#include "model/car_model.h"
#include "model/file_io.h"
#include "model/messages.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {

struct PartHead {
    char magic[8];
    uint32_t vertices, triangles;
    char name[NAME_SIZE];
    Vec3 position;
    uint32_t flags;
    float halfWidth;
    uint32_t groupCount;
    SmoothingGroup groups[MAX_GROUPS];
};
static_assert(sizeof(PartHead) == PART_FILE_HEAD);

bool refuse(const std::string& why) {
    return refuseImport("part file", why);
}

bool finite(const Vec3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

} // namespace

bool writePartFile(int part) {
    const FceHeader& h = model.header;
    PartHead head{};
    std::memcpy(head.magic, "VRNXPART", 8);
    head.vertices = uint32_t(h.partVertexCount[part]),
    head.triangles = uint32_t(h.partTriangleCount[part]);
    std::memcpy(head.name, h.partNames[part], NAME_SIZE);
    head.position = h.partPos[part];
    head.flags = model.partFlags[part] & ~PART_SELECTED;
    head.halfWidth = model.partHalfWidth[part];
    head.groupCount = model.groupCount[part];
    std::memcpy(head.groups, model.groups[part], sizeof head.groups);
    const int slot = partSlot(part);
    const size_t V = head.vertices;
    const bool ok = writeExact(sizeof head, &head) && writeExact(12 * V, model.vertices + slot) &&
              writeExact(12 * V, model.damagedVertices + slot) &&
              writeExact(4 * V, model.vertexFlags + slot) &&
              writeExact(sizeof(ModelTriangle) * head.triangles,
                         model.triangles + h.partFirstTriangle[part]);
    return finishExportFile(ok);
}

bool readPartFile(int index) {
    PartHead head;
    if (!readExact(sizeof head, &head))
        return systemErrorSeen() ? (closeFile(), false)
                                 : refuse("the file is shorter than a part file's head");
    if (std::memcmp(head.magic, "VRNXPART", 8) != 0) return refuse("it is no part file");
    const uint64_t V = head.vertices, T = head.triangles;
    if (T == 0) return refuse("the part has no triangles");
    if (T > uint64_t(MAX_TRIANGLES) || V > 3 * T)
        return refuse("the part has more vertices or triangles than a part can hold");
    const uint16_t groups = uint16_t(head.groupCount);
    if (groups < 1 || groups > MAX_GROUPS) return refuse("its smoothing-group count is not 1..64");
    if (int64_t(PART_FILE_HEAD + 28 * V + 56 * T) > currentFileSize())
        return refuse("the file is shorter than its counts say");
    std::vector<Vec3> positions(2 * V);
    std::vector<uint32_t> flags(V);
    std::vector<ModelTriangle> triangles(T);
    if (!readExact(24 * V, positions.data()) || !readExact(4 * V, flags.data()) ||
        !readExact(sizeof(ModelTriangle) * T, triangles.data()))
        return systemErrorSeen() ? (closeFile(), false) : refuse("the file is cut short");
    closeFile();
    if (!finite(head.position)) return refuse("its position is not a number");
    for (const Vec3& p : positions)
        if (!finite(p)) return refuse("a vertex has no valid position");
    for (const ModelTriangle& t : triangles)
        for (uint32_t v : t.v)
            if (v >= V) return refuse("a triangle names a vertex the part does not have");
    if (!insertPart(index, int(T), int(V))) return false;
    FceHeader& h = model.header;
    const int slot = partSlot(index), first = h.partFirstTriangle[index];
    std::memcpy(model.vertices + slot, positions.data(), 12 * V);
    std::memcpy(model.damagedVertices + slot, positions.data() + V, 12 * V);
    std::memcpy(model.vertexFlags + slot, flags.data(), 4 * V);
    for (uint64_t t = 0; t < T; ++t) {
        ModelTriangle& tri = model.triangles[first + int(t)];
        tri = triangles[t];
        tri.groupAndBase = (tri.groupAndBase & 0xFFFF0000u) | uint32_t(slot);
    }
    std::memset(h.partNames[index], 0, NAME_SIZE);
    std::memcpy(h.partNames[index], head.name, NAME_SIZE - 1);
    h.partPos[index] = head.position;
    model.partFlags[index] = head.flags | PART_VISIBLE | PART_SELECTED;
    model.partHalfWidth[index] = std::isfinite(head.halfWidth) ? head.halfWidth : 0.0f;
    model.groupCount[index] = groups, model.currentGroup[index] = 0;
    std::memcpy(model.groups[index], head.groups, sizeof head.groups);
    computeFaceNormals(model.vertices + slot, int(V), first, int(T));
    rebuildPartVertices(index);
    return true;
}
