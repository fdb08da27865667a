// Vertex shades, the light symbol, axis cross, dummy symbols, rubber band,
// texture-mapping view, corner icons and the icon strip.
#include "model/car_model.h"
#include "render/render.h"
#include "render/render_harness.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {

class ShadeTest : public RendererTest {
  protected:
    void SetUp() override {
        RendererTest::SetUp();
        buildTriangleModel({{screenTriangle(0, 0, 9, 0, 0, 9)}});
        // Slot 0 faces along the light, slot 1 straight against it, slot 2 across.
        const Direction& l = light.lightDir;
        model.normals[0] = {float(l[0]), float(l[1]), float(l[2])};
        model.normals[1] = {float(-l[0]), float(-l[1]), float(-l[2])};
        model.normals[2] = {0.0f, 0.0f, 0.0f};
    }
};

TEST_F(ShadeTest, AmbientAlongTheLightFullAgainstIt) {
    computeVertexShades();
    EXPECT_TRUE(model.renderCacheValid);
    EXPECT_EQ(model.vertexShades[0], 63.75f);
    EXPECT_NEAR(model.vertexShades[1], 255.0f, 1e-4);
    EXPECT_EQ(model.vertexShades[2], 63.75f); // no normal: ambient
}

TEST_F(ShadeTest, DummiesPageDimsAndSwitchingBackRestores) {
    render.page = PAGE_DUMMIES;
    model.renderCacheValid = false;
    prepareFrame();
    EXPECT_EQ(model.vertexShades[0], 40.0f);
    EXPECT_NEAR(model.vertexShades[1], 160.0f, 1e-4);
    render.page = PAGE_PARTS;
    prepareFrame(); // the cache still holds: nothing recomputed until it is cleared
    EXPECT_EQ(model.vertexShades[0], 40.0f);
    model.renderCacheValid = false;
    prepareFrame();
    EXPECT_EQ(model.vertexShades[0], 63.75f);
}

TEST_F(ShadeTest, GarbageNormalsGiveTheAmbientShade) {
    model.normals[0] = {NAN, 0.0f, 0.0f};
    model.normals[1] = {-3e38f, 3e38f, -3e38f};
    computeVertexShades();
    EXPECT_EQ(model.vertexShades[0], 63.75f);
    EXPECT_EQ(model.vertexShades[1], 63.75f);
}

TEST_F(ShadeTest, LightFollowingTheCameraChangesWithIt) {
    light.lightFollowsCamera = true;
    camera.live.pitch = 1300;
    camera.live.yaw = 900;
    prepareFrame();
    EXPECT_EQ(light.lightPitch, 140);
    EXPECT_EQ(light.lightYaw, 180);
    const float before = model.vertexShades[1];
    camera.live.yaw = 1000;
    prepareFrame();
    EXPECT_EQ(light.lightYaw, 280);
    EXPECT_NE(model.vertexShades[1], before);
    camera.live.pitch = 0; // 1440 - 0 wraps to 0
    prepareFrame();
    EXPECT_EQ(light.lightPitch, 0);
}

class OverlayTest : public RendererTest {};

TEST_F(OverlayTest, LightSymbolGrowsWithTheModelLength) {
    buildTriangleModel({{screenTriangle(0, 0, 9, 0, 0, 9)}});
    for (float halfZ : {1.5f, 0.0f}) {
        model.header.halfSize = {1.0f, 1.0f, halfZ};
        buildLightSymbol();
        const double scale = 0.5 + halfZ;
        const Vec3* p = overlays.lightPoints;
        EXPECT_EQ(p[24].x, 0.0f);
        EXPECT_EQ(p[49].z, 0.0f);
        EXPECT_FLOAT_EQ(p[25].z, float(scale));         // (0, 0, 1) of the fixed circle
        EXPECT_FLOAT_EQ(p[31].x, float(scale));         // (1, 0, 0)
        EXPECT_FLOAT_EQ(p[26].x, float(0.259 * scale)); // carries the three decimals
        for (int k = 0; k < 24; ++k) {
            const double r = std::sqrt(double(p[k].x) * p[k].x + double(p[k].y) * p[k].y +
                                       double(p[k].z) * p[k].z);
            EXPECT_NEAR(r, scale, 2e-3 * scale) << k;
        }
        // The turned circle's point 12 started at (0, 0, -1): it lies against the light.
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(p[12].x * (c == 0) + p[12].y * (c == 1) + p[12].z * (c == 2),
                        -light.lightDir[c] * scale, 1e-5);
    }
}

TEST_F(OverlayTest, LightSymbolOnlyInLightMode) {
    useFrontAxisCamera(100.0f);
    buildTriangleModel({{screenTriangle(5, 5, 5.1f, 5, 5, 5.1f)}});
    model.header.halfSize = {1.0f, 1.0f, 0.5f}; // radius 1: 100 pixels
    render.viewFlags = 0;
    render.lightMode = true;
    renderFrame();
    // The fixed circle lies in the xz plane: seen from the front it is a line at y = 0.
    EXPECT_EQ(pixel(304 + 50, 276), 0x7F7F00u);
    EXPECT_EQ(pixel(304, 276 - 1), 0u);
    render.lightMode = false;
    renderFrame();
    EXPECT_EQ(pixel(304 + 50, 276), 0u);
    render.lightMode = true;
    render.page = PAGE_PARTS;
    renderFrame();
    EXPECT_EQ(pixel(304 + 50, 276), 0u);
}

TEST_F(OverlayTest, AxisCrossAroundSelectedPartOrDummy) {
    useFrontAxisCamera(100.0f);
    buildTriangleModel(
        {{screenTriangle(9, 9, 9.1f, 9, 9, 9.1f)}, {screenTriangle(9, 9, 9.1f, 9, 9, 9.1f)}});
    model.header.partPos[1] = {1.0f, 2.0f, 3.0f};
    model.selectedPart = 1;
    model.header.numDummies = 1;
    model.header.dummyPos[0] = {-1.0f, 0.0f, 0.0f};
    render.page = PAGE_COLORS;
    buildAxisCross(); // other pages build nothing
    EXPECT_EQ(overlays.axisPoints[1].x, 0.0f);
    render.page = PAGE_PARTS;
    buildAxisCross();
    EXPECT_EQ(overlays.axisPoints[0].x, 0.5f);
    EXPECT_EQ(overlays.axisPoints[1].x, 1.5f);
    EXPECT_EQ(overlays.axisPoints[3].y, 2.5f);
    EXPECT_EQ(overlays.axisPoints[4].z, 2.5f);
    EXPECT_EQ(overlays.axisPoints[5].x, 1.0f);
    render.page = PAGE_DUMMIES;
    buildAxisCross();
    render.viewFlags = 0;
    renderFrame();
    EXPECT_EQ(pixel(304 - 100 + 30, 276), 0xFF0000u); // x axis, red
    EXPECT_EQ(pixel(304 - 100, 276 - 30), 0x00FF00u); // y axis, green
}

TEST_F(OverlayTest, DummySymbolsByName) {
    buildTriangleModel({{screenTriangle(0, 0, 9, 0, 0, 9)}});
    const char* names[] = {":LICENSE_EURO", ":LICENSE", ":LICLOW", ":SMOKE", " no name", "",
                           "HWYN1",         "TRYN9",    "HBYN9",   "HOYN9",  "HWYN0",    "HXYN5",
                           "HWYNz"};
    const int count = int(std::size(names));
    model.header.numDummies = count;
    for (int k = 0; k < count; ++k) {
        std::strcpy(model.header.dummyNames[k], names[k]);
        model.header.dummyPos[k] = {float(k), 0.0f, 0.0f};
    }
    overlays.dummySymbols[11].color = 0x123456; // an unknown colour letter keeps this
    buildDummySymbols(-1);
    const DummySymbol* s = overlays.dummySymbols;
    EXPECT_EQ(s[0].lineCount, 4u);
    EXPECT_FLOAT_EQ(s[0].points[1].x, 0.26f); // the longer plate name is tested first
    EXPECT_FLOAT_EQ(s[1].points[1].x, 1.20f);
    EXPECT_FLOAT_EQ(s[2].points[0].y, 0.06f);
    EXPECT_EQ(s[1].color, 0xFFFFFFu);
    EXPECT_EQ(s[3].lineCount, 9u);
    EXPECT_EQ(s[3].color, 0x808080u);
    EXPECT_FLOAT_EQ(s[3].points[1].x, 3.25f); // star ends a quarter unit out
    EXPECT_EQ(s[4].lineCount, 0u);
    EXPECT_EQ(s[5].lineCount, 0u);
    EXPECT_EQ(s[6].color, 0xA4A4A4u); // 164
    EXPECT_EQ(s[7].color, 0xFF0000u);
    EXPECT_EQ(s[8].color, 0x007FFFu);
    EXPECT_EQ(s[9].color, 0xFF7F00u);
    EXPECT_EQ(s[10].color, 0x000000u);
    EXPECT_EQ(s[10].lineCount, 9u);
    EXPECT_EQ(s[11].color, 0x123456u);
    EXPECT_EQ(s[12].color, 0x000000u); // no digit: off, not a colour out of range

    // A name filling its whole field, without NUL, is read inside the field:
    // white, with 'W' where the digit belongs, so off.
    std::memset(model.header.dummyNames[0], 'W', NAME_SIZE);
    buildDummySymbols(0);
    EXPECT_EQ(s[0].color, 0x000000u);
    EXPECT_EQ(s[0].lineCount, 9u);
}

TEST_F(OverlayTest, RubberBandIsTheSameDraggedEitherWay) {
    auto band = [](int x0, int y0, int x1, int y1) {
        clearView();
        render.bandX0 = x0, render.bandY0 = y0, render.bandX1 = x1, render.bandY1 = y1;
        drawRubberBand();
        std::vector<uint32_t> pixels;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) pixels.push_back(pixel(x, y));
        return pixels;
    };
    const auto forward = band(10, 20, 20, 26);
    EXPECT_EQ(band(20, 26, 10, 20), forward);
    EXPECT_EQ(band(10, 26, 20, 20), forward);
    const uint32_t c = 0x00FFFF;
    EXPECT_EQ(forward[20 * 40 + 10], c);
    EXPECT_EQ(forward[20 * 40 + 11], 0u);
    EXPECT_EQ(forward[20 * 40 + 20], c);
    EXPECT_EQ(forward[26 * 40 + 12], c);
    EXPECT_EQ(forward[24 * 40 + 10], c); // rows 20, 22, 24 of the sides
    EXPECT_EQ(forward[24 * 40 + 20], c);
    EXPECT_EQ(forward[25 * 40 + 10], 0u);
    int drawn = 0;
    for (uint32_t p : forward) drawn += p == c;
    EXPECT_EQ(drawn, 6 + 6 + 2 * 3 - 2); // the corners of the top row are counted once

    EXPECT_EQ(band(0, 0, 0, 0), std::vector<uint32_t>(1600, 0u)); // x1 = 0: no band
}

TEST_F(OverlayTest, RubberBandIsHeldInsideTheView) {
    clearView();
    *pixelAt(608, 100) = 0x123456;
    render.bandX0 = 500, render.bandY0 = -50, render.bandX1 = 5000, render.bandY1 = 9000;
    drawRubberBand();
    EXPECT_EQ(pixel(607, 0), 0x00FFFFu);
    EXPECT_EQ(pixel(500, 551), 0x00FFFFu);
    EXPECT_EQ(pixel(608, 100), 0x123456u);
    // Drawn by the frame only in the rectangle modes of the Surfaces tool.
    render.page = PAGE_SURFACES;
    render.selectionMode = 3;
    drawFrame();
    EXPECT_EQ(pixel(500, 551), 0u);
    render.selectionMode = SELECTION_RECTANGLE_REMOVE;
    drawFrame();
    EXPECT_EQ(pixel(500, 551), 0x00FFFFu);
}

TEST_F(OverlayTest, CornerIconsAreOredFromTheStrip) {
    render.viewFlags = 0;
    drawFrame();
    for (int y = 0; y < 24; ++y)
        for (int i = 0; i < 48; ++i)
            ASSERT_EQ(pixel(608 - 48 + i, y), pixel(1024 - 48 + i, y)) << i << "," << y;
    EXPECT_EQ(pixel(608 - 48 + 12, 12), 0xFFFFFFu); // centre of the four-way arrows
    setViewSize(192 + 47, 600);
    drawFrame();
    EXPECT_EQ(countOther(0, 0, 0, 46, 23), 0); // too narrow for the icons
}

TEST(IconStrip, LayoutAndHighlightVersions) {
    resetRenderer();
    const int w = frame.screenWidth;
    EXPECT_EQ(pixel(w - 48, 0), 0u);                 // black around the arrows
    EXPECT_EQ(pixel(w - 48 + 12, 12), 0xFFFFFFu);    // four-way arrows
    EXPECT_EQ(pixel(w - 16, 24), 0xE0E0E0u);         // open eye on light grey
    EXPECT_EQ(pixel(w - 16 + 7, 24 + 7), 0x202020u); // its pupil
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const uint8_t open = uint8_t(pixel(w - 16 + x, 24 + y));
            const uint8_t closed = uint8_t(pixel(w - 32 + x, 24 + y));
            ASSERT_EQ(pixel(w - 48 + x, 24 + y), highlightPixel(open));
            ASSERT_EQ(pixel(w - 64 + x, 24 + y), highlightPixel(closed));
        }
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x)
            ASSERT_EQ(pixel(w - 96 + x, y), pixel(w - 72 + 23 - x, y)); // mirrored double arrows
    EXPECT_EQ(pixel(w - 96 + 4, 11), 0xFFFFFFu);                        // the left-pointing tip
    EXPECT_EQ(highlightPixel(0xE0), 0x1F1F8Fu); // the list's highlight background
    EXPECT_EQ(highlightPixel(0x20), 0xDFDFEFu);
    shutdownRenderer();
}

class TextureViewTest : public RendererTest {
  protected:
    void SetUp() override {
        RendererTest::SetUp();
        buildRingModel(400);
        fillTexture(0);
        for (int row = 0; row < 512; ++row)
            for (int column = 0; column < 512; ++column) setTexel(column, row, texel(column, row));
        camera.live = ViewCamera{};
        resetCamera();
        render.page = PAGE_TEXTURES;
    }
    // Alpha 255, red half the row, green half the column, blue 0x40.
    static uint32_t texel(int column, int row) {
        return 0xFF000040u | uint32_t(row >> 1) << 16 | uint32_t(column >> 1) << 8;
    }
    std::vector<uint32_t> row(int y, int x0, int x1) {
        return std::vector<uint32_t>(pixelAt(x0, y), pixelAt(x1, y));
    }
};

TEST_F(TextureViewTest, FullSizePanelAndTheViewMovedBesideIt) {
    renderFrame();
    const std::vector<uint32_t> centre = row(450, 256, 352);
    ASSERT_NE(centre, std::vector<uint32_t>(96, 0u)); // the ring shows there
    // A selected triangle mapped to (0.25, 0.25) (0.5, 0.25) (0.25, 1.0).
    ModelTriangle& t = model.triangles[0];
    t.flags |= TRI_SELECTED;
    t.texU[0] = 0.25f, t.texU[1] = 0.5f, t.texU[2] = 0.25f;
    t.texV[0] = 0.25f, t.texV[1] = 0.25f, t.texV[2] = 1.0f;
    render.textureMappingActive = true;
    renderFrame();
    EXPECT_EQ(row(450, 512, 608), centre);
    EXPECT_EQ(pixel(10, 20), texel(10, 20) & 0xFFFFFF); // without its alpha
    EXPECT_EQ(pixel(511, 511), 0xFFFF40u);
    EXPECT_EQ(pixel(300, 530), 0xC0C0C0u);
    EXPECT_EQ(depth(300, 300), -320.0f);
    EXPECT_EQ(pixel(200, 128), 0x00FFFFu); // the mapped edge along v = 0.25
    EXPECT_EQ(pixel(128, 511), 0x00FFFFu); // the edge towards v = 1.0 stops at the panel
    EXPECT_NE(pixel(128, 512), 0x00FFFFu);
    // The size icon beside the panel: the double arrow pointing left.
    EXPECT_EQ(pixel(512 + 4, 11) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(pixel(512 + 20, 11), pixel(512 + 20, 11) | pixel(1024 - 96 + 20, 11));
}

TEST_F(TextureViewTest, HalfSizePanel) {
    renderFrame();
    const std::vector<uint32_t> centre = row(450, 128, 480);
    ASSERT_NE(centre, std::vector<uint32_t>(352, 0u));
    render.textureMappingActive = true;
    render.textureViewSize = 256;
    renderFrame();
    EXPECT_EQ(row(450, 256, 608), centre);
    EXPECT_EQ(pixel(10, 20), texel(20, 40) & 0xFFFFFF);
    EXPECT_EQ(pixel(255, 255), texel(510, 510) & 0xFFFFFF);
    EXPECT_EQ(pixel(100, 256), 0xC0C0C0u);
    EXPECT_EQ(pixel(255, 551), 0xC0C0C0u);
    EXPECT_EQ(pixel(256 + 19, 11) & 0xFFFFFF, 0xFFFFFFu); // double arrow pointing right
}

TEST_F(TextureViewTest, ViewSmallerThanThePanelStaysInside) {
    setViewSize(192 + 300, 48 + 200);
    *pixelAt(300, 10) = 0x123456;
    *pixelAt(10, 200) = 0x123456;
    render.textureMappingActive = true;
    renderFrame();
    EXPECT_EQ(pixel(299, 199), texel(299, 199) & 0xFFFFFF);
    EXPECT_EQ(pixel(300, 10), 0x123456u);
    EXPECT_EQ(pixel(10, 200), 0x123456u);
    EXPECT_EQ(frame.clipRight, 299.0f); // put back after the panel
}

} // namespace
