// Decoding TGA files: orientation, enlargement, the format errors, broken and
// foreign files.
#include "model/alloc.h"
#include "model/car_model.h"
#include "model/file_io.h"
#include "texture/texture.h"
#include "texture/tga_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

// Every texel of a 512 image distinct: position in blue/green, high bits in red.
Texel codeOf(int i, int j) {
    return {uint8_t(i), uint8_t(j), uint8_t((i >> 8) | ((j >> 8) << 1)), 255};
}

class TgaLoad : public ::testing::Test {
  protected:
    void SetUp() override { resetModel(); }
    void TearDown() override {
        failAllocationsAfter(-1);
        resetModel();
    }
    TempDir dir;
    RecordingMessages messages;
};

TEST_F(TgaLoad, OrientationFollowsDescriptorBits) {
    struct Case {
        int descriptor;
        bool flipped;  // stored bottom row first
        bool mirrored; // stored right to left
    } cases[] = {
        {0x08, true, false}, {0x28, false, false}, {0x18, true, true}, {0x38, false, true}};
    for (const Case& c : cases) {
        TgaLayout layout;
        layout.width = layout.height = 512;
        layout.descriptor = c.descriptor;
        ASSERT_TRUE(loadTgaBytes(dir, makeTga(layout, codeOf))) << c.descriptor;
        for (int y : {0, 1, 200, 510, 511})
            for (int x : {0, 1, 300, 511}) {
                const int i = c.mirrored ? 511 - x : x;
                const int j = c.flipped ? 511 - y : y;
                ASSERT_EQ(workingTexel(x, y), codeOf(i, j))
                    << "descriptor " << c.descriptor << " at " << x << "," << y;
            }
    }
    EXPECT_TRUE(messages.errors.empty());
}

TEST_F(TgaLoad, SmallTextureIsEnlargedWithPerByteAverages) {
    // A sharp vertical edge at column 128, a horizontal one at row 100, and
    // varied bytes elsewhere so every average is checked against its inputs.
    auto source = [](int x, int y) -> Texel {
        if (x == 10 && y == 5) return {100, 7, 255, 201};
        if (x == 11 && y == 5) return {51, 8, 0, 0};
        const uint8_t edge = x < 128 ? 0 : 250;
        const uint8_t band = y < 100 ? 30 : 221;
        return {edge, band, uint8_t(x * 7 + y * 3), uint8_t(x ^ y)};
    };
    TgaLayout layout;
    layout.descriptor = 0x28; // top-down: stored rows are image rows
    ASSERT_TRUE(loadTgaBytes(dir, makeTga(layout, source)));
    auto avg = [](Texel a, Texel b) {
        return Texel{uint8_t((a.b + b.b) / 2), uint8_t((a.g + b.g) / 2), uint8_t((a.r + b.r) / 2),
                     uint8_t((a.a + b.a) / 2)};
    };
    // The even rows interleave source texels and averages.
    auto evenRow = [&](int k, int x) {
        if (x % 2 == 0) return source(x / 2, k);
        return x == 511 ? source(255, k) : avg(source(x / 2, k), source(x / 2 + 1, k));
    };
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x) {
            Texel expected;
            if (y % 2 == 0)
                expected = evenRow(y / 2, x);
            else if (y == 511)
                expected = evenRow(255, x);
            else
                expected = avg(evenRow(y / 2, x), evenRow(y / 2 + 1, x));
            ASSERT_EQ(workingTexel(x, y), expected) << x << "," << y;
        }
    // The worked example: the fraction is dropped, alpha is averaged too.
    EXPECT_EQ(workingTexel(21, 10), (Texel{75, 7, 127, 100}));
    // Across the edge the average sits halfway; away from it nothing blurs.
    EXPECT_EQ(workingTexel(255, 0).b, 125);
    EXPECT_EQ(workingTexel(254, 0).b, 0);
    EXPECT_EQ(workingTexel(256, 0).b, 250);
}

TEST_F(TgaLoad, WorkingAndPristineCopiesMatchAfterLoading) {
    TgaLayout layout;
    ASSERT_TRUE(loadTgaBytes(dir, makeTga(layout, codeOf)));
    EXPECT_TRUE(model.textureLoaded);
    EXPECT_EQ(std::memcmp(workingTexture(), pristineTexture(), TEXTURE_COPY_BYTES), 0);
    EXPECT_FALSE(fileIsOpen());
}

TEST_F(TgaLoad, FormatErrorsAreReportedInOrder) {
    struct Case {
        int width, height, type, depth;
        const char* message;
    } cases[] = {
        {512, 256, 2, 32, "Texture format error (2)!"},
        {128, 128, 2, 32, "Texture format error (3)!"},
        {256, 256, 2, 24, "Texture format error (1)!"},
        {256, 256, 10, 32, "Texture format error (1)!"}, // run-length encoded
        {256, 256, 1, 32, "Texture format error (1)!"},  // colour-mapped
        {512, 256, 2, 16, "Texture format error (1)!"},  // depth is checked first
        {1024, 1024, 2, 32, "Texture format error (3)!"},
        {0, 0, 2, 32, "Texture format error (3)!"},
    };
    for (const Case& c : cases) {
        messages.errors.clear();
        TgaLayout layout;
        layout.width = c.width;
        layout.height = c.height;
        layout.imageType = c.type;
        layout.depth = c.depth;
        // A few texels are enough: the header alone must decide.
        auto bytes = makeTga(TgaLayout{}, codeOf);
        auto header = makeTga(layout, [](int, int) { return Texel{}; });
        std::copy(header.begin(), header.begin() + 18, bytes.begin());
        EXPECT_FALSE(loadTgaBytes(dir, bytes)) << c.message;
        EXPECT_EQ(messages.errors, std::vector<std::string>{c.message});
        EXPECT_FALSE(model.textureLoaded);
        EXPECT_EQ(model.textureImage, nullptr);
        EXPECT_FALSE(fileIsOpen());
    }
}

TEST_F(TgaLoad, TruncatedFilesLoadNothingAndReadNothingBeyondTheirEnd) {
    const auto whole = makeTga(TgaLayout{}, codeOf);
    // Short pixel data is silent; a file without a whole header is no TGA.
    for (size_t length : {whole.size() - 1, size_t(18 + 1024), size_t(18)}) {
        messages.errors.clear();
        std::vector<uint8_t> cut(whole.begin(), whole.begin() + long(length));
        EXPECT_FALSE(loadTgaBytes(dir, cut)) << length;
        EXPECT_TRUE(messages.errors.empty()) << length;
        EXPECT_FALSE(model.textureLoaded);
        EXPECT_FALSE(fileIsOpen());
    }
    for (size_t length : {size_t(0), size_t(17)}) {
        messages.errors.clear();
        std::vector<uint8_t> cut(whole.begin(), whole.begin() + long(length));
        EXPECT_FALSE(loadTgaBytes(dir, cut)) << length;
        EXPECT_EQ(messages.errors, std::vector<std::string>{"Texture format error (1)!"});
    }
}

TEST_F(TgaLoad, AColourMapReachingPastTheEndLoadsNothing) {
    // The header promises 65535 map entries of 4 bytes; the file ends first.
    auto bytes = makeTga(TgaLayout{}, codeOf);
    bytes[1] = 1;
    bytes[5] = bytes[6] = 0xFF;
    bytes[7] = 32;
    EXPECT_FALSE(loadTgaBytes(dir, bytes));
    EXPECT_TRUE(messages.errors.empty());
    EXPECT_FALSE(model.textureLoaded);
    EXPECT_FALSE(fileIsOpen());
}

TEST_F(TgaLoad, ImageIdAndColourMapAreSkipped) {
    TgaLayout plain;
    plain.descriptor = 0x28;
    ASSERT_TRUE(loadTgaBytes(dir, makeTga(plain, codeOf)));
    std::vector<uint8_t> expected(workingTexture(), workingTexture() + TEXTURE_COPY_BYTES);

    struct Case {
        int idLength, mapType, mapLength, mapBits;
    } cases[] = {{7, 0, 0, 0}, {0, 1, 3, 24}, {255, 1, 256, 32}, {2, 1, 5, 15}};
    for (const Case& c : cases) {
        TgaLayout layout = plain;
        layout.imageId.assign(size_t(c.idLength), 0xEE);
        layout.colorMapType = c.mapType;
        layout.colorMapLength = c.mapLength;
        layout.colorMapEntryBits = c.mapBits;
        ASSERT_TRUE(loadTgaBytes(dir, makeTga(layout, codeOf))) << c.idLength << " " << c.mapLength;
        EXPECT_EQ(std::memcmp(workingTexture(), expected.data(), TEXTURE_COPY_BYTES), 0)
            << c.idLength << " " << c.mapLength;
    }
    EXPECT_TRUE(messages.errors.empty());
}

TEST_F(TgaLoad, AFailedLoadLeavesNoTextureBehind) {
    ASSERT_TRUE(loadTgaBytes(dir, makeTga(TgaLayout{}, codeOf)));
    TgaLayout wrong;
    wrong.depth = 24;
    EXPECT_FALSE(loadTgaBytes(dir, makeTga(wrong, codeOf)));
    EXPECT_FALSE(model.textureLoaded);
    EXPECT_EQ(model.textureImage, nullptr);
}

TEST_F(TgaLoad, OutOfMemoryIsReportedAndLeavesNoTexture) {
    const auto bytes = makeTga(TgaLayout{}, codeOf);
    for (int successes : {0, 1}) { // the pixel buffer, then the texture block
        messages.errors.clear();
        failAllocationsAfter(successes);
        EXPECT_FALSE(loadTgaBytes(dir, bytes));
        failAllocationsAfter(-1);
        EXPECT_EQ(messages.errors, std::vector<std::string>{"Out of memory!"});
        EXPECT_FALSE(model.textureLoaded);
        EXPECT_EQ(model.textureImage, nullptr);
        EXPECT_FALSE(fileIsOpen());
    }
}

} // namespace
