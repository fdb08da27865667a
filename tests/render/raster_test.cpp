// Scan conversion and the passes of a frame: the edge walker, the span
// fillers and lines (depth rules, clipping, glass and texture arithmetic),
// vertex shades, the draw list, and what each page draws in which colour.
#include "render/render_harness.h"

#include <algorithm>
#include <array>
#include <cmath>

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

// One span row of the shaded and glass fillers: x, shade and z left and right.
void setRow(int row, float xl, float sl, float zl, float xr, float sr, float zr) {
    std::copy_n(std::array{xl, sl, zl, xr, sr, zr}.data(), 6, spanRow(row, SHADED_ATTRIBUTES));
}

// The front axis camera, light along -z (normals (0, 0, 1) get shade 255),
// and nothing may be written outside the view.
class RasterTest : public RendererTest {
  protected:
    void SetUp() override {
        RendererTest::SetUp();
        changedOutsideView(true);
        useFrontAxisCamera();
        light.lightDir = {0.0, 0.0, -1.0};
    }
    void TearDown() override {
        EXPECT_EQ(changedOutsideView(), 0);
        RendererTest::TearDown();
    }
};

TEST_F(RasterTest, WalkerWritesOnlyRowsInsideTheClipRectangle) {
    // The right edge (300, -100)-(500, 700) and the left edge (100, 700)-(300,
    // -100) move 0.25 a row: x is 325 on row 0 and 100 + 149 / 4 on row 551.
    std::fill_n(frame.spanTable, frame.screenHeight * SPAN_FLOATS_PER_ROW, 777.0f);
    EXPECT_TRUE(fillTriangle({300, -100, 500, 700, 100, 700}));
    EXPECT_EQ(spanRow(0, SHADED_ATTRIBUTES)[3], 325.0f);
    EXPECT_EQ(spanRow(551, SHADED_ATTRIBUTES)[0], 137.25f);
    EXPECT_TRUE(fillTriangle({-1e7f, -1e7f, 1e7f, 1e7f, -1e7f, 1e7f})); // far points
    EXPECT_EQ(spanRow(552, SHADED_ATTRIBUTES)[0], 777.0f);
    EXPECT_TRUE(fillTriangle({10, 550, 300, 700, 10, 700}));
    EXPECT_FALSE(fillTriangle({10, 551, 300, 700, 10, 700})); // the last row alone
}

TEST_F(RasterTest, FillersNeedStrictlyNearerDepthLinesAcceptEqualAndBothClip) {
    // Row 5 at the cleared depth, then nearer, then equal: grey 0, 100, 100.
    for (auto [z, shade, grey] :
         {std::array{-320.0f, 10.0f, 0.0f}, {-319.5f, 100, 100}, {-319.5f, 50, 100}}) {
        setRow(5, 0, shade, z, 9, shade, z);
        fillShadedSpans(5, 5, 0xFFFFFF);
        EXPECT_EQ(pixel(4, 5), uint32_t(grey) * 0x010101u) << z;
    }
    drawLine(0, 5, -319.5f, 9, 5, -319.5f, 0xFF0000); // equal depth: drawn
    drawLine(4, 0, -319.6f, 4, 9, -319.6f, 0x00FF00); // behind: hidden
    EXPECT_EQ(*depthAt(4, 5), -319.5f);               // lines never write depth
    // A span from -10 to 30, one grey level a pixel, starts at 10 on column 0.
    setRow(100, -10, 0, -5, 30, 40, -5);
    setRow(101, 600, 10, -5, 700, 10, -5);
    fillShadedSpans(100, 101, 0xFFFFFF);
    // Lines across the view, their other coordinate advanced to the edge.
    drawLine(-100, 10, -1, 900, 10, -1, 0xFF0000);
    drawLine(-50, -60, -1, 700, 690, -1, 0x0000FF); // x 10 on row 0
    drawLine(-10, 50, -1, 30, 90, -1, 0xFFFF00);    // y 60 on column 0
    drawLine(NAN, 20, -1, 50, 20, -1, 0xFFFFFF);    // not a number: nothing
    const int drawn[][3] = {{4, 5, 0xFF0000},    {0, 100, 0x0A0A0A}, {607, 101, 0x0A0A0A},
                            {607, 10, 0xFF0000}, {10, 0, 0x0000FF},  {0, 60, 0xFFFF00}};
    expectPixels(drawn);
    EXPECT_EQ(countOther(0, 40, 20, 607, 20), 0); // the diagonal crosses row 20 at 30
}

TEST_F(RasterTest, GlassTintsWhatLiesBehind) {
    // Each channel behind is lit (times the level, held to 0..256, over 256)
    // and looked up in its own column of the tint table.
    // {behind, shade, colour mask, pixel}:
    const uint32_t glass[][4] = {{0x808080, 255, 0xFFFFFF, 0x8BA0BF},  // entry 127
                                 {0x808080, 1000, 0xFFFFFF, 0x8BA0C0}, // 128 at level 256
                                 {0xFFFFFF, 1000, 0x00FFFF, 0x00DFFF}};
    for (const auto& g : glass) {
        *pixelAt(2, 3) = g[0];
        setRow(3, 0, float(g[1]), -1, 5, float(g[1]), -1);
        fillGlassSpans(3, 3, g[2]);
        EXPECT_EQ(pixel(2, 3), g[3]) << std::hex << g[0];
        clearView();
    }
}

TEST_F(RasterTest, GarbageNormalsTakeTheAmbientShade) {
    // Shades are 255 (0.25 + 0.75 max(0, n.z)) under light along -z; a normal
    // not a number or beyond a float takes the ambient quarter.
    buildTriangleModel({{screenTriangle(0, 0, 40, 0, 0, 40)}});
    model.normals[0] = {NAN, 0, 0};
    model.normals[1] = {-3e38f, 3e38f, 3e38f};
    computeVertexShades();
    EXPECT_EQ(model.vertexShades[0], 63.75f);
    EXPECT_EQ(model.vertexShades[1], 63.75f);
    EXPECT_EQ(model.vertexShades[2], 255.0f);
}

TEST_F(RasterTest, TexelTimesShadeAtTheTexturesEdgesAndHoles) {
    // Texel (200, 100, 50) times shade 255 over 256: (199, 99, 49). 1 reads the
    // last texel; coordinates beyond 0..1 or not a number read the texture's
    // edge; infinite corners step by inf - inf, not a number: texel (0, 0).
    // Nothing is drawn without a texture. {u, v, pixel}:
    const float inf = INFINITY,
                cases[][3] = {{0.5f, 0.5f, 0xC76331}, {1, 1, 0x00FE00},   {7.5f, 3, 0x00FE00},
                              {-2, -40, 0x0000FE},    {NAN, 1, 0xFE0000}, {inf, -inf, 0x0000FE}};
    render.viewFlags = VIEW_TEXTURES;
    for (const auto& c : cases) {
        buildTriangleModel({{TestTriangle{
            {{0, 0, 0}, {40, 0, 0}, {0, -40, 0}}, 0, {c[0], c[0], c[0]}, {c[1], c[1], c[1]}}}});
        renderFrame();
        EXPECT_EQ(pixel(310, 280), 0u);
        fillTexture(0xFFC86432);
        setTexel(511, 511, 0xFF00FF00), setTexel(0, 0, 0xFF0000FF), setTexel(0, 511, 0xFFFF0000);
        renderFrame();
        EXPECT_EQ(pixel(310, 280), uint32_t(c[2])) << c[0] << " " << c[1];
    }
    // A texel of alpha 0 is a hole: neither pixel nor depth is written.
    fillTexture(0x00FFFFFF);
    clearView();
    drawShadedTriangle(model.triangles[0], 0x0000FF);
    model.viewVertices[0].z = model.viewVertices[1].z = model.viewVertices[2].z = 0.0f;
    drawTexturedTriangle(model.triangles[0], 0xFFFFFF);
    EXPECT_EQ(pixel(310, 280), 0x0000FFu);
    EXPECT_EQ(*depthAt(310, 280), -100.0f);
}

TEST_F(RasterTest, TwoSidedTriangleSeenFromBehindShowsItsTextureMirrored) {
    // Corner A (0, 0) at texel (0, 0), B 40 pixels right at (1, 0), C 40
    // pixels down at (0, 1): the pixel (dx, dy) from A reads u = dx / 40, v =
    // dy / 40, column 511 u, row 511 v. With B 40 pixels left instead, the
    // two-sided triangle shows its back, and the pixel (-dx, dy) the same
    // texel. The texture is in blocks of 128 x 128 texels: red 64 times the
    // block row plus 32, green the same for the block column; shade 255
    // leaves 31, 95, 159 or 223. {dx, dy, pixel}:
    const int samples[][3] = {{35, 2, 0x1FDF00},   // u 0.875: column 447, block 3
                              {2, 35, 0xDF1F00},   // v 0.875: row 447, block 3
                              {15, 15, 0x5F5F00}}; // column and row 191: block 1
    render.viewFlags = VIEW_TEXTURES;
    for (int side : {1, -1}) {
        buildTriangleModel({{TestTriangle{
            {{0, 0, 0}, {40.0f * side, 0, 0}, {0, -40, 0}}, TRI_NO_CULL, {0, 1, 0}, {0, 0, 1}}}});
        fillTexture(0);
        for (int t = 0; t < 512 * 512; ++t)
            setTexel(t % 512, t / 512,
                     0xFF000000 | (t / 65536 * 64 + 32) << 16 | (t % 512 / 128 * 64 + 32) << 8);
        renderFrame();
        for (const auto& s : samples)
            EXPECT_EQ(pixel(304 + side * s[0], 276 + s[1]), uint32_t(s[2]))
                << side << " " << s[0] << "," << s[1];
    }
}

TEST_F(RasterTest, DrawListHoldsFacingTrianglesInFrontFarToNear) {
    const TestTriangle front = screenTriangle(0, 0, 9, 0, 0, 9),
                       back = screenTriangle(0, 0, 0, 9, 9, 0);
    std::vector<TestTriangle> tris = {front, back, back, front};
    tris[2].flags = tris[3].flags = TRI_NO_CULL;
    tris[3].flags |= TRI_SEEN_FROM_BEHIND; // left from an earlier frame
    for (float z : {-5, -20, -10, -20, -5, 150})
        tris.push_back(screenTriangle(0, 0, 9, 0, 0, 9, z)); // 150: behind the camera
    tris[6].flags = TRI_ALL_WINDOWS, tris[7].flags = TRI_SEMI_TRANSPARENT;
    buildTriangleModel({tris, {front}});
    model.triangles[5].v[2] = 33; // the first slot past the store of 11 triangles: not listed
    prepareFrame();
    // Far to near (camera z = model z - 100), equal depths in stored order.
    const uint32_t order[] = {7, 6, 4, 8, 0, 2, 3, 10};
    ASSERT_EQ(render.drawCount, 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(model.triangleWork[i].triangle, order[i]) << i;
    EXPECT_EQ(model.triangleWork[0].depth, -120.0f);
    EXPECT_FALSE(model.triangles[3].flags & TRI_SEEN_FROM_BEHIND);
    render.viewFlags &= ~VIEW_WINDOWS; // hidden windows are not listed
    model.partFlags[1] &= ~PART_VISIBLE;
    model.selectedPart = 1;
    // The Surfaces and Textures pages list only the selected part.
    for (int page : {PAGE_PARTS, PAGE_SURFACES, PAGE_TEXTURES}) {
        render.page = page;
        prepareFrame();
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
    for (int k = 0; k < 6; ++k) {
        const float x = 100.0f * k - 250;
        cells.push_back(screenTriangle(x, 0, x + 40, 0, x, 40, 0, flags[k]));
        cells.back().groupWord = groups[k];
    }
    buildTriangleModel({cells});
    model.groups[0][1] = {8, 60};
    fillTexture(0xFFFFFFFF); // white texels at shade 255: 254
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
        model.currentGroup[0] = uint16_t(c[2]);
        renderFrame();
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(pixel(c[3] ? 74 + 100 * k : 59 + 100 * k, c[3] ? 276 : 281), c[4 + k])
                << c[0] << " " << c[1] << " " << k;
    }
}

} // namespace
