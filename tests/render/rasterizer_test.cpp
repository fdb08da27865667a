// Edge walker, span fillers and lines: coverage, depth rules, clipping at
// every edge, glass and texture arithmetic, and inputs that must not make the
// rasterizer touch anything outside the view.
#include "model/car_model.h"
#include "render/render.h"
#include "render/render_harness.h"
#include "render/window_tint.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint32_t SENTINEL = 0x123456;

class RasterizerTest : public RendererTest {
  protected:
    // Everything of the frame outside the view gets a marker colour.
    void markOutsideView() {
        for (int y = 0; y < frame.screenHeight; ++y)
            for (int x = 0; x < frame.screenWidth; ++x)
                if (x >= frame.viewWidth || y >= frame.viewHeight) *pixelAt(x, y) = SENTINEL;
    }
    int changedOutsideView() {
        int n = 0;
        for (int y = 0; y < frame.screenHeight; ++y)
            for (int x = 0; x < frame.screenWidth; ++x)
                if (x >= frame.viewWidth || y >= frame.viewHeight) n += *pixelAt(x, y) != SENTINEL;
        return n;
    }
    // One span row for the shaded filler: (x, shade, z) left and right.
    void setShadedRow(int row, float xl, float il, float zl, float xr, float ir, float zr) {
        float* r = spanRow(row, SHADED_ATTRIBUTES);
        const float values[6] = {xl, il, zl, xr, ir, zr};
        std::copy(values, values + 6, r);
    }
};

// Shaded vertex records (x, y, shade, z) with the first repeated.
struct Polygon {
    float v[4][4];
};
Polygon polygon(float x0, float y0, float x1, float y1, float x2, float y2, float shade = 200.0f,
                float z = -10.0f) {
    return {{{x0, y0, shade, z}, {x1, y1, shade, z}, {x2, y2, shade, z}, {x0, y0, shade, z}}};
}

TEST_F(RasterizerTest, ClockwiseTriangleWalksLeftAndRightEdges) {
    Polygon p = polygon(10, 10, 50, 10, 10, 50);
    const EdgeRows rows = walkEdges(&p.v[0][0], 3, SHADED_ATTRIBUTES);
    ASSERT_TRUE(rows.visible);
    EXPECT_EQ(rows.firstRow, 10);
    EXPECT_EQ(rows.lastRow, 50);
    EXPECT_EQ(spanRow(30, SHADED_ATTRIBUTES)[0], 10.0f); // left x
    EXPECT_EQ(spanRow(30, SHADED_ATTRIBUTES)[3], 30.0f); // right x
    fillShadedSpans(rows.firstRow, rows.lastRow, 0xFFFFFF);
    EXPECT_EQ(pixel(10, 10), 200u * 0x010101u);
    EXPECT_EQ(pixel(30, 30), 200u * 0x010101u);
    EXPECT_EQ(pixel(31, 30), 0u);
    EXPECT_EQ(depth(20, 20), -10.0f);
}

TEST_F(RasterizerTest, CounterClockwiseTriangleLeavesAtMostItsTip) {
    Polygon p = polygon(10, 10, 10, 50, 50, 10);
    const EdgeRows rows = walkEdges(&p.v[0][0], 3, SHADED_ATTRIBUTES);
    if (rows.visible) fillShadedSpans(rows.firstRow, rows.lastRow, 0xFFFFFF);
    EXPECT_LE(countOther(0, 0, 0, 60, 60), 2); // its clockwise twin fills 861
}

TEST_F(RasterizerTest, FlatTriangleHasNoRows) {
    Polygon p = polygon(10, 20, 50, 20, 30, 20);
    EXPECT_FALSE(walkEdges(&p.v[0][0], 3, SHADED_ATTRIBUTES).visible);
}

TEST_F(RasterizerTest, WalkerWritesOnlyClipRowsForFarPoints) {
    float* table = frame.spanTable;
    std::fill(table, table + frame.screenHeight * SPAN_FLOATS_PER_ROW, 777.0f);
    Polygon p = polygon(-1e7f, -1e7f, 1e7f, 1e7f, -1e7f, 1e7f);
    const EdgeRows rows = walkEdges(&p.v[0][0], 3, SHADED_ATTRIBUTES);
    ASSERT_TRUE(rows.visible);
    EXPECT_EQ(rows.firstRow, 0);
    EXPECT_EQ(rows.lastRow, 551);
    for (int row = 552; row < frame.screenHeight; ++row)
        EXPECT_EQ(spanRow(row, SHADED_ATTRIBUTES)[0], 777.0f) << row;
}

TEST_F(RasterizerTest, TriangleBelowTheViewIsInvisibleAndWritesNothing) {
    markOutsideView();
    for (float top : {560.0f, 551.0f}) { // the last view row alone does not count either
        Polygon p = polygon(10, top, 300, 700, 10, 700);
        const EdgeRows rows = walkEdges(&p.v[0][0], 3, SHADED_ATTRIBUTES);
        EXPECT_FALSE(rows.visible) << top;
    }
    useFrontAxisCamera();
    buildTriangleModel({{screenTriangle(-100, 200, 200, 400, -100, 400)}});
    renderFrame();
    EXPECT_EQ(changedOutsideView(), 0);
    EXPECT_NE(pixel(210, 551), 0u);
}

TEST_F(RasterizerTest, FillersNeedStrictlyNearerDepthLinesAcceptEqual) {
    setShadedRow(5, 0, 100, -10.0f, 9, 100, -10.0f);
    fillShadedSpans(5, 5, 0xFFFFFF);
    EXPECT_EQ(pixel(4, 5), 100u * 0x010101u);
    setShadedRow(5, 0, 50, -10.0f, 9, 50, -10.0f); // same depth: nothing changes
    fillShadedSpans(5, 5, 0xFFFFFF);
    EXPECT_EQ(pixel(4, 5), 100u * 0x010101u);
    setShadedRow(5, 0, 50, -9.5f, 9, 50, -9.5f);
    fillShadedSpans(5, 5, 0xFFFFFF);
    EXPECT_EQ(pixel(4, 5), 50u * 0x010101u);

    drawLine(0, 5, -9.5f, 9, 5, -9.5f, 0xFF0000); // equal depth: drawn
    EXPECT_EQ(pixel(4, 5), 0xFF0000u);
    drawLine(0, 5, -9.6f, 9, 5, -9.6f, 0x00FF00); // behind: hidden
    EXPECT_EQ(pixel(4, 5), 0xFF0000u);
    EXPECT_EQ(depth(4, 5), -9.5f); // lines never write depth
}

TEST_F(RasterizerTest, NothingIsFilledAtTheClearedDepth) {
    useFrontAxisCamera(); // camera z = model z - 100
    buildTriangleModel({{screenTriangle(0, 0, 40, 0, 0, 40, -220)}});
    renderFrame();
    EXPECT_EQ(countDrawn(), 0);
    model.vertices[0].z = model.vertices[1].z = model.vertices[2].z = -219.0f;
    renderFrame();
    EXPECT_GT(countDrawn(), 700);
}

TEST_F(RasterizerTest, SpansAreClippedLeftAndRightWithAttributesAdvanced) {
    markOutsideView();
    setShadedRow(100, -10, 0, -5.0f, 30, 40, -5.0f); // one grey level per pixel
    setShadedRow(101, 600, 10, -5.0f, 700, 10, -5.0f);
    setShadedRow(102, 700, 10, -5.0f, 800, 10, -5.0f); // wholly right of the view
    setShadedRow(103, -90, 10, -5.0f, -1, 10, -5.0f);  // wholly left of it
    fillShadedSpans(100, 103, 0xFFFFFF);
    EXPECT_EQ(pixel(0, 100), 10u * 0x010101u);
    EXPECT_EQ(pixel(30, 100), 40u * 0x010101u);
    EXPECT_EQ(pixel(31, 100), 0u);
    EXPECT_EQ(pixel(607, 101), 10u * 0x010101u);
    EXPECT_EQ(countOther(0, 0, 102, 607, 103), 0);
    EXPECT_EQ(changedOutsideView(), 0);
}

TEST_F(RasterizerTest, TrianglesAreClippedAtTopAndBottom) {
    markOutsideView();
    useFrontAxisCamera();
    // Taller than the view: pixel offsets from the centre (304, 276).
    buildTriangleModel({{screenTriangle(-300, -900, 300, 900, -300, 900)}});
    renderFrame();
    EXPECT_NE(pixel(5, 0), 0u);
    EXPECT_NE(pixel(5, 551), 0u);
    EXPECT_EQ(changedOutsideView(), 0);
}

TEST_F(RasterizerTest, LinesAreClippedAtEveryEdge) {
    markOutsideView();
    drawLine(-100, 10, -1, 900, 10, -1, 0xFF0000);  // across left and right
    drawLine(20, -100, -1, 20, 900, -1, 0x00FF00);  // across top and bottom
    drawLine(-50, -60, -1, 700, 690, -1, 0x0000FF); // diagonal through two edges
    EXPECT_EQ(pixel(0, 10), 0xFF0000u);
    EXPECT_EQ(pixel(607, 10), 0xFF0000u);
    EXPECT_EQ(pixel(20, 0), 0x00FF00u);
    EXPECT_EQ(pixel(20, 551), 0x00FF00u);
    EXPECT_EQ(pixel(100, 90), 0x0000FFu);
    EXPECT_EQ(changedOutsideView(), 0);
    // Mostly horizontal: y and z advanced to the left edge.
    drawLine(-10, 50, -1, 30, 90, -1, 0xFFFF00);
    EXPECT_EQ(pixel(0, 60), 0xFFFF00u);
    // A line of no length draws nothing.
    drawLine(200, 200, -1, 200, 200, -1, 0xFFFFFF);
    EXPECT_EQ(pixel(200, 200), 0u);
}

TEST_F(RasterizerTest, LinesAndSpansWithoutNumbersDrawNothing) {
    markOutsideView();
    drawLine(NAN, 10, -1, 50, 10, -1, 0xFFFFFF);
    drawLine(10, NAN, -1, 10, 50, -1, 0xFFFFFF);
    drawLine(-INFINITY, 10, -1, INFINITY, 10, -1, 0xFFFFFF);
    drawLine(10, 10, NAN, 60, 12, NAN, 0xFFFFFF);
    setShadedRow(7, NAN, 10, -1, 50, 10, -1);
    setShadedRow(8, -INFINITY, 10, -1, INFINITY, 20, -1);
    fillShadedSpans(7, 8, 0xFFFFFF);
    Polygon p = polygon(NAN, 10, 50, 10, 10, 50);
    const EdgeRows rows = walkEdges(&p.v[0][0], 3, SHADED_ATTRIBUTES);
    if (rows.visible) fillShadedSpans(rows.firstRow, rows.lastRow, 0xFFFFFF);
    EXPECT_EQ(changedOutsideView(), 0);
    EXPECT_EQ(countOther(0, 0, 0, 607, 6), 0);
}

TEST_F(RasterizerTest, ShadeThatIsNotANumberFillsBlackButStillHides) {
    useFrontAxisCamera();
    buildTriangleModel({{screenTriangle(0, 0, 40, 0, 0, 40)}});
    prepareFrame();
    for (int s = 0; s < 3; ++s) model.vertexShades[s] = s == 0 ? NAN : 1e30f;
    drawFrame();
    EXPECT_EQ(pixel(305, 277), 0u);
    EXPECT_EQ(depth(305, 277), -100.0f);
    EXPECT_EQ(shadeLevel(NAN), 0);
    EXPECT_EQ(shadeLevel(INFINITY), 0);
    EXPECT_EQ(shadeLevel(-3e9f), 0);
    EXPECT_EQ(shadeLevel(254.9f), 254);
}

TEST_F(RasterizerTest, GlassTintsWhatLiesBehind) {
    // Over black, any shade gives tint entry 0.
    for (float shade : {0.0f, 63.75f, 255.0f}) {
        clearView();
        setShadedRow(3, 0, shade, -1, 5, shade, -1);
        fillGlassSpans(3, 3, 0xFFFFFF);
        EXPECT_EQ(pixel(2, 3), 0x4B6080u) << shade; // (75, 96, 128)
        EXPECT_EQ(depth(2, 3), -1.0f);
    }
    // Each channel is lit, then looked up in its own column of the table.
    *pixelAt(2, 4) = 0x808080;
    *pixelAt(3, 4) = 0xFF0000;
    setShadedRow(4, 0, 255, -1, 5, 255, -1);
    fillGlassSpans(4, 4, 0xFFFFFF);
    EXPECT_EQ(pixel(2, 4), 0x8BA0BFu); // entry 127
    EXPECT_EQ(pixel(3, 4), 0xCA6080u); // red from entry 254, green and blue from 0
    // Brighter than full light reads the last entry, not past the table.
    *pixelAt(2, 5) = 0xFFFFFF;
    setShadedRow(5, 0, 1000, -1, 5, 1000, -1);
    fillGlassSpans(5, 5, 0x00FFFF);
    EXPECT_EQ(pixel(2, 5), 0x00DFFFu);
}

TEST(WindowTint, EndsAndNeverDarkens) {
    EXPECT_EQ(windowTint[0], 0x4B6080u);
    EXPECT_EQ(windowTint[255], 0xCADFFFu);
    EXPECT_EQ(windowTint[151], 0x96ACCBu);
    for (int i = 1; i < 256; ++i)
        for (int shift : {0, 8, 16})
            EXPECT_GE(windowTint[i] >> shift & 0xFF, windowTint[i - 1] >> shift & 0xFF) << i;
}

class TexturedTest : public RasterizerTest {
  protected:
    void SetUp() override {
        RasterizerTest::SetUp();
        useFrontAxisCamera();
        render.viewFlags = VIEW_TEXTURES;
        light.lightDir = {0.0, 0.0, -1.0}; // normals (0, 0, 1) get shade 255
    }
    // A triangle covering pixel offsets 0..40 with every corner at (u, v).
    void oneTexelTriangle(float u, float v, float z = 0.0f) {
        TestTriangle t = screenTriangle(0, 0, 40, 0, 0, 40, z);
        std::fill(t.u, t.u + 3, u);
        std::fill(t.v, t.v + 3, v);
        buildTriangleModel({{t}});
    }
};

TEST_F(TexturedTest, TexelTimesShadeDividedBy256) {
    oneTexelTriangle(0.5f, 0.5f);
    fillTexture(0xFFC86432); // red 200, green 100, blue 50
    renderFrame();
    EXPECT_EQ(pixel(310, 280), 0xC76331u); // 199, 99, 49
}

TEST_F(TexturedTest, TexelsFollowTheCoordinates) {
    TestTriangle t = screenTriangle(0, 0, 40, 0, 0, 40);
    t.u[0] = 0.0f, t.u[1] = 1.0f, t.u[2] = 0.0f;
    t.v[0] = 0.0f, t.v[1] = 0.0f, t.v[2] = 1.0f;
    buildTriangleModel({{t}});
    fillTexture(0xFF000000);
    for (int row = 0; row < 512; ++row)
        for (int column = 256; column < 512; ++column) setTexel(column, row, 0xFFFFFFFF);
    renderFrame();
    EXPECT_EQ(pixel(304 + 5, 276 + 5), 0u);         // left half of the texture
    EXPECT_EQ(pixel(304 + 30, 276 + 2), 0xFEFEFEu); // right half
}

TEST_F(TexturedTest, CoordinatesOutsideTheTextureUseItsEdge) {
    const struct {
        float u, v;
        uint32_t expected;
    } cases[] = {{7.5f, 3.0f, 0x00FE00},    // texel (511, 511)
                 {-2.0f, -40.0f, 0x0000FE}, // texel (0, 0)
                 {NAN, 1.0f, 0xFE0000},     // texel (0, 511)
                 // Infinite corners step by inf - inf, not a number: texel (0, 0).
                 {INFINITY, -INFINITY, 0x0000FE}};
    for (const auto& c : cases) {
        oneTexelTriangle(c.u, c.v);
        fillTexture(0xFF000000);
        setTexel(511, 511, 0xFF00FF00);
        setTexel(0, 0, 0xFF0000FF);
        setTexel(0, 511, 0xFFFF0000);
        renderFrame();
        EXPECT_EQ(pixel(310, 280), c.expected) << c.u << " " << c.v;
    }
}

TEST_F(TexturedTest, AlphaZeroTexelIsAHole) {
    // A far solid triangle, a near textured one made of holes, and one
    // between them drawn last.
    TestTriangle far = screenTriangle(0, 0, 40, 0, 0, 40, -10);
    TestTriangle hole = screenTriangle(0, 0, 40, 0, 0, 40, 10);
    TestTriangle middle = screenTriangle(0, 0, 40, 0, 0, 40, 0);
    buildTriangleModel({{far}, {hole}, {middle}});
    fillTexture(0x00FFFFFF); // white, alpha 0
    prepareFrame();
    drawShadedTriangle(model.triangles[0], 0x0000FF);
    drawTexturedTriangle(model.triangles[1], 0xFFFFFF);
    EXPECT_EQ(pixel(310, 280), 0x0000FFu);
    EXPECT_EQ(depth(310, 280), -110.0f);
    drawShadedTriangle(model.triangles[2], 0x00FF00);
    EXPECT_EQ(pixel(310, 280), 0x00FF00u);
}

TEST_F(TexturedTest, NoTextureDrawsNothing) {
    oneTexelTriangle(0.5f, 0.5f);
    renderFrame();
    EXPECT_EQ(countDrawn(), 0);
}

TEST_F(RasterizerTest, TrianglesCrossingTheCameraPlaneAreCutToTheView) {
    markOutsideView();
    camera.live.yaw = 0;
    camera.live.pitch = 0;
    camera.live.distance = 10.0f;
    updateOrbitOffset();
    // One corner behind the camera (z beyond 10).
    buildTriangleModel({{TestTriangle{{{-3, 1, 0}, {3, 1, 0}, {0, -1, 30}}}}});
    if (model.triangles[0].faceNormal.z > 0)
        std::swap(model.triangles[0].v[1], model.triangles[0].v[2]);
    computeFaceNormals(model.vertices, 3, 0, 1);
    renderFrame();
    ASSERT_EQ(render.drawCount, 0); // its depth average lies behind the camera
    model.vertices[2].z = 12.0f;    // average in front, one corner behind
    computeFaceNormals(model.vertices, 3, 0, 1);
    renderFrame();
    EXPECT_EQ(render.drawCount, 1);
    EXPECT_GT(countDrawn(), 1000);
    EXPECT_EQ(changedOutsideView(), 0);
}

TEST(TallFrame, FrameOf2160RowsDrawsToItsBottomRows) {
    resetRenderer(3840, 2160, 3840, 2160);
    ASSERT_EQ(frame.viewHeight, 2112);
    useFrontAxisCamera();
    light.lightDir = {0.0, 0.0, -1.0};
    TestTriangle big = screenTriangle(-2000, -1100, 2000, 1100, -2000, 1100);
    std::fill(big.u, big.u + 3, 0.5f);
    std::fill(big.v, big.v + 3, 0.5f);
    buildTriangleModel({{big}});
    renderFrame();
    EXPECT_EQ(pixel(3, 2111), 0xFFFFFFu);
    EXPECT_EQ(pixel(3, 2000), 0xFFFFFFu);
    fillTexture(0xFF204060);
    render.viewFlags = VIEW_TEXTURES;
    renderFrame();
    EXPECT_EQ(pixel(3, 2111), 0x1F3F5Fu);
    shutdownRenderer();
}

} // namespace
