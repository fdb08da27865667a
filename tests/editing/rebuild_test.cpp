// The vertex rebuild against the rule written out literally: every corner
// compared with every output vertex, predecessors found by scanning all
// earlier triangles. Both must give the same vertices and corners.
#include "editing/rebuild.h"
#include "model/car_model.h"
#include "model/fce_file.h"
#include "render/angles.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <random>

namespace {

using Rebuild = ModelTest;

struct PartGeometry {
    std::vector<Vec3> vertices, damaged;
    std::vector<uint32_t> flags, corners;
    bool operator==(const PartGeometry& o) const {
        auto same = [](const std::vector<Vec3>& a, const std::vector<Vec3>& b) {
            return a.size() == b.size() && std::memcmp(a.data(), b.data(), 12 * a.size()) == 0;
        };
        return same(vertices, o.vertices) && same(damaged, o.damaged) && flags == o.flags &&
               corners == o.corners;
    }
};

PartGeometry geometryOf(int p) {
    const int slot = partSlot(p), n = model.header.partVertexCount[p];
    PartGeometry g{{model.vertices + slot, model.vertices + slot + n},
                   {model.damagedVertices + slot, model.damagedVertices + slot + n},
                   {model.vertexFlags + slot, model.vertexFlags + slot + n},
                   {}};
    const int first = model.header.partFirstTriangle[p];
    for (int t = first; t < first + model.header.partTriangleCount[p]; ++t)
        g.corners.insert(g.corners.end(), model.triangles[t].v, model.triangles[t].v + 3);
    return g;
}

// The rule as written, for part p of the model as it is.
PartGeometry literalRebuild(int p) {
    const float tol = editSettings.weldTolerance;
    const int slot = partSlot(p), first = model.header.partFirstTriangle[p];
    const int count = model.header.partTriangleCount[p];
    auto angle = [p](uint32_t word) {
        for (int g = 0; g < model.groupCount[p]; ++g)
            if (model.groups[p][g].groupId == (word & 0xFFF8))
                return int(model.groups[p][g].smoothAngle);
        return 100;
    };
    auto within = [tol](Vec3 a, Vec3 b) {
        return std::fabs(a.x - b.x) <= tol && std::fabs(a.y - b.y) <= tol &&
               std::fabs(a.z - b.z) <= tol;
    };
    PartGeometry out;
    for (int t = 0; t < count; ++t) {
        const ModelTriangle& a = model.triangles[first + t];
        for (int c = 0; c < 3; ++c) {
            const uint32_t i = a.v[c];
            const Vec3 pos = model.vertices[slot + i], dmg = model.damagedVertices[slot + i];
            const uint32_t flag = model.vertexFlags[slot + i];
            std::vector<uint32_t> candidates;
            for (uint32_t k = 0; k < out.vertices.size() && candidates.size() < 32; ++k)
                if (within(out.vertices[k], pos) && within(out.damaged[k], dmg) &&
                    out.flags[k] == flag)
                    candidates.push_back(k);
            int64_t taken = -1;
            for (uint32_t k : candidates) {
                bool earlier = false;
                for (int e = 0; e < c; ++e) earlier |= out.corners[3 * size_t(t) + size_t(e)] == k;
                for (int b = 0; b < t && !earlier && taken < 0; ++b) {
                    const uint32_t* users = &out.corners[3 * size_t(b)];
                    if (users[0] != k && users[1] != k && users[2] != k) continue;
                    const ModelTriangle& o = model.triangles[first + b];
                    const uint32_t wa = a.groupAndBase >> 16, wb = o.groupAndBase >> 16;
                    const double d = double(a.faceNormal.x) * o.faceNormal.x +
                                     double(a.faceNormal.y) * o.faceNormal.y +
                                     double(a.faceNormal.z) * o.faceNormal.z;
                    const int A = angle(wa);
                    bool smooth;
                    if ((wa & 0xFFF8) == (wb & 0xFFF8))
                        smooth = A >= 91 || !(d < 0.0 || d < sinCos(4 * A).cosine);
                    else
                        smooth = (wa & 0xFFF8) && (wb & 0xFFF8) ? (wa & 4) && (wb & 4)
                                 : (wb & 0xFFF8) == 0           ? (wa & 4) != 0
                                                                : (wb & 4) != 0;
                    if (smooth) taken = k;
                }
                if (taken >= 0) break;
            }
            if (taken < 0) // a new vertex
                taken = int64_t(out.vertices.size()), out.vertices.push_back(pos),
                out.damaged.push_back(dmg), out.flags.push_back(flag);
            out.corners.push_back(uint32_t(taken));
        }
    }
    return out;
}

void expectSameAsLiteral(int p, const std::string& what) {
    const PartGeometry expected = literalRebuild(p);
    rebuildPartVertices(p);
    EXPECT_TRUE(geometryOf(p) == expected) << what << " part " << p;
    EXPECT_TRUE(model.partFlags[p] & PART_NORMALS_READY);
}

} // namespace

TEST_F(Rebuild, MatchesTheLiteralRuleOnRealCars) {
    ASSERT_EQ(runCli("sample " + dir.path().string() + " --triangles 21845").status, 0);
    for (const std::string& car : {dir.file("car.fce"), snowmanFce()}) {
        if (car.empty()) continue; // the third-party car is optional here
        resetModel();
        ASSERT_TRUE(loadFceFile(car, false));
        for (int p = 0; p < model.header.numParts; ++p) expectSameAsLiteral(p, car);
    }
}

// Random parts on a coarse lattice, so that many corners coincide or lie
// exactly at the tolerance, with groups, angles, marks, moving and fixed
// vertices and crash shapes.
TEST_F(Rebuild, MatchesTheLiteralRuleOnRandomParts) {
    std::mt19937 random(99);
    for (int round = 0; round < 40; ++round) {
        buildTestModel(1, 300);
        editSettings.weldTolerance = std::array{0.002f, 0.25f, 1.0f}[round % 3]; // 1: the cap of 32
        auto lattice = [&] { return float(int(random() % 5)) * 0.25f; };
        model.header.partVertexCount[0] = 900, model.groupCount[0] = 4;
        for (int g = 1; g < 4; ++g)
            model.groups[0][g] = {uint16_t(8 * g), uint16_t(random() % 101)};
        model.groups[0][0].smoothAngle = uint16_t(random() % 101);
        for (int i = 0; i < 900; ++i) {
            model.vertices[i] = {lattice(), lattice(), lattice()};
            model.damagedVertices[i] = random() % 8 ? model.vertices[i] : Vec3{lattice(), 0, 0};
            model.vertexFlags[i] = random() % 6 ? VERTEX_MOVES : VERTEX_FIXED;
        }
        for (int t = 0; t < 300; ++t) {
            ModelTriangle& tri = model.triangles[t];
            for (uint32_t& v : tri.v) v = random() % 900;
            tri.groupAndBase = uint32_t(8 * (random() % 5) | (random() % 2) * 4) << 16;
        }
        computeFaceNormals(model.vertices, 900, 0, 300);
        expectSameAsLiteral(0, "round " + std::to_string(round));
    }
    editSettings = {};
}

// Two triangles meeting at an edge at 45 degrees (and a third lying in the
// first one's plane): which of them share the edge's two vertices.
TEST_F(Rebuild, SmoothingRulesDecideWhichCornersAreShared) {
    const float a = std::sqrt(0.5f);
    // The angles of the base group and of groups 8 and 16, the group words of
    // the first and the second triangle, and the vertices the part keeps.
    const std::tuple<uint16_t, uint16_t, uint32_t, uint32_t, int> cases[] = {
        {60, 60, 0, 0, 4}, {46, 60, 0, 0, 4},   {44, 60, 0, 0, 6},   {0, 60, 0, 0, 6},
        {91, 60, 0, 0, 4}, {60, 60, 8, 0, 6},   {60, 60, 12, 0, 4},  {60, 60, 0, 12, 4},
        {60, 60, 0, 8, 6}, {60, 60, 12, 16, 6}, {60, 60, 12, 20, 4}, {60, 44, 8, 8, 6},
        {60, 91, 8, 8, 4}, {60, 60, 0x1C, 8, 6}};
    for (const auto& [baseAngle, groupAngle, wordA, wordB, vertices] : cases) {
        buildTestModel(1, 2);
        const Vec3 corners[6] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 0, 0}, {0, 0, 0}, {0, -a, a}};
        for (int i = 0; i < 6; ++i)
            model.vertices[i] = model.damagedVertices[i] = corners[i], model.vertexFlags[i] = 0,
            model.triangles[i / 3].v[i % 3] = uint32_t(i);
        model.header.partVertexCount[0] = 6, model.groupCount[0] = 3;
        model.groups[0][0] = {0, baseAngle}, model.groups[0][1] = {8, groupAngle};
        model.groups[0][2] = {16, groupAngle}, model.triangles[0].groupAndBase = wordA << 16;
        model.triangles[1].groupAndBase = wordB << 16;
        computeFaceNormals(model.vertices, 6, 0, 2), rebuildPartVertices(0);
        EXPECT_EQ(model.header.partVertexCount[0], vertices)
            << baseAngle << " " << groupAngle << " " << wordA << " " << wordB;
    }
    // Two corners of one triangle in one place keep a vertex each.
    buildTestModel(1, 1), model.vertices[1] = model.damagedVertices[1] = model.vertices[0];
    model.vertexFlags[1] = model.vertexFlags[0], rebuildPartVertices(0);
    EXPECT_EQ(model.header.partVertexCount[0], 3);
}
