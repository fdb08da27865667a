// The vertex rebuild. Output vertices are found through a grid of cells two
// tolerances wide, so that a corner looks only at the output vertices of the
// 27 cells around it instead of at all of them; the candidates are then put
// in creation order and capped as the rule says, which keeps the result the
// same as comparing with every output vertex.
#include "editing/rebuild.h"

#include "model/car_model.h"
#include "render/angles.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

EditSettings editSettings;

namespace {

constexpr int MAX_CANDIDATES = 32;

struct Output {
    std::vector<Vec3> position, damaged;
    std::vector<uint32_t> flag;
    // The triangles using each output vertex, in triangle order: a list per
    // vertex through `next`.
    std::vector<int> firstUser, lastUser;
    std::vector<int> userTriangle, nextUser;
};

bool near(const Vec3& a, const Vec3& b, float tol) {
    return std::fabs(a.x - b.x) <= tol && std::fabs(a.y - b.y) <= tol &&
           std::fabs(a.z - b.z) <= tol;
}

struct Grid {
    double cell;
    std::unordered_map<uint64_t, std::vector<int>> cells;
    // Far-out positions share the outermost cells; the exact comparison
    // still tells them apart.
    int64_t index(float v) const {
        const double q = std::floor(double(v) / cell);
        return int64_t(q > 1e15 ? 1e15 : q > -1e15 ? q : -1e15);
    }
    static uint64_t key(int64_t x, int64_t y, int64_t z) {
        return (uint64_t(x) & 0x1FFFFF) | (uint64_t(y) & 0x1FFFFF) << 21 |
               (uint64_t(z) & 0x1FFFFF) << 42;
    }
    void add(const Vec3& p, int k) { cells[key(index(p.x), index(p.y), index(p.z))].push_back(k); }
    template <class Visit> void around(const Vec3& p, Visit visit) const {
        const int64_t x = index(p.x), y = index(p.y), z = index(p.z);
        for (int64_t i = x - 1; i <= x + 1; ++i)
            for (int64_t j = y - 1; j <= y + 1; ++j)
                for (int64_t k = z - 1; k <= z + 1; ++k) {
                    const auto found = cells.find(key(i, j, k));
                    if (found != cells.end())
                        for (int v : found->second) visit(v);
                }
    }
};

double dot(const Vec3& a, const Vec3& b) {
    return double(a.x) * b.x + double(a.y) * b.y + double(a.z) * b.z;
}

void rebuildOne(int part) {
    FceHeader& h = model.header;
    const int first = h.partFirstTriangle[part], count = h.partTriangleCount[part];
    const int slot = partSlot(part), slots = 3 * count;
    const float tol = editSettings.weldTolerance;
    Output out;
    out.firstUser.reserve(size_t(slots)), out.position.reserve(size_t(slots));
    Grid grid{2.0 * double(tol), {}};
    std::vector<int> candidates;
    for (int t = first; t < first + count; ++t) {
        ModelTriangle& tri = model.triangles[t];
        int chosen[3] = {-1, -1, -1};
        for (int c = 0; c < 3; ++c) {
            const uint32_t i = tri.v[c];
            const Vec3 p = model.vertices[slot + int(i)], q = model.damagedVertices[slot + int(i)];
            const uint32_t f = model.vertexFlags[slot + int(i)];
            candidates.clear();
            grid.around(p, [&](int k) {
                if (near(out.position[size_t(k)], p, tol) && near(out.damaged[size_t(k)], q, tol) &&
                    out.flag[size_t(k)] == f)
                    candidates.push_back(k);
            });
            std::sort(candidates.begin(), candidates.end());
            if (candidates.size() > MAX_CANDIDATES) candidates.resize(MAX_CANDIDATES);
            int taken = -1;
            for (int k : candidates) {
                if (std::find(chosen, chosen + c, k) != chosen + c) continue;
                for (int u = out.firstUser[size_t(k)]; u >= 0 && taken < 0;
                     u = out.nextUser[size_t(u)]) {
                    const ModelTriangle& b = model.triangles[out.userTriangle[size_t(u)]];
                    if (smoothBetween(tri.groupAndBase >> 16, b.groupAndBase >> 16,
                                      dot(tri.faceNormal, b.faceNormal), part))
                        taken = k;
                }
                if (taken >= 0) break;
            }
            if (taken < 0) {
                taken = int(out.position.size());
                out.position.push_back(p), out.damaged.push_back(q), out.flag.push_back(f);
                out.firstUser.push_back(-1), out.lastUser.push_back(-1);
                grid.add(p, taken);
            }
            chosen[c] = taken;
        }
        for (int c = 0; c < 3; ++c) {
            // A vertex used by two corners of one triangle cannot happen:
            // each corner skips the vertices of the corners before it.
            const size_t k = size_t(chosen[c]);
            const int node = int(out.userTriangle.size());
            out.userTriangle.push_back(t), out.nextUser.push_back(-1);
            if (out.lastUser[k] < 0)
                out.firstUser[k] = node;
            else
                out.nextUser[size_t(out.lastUser[k])] = node;
            out.lastUser[k] = node;
            tri.v[c] = uint32_t(chosen[c]);
        }
    }
    const int n = int(out.position.size());
    h.partVertexCount[part] = n;
    std::copy(out.position.begin(), out.position.end(), model.vertices + slot);
    std::copy(out.damaged.begin(), out.damaged.end(), model.damagedVertices + slot);
    std::copy(out.flag.begin(), out.flag.end(), model.vertexFlags + slot);
    computeVertexNormals(first, model.normals + slot, count, n);
    model.partFlags[part] |= PART_NORMALS_READY;
}

int angleIn(int part, uint32_t groupWord) {
    for (int g = 0; g < std::min<int>(model.groupCount[part], MAX_GROUPS); ++g)
        if (model.groups[part][g].groupId == (groupWord & 0xFFF8))
            return model.groups[part][g].smoothAngle;
    return 100;
}

} // namespace

bool usableWeldTolerance(float tolerance) {
    return tolerance > 0.0f && tolerance <= 0.1f;
}

int groupAngle(uint32_t groupWord) {
    return model.selectedPart < uint32_t(MAX_PARTS) ? angleIn(int(model.selectedPart), groupWord)
                                                    : 100;
}

bool smoothBetween(uint32_t wordA, uint32_t wordB, double d, int part) {
    const uint32_t ga = wordA & 0xFFF8, gb = wordB & 0xFFF8;
    const bool ma = wordA & 4, mb = wordB & 4;
    if (ga == gb) {
        const int angle = angleIn(part, wordA);
        return angle >= 91 || !(d < 0.0 || d < sinCos(4 * angle).cosine);
    }
    if (gb == 0) return ma;
    if (ga == 0) return mb;
    return ma && mb;
}

void rebuildPartVertices(int part) {
    const int parts = std::clamp(model.header.numParts, 0, MAX_PARTS);
    for (int p = part < 0 ? 0 : part; p < (part < 0 ? parts : std::min(part + 1, parts)); ++p)
        rebuildOne(p);
    model.renderCacheValid = false;
}
