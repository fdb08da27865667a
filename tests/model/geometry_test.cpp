// Storage of the car model and its geometric helpers.
#include "model/alloc.h"
#include "model/car_model.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Geometry = ModelTest;

const auto xyz = [](const Vec3& v) { return std::tuple(v.x, v.y, v.z); };

void setTriangle(int t, uint32_t a, uint32_t b, uint32_t c) {
    model.triangles[t].v[0] = a, model.triangles[t].v[1] = b, model.triangles[t].v[2] = c;
}

} // namespace

TEST_F(Geometry, AFailedGrowthKeepsTheStoreAndFreeingKeepsTheTextureWhenAsked) {
    ASSERT_TRUE(allocateStore(10));
    Vec3* old = model.vertices;
    failAllocationsAfter(1); // the geometry block succeeds, the render block fails
    EXPECT_FALSE(allocateStore(8));
    EXPECT_EQ(std::make_tuple(model.vertices, model.storeTriangles, messages.errors),
              std::make_tuple(old, 10, std::vector<std::string>{"Out of memory!"}));
    failAllocationsAfter(-1);
    model.textureImage = static_cast<uint8_t*>(allocBlock(16)), model.textureLoaded = true;
    freeModel(true);
    EXPECT_TRUE(!model.geometryBlock && !model.triangleWork && model.textureLoaded);
    freeModel(false);
    EXPECT_EQ(model.textureImage, nullptr);
}

TEST_F(Geometry, FaceNormalsAreUnitCrossProductsAndVertexNormalsPointInward) {
    ASSERT_TRUE(allocateStore(3));
    model.vertices[0] = {0, 0, 0}, model.vertices[1] = {2, 0, 0}, model.vertices[2] = {0, 3, 0};
    setTriangle(0, 0, 1, 2); // (2,0,0) x (0,3,0) points along +z
    setTriangle(1, 0, 1, 1); // no area
    setTriangle(2, 0, 1, 7); // a corner beyond the part
    ModelTriangle* tri = model.triangles;
    tri[1].faceNormal = tri[2].faceNormal = {9, 9, 9}, computeFaceNormals(model.vertices, 3, 0, 3);
    for (int t = 0; t < 3; ++t) EXPECT_EQ(xyz(tri[t].faceNormal), xyz({0, 0, t == 0 ? 1.f : 0.f}));

    // A triangle naming vertex 0 twice counts once for it.
    setTriangle(0, 0, 0, 1), tri[0].faceNormal = {1, 0, 0};
    setTriangle(1, 0, 1, 2), tri[1].faceNormal = {0, 1, 0};
    computeVertexNormals(0, model.normals, 2, 4);
    const float d = float(-(1 / std::sqrt(2.0)));
    // Vertex 3 is in no triangle: zero, not NaN.
    EXPECT_EQ(std::make_tuple(xyz(model.normals[0]), xyz(model.normals[2]), xyz(model.normals[3])),
              std::make_tuple(xyz({d, d, 0}), xyz({0, -1, 0}), xyz({0, 0, 0})));
}
