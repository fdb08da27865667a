// The sample car: that the generator reproduces the files in data/sample, and
// makes cars from the smallest to the largest size asked for.
#include "cli/sample_car.h"
#include "model/car_model.h"
#include "model/fce_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using SampleCar = ModelTest;

TEST_F(SampleCar, GeneratorReproducesTheBundledFiles) {
    ASSERT_TRUE(writeSampleCar(dir.path().string(), SAMPLE_DEFAULT_TRIANGLES));
    for (const std::string name : {"car.fce", "car00.tga"})
        EXPECT_TRUE(readBytes(dir.file(name)) == readBytes(sourcePath("data/sample/" + name)))
            << "regenerate with: vornix-cli sample data/sample";
    // An uncompressed 256 x 256 true-colour TGA, stored bottom row first.
    const std::vector<uint8_t> tga = readBytes(dir.file("car00.tga"));
    ASSERT_EQ(tga.size(), 18u + 256 * 256 * 4);
    EXPECT_EQ(std::make_tuple(tga[2], tga[12] | tga[13] << 8, tga[16], tga[17] & 0x30),
              std::make_tuple(2, 256, 32, 0));
    EXPECT_TRUE(messages.errors.empty());
}

TEST_F(SampleCar, SizesFromTheSmallestToTheLargestRequest) {
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
