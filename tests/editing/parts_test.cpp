// Part operations on real cars and small hand-made models: copy and delete
// give back what was there, mirroring twice and centring again change
// nothing, and the limits refuse before anything changes.
#include "editing/parts.h"
#include "model/alloc.h"
#include "model/car_model.h"
#include "model/fce_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::vector<std::vector<uint8_t>> allParts() {
    std::vector<std::vector<uint8_t>> parts;
    for (int p = 0; p < model.header.numParts; ++p) parts.push_back(partBytes(p));
    return parts;
}

// The layout the slot rule gives, and every triangle's base pointing at it.
void expectConsistentLayout() {
    const FceHeader& h = model.header;
    int triangles = 0, vertices = 0;
    for (int p = 0; p < h.numParts; ++p) {
        EXPECT_TRUE(h.partFirstTriangle[p] == triangles && h.partFirstVertex[p] == 3 * triangles);
        for (int t = triangles; t < triangles + h.partTriangleCount[p]; ++t)
            ASSERT_EQ(model.triangles[t].groupAndBase & 0xFFFF, uint32_t(3 * triangles)) << t;
        triangles += h.partTriangleCount[p], vertices += h.partVertexCount[p];
    }
    EXPECT_EQ(std::make_tuple(h.numTriangles, h.numVertices, model.storeTriangles),
              std::make_tuple(triangles, vertices, triangles));
}

using Parts = ModelTest;

} // namespace

TEST_F(Parts, CopyThenDeleteGivesBackEveryPart) {
    for (const std::string& car : {sampleFce(), snowmanFce()}) {
        if (car.empty()) continue; // the third-party car is optional here
        resetModel();
        ASSERT_TRUE(loadFceFile(car, false));
        const auto before = allParts();
        const int parts = model.header.numParts;
        for (int k : {0, parts / 2, parts - 1}) {
            ASSERT_TRUE(copyPart(k)) << car << " " << k;
            expectConsistentLayout();
            EXPECT_EQ(std::make_tuple(model.header.numParts, model.selectedPart, model.partFlags[k],
                                      nameString(model.header.partNames[k])),
                      std::make_tuple(parts + 1, uint32_t(k), PART_VISIBLE | PART_SELECTED,
                                      nameString(model.header.partNames[k + 1]) + " Copy"));
            const std::vector<uint8_t> copy = partBytes(k), &source = before[size_t(k)];
            EXPECT_TRUE(std::equal(copy.begin(), copy.end() - NAME_SIZE, source.begin()));
            EXPECT_EQ(partBytes(k + 1), source);
            ASSERT_TRUE(deletePart(k));
            expectConsistentLayout();
            EXPECT_EQ(allParts(), before) << car << " " << k;
            EXPECT_EQ(model.selectedPart, uint32_t(k)); // the part that moved into its index
        }
    }
}

TEST_F(Parts, InsertedPartsStartCleanAndLimitsRefuseBeforeAnyChange) {
    buildTestModel(2, 4);
    std::memset(model.header.partNames[1], 'n', 60);
    ASSERT_TRUE(copyPart(1)); // 58 characters and " Copy"
    EXPECT_EQ(nameString(model.header.partNames[1]), std::string(58, 'n') + " Copy");
    ASSERT_TRUE(insertPart(3, 2, 6)); // appended
    expectConsistentLayout();
    EXPECT_EQ(
        std::make_tuple(model.groupCount[3], model.groups[3][0].smoothAngle,
                        model.header.partNames[3][0], model.partFlags[3],
                        model.vertices[partSlot(3) + 5].x,
                        model.triangles[model.header.partFirstTriangle[3]].flags),
        std::make_tuple(uint16_t(1), uint16_t(60), '\0', PART_VISIBLE | PART_SELECTED, 0.0f, 0u));

    buildTestModel(1, MAX_TRIANGLES - 7);
    ASSERT_TRUE(insertPart(1, 7, 9)); // to the last triangle the model holds
    const auto full = allParts();
    EXPECT_FALSE(insertPart(0, 1, 3));
    EXPECT_EQ(messages.messages.back(), "Maximal number of triangles is 21845!");
    EXPECT_FALSE(copyPart(1));
    EXPECT_EQ(allParts(), full);

    buildTestModel(64, 1);
    const auto most = allParts();
    EXPECT_FALSE(copyPart(3));
    EXPECT_EQ(messages.messages.back(), "Maximal number of parts is 64!");
    failAllocationsAfter(0);
    EXPECT_FALSE(deletePart(3));
    failAllocationsAfter(-1);
    EXPECT_EQ(std::make_tuple(messages.errors, model.header.numParts, allParts()),
              std::make_tuple(std::vector<std::string>{"Out of memory!"}, 64, most));
}

// Deleting the current last part makes the new last one current; the only
// part stays.
TEST_F(Parts, DeleteKeepsAValidCurrentPart) {
    buildTestModel(3, 2), model.selectedPart = 2;
    ASSERT_TRUE(deletePart(2));
    EXPECT_EQ(std::make_tuple(model.selectedPart, model.partFlags[1] & PART_SELECTED),
              std::make_tuple(1u, PART_SELECTED));
    ASSERT_TRUE(deletePart(0));
    EXPECT_FALSE(deletePart(0));
    EXPECT_EQ(std::make_tuple(model.header.numParts, model.selectedPart), std::make_tuple(1, 0u));
}

TEST_F(Parts, MirroringTwiceAndCentringAgainChangeNothing) {
    ASSERT_TRUE(loadFceFile(sampleFce(), false));
    const auto before = allParts();
    const Vec3 first = model.vertices[partSlot(5)];
    const ModelTriangle tri = model.triangles[model.header.partFirstTriangle[5]];
    for (int axis : {0, 1, 2}) {
        mirrorPart(5, axis);
        const Vec3 m = model.vertices[partSlot(5)];
        EXPECT_EQ(std::make_tuple(m.x, m.y, m.z),
                  std::make_tuple(axis == 0 ? -first.x : first.x, axis == 1 ? -first.y : first.y,
                                  axis == 2 ? -first.z : first.z));
        const ModelTriangle& now = model.triangles[model.header.partFirstTriangle[5]];
        EXPECT_TRUE(now.v[1] == tri.v[2] && now.v[2] == tri.v[1] && now.texU[1] == tri.texU[2]);
        mirrorPart(5, axis);
        EXPECT_EQ(allParts(), before) << axis;
    }
    // The origin to the middle of the geometry: the model-space geometry
    // stays; then the geometry is centred already.
    const Vec3 pos = model.header.partPos[5], v = model.vertices[partSlot(5) + 5];
    centrePart(5, true);
    const Vec3 now = model.header.partPos[5], w = model.vertices[partSlot(5) + 5];
    EXPECT_NEAR(now.x + w.x, pos.x + v.x, 1e-5);
    EXPECT_NEAR(now.z + w.z, pos.z + v.z, 1e-5);
    EXPECT_FALSE(now.x == pos.x && now.y == pos.y && now.z == pos.z);
    const std::vector<uint8_t> centred = partBytes(5);
    centrePart(5, false);
    const std::vector<uint8_t> again = partBytes(5);
    for (size_t i = 0; i < 12 * size_t(model.header.partVertexCount[5]); i += 4)
        EXPECT_NEAR(floatAt(again, i), floatAt(centred, i), 1e-6) << i;
}
