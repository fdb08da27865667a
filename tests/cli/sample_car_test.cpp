// The sample car: that the generator reproduces the files in data/sample, and
// that the car in them reads back whole with its own smoothing data, follows
// the naming conventions, faces the way the view expects, and keeps its
// vertices consistent with its smoothing groups.
#include "cli/sample_car.h"
#include "model/car_model.h"
#include "model/fce_file.h"
#include "model/names.h"
#include "support/test_support.h"
#include "texture/texture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr float WELD_TOLERANCE = 0.002f; // the editor's default

uint16_t groupOf(const ModelTriangle& t) { return uint16_t((t.groupAndBase >> 16) & 0xFFF8); }

class SampleCar : public ::testing::Test {
  protected:
    void TearDown() override { resetModel(); }
    void readBundled() {
        ASSERT_TRUE(loadFceFile(sampleFce(), false));
        convertColorsAfterRead();
        ASSERT_TRUE(findAndLoadTexture());
    }
    const ModelTriangle& triangle(int p, int i) {
        return model.triangles[model.header.partFirstTriangle[p] + i];
    }
    const Vec3& vertexOf(int p, const ModelTriangle& t, int corner) {
        return model.vertices[partSlot(p) + int(t.v[corner])];
    }
    RecordingMessages messages;
};

} // namespace

TEST_F(SampleCar, GeneratorReproducesTheBundledFiles) {
    TempDir dir;
    ASSERT_TRUE(writeSampleCar(dir.path().string(), SAMPLE_DEFAULT_TRIANGLES));
    EXPECT_TRUE(readBytes(dir.file("car.fce")) == readBytes(sampleFce()))
        << "regenerate with: vornix-cli sample data/sample";
    const std::vector<uint8_t> tga = readBytes(dir.file("car00.tga"));
    EXPECT_TRUE(tga == readBytes(sourcePath("data/sample/car00.tga")))
        << "regenerate with: vornix-cli sample data/sample";
    // An uncompressed 256 x 256 true-colour TGA, stored bottom row first.
    ASSERT_EQ(tga.size(), 18u + 256 * 256 * 4);
    EXPECT_EQ(tga[2], 2);
    EXPECT_EQ(tga[12] | tga[13] << 8, 256);
    EXPECT_EQ(tga[16], 32);
    EXPECT_EQ(tga[17] & 0x30, 0);
    EXPECT_TRUE(messages.errors.empty());
}

TEST_F(SampleCar, ReadsBackWithItsSmoothingDataTextureAndNamedParts) {
    readBundled();
    EXPECT_EQ(model.header.extraDataTag, FCE_TAG_VRNX);
    EXPECT_TRUE(model.textureLoaded);
    EXPECT_TRUE(messages.errors.empty());
    EXPECT_LE(model.header.numTriangles, SAMPLE_DEFAULT_TRIANGLES);
    const char* names[] = {":HB", ":HLFW", ":HRFW", ":HLRW", ":HRRW", ":OD", ":MB", ":LB", ":TB"};
    ASSERT_EQ(model.header.numParts, 9);
    for (int p = 0; p < 9; ++p) {
        EXPECT_EQ(nameString(model.header.partNames[p]), names[p]);
        // The stored flags say what the names would say to a reader without them.
        EXPECT_EQ(model.partFlags[p] & (PART_VISIBLE | PART_DRIVER), defaultPartFlags(names[p]));
        EXPECT_GT(model.groupCount[p], 1) << names[p];
    }
    // Left wheels on the car's left (-x), front wheels ahead (-z).
    EXPECT_LT(model.header.partPos[1].x, 0);
    EXPECT_LT(model.header.partPos[1].z, 0);
    EXPECT_GT(model.header.partPos[4].x, 0);
    EXPECT_GT(model.header.partPos[4].z, 0);
}

TEST_F(SampleCar, FacesPointInwardAsTheViewExpects) {
    // The view draws a triangle when its stored normal points away from the
    // eye: for a closed part the enclosed volume in stored corner order is
    // negative.
    readBundled();
    for (int p = 0; p < model.header.numParts; ++p) {
        double volume = 0;
        for (int i = 0; i < model.header.partTriangleCount[p]; ++i) {
            const ModelTriangle& t = triangle(p, i);
            const Vec3 &a = vertexOf(p, t, 0), &b = vertexOf(p, t, 1), &c = vertexOf(p, t, 2);
            volume += a.x * (double(b.y) * c.z - double(b.z) * c.y) -
                      a.y * (double(b.x) * c.z - double(b.z) * c.x) +
                      a.z * (double(b.x) * c.y - double(b.y) * c.x);
        }
        EXPECT_LT(volume, 0) << nameString(model.header.partNames[p]);
    }
}

// Rebuilding a part's vertices from its groups (the Surfaces page does it)
// must give back the same vertices: each vertex belongs to one group, the
// faces around it lie within the group's angle, and no two vertices of a
// group are close enough to be welded.
TEST_F(SampleCar, VerticesAgreeWithTheSmoothingGroups) {
    readBundled();
    for (int p = 0; p < model.header.numParts; ++p) {
        const std::string name = nameString(model.header.partNames[p]);
        const int slot = partSlot(p), count = model.header.partVertexCount[p];
        std::vector<int> group(static_cast<size_t>(count), -1);
        std::vector<std::vector<const ModelTriangle*>> around(static_cast<size_t>(count));
        for (int i = 0; i < model.header.partTriangleCount[p]; ++i) {
            const ModelTriangle& t = triangle(p, i);
            for (uint32_t v : t.v) {
                ASSERT_TRUE(group[v] == -1 || group[v] == groupOf(t)) << name << " vertex " << v;
                group[v] = groupOf(t);
                around[v].push_back(&t);
            }
        }
        for (int v = 0; v < count; ++v) {
            ASSERT_NE(group[v], -1) << name << ": vertex " << v << " is used by no triangle";
            int angle = -1;
            for (int g = 0; g < model.groupCount[p]; ++g)
                if (model.groups[p][g].groupId == group[v]) angle = model.groups[p][g].smoothAngle;
            ASSERT_GE(angle, 0) << name << " group " << group[v];
            if (angle >= 91) continue;
            const double limit = std::cos(angle * 3.141592654 / 180.0);
            for (const ModelTriangle* a : around[size_t(v)])
                for (const ModelTriangle* b : around[size_t(v)])
                    ASSERT_GE(double(a->faceNormal.x) * b->faceNormal.x +
                                  double(a->faceNormal.y) * b->faceNormal.y +
                                  double(a->faceNormal.z) * b->faceNormal.z,
                              limit)
                        << name << " vertex " << v;
        }
        for (int a = 0; a < count; ++a)
            for (int b = a + 1; b < count; ++b) {
                const Vec3 &va = model.vertices[slot + a], &vb = model.vertices[slot + b];
                ASSERT_FALSE(group[a] == group[b] && std::fabs(va.x - vb.x) <= WELD_TOLERANCE &&
                             std::fabs(va.y - vb.y) <= WELD_TOLERANCE &&
                             std::fabs(va.z - vb.z) <= WELD_TOLERANCE)
                    << name << " vertices " << a << " and " << b;
            }
    }
}

TEST_F(SampleCar, SizesFromTheSmallestToTheLargestRequest) {
    TempDir dir;
    ASSERT_TRUE(writeSampleCar(dir.path().string(), MAX_TRIANGLES));
    resetModel();
    ASSERT_TRUE(loadFceFile(dir.file("car.fce"), false));
    EXPECT_EQ(model.header.extraDataTag, FCE_TAG_VRNX);
    EXPECT_GE(model.header.numTriangles, 20000);
    ASSERT_TRUE(buildSampleCar(SAMPLE_MIN_TRIANGLES));
    EXPECT_LE(model.header.numTriangles, SAMPLE_MIN_TRIANGLES);
    EXPECT_TRUE(messages.errors.empty());
    for (int request : {0, SAMPLE_MIN_TRIANGLES - 1, MAX_TRIANGLES + 1}) {
        messages.errors.clear();
        EXPECT_FALSE(buildSampleCar(request)) << request;
        EXPECT_EQ(messages.errors.size(), 1u) << request;
    }
}
