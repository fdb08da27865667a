// The car model's storage and its geometric helpers: the two blocks sized per
// triangle, the z mirror between file and memory, face and vertex normals, and
// the moves between part space and model space.
#include "model/car_model.h"

#include "model/alloc.h"
#include "model/names.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>

CarModel model;

bool allocateStore(int triangles) {
    assert(triangles >= 0 && triangles <= MAX_TRIANGLES);
    const size_t count = static_cast<size_t>(triangles);
    void* geometry = allocBlock(count * GEOMETRY_BYTES_PER_TRIANGLE);
    if (!geometry) return false;
    void* render = allocBlock(count * RENDER_BYTES_PER_TRIANGLE);
    if (!render) {
        freeBlock(geometry);
        return false;
    }
    releaseBlock(model.geometryBlock);
    releaseBlock(model.renderBlock);
    model.geometryBlock = geometry;
    model.renderBlock = render;
    model.storeTriangles = triangles;

    const size_t slots = 3 * count;
    auto* g = static_cast<char*>(geometry);
    model.vertices = reinterpret_cast<Vec3*>(g);
    model.normals = model.vertices + slots;
    model.damagedVertices = model.normals + slots;
    model.damagedNormals = model.damagedVertices + slots;
    model.vertexFlags = reinterpret_cast<uint32_t*>(model.damagedNormals + slots);
    model.triangles = reinterpret_cast<ModelTriangle*>(model.vertexFlags + slots);

    auto* r = static_cast<char*>(render);
    model.viewVertices = reinterpret_cast<Vec3*>(r);
    model.screenPoints = reinterpret_cast<ScreenPoint*>(model.viewVertices + slots);
    model.vertexShades = reinterpret_cast<float*>(model.screenPoints + slots);
    model.triangleWork = reinterpret_cast<DrawEntry*>(model.vertexShades + slots);
    return true;
}

void freeModel(bool keepTexture) {
    releaseBlock(model.geometryBlock);
    releaseBlock(model.renderBlock);
    model.storeTriangles = 0;
    model.vertices = model.normals = model.damagedVertices = model.damagedNormals = nullptr;
    model.vertexFlags = nullptr;
    model.triangles = nullptr;
    model.viewVertices = nullptr;
    model.screenPoints = nullptr;
    model.vertexShades = nullptr;
    model.triangleWork = nullptr;
    if (!keepTexture) {
        releaseBlock(model.textureImage);
        model.textureLoaded = false;
    }
}

void mirrorModelAxis() {
    const int slots = 3 * model.storeTriangles;
    for (int i = 0; i < slots; ++i) {
        model.vertices[i].z = -model.vertices[i].z;
        model.normals[i].z = -model.normals[i].z;
        model.damagedVertices[i].z = -model.damagedVertices[i].z;
        model.damagedNormals[i].z = -model.damagedNormals[i].z;
    }
    for (int t = 0; t < model.storeTriangles; ++t) {
        ModelTriangle& tri = model.triangles[t];
        std::swap(tri.v[1], tri.v[2]);
        std::swap(tri.texU[1], tri.texU[2]);
        std::swap(tri.texV[1], tri.texV[2]);
    }
    for (int p = 0; p < model.header.numParts; ++p)
        model.header.partPos[p].z = -model.header.partPos[p].z;
    for (int d = 0; d < model.header.numDummies; ++d)
        model.header.dummyPos[d].z = -model.header.dummyPos[d].z;
}

void computeFaceNormals(const Vec3* firstVertex, int vertexCount, int firstTriangle,
                        int triangleCount) {
    for (int t = firstTriangle; t < firstTriangle + triangleCount; ++t) {
        ModelTriangle& tri = model.triangles[t];
        if (tri.v[0] >= static_cast<uint32_t>(vertexCount) ||
            tri.v[1] >= static_cast<uint32_t>(vertexCount) ||
            tri.v[2] >= static_cast<uint32_t>(vertexCount)) {
            tri.faceNormal = {0, 0, 0};
            continue;
        }
        const Vec3& p0 = firstVertex[tri.v[0]];
        const Vec3& p1 = firstVertex[tri.v[1]];
        const Vec3& p2 = firstVertex[tri.v[2]];
        double e1x = double(p1.x) - p0.x, e1y = double(p1.y) - p0.y, e1z = double(p1.z) - p0.z;
        double e2x = double(p2.x) - p0.x, e2y = double(p2.y) - p0.y, e2z = double(p2.z) - p0.z;
        double nx = e1y * e2z - e1z * e2y;
        double ny = e1z * e2x - e1x * e2z;
        double nz = e1x * e2y - e1y * e2x;
        double length = std::sqrt(nx * nx + ny * ny + nz * nz);
        // A triangle without area has no direction; its normal stays zero.
        if (length > 0)
            tri.faceNormal = {float(nx / length), float(ny / length), float(nz / length)};
        else
            tri.faceNormal = {0, 0, 0};
    }
}

namespace {
// Running sums of the vertex normals, one per vertex of a part. A part has
// fewer than 65536 vertices, so this never needs to grow.
double normalSums[65536][3];
} // namespace

// Each vertex sums the face normals of the triangles that name it, in
// triangle order, each triangle once; walking the triangles once and adding
// to their corners gives exactly those sums in linear time.
void computeVertexNormals(int firstTriangle, Vec3* firstNormal, int triangleCount,
                          int vertexCount) {
    assert(vertexCount >= 0 && vertexCount <= 65536);
    std::memset(normalSums, 0, sizeof(double) * 3 * static_cast<size_t>(vertexCount));
    const uint32_t limit = static_cast<uint32_t>(vertexCount);
    for (int t = firstTriangle; t < firstTriangle + triangleCount; ++t) {
        const ModelTriangle& tri = model.triangles[t];
        for (int k = 0; k < 3; ++k) {
            uint32_t v = tri.v[k];
            if (v >= limit) continue;
            if ((k >= 1 && v == tri.v[0]) || (k == 2 && v == tri.v[1])) continue;
            normalSums[v][0] += tri.faceNormal.x;
            normalSums[v][1] += tri.faceNormal.y;
            normalSums[v][2] += tri.faceNormal.z;
        }
    }
    for (int i = 0; i < vertexCount; ++i) {
        const double* s = normalSums[i];
        double length = std::sqrt(s[0] * s[0] + s[1] * s[1] + s[2] * s[2]);
        // A vertex no triangle uses (or whose faces cancel) keeps a zero normal.
        if (length > 0)
            firstNormal[i] = {float(-(s[0] / length)), float(-(s[1] / length)),
                              float(-(s[2] / length))};
        else
            firstNormal[i] = {0, 0, 0};
    }
}

void copyVec3Array(const Vec3* source, Vec3* destination, int count) {
    std::memmove(destination, source, sizeof(Vec3) * static_cast<size_t>(count));
}

void copyWords(const uint32_t* source, uint32_t* destination, int count) {
    std::memmove(destination, source, sizeof(uint32_t) * static_cast<size_t>(count));
}

namespace {
void shiftPart(int part, double sign) {
    const Vec3 pos = model.header.partPos[part];
    const int first = partSlot(part);
    for (int i = first; i < first + model.header.partVertexCount[part]; ++i) {
        for (Vec3* array : {model.vertices, model.damagedVertices}) {
            Vec3& v = array[i];
            v = {float(v.x + sign * pos.x), float(v.y + sign * pos.y), float(v.z + sign * pos.z)};
        }
    }
}
} // namespace

bool partTriangles(int p, int& first, int& end) {
    const int limit = std::max(std::min(model.header.numTriangles, model.storeTriangles), 0);
    if (!model.triangles || p < 0 || p >= MAX_PARTS) return false;
    first = std::clamp(model.header.partFirstTriangle[p], 0, limit);
    end = std::clamp(first + std::max(model.header.partTriangleCount[p], 0), first, limit);
    return first < end;
}

bool currentPartTriangles(int& first, int& end) {
    return model.selectedPart < uint32_t(std::clamp(model.header.numParts, 0, MAX_PARTS)) &&
           partTriangles(int(model.selectedPart), first, end);
}

void toModelSpace(int part) { shiftPart(part, 1.0); }
void toPartSpace(int part) { shiftPart(part, -1.0); }

std::string nameString(const char (&field)[NAME_SIZE]) {
    return std::string(field, strnlen(field, NAME_SIZE - 1));
}

std::string nameText(const char (&field)[NAME_SIZE]) {
    return windows1252ToUtf8(nameString(field));
}
