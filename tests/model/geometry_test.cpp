// Storage of the car model and its geometric helpers.
#include "model/alloc.h"
#include "model/car_model.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

namespace {

// The vertex normal as first described: for each vertex, scan every
// triangle. Kept here as the reference the linear-time version must match.
void referenceVertexNormals(int firstTriangle, Vec3* out, int triangleCount, int vertexCount) {
    for (int i = 0; i < vertexCount; ++i) {
        double s[3] = {0, 0, 0};
        for (int t = firstTriangle; t < firstTriangle + triangleCount; ++t) {
            const ModelTriangle& tri = model.triangles[t];
            if (tri.v[0] == uint32_t(i) || tri.v[1] == uint32_t(i) || tri.v[2] == uint32_t(i)) {
                s[0] += tri.faceNormal.x;
                s[1] += tri.faceNormal.y;
                s[2] += tri.faceNormal.z;
            }
        }
        double length = std::sqrt(s[0] * s[0] + s[1] * s[1] + s[2] * s[2]);
        out[i] = length > 0 ? Vec3{float(-(s[0] / length)), float(-(s[1] / length)),
                                   float(-(s[2] / length))}
                            : Vec3{0, 0, 0};
    }
}

bool sameBits(const Vec3& a, const Vec3& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

class Geometry : public ::testing::Test {
  protected:
    void TearDown() override { resetModel(); }
    RecordingMessages messages;
};

} // namespace

TEST_F(Geometry, StoreBlocksHoldTheArraysBackToBack) {
    ASSERT_TRUE(allocateStore(10));
    auto* g = static_cast<char*>(model.geometryBlock);
    EXPECT_EQ(reinterpret_cast<char*>(model.vertices), g);
    EXPECT_EQ(reinterpret_cast<char*>(model.normals), g + 360);
    EXPECT_EQ(reinterpret_cast<char*>(model.damagedVertices), g + 720);
    EXPECT_EQ(reinterpret_cast<char*>(model.damagedNormals), g + 1080);
    EXPECT_EQ(reinterpret_cast<char*>(model.vertexFlags), g + 1440);
    EXPECT_EQ(reinterpret_cast<char*>(model.triangles), g + 1560);
    EXPECT_EQ(reinterpret_cast<char*>(model.triangles + 10), g + 10 * GEOMETRY_BYTES_PER_TRIANGLE);
    auto* r = static_cast<char*>(model.renderBlock);
    EXPECT_EQ(reinterpret_cast<char*>(model.triangleWork + 10), r + 10 * RENDER_BYTES_PER_TRIANGLE);
    EXPECT_EQ(model.storeTriangles, 10);
}

TEST_F(Geometry, FailedAllocationKeepsTheOldStoreAndSaysSo) {
    ASSERT_TRUE(allocateStore(4));
    Vec3* old = model.vertices;
    failAllocationsAfter(1); // the geometry block succeeds, the render block fails
    EXPECT_FALSE(allocateStore(8));
    failAllocationsAfter(-1);
    EXPECT_EQ(model.vertices, old);
    EXPECT_EQ(model.storeTriangles, 4);
    ASSERT_EQ(messages.errors.size(), 1u);
    EXPECT_EQ(messages.errors[0], "Out of memory!");
}

TEST_F(Geometry, FreeModelNullsEveryPointerAndKeepsTheTextureWhenAsked) {
    buildTestModel(2, 5);
    model.textureImage = static_cast<uint8_t*>(allocBlock(16));
    model.textureLoaded = true;
    freeModel(true);
    EXPECT_EQ(model.geometryBlock, nullptr);
    EXPECT_EQ(model.renderBlock, nullptr);
    EXPECT_EQ(model.vertices, nullptr);
    EXPECT_EQ(model.triangleWork, nullptr);
    EXPECT_NE(model.textureImage, nullptr);
    EXPECT_TRUE(model.textureLoaded);
    freeModel(false);
    EXPECT_EQ(model.textureImage, nullptr);
    EXPECT_FALSE(model.textureLoaded);
}

TEST_F(Geometry, FaceNormalIsTheUnitCrossProduct) {
    ASSERT_TRUE(allocateStore(2));
    model.vertices[0] = {0, 0, 0};
    model.vertices[1] = {2, 0, 0};
    model.vertices[2] = {0, 3, 0};
    model.triangles[0].v[0] = 0;
    model.triangles[0].v[1] = 1;
    model.triangles[0].v[2] = 2;
    // Second triangle has no area.
    model.triangles[1].v[0] = 0;
    model.triangles[1].v[1] = 1;
    model.triangles[1].v[2] = 1;
    model.triangles[1].faceNormal = {9, 9, 9};
    computeFaceNormals(model.vertices, 3, 0, 2);
    EXPECT_FLOAT_EQ(model.triangles[0].faceNormal.x, 0);
    EXPECT_FLOAT_EQ(model.triangles[0].faceNormal.y, 0);
    EXPECT_FLOAT_EQ(model.triangles[0].faceNormal.z, 1);
    EXPECT_EQ(model.triangles[1].faceNormal.x, 0);
    EXPECT_EQ(model.triangles[1].faceNormal.z, 0);
}

TEST_F(Geometry, VertexNormalsMatchThePerVertexScanBitForBit) {
    // Random triangles over few vertices, so most vertices are shared many
    // times and some triangles name one vertex twice.
    const int triangles = 300, vertices = 40;
    ASSERT_TRUE(allocateStore(triangles));
    std::mt19937 random(7);
    std::uniform_int_distribution<int> corner(0, vertices - 1);
    std::uniform_real_distribution<float> c(-5, 5);
    for (int i = 0; i < vertices; ++i) model.vertices[i] = {c(random), c(random), c(random)};
    for (int t = 0; t < triangles; ++t)
        for (uint32_t& v : model.triangles[t].v) v = uint32_t(corner(random));
    model.triangles[3].v[1] = model.triangles[3].v[0];
    model.triangles[4].v[2] = model.triangles[4].v[1];
    computeFaceNormals(model.vertices, vertices, 0, triangles);
    std::vector<Vec3> expected(vertices);
    referenceVertexNormals(0, expected.data(), triangles, vertices);
    computeVertexNormals(0, model.normals, triangles, vertices);
    for (int i = 0; i < vertices; ++i)
        EXPECT_TRUE(sameBits(model.normals[i], expected[i])) << "vertex " << i;
}

TEST_F(Geometry, VertexNormalCountsATriangleOncePerVertexAndPointsInward) {
    ASSERT_TRUE(allocateStore(2));
    model.triangles[0].v[0] = 0;
    model.triangles[0].v[1] = 0;
    model.triangles[0].v[2] = 1;
    model.triangles[0].faceNormal = {1, 0, 0};
    model.triangles[1].v[0] = 0;
    model.triangles[1].v[1] = 1;
    model.triangles[1].v[2] = 2;
    model.triangles[1].faceNormal = {0, 1, 0};
    computeVertexNormals(0, model.normals, 2, 4);
    const float d = float(-(1 / std::sqrt(2.0)));
    EXPECT_FLOAT_EQ(model.normals[0].x, d); // (1,0,0) once plus (0,1,0), negated
    EXPECT_FLOAT_EQ(model.normals[0].y, d);
    EXPECT_FLOAT_EQ(model.normals[2].y, -1);
    // Vertex 3 belongs to no triangle: its normal stays zero rather than NaN.
    EXPECT_EQ(model.normals[3].x, 0);
    EXPECT_EQ(model.normals[3].y, 0);
    EXPECT_EQ(model.normals[3].z, 0);
}

TEST_F(Geometry, AxisMirrorIsItsOwnInverse) {
    buildTestModel(3, 6);
    const ModelTriangle before = model.triangles[4];
    const Vec3 vertex = model.vertices[5], pos = model.header.partPos[2];
    const Vec3 dummy = model.header.dummyPos[1];
    mirrorModelAxis();
    EXPECT_EQ(model.vertices[5].z, -vertex.z);
    EXPECT_EQ(model.vertices[5].x, vertex.x);
    EXPECT_EQ(model.header.partPos[2].z, -pos.z);
    EXPECT_EQ(model.header.dummyPos[1].z, -dummy.z);
    EXPECT_EQ(model.triangles[4].v[1], before.v[2]);
    EXPECT_EQ(model.triangles[4].v[2], before.v[1]);
    EXPECT_EQ(model.triangles[4].texU[1], before.texU[2]);
    EXPECT_EQ(model.triangles[4].texV[2], before.texV[1]);
    EXPECT_EQ(model.triangles[4].v[0], before.v[0]);
    mirrorModelAxis();
    EXPECT_EQ(std::memcmp(&model.triangles[4], &before, sizeof before), 0);
    EXPECT_TRUE(sameBits(model.vertices[5], vertex));
}

TEST_F(Geometry, PartSpaceRoundTripTouchesOnlyThePartsVertices) {
    buildTestModel(2, 4);
    model.header.partPos[1] = {1, 2, 3};
    const Vec3 first = model.vertices[0];
    const int slot = partSlot(1);
    const Vec3 v = model.vertices[slot];
    toModelSpace(1);
    EXPECT_FLOAT_EQ(model.vertices[slot].x, v.x + 1);
    EXPECT_FLOAT_EQ(model.damagedVertices[slot].z, v.z + 3);
    EXPECT_TRUE(sameBits(model.vertices[0], first));
    toPartSpace(1);
    EXPECT_FLOAT_EQ(model.vertices[slot].y, v.y);
}

TEST(NameString, StopsAtTheFieldEnd) {
    char field[NAME_SIZE];
    std::memset(field, 'A', sizeof field);
    EXPECT_EQ(nameString(field).size(), size_t(NAME_SIZE - 1));
    field[3] = '\0';
    EXPECT_EQ(nameString(field), "AAA");
}
