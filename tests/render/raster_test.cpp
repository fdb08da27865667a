// Scan conversion and the passes of a frame: the edge walker, the glass and
// texture arithmetic of the span fillers, vertex shades, the draw list, and
// what each page draws in which colour. The depth rules of the fillers and
// lines, and their clipping, show in every golden picture. Then the editing
// aids drawn over the car: the light symbol, the dummy symbols, the rubber
// band, the icon strip and corner icons, and the texture-mapping view.
#include "render/render_harness.h"

#include <array>
#include <cmath>
#include <cstring>

namespace {

// Walks a triangle of x, y pairs at shade 200 and depth -10 and fills its
// rows; whether it had any.
bool fillTriangle(const std::array<float, 6>& p) {
    float v[4][4];
    for (int k = 0; k < 4; ++k)
        v[k][0] = p[k % 3 * 2], v[k][1] = p[k % 3 * 2 + 1], v[k][2] = 200, v[k][3] = -10;
    const EdgeRows rows = walkEdges(&v[0][0], 3, SHADED_ATTRIBUTES);
    if (rows.visible) fillShadedSpans(rows.firstRow, rows.lastRow, 0xFFFFFF);
    return rows.visible;
}

// The front axis camera, light along -z (normals (0, 0, 1) get shade 255),
// textures and windows shown, and nothing may be written outside the view.
class RasterTest : public RendererTest {
  protected:
    void SetUp() override {
        RendererTest::SetUp(), changedOutsideView(true), useFrontAxisCamera();
        light.lightDir = {0.0, 0.0, -1.0}, render.viewFlags = VIEW_TEXTURES | VIEW_WINDOWS;
    }
    void TearDown() override {
        EXPECT_EQ(changedOutsideView(), 0);
        RendererTest::TearDown();
    }
};

TEST_F(RasterTest, WalkerWritesOnlyRowsInsideTheClipRectangle) {
    // Points far outside: the right edge stops at the last row of the view.
    // (What the walker writes inside shows in every golden picture.)
    std::fill_n(frame.spanTable, frame.screenHeight * SPAN_FLOATS_PER_ROW, 777.0f);
    EXPECT_TRUE(fillTriangle({-1e7f, -1e7f, 1e7f, 1e7f, -1e7f, 1e7f}));
    EXPECT_EQ(spanRow(552, SHADED_ATTRIBUTES)[3], 777.0f);
    EXPECT_TRUE(fillTriangle({10, 550, 300, 700, 10, 700}));
    EXPECT_FALSE(fillTriangle({10, 551, 300, 700, 10, 700})); // the last row alone
}

TEST_F(RasterTest, GlassTintsWhatLiesBehind) {
    // Each channel behind is lit (times the level, held to 0..256, over 256)
    // and looked up in its own column of the tint table. {behind, shade, colour
    // mask, pixel}, on a span of row 3 at depth -1:
    const uint32_t glass[][4] = {{0x808080, 255, 0xFFFFFF, 0x8BA0BF},  // entry 127
                                 {0x808080, 1000, 0xFFFFFF, 0x8BA0C0}, // 128 at level 256
                                 {0xFFFFFF, 1000, 0x00FFFF, 0x00DFFF}};
    for (const auto& g : glass) {
        clearView(), *pixelAt(2, 3) = g[0];
        const float s = float(g[1]), row[] = {0, s, -1, 5, s, -1};
        std::copy_n(row, 6, spanRow(3, SHADED_ATTRIBUTES));
        fillGlassSpans(3, 3, g[2]);
        EXPECT_EQ(*pixelAt(2, 3), g[3]) << std::hex << g[0];
    }
}

TEST_F(RasterTest, GarbageNormalsTakeTheAmbientShade) {
    // Shades are 255 (0.25 + 0.75 max(0, n.z)) under light along -z; a normal
    // not a number or beyond a float takes the ambient quarter.
    buildTriangleModel({{screenTriangle(0, 0, 40, 0, 0, 40)}});
    model.normals[0] = {NAN, 0, 0}, model.normals[1] = {-3e38f, 3e38f, 3e38f};
    computeVertexShades();
    EXPECT_EQ(std::vector(model.vertexShades, model.vertexShades + 3),
              std::vector({63.75f, 63.75f, 255.0f}));
}

TEST_F(RasterTest, TexelTimesShadeAtTheTexturesEdgesAndHoles) {
    // Texel (200, 100, 50) times shade 255 over 256: (199, 99, 49). 1 reads the
    // last texel; coordinates beyond 0..1 or not a number read the texture's
    // edge; infinite corners step by inf - inf, not a number: texel (0, 0).
    // Nothing is drawn without a texture. {u, v, pixel}:
    const float inf = INFINITY,
                cases[][3] = {{0.5f, 0.5f, 0xC76331}, {1, 1, 0x00FE00},   {7.5f, 3, 0x00FE00},
                              {-2, -40, 0x0000FE},    {NAN, 1, 0xFE0000}, {inf, -inf, 0x0000FE}};
    // Texel (0, 0) blue, (0, 511) red, (511, 511) green, the inside (200, 100, 50).
    auto corners = [](int c, int r) {
        return c % 511 || r % 511 ? 0xFFC86432 : c ? 0xFF00FF00 : r ? 0xFFFF0000 : 0xFF0000FF;
    };
    for (const auto& c : cases) {
        buildTriangleModel({{TestTriangle{
            {{0, 0, 0}, {40, 0, 0}, {0, -40, 0}}, 0, {c[0], c[0], c[0]}, {c[1], c[1], c[1]}}}});
        prepareFrame(), drawFrame();
        EXPECT_EQ(*pixelAt(310, 280), 0u);
        fillTexture(corners), prepareFrame(), drawFrame();
        EXPECT_EQ(*pixelAt(310, 280), uint32_t(c[2])) << c[0] << " " << c[1];
    }
    // A texel of alpha 0 is a hole: neither pixel nor depth is written.
    fillTexture([](int, int) { return 0x00FFFFFFu; }), prepareFrame(), drawFrame();
    EXPECT_EQ(std::pair(*pixelAt(310, 280), *depthAt(310, 280)), std::pair(0u, -320.0f));
}

TEST_F(RasterTest, TwoSidedTriangleSeenFromBehindShowsItsTextureMirrored) {
    // Corner A (0, 0) at texel (0, 0), B 40 pixels right at (1, 0), C 40
    // pixels down at (0, 1): the pixel (dx, dy) from A reads u = dx / 40, v =
    // dy / 40, column 511 u, row 511 v. With B 40 pixels left instead, the
    // two-sided triangle shows its back, and the pixel (-dx, dy) the same
    // texel. The texture is in blocks of 128 x 128 texels: red 64 times the
    // block row plus 32, green the same for the block column; shade 255
    // leaves 31, 95, 159 or 223. {dx, dy, pixel}: u 0.875 (column 447, block
    // 3), v 0.875 (row 447, block 3), and column and row 191 (block 1).
    const int samples[][3] = {{35, 2, 0x1FDF00}, {2, 35, 0xDF1F00}, {15, 15, 0x5F5F00}};
    for (int side : {1, -1}) {
        buildTriangleModel({{TestTriangle{
            {{0, 0, 0}, {40.0f * side, 0, 0}, {0, -40, 0}}, TRI_NO_CULL, {0, 1, 0}, {0, 0, 1}}}});
        fillTexture([](int c, int r) { return 0xFF202000u + (r / 128 << 22) + (c / 128 << 14); });
        prepareFrame(), drawFrame();
        for (const auto& s : samples)
            EXPECT_EQ(*pixelAt(304 + side * s[0], 276 + s[1]), uint32_t(s[2]))
                << side << " " << s[0] << "," << s[1];
    }
}

TEST_F(RasterTest, DrawListHoldsFacingTrianglesInFrontFarToNear) {
    const TestTriangle front = screenTriangle(0, 0, 9, 0, 0, 9),
                       back = screenTriangle(0, 0, 0, 9, 9, 0);
    std::vector<TestTriangle> tris = {front, back, back, front};
    // Two two-sided triangles, the second marked seen from behind by an earlier frame.
    tris[2].flags = TRI_NO_CULL, tris[3].flags = TRI_NO_CULL | TRI_SEEN_FROM_BEHIND;
    for (float z : {-5, -20, -10, -20, -5, 150})
        tris.push_back(screenTriangle(0, 0, 9, 0, 0, 9, z)); // 150: behind the camera
    tris[6].flags = TRI_ALL_WINDOWS, tris[7].flags = TRI_SEMI_TRANSPARENT;
    buildTriangleModel({tris, {front}});
    // A corner in the first slot past the store of 11 triangles: not listed.
    model.triangles[5].v[2] = 33, prepareFrame();
    // Far to near (camera z = model z - 100), equal depths in stored order.
    const uint32_t order[] = {7, 6, 4, 8, 0, 2, 3, 10};
    ASSERT_EQ(render.drawCount, 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(model.triangleWork[i].triangle, order[i]) << i;
    EXPECT_EQ(model.triangleWork[0].depth, -120.0f);
    EXPECT_FALSE(model.triangles[3].flags & TRI_SEEN_FROM_BEHIND);
    // Hidden windows are not listed, and the Surfaces and Textures pages list
    // only the selected part.
    render.viewFlags &= ~VIEW_WINDOWS, model.partFlags[1] = 0, model.selectedPart = 1;
    for (int page : {PAGE_PARTS, PAGE_SURFACES, PAGE_TEXTURES}) {
        render.page = page, prepareFrame();
        EXPECT_EQ(render.drawCount, page == PAGE_PARTS ? 5 : 0) << page;
    }
}

// Triangles in cells 100 pixels apart, lit at shade 255: 0 in group 8 (with
// option bits), 1 in group 16, 2 in group 8 and selected, 3 in group 16 and
// selected, 4 in the base group, 5 a window in group 8; group 8 is current.
TEST_F(RasterTest, PagesColourTheCurrentGroupTheSelectionWireframeAndGlass) {
    const uint32_t flags[6] = {0, 0, TRI_SELECTED, TRI_SELECTED, 0, TRI_ALL_WINDOWS};
    const uint16_t groups[6] = {8 | 3, 16, 8, 16, 0, 8};
    std::vector<TestTriangle> cells;
    for (float x = -250; x < 300; x += 100) // flags and group of the cell that x starts
        cells.push_back(
            screenTriangle(x, 0, x + 40, 0, x, 40, 0, flags[cells.size()], groups[cells.size()]));
    buildTriangleModel({cells}), model.groups[0][1] = {8, 60};
    fillTexture([](int, int) { return 0xFFFFFFFFu; }); // white texels at shade 255: 254
    const uint32_t Y = 0xFFFF00, W = 0xFFFFFF, G = 0x00FF00, C = 0x00FFFF, D = 0x808080,
                   T = 0xFEFEFE, B = 0x4B6080;
    const uint32_t S = VIEW_SOLID, F = VIEW_WIREFRAME, GL = VIEW_WINDOWS | VIEW_WINDOWS_TRANSPARENT;
    // {page, view flags, current group, edges (1) or fill (0), cells 0..5}:
    const uint32_t cases[][10] = {
        {PAGE_SURFACES, S | GL, 1, 0, Y, W, G, C, W, B & Y},
        {PAGE_TEXTURES, VIEW_TEXTURES, 1, 0, T & Y, T, T & G, T & C, T, 0},
        {PAGE_SURFACES, S, 0, 0, W, W, C, C, W, 0}, // base group current: no highlight
        {PAGE_SURFACES, F | GL, 1, 1, Y, W, G, C, W, Y},
        {PAGE_PARTS, F | GL, 1, 0, 0, 0, 0, 0, 0, 0},
        {PAGE_DUMMIES, F | S, 1, 1, D, D, D, D, D, 0},
        {PAGE_COLORS, F | S, 1, 1, D, D, D, D, D, 0}};
    for (const auto& c : cases) {
        render = {.page = int(c[0]), .viewFlags = c[1]};
        model.currentGroup[0] = uint16_t(c[2]), prepareFrame(), drawFrame();
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(*pixelAt(c[3] ? 74 + 100 * k : 59 + 100 * k, c[3] ? 276 : 281), c[4 + k])
                << c[0] << " " << c[1] << " " << k;
    }
}

constexpr int WHITE = 0xFFFFFF, CYAN = 0x00FFFF;

// The front axis camera at 100 pixels a unit and one small triangle at the
// view centre, selected; overlays alone are drawn.
class OverlayTest : public RendererTest {
  protected:
    void SetUp() override {
        RendererTest::SetUp(), useFrontAxisCamera(100.0f), render.viewFlags = 0;
        buildTriangleModel({{screenTriangle(0, 0, 0.1f, 0, 0, 0.1f, 0, TRI_SELECTED)}});
    }
};

TEST_F(OverlayTest, LightSymbolIsSizedByTheModelLengthAndShownInLightModeOnly) {
    // Radius 0.5 + half length, 2 here (the turning circle follows the light
    // in the golden pictures). Seen from the front the fixed circle, in the xz
    // plane, is a line at y = 0 from x -2 to 2: 200 pixels either side.
    model.header.halfSize = {9.0f, 9.0f, 1.5f};
    for (bool lightMode : {true, false})
        render.lightMode = lightMode, prepareFrame(), drawFrame(),
        expectPixels({{304 + 199, 276, lightMode ? 0x7F7F00 : 0}, {304 + 201, 276, 0}});
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
    const std::tuple<uint32_t, uint32_t, float> expected[] = {
        {4, WHITE, 0.26f},    {4, WHITE, 0.2f},     {9, 0x808080, 0.25f}, {0, 0, 0},
        {9, 0xA4A4A4, 0.25f}, {9, 0xFF0000, 0.25f}, {9, 0x007FFF, 0.25f}, {9, 0xFF7F00, 0.25f},
        {9, 0x123456, 0.25f}, {9, 0, 0.25f}};
    model.header.numDummies = 10;
    for (int k = 0; k < 10; ++k) std::strcpy(model.header.dummyNames[k], names[k]);
    overlays.dummySymbols[8].color = 0x123456, buildDummySymbols(-1);
    for (int k = 0; k < 10; ++k) {
        const DummySymbol& s = overlays.dummySymbols[k];
        EXPECT_EQ(std::tuple(s.lineCount, s.lineCount ? s.color : 0, s.points[1].x), expected[k])
            << k;
    }
}

TEST_F(OverlayTest, RubberBandIsDottedTheSameDraggedEitherWayAndHeldInsideTheView) {
    // Corners (10, 20) and (20, 27): the top and bottom rows dotted at x 10,
    // 12, .. 20, the sides on rows 20, 22 and 24 (while 2 (j + 1) < 8 rows):
    // 6 + 6 + 2 + 2 pixels.
    for (const auto& b : {std::array{10, 20, 20, 27}, {20, 27, 10, 20}, {10, 27, 20, 20}}) {
        clearView(), render = {.bandX0 = b[0], .bandY0 = b[1], .bandX1 = b[2], .bandY1 = b[3]};
        drawRubberBand();
        EXPECT_EQ(countOther(0, 0, 0, 40, 40), 16);
        expectPixels({{20, 24, CYAN}, {20, 27, CYAN}});
    }
    changedOutsideView(true);
    render = {.page = PAGE_SURFACES, .bandX0 = 500, .bandY0 = -50, .bandX1 = 5000, .bandY1 = 9000};
    for (int mode : {3, SELECTION_RECTANGLE_REMOVE}) { // drawn in the rectangle modes
        render.selectionMode = mode, drawFrame();
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
    for (int width : {608, 48, 47})
        setViewSize(192 + width, 600), drawFrame(),
            expectPixels({{width - 36, 12, width >= 48 ? WHITE : 0}});
}

TEST_F(OverlayTest, TextureMappingViewShowsThePanelBesideTheMovedView) {
    // Texel (column, row): red half the row, green half the column, blue 0x40.
    auto texel = [](int column, int row) { return (row >> 1) << 16 | (column >> 1) << 8 | 0x40; };
    fillTexture([&](int column, int row) { return 0xFF000000u | texel(column, row); });
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
        render.textureViewSize = size, prepareFrame(), drawFrame();
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
    changedOutsideView(true), prepareFrame(), drawFrame();
    expectPixels({{299, 199, texel(299, 199)}});
    EXPECT_EQ(frame.clipRight, 299.0f);
    EXPECT_EQ(changedOutsideView(), 0);
}

} // namespace
