// The draw passes of a frame: which triangles each page draws, in which
// colour, and how windows, wireframes and normals join in.
#include "model/car_model.h"
#include "render/render.h"
#include "render/render_harness.h"

namespace {

constexpr uint32_t YELLOW = 0xFFFF00, WHITE = 0xFFFFFF, GREEN = 0x00FF00, CYAN = 0x00FFFF;
constexpr uint32_t GREY = 0x808080;

// Four triangles in cells 100 pixels apart, lit at full shade 255:
// 0 in group 8 (with option bits), 1 in group 16, 2 in group 8 and selected,
// 3 in group 16 and selected.
class PassesTest : public RendererTest {
  protected:
    void SetUp() override {
        RendererTest::SetUp();
        useFrontAxisCamera();
        light.lightDir = {0.0, 0.0, -1.0};
        std::vector<TestTriangle> cells;
        const uint16_t words[4] = {8 | 3, 16, 8, 16};
        for (int k = 0; k < 4; ++k) {
            const float x = -200.0f + 100.0f * k;
            TestTriangle t = screenTriangle(x, 0, x + 40, 0, x, 40);
            t.groupWord = words[k];
            if (k >= 2) t.flags |= TRI_SELECTED;
            cells.push_back(t);
        }
        buildTriangleModel({cells});
        model.groupCount[0] = 3;
        model.groups[0][1] = {8, 60};
        model.groups[0][2] = {16, 60};
        model.currentGroup[0] = 1;
    }
    // Inside cell k, and on its top edge.
    static uint32_t fill(int k) { return pixel(304 - 200 + 100 * k + 5, 276 + 5); }
    static uint32_t edge(int k) { return pixel(304 - 200 + 100 * k + 20, 276); }
};

TEST_F(PassesTest, SurfacesPageColoursCurrentGroupAndSelection) {
    render.page = PAGE_SURFACES;
    renderFrame();
    EXPECT_EQ(fill(0), YELLOW);
    EXPECT_EQ(fill(1), WHITE);
    EXPECT_EQ(fill(2), GREEN);
    EXPECT_EQ(fill(3), CYAN);

    model.currentGroup[0] = 0; // the base group is never highlighted
    renderFrame();
    EXPECT_EQ(fill(0), WHITE);
    EXPECT_EQ(fill(2), CYAN);
    EXPECT_EQ(fill(3), CYAN);

    render.page = PAGE_PARTS; // other pages draw everything white
    model.currentGroup[0] = 1;
    renderFrame();
    for (int k = 0; k < 4; ++k) EXPECT_EQ(fill(k), WHITE) << k;
}

TEST_F(PassesTest, TexturesPageColoursTexturedTrianglesToo) {
    render.page = PAGE_TEXTURES;
    render.viewFlags = VIEW_TEXTURES;
    fillTexture(0xFFFFFFFF);
    renderFrame();
    EXPECT_EQ(fill(0), 0xFEFE00u); // white texel at shade 255, blue taken out
    EXPECT_EQ(fill(1), 0xFEFEFEu);
    EXPECT_EQ(fill(2), 0x00FE00u);
    EXPECT_EQ(fill(3), 0x00FEFEu);
}

TEST_F(PassesTest, WireSweepsOnTheSurfacesPage) {
    render.page = PAGE_SURFACES;
    render.viewFlags = VIEW_WIREFRAME;
    renderFrame();
    EXPECT_EQ(fill(0), 0u);
    EXPECT_EQ(edge(0), YELLOW);
    EXPECT_EQ(edge(1), WHITE);
    EXPECT_EQ(edge(2), GREEN);
    EXPECT_EQ(edge(3), CYAN);
    render.viewFlags = VIEW_WIREFRAME | VIEW_SOLID; // over a solid picture: grey
    renderFrame();
    EXPECT_EQ(edge(0), GREY);
    EXPECT_EQ(edge(3), GREY);
    EXPECT_EQ(fill(0), YELLOW);
}

TEST_F(PassesTest, WireColourOfTheOtherPages) {
    render.viewFlags = VIEW_WIREFRAME | VIEW_SOLID;
    const struct {
        int page;
        uint32_t colour;
    } cases[] = {
        {PAGE_CAMERA_LIGHT, WHITE}, {PAGE_PARTS, WHITE}, {PAGE_DUMMIES, GREY}, {PAGE_COLORS, GREY}};
    for (const auto& c : cases) {
        render.page = c.page;
        renderFrame();
        EXPECT_EQ(edge(1), c.colour) << c.page;
    }
}

TEST_F(PassesTest, WireEdgeShowsOverItsOwnFaceButNotBehindAnother) {
    render.viewFlags = VIEW_WIREFRAME | VIEW_SOLID;
    renderFrame();
    EXPECT_EQ(edge(1), WHITE);
    // A nearer, unlit triangle over cell 1 hides its edge.
    TestTriangle cover = screenTriangle(-150, -20, 0, -20, -150, 60, 5.0f);
    std::vector<TestTriangle> cells;
    for (int k = 0; k < 4; ++k) {
        const float x = -200.0f + 100.0f * k;
        cells.push_back(screenTriangle(x, 0, x + 40, 0, x, 40));
    }
    buildTriangleModel({cells, {cover}}, Vec3{0.0f, 0.0f, -1.0f});
    renderFrame();
    EXPECT_EQ(edge(1), 0x3F3F3Fu); // the cover's ambient grey, 63
    EXPECT_EQ(edge(3), WHITE);
}

TEST_F(PassesTest, WindowsPassDependsOnPageAndFlags) {
    model.triangles[1].flags |= TRI_ALL_WINDOWS;
    model.triangles[0].flags |= TRI_SEMI_TRANSPARENT;
    // Transparent glass over the black background.
    render.viewFlags = VIEW_SOLID | VIEW_WINDOWS | VIEW_WINDOWS_TRANSPARENT;
    renderFrame();
    EXPECT_EQ(fill(1), 0x4B6080u);
    EXPECT_EQ(fill(2), WHITE);
    // Solid windows are shaded like the rest.
    render.viewFlags = VIEW_SOLID | VIEW_WINDOWS;
    renderFrame();
    EXPECT_EQ(fill(1), WHITE);
    // Outside the Surfaces and Textures pages glass needs a solid or textured view.
    render.viewFlags = VIEW_WIREFRAME | VIEW_WINDOWS | VIEW_WINDOWS_TRANSPARENT;
    renderFrame();
    EXPECT_EQ(fill(1), 0u);
    EXPECT_EQ(edge(1), WHITE);
    // ...but not on the Surfaces page, where glass takes the triangle's colour.
    render.page = PAGE_SURFACES;
    renderFrame();
    EXPECT_EQ(fill(1), 0x4B6080u);
    EXPECT_EQ(fill(0), 0x4B6000u); // current group: yellow mask
    // Hidden windows are not even in the draw list.
    render.viewFlags = VIEW_SOLID;
    renderFrame();
    EXPECT_EQ(fill(1), 0u);
    EXPECT_EQ(render.drawCount, 2);
}

TEST_F(PassesTest, NormalLinesRunAQuarterUnitFromEachVertex) {
    useFrontAxisCamera(100.0f); // 100 pixels a unit
    buildTriangleModel({{screenTriangle(0, 0, 0.4f, 0, 0, 0.4f)}}, Vec3{1.0f, 0.0f, 0.0f});
    render.viewFlags = VIEW_SOLID | VIEW_NORMALS;
    renderFrame();
    // The vertex at (0.4, 0) lies at pixel 344; its normal line ends 25 further.
    EXPECT_EQ(pixel(345, 276), 0xFF0000u);
    EXPECT_EQ(pixel(367, 276), 0xFF0000u);
    EXPECT_EQ(pixel(371, 276), 0u);
    // The vertex at (0, -0.4) draws its line across the lower corner.
    EXPECT_EQ(pixel(320, 316), 0xFF0000u);
    render.viewFlags = VIEW_SOLID;
    renderFrame();
    EXPECT_EQ(pixel(360, 276), 0u);
}

TEST_F(PassesTest, NothingOutsideTheViewAndNoFrameWithoutBuffer) {
    setViewSize(192 + 30, 48 + 20); // a view smaller than the model
    renderFrame();
    EXPECT_EQ(frame.viewWidth, 30);
    freeFrameBuffer();
    prepareFrame();
    drawFrame(); // no frame buffer: nothing to do, nothing touched
    EXPECT_EQ(frame.frameBits, nullptr);
}

} // namespace
