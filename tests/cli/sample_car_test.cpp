// The sample car: that the generator reproduces the files in data/sample, and
// that the car in them reads back whole with its own smoothing data and
// follows the naming conventions.
#include "cli/sample_car.h"
#include "model/car_model.h"
#include "model/fce_file.h"
#include "model/names.h"
#include "support/test_support.h"
#include "texture/texture.h"

#include <gtest/gtest.h>

namespace {

class SampleCar : public ::testing::Test {
  protected:
    void TearDown() override { resetModel(); }
    void readBundled() {
        ASSERT_TRUE(loadFceFile(sampleFce(), false));
        convertColorsAfterRead();
        ASSERT_TRUE(findAndLoadTexture());
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
