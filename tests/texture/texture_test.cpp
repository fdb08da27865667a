// The model's texture: decoding TGA files (orientation, enlargement, the
// header checks and their limits, skipped fields, files that cannot be
// loaded), finding the file that belongs to the model, colour conversions,
// and tinting the texture by a colour preset and restoring it. How tinting
// multiplies each layer's texels shows in the golden pictures.
#include "model/alloc.h"
#include "model/file_io.h"
#include "support/test_support.h"
#include "texture/texture.h"
#include "texture/tint.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>

// A texel as the file stores it: blue, green, red, alpha.
struct Texel {
    uint8_t b, g, r, a;
    bool operator==(const Texel&) const = default;
};

// An uncompressed 32-bit true-colour file without image ID or colour map;
// `texel(i, j)` gives texel i of stored row j, in file order whatever the
// descriptor says.
static std::vector<uint8_t> makeTga(int width, int height, int descriptor,
                                    const std::function<Texel(int, int)>& texel) {
    std::vector<uint8_t> bytes = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int side : {width, height}) bytes.insert(bytes.end(), {uint8_t(side), uint8_t(side >> 8)});
    bytes.insert(bytes.end(), {32, uint8_t(descriptor)});
    for (int k = 0; k < width * height; ++k) {
        const Texel t = texel(k % width, k / width);
        bytes.insert(bytes.end(), {t.b, t.g, t.r, t.a});
    }
    return bytes;
}

// Texel (x, y) of the working or the pristine copy, row 0 at the top.
static Texel texelAt(const uint8_t* copy, int x, int y) {
    const uint8_t* p = copy + (size_t(y) * TEXTURE_SIZE + size_t(x)) * 4;
    return {p[0], p[1], p[2], p[3]};
}

// Every texel of a 512 image distinct.
static Texel codeOf(int i, int j) {
    return {uint8_t(i), uint8_t(j), uint8_t((i >> 8) | ((j >> 8) << 1)), 255};
}

static constexpr Texel GREY{200, 200, 200, 200};

class TextureTest : public ModelTest {
  protected:
    // Loads the file; a refused one leaves no texture, and never an open file.
    bool load(const std::vector<uint8_t>& bytes) {
        messages.errors.clear(), writeBytes(dir.file("texture.tga"), bytes);
        EXPECT_TRUE(openForReading(dir.file("texture.tga")));
        const bool loaded = loadTexture();
        EXPECT_TRUE(!fileIsOpen() && model.textureLoaded == loaded &&
                    (model.textureImage != nullptr) == loaded);
        return loaded;
    }
    // A texture of layer 3 whose texels carry `mark` in blue.
    static void put(const TempDir& folder, const std::string& name, int mark) {
        auto marked = [=](int, int) { return Texel{uint8_t(mark), 0, 0, 16}; };
        writeBytes(folder.file(name), makeTga(256, 256, 0x28, marked));
    }
    // The name and mark of the texture loaded for model `fce` in `folder`.
    static std::pair<std::string, int> find(const TempDir& folder, const std::string& fce) {
        model.fcePath = folder.file(fce);
        if (!findAndLoadTexture()) return {"", 0};
        return {std::filesystem::path(model.texturePath).filename(), workingTexture()[0]};
    }
    // Loads a 512 texture of GREY (alpha 200: layer 0), puts `texels` at the
    // start of the pristine copy and tints by preset 1, whose layer 0 is `layer`.
    void tint(const std::vector<Texel>& texels, HsbColor layer) {
        ASSERT_TRUE(load(makeTga(512, 512, 0x28, [](int, int) { return GREY; })));
        std::memcpy(pristineTexture(), texels.data(), texels.size() * 4);
        model.colorLayers[0][1] = layer, tintTexture(1);
    }
};

TEST_F(TextureTest, OrientationFollowsTheDescriptorBits) {
    // Descriptor bits; stored bottom row first; stored right to left.
    for (auto [bits, flip, mirror] :
         {std::array{0x08, 1, 0}, {0x28, 0, 0}, {0x18, 1, 1}, {0x38, 0, 1}}) {
        ASSERT_TRUE(load(makeTga(512, 512, bits, codeOf))) << bits;
        for (int y : {0, 1, 510, 511})
            for (int x : {0, 1, 255, 256, 300, 511})
                ASSERT_EQ(texelAt(workingTexture(), x, y),
                          codeOf(mirror ? 511 - x : x, flip ? 511 - y : y))
                    << bits << " at " << x << "," << y;
    }
}

TEST_F(TextureTest, A256TextureIsEnlargedWithPerByteAverages) {
    ASSERT_TRUE(load(makeTga(256, 256, 0x28, [](int x, int y) {
        return Texel{uint8_t(x), uint8_t(y), uint8_t(x + y), uint8_t(x * 3)};
    })));
    // Even texels of even rows are the source's, the others average their two
    // neighbours with the fraction dropped; the last column and row repeat.
    const std::tuple<int, int, Texel> cases[] = {
        {4, 6, {2, 3, 5, 6}},       {5, 6, {2, 3, 5, 7}},     {5, 7, {2, 3, 5, 7}},
        {511, 6, {255, 3, 2, 253}}, {6, 511, {3, 255, 2, 9}}, {511, 511, {255, 255, 254, 253}}};
    for (auto [x, y, texel] : cases)
        EXPECT_EQ(texelAt(workingTexture(), x, y), texel) << x << "," << y;
}

TEST_F(TextureTest, HeaderChecksAndTheirLimits) {
    // Width, height, image type, bits per texel, the error (0: loaded).
    const std::tuple<int, int, int, int, int> cases[] = {
        {256, 256, 2, 32, 0}, {512, 512, 2, 32, 0}, {255, 255, 2, 32, 3},  {257, 257, 2, 32, 3},
        {511, 511, 2, 32, 3}, {513, 513, 2, 32, 3}, {0, 0, 2, 32, 3},      {512, 256, 2, 32, 2},
        {256, 257, 2, 32, 2}, {256, 256, 2, 24, 1}, {256, 256, 2, 31, 1},  {256, 256, 2, 33, 1},
        {256, 256, 1, 32, 1}, {256, 256, 3, 32, 1}, {256, 256, 10, 32, 1}, // mapped, grey, packed
        {257, 256, 2, 16, 1}};                                             // the depth comes first
    for (auto [width, height, type, depth, error] : cases) {
        auto bytes = makeTga(width, height, 0x28, codeOf);
        bytes[2] = uint8_t(type), bytes[16] = uint8_t(depth);
        EXPECT_EQ(load(bytes), error == 0) << width << "x" << height << " " << type << " " << depth;
        const auto message =
            format("Texture format error (%d)!\n", error) + dir.file("texture.tga");
        EXPECT_EQ(messages.errors, error ? std::vector{message} : std::vector<std::string>{});
    }
}

TEST_F(TextureTest, ImageIdAndColourMapAreSkippedButMustBeThere) {
    // ID length, map entries, bits per entry, map bytes (15 and 16 bits take
    // two), whether it loads: a map of 65535 4-byte entries reaches past the end.
    const int cases[][5] = {{7, 0, 0, 0, 1},   {0, 3, 24, 9, 1}, {255, 256, 32, 1024, 1},
                            {2, 5, 15, 10, 1}, {3, 2, 16, 4, 1}, {0, 65535, 32, 0, 0}};
    for (auto [id, entries, bits, mapBytes, loads] : cases) {
        auto bytes = makeTga(256, 256, 0x28, codeOf);
        bytes[0] = uint8_t(id), bytes[1] = entries > 0, bytes[7] = uint8_t(bits);
        bytes[5] = uint8_t(entries), bytes[6] = uint8_t(entries >> 8);
        bytes.insert(bytes.begin() + 18, size_t(id + mapBytes), 0xEE);
        ASSERT_EQ(load(bytes), loads == 1) << id << " " << entries;
        EXPECT_TRUE(!loads || texelAt(workingTexture(), 6, 4) == codeOf(3, 2)) << id;
    }
}

TEST_F(TextureTest, ShortFilesAndFailedAllocationsLoadNothing) {
    const auto whole = makeTga(256, 256, 0x28, codeOf);
    // Short pixel data is silent; a file without a whole header is no TGA.
    for (size_t length : {whole.size() - 1, size_t(18 + 1024), size_t(18), size_t(17), size_t(0)}) {
        EXPECT_FALSE(load(std::vector(whole.begin(), whole.begin() + long(length)))) << length;
        EXPECT_EQ(messages.errors.size(), length < 18 ? 1u : 0u) << length;
    }
    for (int successes : {0, 1}) { // the pixel buffer, then the texture block
        failAllocationsAfter(successes);
        EXPECT_FALSE(load(whole));
        failAllocationsAfter(-1);
        EXPECT_EQ(messages.errors, std::vector<std::string>{"Out of memory!"});
    }
}

TEST_F(TextureTest, TheDerivedNameWinsThenTheClosestSpellingIgnoringCase) {
    EXPECT_EQ(texturePathFor("/cars/CAR.FCE"), "/cars/CAR00.tga"); // the last four characters
    EXPECT_EQ(texturePathFor("abc"), "00.tga");
    // The model, the files beside it, which of them is taken (0: none).
    const std::tuple<const char*, std::vector<std::string>, int> cases[] = {
        {"car.fce", {"CAR00.TGA", "car00.tga"}, 2},
        {"CAR.FCE", {"car00.tga"}, 1},
        {"car.fce", {"CAR00.TGA"}, 1},
        {"CAR.FCE", {"car00.tga", "CAR00.TGA", "Car00.Tga"}, 2},
        {"car.fce", {"CAR00.TGA", "Car00.Tga"}, 2},
        {"Car.Fce", {"car00.tga", "CAR00.TGA"}, 1},
        {"car.fce", {"caR00.tga", "cAr00.tga"}, 2}, // a tie: the smaller name
        {"car.fce", {"car01.tga", "car00.tga.bak", "car0.tga"}, 0}};
    for (const auto& [fce, files, taken] : cases) {
        TempDir folder;
        std::filesystem::create_directory(folder.file("CaR00.tGa")); // a folder is no file
        for (size_t i = 0; i < files.size(); ++i) put(folder, files[i], int(i + 1));
        EXPECT_EQ(find(folder, fce), std::pair(taken ? files[taken - 1] : "", taken)) << fce;
    }
}

TEST_F(TextureTest, WhenNothingFitsTheUserIsAsked) {
    put(dir, "paint.tga", 33);
    messages.chosenFiles = {dir.file("paint.tga"), dir.file("gone.tga"), ""};
    EXPECT_EQ(find(dir, "car.fce"), std::pair(std::string("paint.tga"), 33));
    EXPECT_TRUE(find(dir, "car.fce").second == 0 && !model.textureImage); // the earlier goes too
    EXPECT_EQ(find(dir, "car.fce").second, 0);                            // cancelled
    const std::string notFound = "Texture file 'car00.tga' not found!",
                      gone = "Error:2\nNo such file or directory: " + dir.file("gone.tga");
    EXPECT_EQ(messages.errors, (std::vector{notFound, notFound, gone, notFound}));
    writeBytes(dir.file("car00.tga"), makeTga(128, 128, 0x28, [](int, int) { return Texel{}; }));
    EXPECT_EQ(find(dir, "car.fce").second, 0); // found but broken: no dialog
    EXPECT_EQ(messages.fileDialogs, std::vector<std::string>(3, "Open TGA texture file:"));
}

TEST(TintLayers, AlphaChoosesTheLayer) {
    const int ranges[][3] = {{0, 15, TINT_NO_LAYER}, {16, 63, 3},   {64, 127, 2},
                             {128, 191, 1},          {192, 240, 0}, {241, 255, TINT_NO_LAYER}};
    for (auto [from, to, layer] : ranges)
        for (int a = from; a <= to; ++a) EXPECT_EQ(tintLayerOfAlpha(uint8_t(a)), layer) << a;
}

TEST_F(TextureTest, BrightnessCountsOneAndAHalfTimesUpToFullAt85) {
    EXPECT_NEAR(hsbToRgb({0, 0, 42, 0}).r, 0.496, 0.0005);
    EXPECT_LT(hsbToRgb({0, 0, 84, 0}).r, 1.0f);
    EXPECT_EQ(hsbToRgb({0, 0, 85, 0}).r, 1.0f);
    tint({{200, 255, 1, 200}}, {0, 0, 42, 0});
    EXPECT_EQ(texelAt(workingTexture(), 0, 0), (Texel{99, 126, 0, 200}));
}

TEST_F(TextureTest, TintingAndRestoringStartFromThePristineCopy) {
    tintTexture(1), restoreTexture(); // no texture: nothing to do, nothing to touch
    tint({GREY}, {0, 127, 127, 0});
    const std::vector<uint8_t> once(workingTexture(), workingTexture() + TEXTURE_COPY_BYTES);
    for (int preset : {0, 1, -1, MAX_COLORS}) tintTexture(preset); // the last two: no presets
    EXPECT_EQ(std::memcmp(workingTexture(), once.data(), TEXTURE_COPY_BYTES), 0);
    restoreTexture();
    EXPECT_EQ(texelAt(workingTexture(), 9, 9), GREY);
}

TEST(HsbConversions, SixSextantsAndThePackedPixelWithoutGain) {
    const float cases[][4] = {{0, 1, 0, 0},   {15, 1, .5f, 0},  {30, 1, 1, 0},  {45, .5f, 1, 0},
                              {60, 0, 1, 0},  {75, 0, 1, .5f},  {90, 0, 1, 1},  {105, 0, .5f, 1},
                              {120, 0, 0, 1}, {135, .5f, 0, 1}, {150, 1, 0, 1}, {165, 1, 0, .5f},
                              {180, 1, 0, 0}};
    for (auto [hue, r, g, b] : cases) {
        const RgbColor c = hsbToRgb({uint8_t(hue), 127, 127, 0});
        EXPECT_LT(std::abs(c.r - r) + std::abs(c.g - g) + std::abs(c.b - b), 1e-6f) << hue;
    }
    EXPECT_NEAR(hsbToRgb({120, 64, 127, 0}).r, 1.0 - 64.0 / 127.0, 1e-6); // half saturation
    // Blue in the low byte, then green, red and the extra byte. Grey 42 is
    // 42 / 127 of full, 64 gives 255 * 64 / 127 truncated, and bytes above
    // the range do not wrap.
    EXPECT_EQ(std::vector({hsbToPixel({0, 127, 127, 0}), hsbToPixel({120, 127, 127, 0x7F}),
                           hsbToPixel({0, 0, 42, 0}), hsbToPixel({30, 127, 64, 0}),
                           hsbToPixel({0, 0, 255, 0})}),
              std::vector({0x00FF0000u, 0x7F0000FFu, 0x00545454u, 0x00808000u, 0x00FFFFFFu}));
}
