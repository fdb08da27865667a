// The editing aids drawn over the car: the light symbol, the dummy symbols,
// the rubber band, the icon strip and corner icons, and the texture-mapping
// view.
#include "render/render_harness.h"

#include <array>

namespace {

constexpr int WHITE = 0xFFFFFF, CYAN = 0x00FFFF;

// The front axis camera at 100 pixels a unit and one small triangle at the
// view centre, selected; overlays alone are drawn.
class OverlayTest : public RendererTest {
  protected:
    void SetUp() override {
        RendererTest::SetUp();
        useFrontAxisCamera(100.0f);
        buildTriangleModel({{screenTriangle(0, 0, 0.1f, 0, 0, 0.1f, 0, TRI_SELECTED)}});
        render.viewFlags = 0;
    }
};

TEST_F(OverlayTest, LightSymbolIsSizedByTheModelLengthAndShownInLightModeOnly) {
    // Radius 0.5 + half length, 2 here. The start-up light (pitch and yaw 45
    // degrees) points along (0.5, -0.70711, 0.5); the turning circle's point
    // 12, which started at (0, 0, -1), lies against it.
    model.header.halfSize = {9.0f, 9.0f, 1.5f};
    buildLightSymbol();
    EXPECT_NEAR(overlays.lightPoints[12].x, -1.0f, 1e-5);
    EXPECT_NEAR(overlays.lightPoints[12].y, 1.41421f, 1e-5);
    EXPECT_NEAR(overlays.lightPoints[12].z, -1.0f, 1e-5);
    // Seen from the front the fixed circle, in the xz plane, is a line at
    // y = 0 from x -2 to 2: 200 pixels either side.
    for (bool lightMode : {true, false}) {
        render.lightMode = lightMode;
        renderFrame();
        expectPixels({{304 + 199, 276, lightMode ? 0x7F7F00 : 0}, {304 + 201, 276, 0}});
    }
}

TEST_F(OverlayTest, DummySymbolsByName) {
    // Plates are outlines 0.52 (European) or 0.40 wide, smoke a grey star a
    // quarter unit out. A light dummy's letter picks the colour of brightness
    // b = 255 (0.6 + 0.4 d / 9) for its digit d (no digit: dark): white (b,
    // b, b), red (b, 0, 0), blue (0, b / 2, b), orange (b, b / 2, 0); an
    // unknown letter keeps the colour. d = 1: b = 164.
    const char* names[] = {":LICENSE_EURO", ":LICLOW", ":SMOKE", " no name", "HWYN1",
                           "TRYN9",         "HBYN9",   "HOYN9",  "HXYN5",    "HWYNz"};
    // {lines, colour, x of the first line's end}:
    const float expected[][3] = {
        {4, WHITE, 0.26f},    {4, WHITE, 0.2f},     {9, 0x808080, 0.25f}, {0, 0, 0},
        {9, 0xA4A4A4, 0.25f}, {9, 0xFF0000, 0.25f}, {9, 0x007FFF, 0.25f}, {9, 0xFF7F00, 0.25f},
        {9, 0x123456, 0.25f}, {9, 0, 0.25f}};
    model.header.numDummies = 10;
    for (int k = 0; k < 10; ++k) std::strcpy(model.header.dummyNames[k], names[k]);
    overlays.dummySymbols[8].color = 0x123456;
    buildDummySymbols(-1);
    for (int k = 0; k < 10; ++k) {
        const DummySymbol& s = overlays.dummySymbols[k];
        EXPECT_EQ(s.lineCount, uint32_t(expected[k][0])) << k;
        EXPECT_EQ(s.lineCount ? s.color : 0, uint32_t(expected[k][1])) << k;
        EXPECT_FLOAT_EQ(s.points[1].x, expected[k][2]) << k;
    }
}

TEST_F(OverlayTest, RubberBandIsDottedTheSameDraggedEitherWayAndHeldInsideTheView) {
    // Corners (10, 20) and (20, 27): the top and bottom rows dotted at x 10,
    // 12, .. 20, the sides on rows 20, 22 and 24 (while 2 (j + 1) < 8 rows):
    // 6 + 6 + 2 + 2 pixels.
    for (const auto& b : {std::array{10, 20, 20, 27}, {20, 27, 10, 20}, {10, 27, 20, 20}}) {
        clearView();
        render.bandX0 = b[0], render.bandY0 = b[1], render.bandX1 = b[2], render.bandY1 = b[3];
        drawRubberBand();
        EXPECT_EQ(countOther(0, 0, 0, 40, 40), 16);
        expectPixels({{20, 24, CYAN}, {20, 27, CYAN}});
    }
    changedOutsideView(true);
    render = {.page = PAGE_SURFACES, .bandX0 = 500, .bandY0 = -50, .bandX1 = 5000, .bandY1 = 9000};
    for (int mode : {3, SELECTION_RECTANGLE_REMOVE}) { // drawn in the rectangle modes
        render.selectionMode = mode;
        drawFrame();
        expectPixels({{607, 30, mode == 3 ? 0 : CYAN}, {500, 551, mode == 3 ? 0 : CYAN}});
    }
    EXPECT_EQ(changedOutsideView(), 0);
}

TEST_F(OverlayTest, IconStripAndCornerIcons) {
    const int w = frame.screenWidth;
    // The arrows are white on black; the eyes lie on the list's grey 0xE0,
    // the pupil 0x20; their highlight versions have (255 - g, 255 - g, (255 -
    // g) / 2 + 128). Row 3 of the left-pointing double arrow has its tips in
    // columns 11 and 20; the mirrored one at 12 and 3.
    const int strip[][3] = {{w - 48, 0, 0},        {w - 36, 12, WHITE},    {w - 16, 24, 0xE0E0E0},
                            {w - 9, 31, 0x202020}, {w - 48, 24, 0x1F1F8F}, {w - 41, 31, 0xDFDFEF},
                            {w - 85, 3, WHITE},    {w - 76, 3, WHITE},     {w - 84, 3, 0},
                            {w - 60, 3, WHITE},    {w - 69, 3, WHITE},     {w - 61, 3, 0}};
    expectPixels(strip);
    // The navigation icons are ORed into a view 48 or more wide.
    for (int width : {608, 48, 47}) {
        setViewSize(192 + width, 600);
        drawFrame();
        expectPixels({{width - 36, 12, width >= 48 ? WHITE : 0}});
    }
}

TEST_F(OverlayTest, TextureMappingViewShowsThePanelBesideTheMovedView) {
    // Texel (column, row): red half the row, green half the column, blue 0x40.
    auto texel = [](int column, int row) { return (row >> 1) << 16 | (column >> 1) << 8 | 0x40; };
    fillTexture(0);
    for (int t = 0; t < 512 * 512; ++t)
        setTexel(t % 512, t / 512, 0xFF000000u | texel(t % 512, t / 512));
    std::copy_n(std::array{0.25f, 0.5f, 0.25f}.data(), 3, model.triangles[0].texU);
    std::copy_n(std::array{0.25f, 0.25f, 1.0f}.data(), 3, model.triangles[0].texV);
    render = {.page = PAGE_TEXTURES, .viewFlags = VIEW_SOLID, .textureMappingActive = true};
    // The view's central 608 - panel columns move right of the panel: at full
    // size 256..351, at half size 128..479, showing every second texel. Row
    // 280 of the selected triangle (ambient grey 63, red taken out) runs from
    // 304, right of the black 303. Below the panel it is grey. The size icon
    // beside it points left (tip in column 11 of row 3) or right (column 12).
    // The selected triangle's edges in texture space, from (0.25, 0.25) down
    // to (0.25, 1), stop at the panel.
    for (int size : {512, 256}) {
        render.textureViewSize = size;
        renderFrame();
        const int n = 512 / size, moved = size - (304 - (608 - size) / 2),
                  left = size == 512 ? WHITE : 0;
        const int panel[][3] = {
            {10, 20, texel(10 * n, 20 * n)}, {size - 1, size - 1, texel(511, 511)},
            {moved + 303, 280, 0},           {moved + 304, 280, 0x003F3F},
            {size / 4, size - 1, CYAN},      {size / 4, size, 0xC0C0C0},
            {size / 4, 551, 0xC0C0C0},       {size + 11, 3, left},
            {size + 12, 3, WHITE - left}};
        expectPixels(panel);
        EXPECT_EQ(*depthAt(100, 100), -320.0f);
    }
    // A view smaller than the panel: nothing outside it, the clip rectangle put back.
    setViewSize(192 + 300, 48 + 200), render.textureViewSize = 512;
    changedOutsideView(true);
    renderFrame();
    expectPixels({{299, 199, texel(299, 199)}});
    EXPECT_EQ(frame.clipRight, 299.0f);
    EXPECT_EQ(changedOutsideView(), 0);
}

} // namespace
