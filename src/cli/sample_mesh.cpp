// Parts under construction and their move into the global model.
#include "cli/sample_mesh.h"

#include "model/car_model.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>
#include <cstring>
#include <numbers>
#include <set>

DVec3 normalized(DVec3 a) {
    const double length = std::sqrt(dot(a, a));
    return length > 0 ? a * (1.0 / length) : DVec3{};
}

double lerp(double a, double b, double t) {
    return a + (b - a) * t;
}
double clamp01(double t) {
    return t < 0 ? 0 : t > 1 ? 1 : t;
}
double smoothStep(double t) {
    t = clamp01(t);
    return t * t * (3 - 2 * t);
}

TexCoord atlasPoint(AtlasRect rect, double s, double t) {
    const double x = rect.x0 + 1 + clamp01(s) * (rect.x1 - rect.x0 - 2);
    const double y = rect.y0 + 1 + clamp01(t) * (rect.y1 - rect.y0 - 2);
    return {float(std::min(x / 256.0, 0.9999)), float(std::min(y / 256.0, 0.9999))};
}

double atlasS(AtlasRect rect, int px) {
    return (px + 0.5 - rect.x0 - 1) / double(rect.x1 - rect.x0 - 2);
}
double atlasT(AtlasRect rect, int py) {
    return (py + 0.5 - rect.y0 - 1) / double(rect.y1 - rect.y0 - 2);
}

namespace {

// The stored value of a coordinate. Rounding leaves crumbs like 1e-17 where
// a sine should be 0, and -0 and +0 are the same point: all of them are 0.
float stored(double value) {
    return std::fabs(value) < 1e-9 ? 0.0f : float(value);
}

Vec3 toVec3(DVec3 p) {
    return {stored(p.x), stored(p.y), stored(p.z)};
}

DVec3 outwardNormal(const PartMesh& part, const PartMesh::Triangle& t) {
    // Stored corners run clockwise from outside: swap back for the outward normal.
    const DVec3 a = part.vertices[t.v[0]], b = part.vertices[t.v[2]], c = part.vertices[t.v[1]];
    return normalized(cross(b - a, c - a));
}

} // namespace

uint32_t PartMesh::vertex(DVec3 p, uint16_t group, uint32_t flag) {
    const Vec3 s = toVec3(p);
    const auto key = std::make_tuple(std::bit_cast<uint32_t>(s.x), std::bit_cast<uint32_t>(s.y),
                                     std::bit_cast<uint32_t>(s.z), group);
    const auto found = shared_.find(key);
    if (found != shared_.end()) return found->second;
    const auto index = uint32_t(vertices.size());
    vertices.push_back({s.x, s.y, s.z});
    vertexFlags.push_back(flag);
    shared_.emplace(key, index);
    return index;
}

void PartMesh::face(uint32_t a, uint32_t b, uint32_t c, TexCoord ta, TexCoord tb, TexCoord tc,
                    uint32_t flags, uint16_t group) {
    if (a == b || b == c || a == c) return;
    triangles.push_back({{a, c, b}, {ta, tc, tb}, flags, group});
}

void PartMesh::quad(uint32_t a, uint32_t b, uint32_t c, uint32_t d, TexCoord ta, TexCoord tb,
                    TexCoord tc, TexCoord td, uint32_t flags, uint16_t group) {
    face(a, b, c, ta, tb, tc, flags, group);
    face(a, c, d, ta, tc, td, flags, group);
}

void PartMesh::mirrorX() {
    for (DVec3& v : vertices) v.x = v.x == 0 ? 0.0 : -v.x;
    position.x = -position.x;
    for (Triangle& t : triangles) {
        std::swap(t.v[1], t.v[2]);
        std::swap(t.uv[1], t.uv[2]);
    }
    shared_.clear(); // the keys no longer describe the vertices
}

std::vector<SmoothingGroup> smoothingGroupsOf(const PartMesh& part) {
    std::set<uint16_t> ids;
    for (const auto& t : part.triangles) ids.insert(t.group);
    // For every vertex, the faces around it, to find the widest angle a group spans.
    std::vector<std::vector<uint32_t>> around(part.vertices.size());
    for (uint32_t i = 0; i < part.triangles.size(); ++i)
        for (uint32_t v : part.triangles[i].v) around[v].push_back(i);
    std::vector<DVec3> normals;
    for (const auto& t : part.triangles) normals.push_back(outwardNormal(part, t));

    std::vector<SmoothingGroup> groups;
    for (uint16_t id : ids) {
        double lowest = 1.0;
        for (const auto& faces : around)
            for (size_t i = 0; i < faces.size(); ++i)
                for (size_t j = i + 1; j < faces.size(); ++j) {
                    if (part.triangles[faces[i]].group != id) continue;
                    if (part.triangles[faces[j]].group != id) continue;
                    lowest = std::min(lowest, dot(normals[faces[i]], normals[faces[j]]));
                }
        const double degrees =
            std::acos(std::max(-1.0, std::min(1.0, lowest))) * 180.0 / std::numbers::pi;
        // One degree of room: the editor compares with a tabled cosine.
        int angle = std::max(30, int(std::ceil(degrees)) + 1);
        if (angle > 90) angle = 100;
        groups.push_back({id, uint16_t(angle)});
    }
    return groups;
}

bool installParts(const std::vector<PartMesh>& parts, DVec3 (*dent)(DVec3)) {
    size_t total = 0;
    for (const PartMesh& p : parts) total += p.triangles.size();
    assert(parts.size() <= size_t(MAX_PARTS) && total <= size_t(MAX_TRIANGLES));

    const bool centre = model.centerOnLoad;
    freeModel(false);
    model = CarModel{};
    model.centerOnLoad = centre;
    if (!allocateStore(int(total))) return false;

    FceHeader& h = model.header;
    h.version = FCE_VERSION;
    h.numTriangles = int(total);
    h.numArts = 1;
    h.numParts = int(parts.size());
    int first = 0, vertexTotal = 0;
    for (int p = 0; p < h.numParts; ++p) {
        const PartMesh& m = parts[size_t(p)];
        const int triangles = int(m.triangles.size()), vertices = int(m.vertices.size());
        assert(vertices <= 3 * triangles);
        const int slot = 3 * first;
        h.partPos[p] = toVec3(m.position);
        h.partFirstTriangle[p] = first;
        h.partTriangleCount[p] = triangles;
        h.partFirstVertex[p] = slot;
        h.partVertexCount[p] = vertices;
        std::strncpy(h.partNames[p], m.name.c_str(), NAME_SIZE - 1);

        float halfWidth = 0;
        for (int i = 0; i < vertices; ++i) {
            const DVec3 v = m.vertices[size_t(i)];
            model.vertices[slot + i] = toVec3(v);
            model.damagedVertices[slot + i] =
                m.dented ? toVec3(dent(v + m.position) - m.position) : toVec3(v);
            model.vertexFlags[slot + i] = m.vertexFlags[size_t(i)];
            halfWidth = std::max(halfWidth, std::fabs(model.vertices[slot + i].x));
        }
        for (int i = 0; i < triangles; ++i) {
            const PartMesh::Triangle& t = m.triangles[size_t(i)];
            ModelTriangle& out = model.triangles[first + i];
            out.groupAndBase = uint32_t(t.group) << 16 | uint32_t(slot);
            for (int k = 0; k < 3; ++k) {
                out.v[k] = t.v[k];
                out.texU[k] = t.uv[k].u;
                out.texV[k] = t.uv[k].v;
            }
            out.flags = t.flags;
        }
        // The damaged shape's normals first: the face normals end up the shape's own.
        computeFaceNormals(model.damagedVertices + slot, vertices, first, triangles);
        computeVertexNormals(first, model.damagedNormals + slot, triangles, vertices);
        computeFaceNormals(model.vertices + slot, vertices, first, triangles);
        computeVertexNormals(first, model.normals + slot, triangles, vertices);

        const std::vector<SmoothingGroup> groups = smoothingGroupsOf(m);
        model.groupCount[p] = uint16_t(groups.size());
        for (int g = 0; g < MAX_GROUPS; ++g)
            model.groups[p][g] = g < int(groups.size()) ? groups[size_t(g)] : SmoothingGroup{0, 60};
        model.partFlags[p] = m.partFlags;
        model.partHalfWidth[p] = halfWidth;
        first += triangles;
        vertexTotal += vertices;
    }
    h.numVertices = vertexTotal;

    float lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
    for (int p = 0; p < h.numParts; ++p)
        for (int i = partSlot(p); i < partSlot(p) + h.partVertexCount[p]; ++i) {
            const Vec3 v = model.vertices[i], pos = h.partPos[p];
            const float c[3] = {float(double(v.x) + pos.x), float(double(v.y) + pos.y),
                                float(double(v.z) + pos.z)};
            for (int a = 0; a < 3; ++a) {
                lo[a] = std::min(lo[a], c[a]);
                hi[a] = std::max(hi[a], c[a]);
            }
        }
    h.halfSize = {float((double(hi[0]) - lo[0]) / 2), float((double(hi[1]) - lo[1]) / 2),
                  float((double(hi[2]) - lo[2]) / 2)};

    model.selectedPart = 0;
    if (h.numParts > 0) model.partFlags[0] |= PART_VISIBLE | PART_SELECTED;
    model.renderCacheValid = false;
    model.modelLoaded = true;
    return true;
}
