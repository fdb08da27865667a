// Colour conversions and tinting the texture by a colour preset.
#include "model/car_model.h"
#include "texture/texture.h"
#include "texture/tga_builder.h"
#include "texture/tint.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr HsbColor PURE_RED{0, 127, 127, 0};
constexpr HsbColor NEUTRAL{0, 0, 127, 0}; // saturation 0, full brightness

// Puts a 512 x 512 texture straight into the model: every texel `base`,
// except the first few, which the tests set themselves.
void installTexture(Texel base) {
    resetModel();
    TempDir dir;
    TgaLayout layout;
    layout.width = layout.height = TEXTURE_SIZE;
    layout.descriptor = 0x28;
    ASSERT_TRUE(loadTgaBytes(dir, makeTga(layout, [base](int, int) { return base; })));
}

void setPristine(int x, Texel t) {
    uint8_t* p = pristineTexture() + size_t(x) * 4;
    p[0] = t.b, p[1] = t.g, p[2] = t.r, p[3] = t.a;
}

void setPreset(int preset, HsbColor l0, HsbColor l1, HsbColor l2, HsbColor l3) {
    model.colorLayers[0][preset] = l0;
    model.colorLayers[1][preset] = l1;
    model.colorLayers[2][preset] = l2;
    model.colorLayers[3][preset] = l3;
}

class Tint : public ::testing::Test {
  protected:
    void SetUp() override { installTexture({100, 100, 100, 200}); }
    void TearDown() override { resetModel(); }
    RecordingMessages messages;
};

TEST(TintLayers, AlphaChoosesTheLayer) {
    struct Range {
        int from, to, layer;
    } ranges[] = {{0, 15, TINT_NO_LAYER}, {16, 63, 3},   {64, 127, 2},
                  {128, 191, 1},          {192, 240, 0}, {241, 255, TINT_NO_LAYER}};
    for (const Range& r : ranges)
        for (int a = r.from; a <= r.to; ++a) EXPECT_EQ(tintLayerOfAlpha(uint8_t(a)), r.layer) << a;
}

TEST_F(Tint, PureRedKeepsOnlyTheRedChannel) {
    setPreset(0, PURE_RED, NEUTRAL, NEUTRAL, NEUTRAL);
    tintTexture(0);
    EXPECT_EQ(workingTexel(0, 0), (Texel{0, 0, 100, 200}));
    EXPECT_EQ(workingTexel(511, 511), (Texel{0, 0, 100, 200}));
    // The pristine copy is only read.
    EXPECT_EQ(pristineTexel(0, 0), (Texel{100, 100, 100, 200}));
}

TEST_F(Tint, UntintedAlphaRangesNeverChange) {
    setPreset(0, PURE_RED, PURE_RED, PURE_RED, PURE_RED);
    const uint8_t untinted[] = {0, 1, 15, 241, 250, 255};
    const uint8_t tinted[] = {16, 63, 64, 127, 128, 191, 192, 240};
    int x = 0;
    for (uint8_t a : untinted) setPristine(x++, {90, 120, 150, a});
    for (uint8_t a : tinted) setPristine(x++, {90, 120, 150, a});
    tintTexture(0);
    x = 0;
    for (uint8_t a : untinted) EXPECT_EQ(workingTexel(x++, 0), (Texel{90, 120, 150, a})) << int(a);
    for (uint8_t a : tinted) EXPECT_EQ(workingTexel(x++, 0), (Texel{0, 0, 150, a})) << int(a);
}

TEST_F(Tint, EachLayerTakesItsOwnColour) {
    setPreset(0, {0, 127, 127, 0}, {60, 127, 127, 0}, {120, 127, 127, 0}, {0, 0, 127, 0});
    setPristine(0, {200, 200, 200, 220});
    setPristine(1, {200, 200, 200, 150});
    setPristine(2, {200, 200, 200, 100});
    setPristine(3, {200, 200, 200, 40});
    tintTexture(0);
    EXPECT_EQ(workingTexel(0, 0), (Texel{0, 0, 200, 220}));
    EXPECT_EQ(workingTexel(1, 0), (Texel{0, 200, 0, 150}));
    EXPECT_EQ(workingTexel(2, 0), (Texel{200, 0, 0, 100}));
    EXPECT_EQ(workingTexel(3, 0), (Texel{200, 200, 200, 40}));
}

TEST_F(Tint, NeutralFullBrightnessLeavesEveryByteAlone) {
    setPreset(0, NEUTRAL, NEUTRAL, NEUTRAL, NEUTRAL);
    for (int v = 0; v < 256; ++v) setPristine(v, {uint8_t(v), uint8_t(255 - v), uint8_t(v), 200});
    tintTexture(0);
    for (int v = 0; v < 256; ++v)
        ASSERT_EQ(workingTexel(v, 0), (Texel{uint8_t(v), uint8_t(255 - v), uint8_t(v), 200})) << v;
}

TEST_F(Tint, BrightnessCountsOneAndAHalfTimes) {
    const RgbColor dim = hsbToRgb({0, 0, 42, 0});
    EXPECT_NEAR(dim.r, 0.496, 0.0005);
    EXPECT_EQ(dim.r, dim.g);
    EXPECT_EQ(dim.g, dim.b);
    // Full value from brightness 85 on; 84 is just below.
    EXPECT_EQ(hsbToRgb({0, 0, 85, 0}).r, 1.0f);
    EXPECT_EQ(hsbToRgb({0, 0, 127, 0}).r, 1.0f);
    EXPECT_LT(hsbToRgb({0, 0, 84, 0}).r, 1.0f);

    setPreset(0, {0, 0, 42, 0}, NEUTRAL, NEUTRAL, NEUTRAL);
    setPristine(0, {200, 255, 1, 200});
    tintTexture(0);
    EXPECT_EQ(workingTexel(0, 0), (Texel{99, 126, 0, 200}));
}

TEST_F(Tint, TintingNeverAccumulates) {
    setPreset(0, {20, 90, 60, 0}, {100, 30, 110, 0}, {150, 127, 20, 0}, {5, 5, 5, 0});
    setPreset(1, {90, 60, 100, 0}, {10, 127, 127, 0}, {40, 20, 70, 0}, {170, 100, 90, 0});
    for (int x = 0; x < 512; ++x)
        setPristine(x, {uint8_t(x), uint8_t(x * 3), uint8_t(x * 7), uint8_t(x)});
    tintTexture(1);
    std::vector<uint8_t> once(workingTexture(), workingTexture() + TEXTURE_COPY_BYTES);
    tintTexture(0);
    tintTexture(1);
    EXPECT_EQ(std::memcmp(workingTexture(), once.data(), TEXTURE_COPY_BYTES), 0);
}

TEST_F(Tint, PresetsOutsideTheTableChangeNothing) {
    setPreset(0, PURE_RED, PURE_RED, PURE_RED, PURE_RED);
    for (int preset : {-1, MAX_COLORS, 1000}) {
        tintTexture(preset);
        EXPECT_EQ(workingTexel(0, 0), (Texel{100, 100, 100, 200})) << preset;
    }
}

TEST(TintWithoutTexture, DoesNothing) {
    resetModel();
    model.colorLayers[0][0] = PURE_RED;
    tintTexture(0);
    EXPECT_EQ(model.textureImage, nullptr);
    EXPECT_FALSE(model.textureLoaded);
}

TEST(HsbToRgb, CoversTheSixSextants) {
    struct Case {
        uint8_t hue;
        float r, g, b;
    } cases[] = {
        {0, 1, 0, 0},   {30, 1, 1, 0},    {60, 0, 1, 0},     {90, 0, 1, 1},  {120, 0, 0, 1},
        {150, 1, 0, 1}, {15, 1, 0.5f, 0}, {165, 1, 0, 0.5f}, {180, 1, 0, 0}, // past the circle:
                                                                             // wraps to red
    };
    for (const Case& c : cases) {
        const RgbColor rgb = hsbToRgb({c.hue, 127, 127, 0});
        EXPECT_NEAR(rgb.r, c.r, 1e-6) << int(c.hue);
        EXPECT_NEAR(rgb.g, c.g, 1e-6) << int(c.hue);
        EXPECT_NEAR(rgb.b, c.b, 1e-6) << int(c.hue);
    }
    // Half saturation lifts the smallest channel to half the value.
    const RgbColor pale = hsbToRgb({120, 127 / 2 + 1, 127, 0});
    EXPECT_NEAR(pale.r, 1.0 - 64.0 / 127.0, 1e-6);
    EXPECT_EQ(pale.b, 1.0f);
}

TEST(HsbToPixel, HasNoGainAndPacksBlueGreenRedExtra) {
    EXPECT_EQ(hsbToPixel({0, 127, 127, 0}), 0x00FF0000u);
    EXPECT_EQ(hsbToPixel({60, 127, 127, 0}), 0x0000FF00u);
    EXPECT_EQ(hsbToPixel({120, 127, 127, 0x7F}), 0x7F0000FFu);
    EXPECT_EQ(hsbToPixel({0, 0, 127, 0}), 0x00FFFFFFu);
    EXPECT_EQ(hsbToPixel({77, 0, 0, 0xAB}), 0xAB000000u);
    // Brightness 42 is 42 / 127 of full here, a third darker than the tint.
    EXPECT_EQ(hsbToPixel({0, 0, 42, 0}), 0x00545454u);
    // Yellow at half brightness: red and green 255 * 64 / 127, truncated.
    EXPECT_EQ(hsbToPixel({30, 127, 64, 0}), 0x00808000u);
    // Hue 15 is orange: green halfway.
    EXPECT_EQ(hsbToPixel({15, 127, 127, 0}), 0x00FF7F00u);
}

TEST(HsbToPixel, OutOfRangeBytesStayInRange) {
    // Saturation and brightness above their ranges must not wrap around.
    EXPECT_EQ(hsbToPixel({0, 0, 255, 0}), 0x00FFFFFFu);
    EXPECT_EQ(hsbToPixel({0, 255, 127, 0}) & 0xFFFFu, 0u);
    EXPECT_EQ(hsbToPixel({255, 127, 127, 0}) & 0xFF0000u, 0u); // hue 255: past green
}

} // namespace
