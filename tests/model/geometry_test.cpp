// Storage of the car model and its geometric helpers.
#include "model/alloc.h"
#include "model/car_model.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

bool equal(const Vec3& a, const Vec3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

void setTriangle(int t, uint32_t a, uint32_t b, uint32_t c) {
    model.triangles[t].v[0] = a;
    model.triangles[t].v[1] = b;
    model.triangles[t].v[2] = c;
}

class Geometry : public ::testing::Test {
  protected:
    void TearDown() override {
        failAllocationsAfter(-1);
        resetModel();
    }
    RecordingMessages messages;
};

} // namespace

TEST_F(Geometry, AFailedGrowthKeepsTheStoreAndFreeingKeepsTheTextureWhenAsked) {
    ASSERT_TRUE(allocateStore(10));
    Vec3* old = model.vertices;
    failAllocationsAfter(1); // the geometry block succeeds, the render block fails
    EXPECT_FALSE(allocateStore(8));
    EXPECT_EQ(model.vertices, old);
    EXPECT_EQ(model.storeTriangles, 10);
    EXPECT_EQ(messages.errors, std::vector<std::string>{"Out of memory!"});
    failAllocationsAfter(-1);
    model.textureImage = static_cast<uint8_t*>(allocBlock(16));
    model.textureLoaded = true;
    freeModel(true);
    EXPECT_EQ(model.geometryBlock, nullptr);
    EXPECT_EQ(model.triangleWork, nullptr);
    EXPECT_TRUE(model.textureLoaded);
    freeModel(false);
    EXPECT_EQ(model.textureImage, nullptr);
}

TEST_F(Geometry, FaceNormalsAreUnitCrossProductsAndVertexNormalsPointInward) {
    ASSERT_TRUE(allocateStore(3));
    model.vertices[0] = {0, 0, 0};
    model.vertices[1] = {2, 0, 0};
    model.vertices[2] = {0, 3, 0};
    setTriangle(0, 0, 1, 2); // (2,0,0) x (0,3,0) points along +z
    setTriangle(1, 0, 1, 1); // no area
    setTriangle(2, 0, 1, 7); // a corner beyond the part
    model.triangles[1].faceNormal = model.triangles[2].faceNormal = {9, 9, 9};
    computeFaceNormals(model.vertices, 3, 0, 3);
    EXPECT_TRUE(equal(model.triangles[0].faceNormal, {0, 0, 1}));
    EXPECT_TRUE(equal(model.triangles[1].faceNormal, {0, 0, 0}));
    EXPECT_TRUE(equal(model.triangles[2].faceNormal, {0, 0, 0}));

    // A triangle naming vertex 0 twice counts once for it.
    setTriangle(0, 0, 0, 1);
    model.triangles[0].faceNormal = {1, 0, 0};
    setTriangle(1, 0, 1, 2);
    model.triangles[1].faceNormal = {0, 1, 0};
    computeVertexNormals(0, model.normals, 2, 4);
    const float d = float(-(1 / std::sqrt(2.0)));
    EXPECT_TRUE(equal(model.normals[0], {d, d, 0}));
    EXPECT_TRUE(equal(model.normals[2], {0, -1, 0}));
    EXPECT_TRUE(equal(model.normals[3], {0, 0, 0})); // in no triangle: zero, not NaN
}
