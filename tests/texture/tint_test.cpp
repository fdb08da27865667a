// Colour conversions, tinting the texture by a colour preset and restoring it.
#include "model/car_model.h"
#include "texture/tga_builder.h"
#include "texture/tint.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

static constexpr HsbColor RED{0, 127, 127, 0}, WHITE{0, 0, 127, 0};

// Loads a 512 texture of grey 200 with alpha 200 (layer 0), puts `texels` at
// the start of the pristine copy and tints by preset 1 made of `layers`.
static void tint(const std::vector<Texel>& texels, std::vector<HsbColor> layers) {
    TempDir dir;
    auto grey = [](int, int) { return Texel{200, 200, 200, 200}; };
    ASSERT_TRUE(loadTgaBytes(dir, makeTga(512, 512, 0x28, grey)));
    std::memcpy(pristineTexture(), texels.data(), texels.size() * 4);
    for (int i = 0; i < COLOR_LAYERS; ++i) model.colorLayers[i][1] = layers[size_t(i)];
    tintTexture(1);
}

class Tint : public ::testing::Test {
  protected:
    void TearDown() override { resetModel(); }
};

TEST(TintLayers, AlphaChoosesTheLayer) {
    const int ranges[][3] = {{0, 15, TINT_NO_LAYER}, {16, 63, 3},   {64, 127, 2},
                             {128, 191, 1},          {192, 240, 0}, {241, 255, TINT_NO_LAYER}};
    for (auto [from, to, layer] : ranges)
        for (int a = from; a <= to; ++a) EXPECT_EQ(tintLayerOfAlpha(uint8_t(a)), layer) << a;
}

TEST_F(Tint, EachLayerMultipliesItsTexelsAndTheOthersKeepEveryByte) {
    std::vector<Texel> texels; // layers 0, 1, 2, none, none, then 256 texels of layer 3
    for (int alpha : {240, 191, 127, 15, 241}) texels.push_back({90, 120, 150, uint8_t(alpha)});
    for (int v = 0; v < 256; ++v) texels.push_back({uint8_t(v), uint8_t(255 - v), uint8_t(v), 16});
    tint(texels, {RED, {60, 127, 127, 0}, {120, 127, 127, 0}, WHITE});
    texels[0] = {0, 0, 150, 240}, texels[1] = {0, 120, 0, 191}, texels[2] = {90, 0, 0, 127};
    for (size_t x = 0; x < texels.size(); ++x)
        ASSERT_EQ(texelAt(workingTexture(), int(x), 0), texels[x]) << x;
    EXPECT_EQ(texelAt(workingTexture(), 511, 511), (Texel{0, 0, 200, 200}));
    EXPECT_EQ(texelAt(pristineTexture(), 511, 511), (Texel{200, 200, 200, 200})); // only read
}

TEST_F(Tint, BrightnessCountsOneAndAHalfTimesUpToFullAt85) {
    EXPECT_NEAR(hsbToRgb({0, 0, 42, 0}).r, 0.496, 0.0005);
    EXPECT_LT(hsbToRgb({0, 0, 84, 0}).r, 1.0f);
    EXPECT_EQ(hsbToRgb({0, 0, 85, 0}).r, 1.0f);
    tint({{200, 255, 1, 200}}, {{0, 0, 42, 0}, WHITE, WHITE, WHITE});
    EXPECT_EQ(texelAt(workingTexture(), 0, 0), (Texel{99, 126, 0, 200}));
}

TEST_F(Tint, TintingAndRestoringStartFromThePristineCopy) {
    tintTexture(1); // no texture: nothing to do, nothing to touch
    restoreTexture();
    tint({{200, 200, 200, 200}}, {RED, RED, RED, RED});
    const std::vector<uint8_t> once(workingTexture(), workingTexture() + TEXTURE_COPY_BYTES);
    for (int preset : {0, 1, -1, MAX_COLORS}) tintTexture(preset); // the last two: no presets
    EXPECT_EQ(std::memcmp(workingTexture(), once.data(), TEXTURE_COPY_BYTES), 0);
    restoreTexture();
    EXPECT_EQ(texelAt(workingTexture(), 9, 9), (Texel{200, 200, 200, 200}));
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
    // Blue in the low byte, then green, red and the extra byte.
    EXPECT_EQ(hsbToPixel({0, 127, 127, 0}), 0x00FF0000u);
    EXPECT_EQ(hsbToPixel({120, 127, 127, 0x7F}), 0x7F0000FFu);
    EXPECT_EQ(hsbToPixel({0, 0, 42, 0}), 0x00545454u);    // 42 / 127 of full
    EXPECT_EQ(hsbToPixel({30, 127, 64, 0}), 0x00808000u); // 255 * 64 / 127, truncated
    EXPECT_EQ(hsbToPixel({0, 0, 255, 0}), 0x00FFFFFFu);   // bytes above the range do not wrap
}
