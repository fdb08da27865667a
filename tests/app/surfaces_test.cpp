// The Surfaces page with the mouse and its controls: selecting by click,
// paint and rectangle, the flag list, groups and their limits.
#include "editor_fixture.h"

namespace {

// The drawn triangles of the current part, nearest first, with the client
// point at their centre.
struct Drawn {
    int triangle, x, y;
};
std::vector<Drawn> drawnOfBody() {
    std::vector<Drawn> drawn;
    for (int i = render.drawCount - 1; i >= 0; --i) {
        const int t = int(model.triangleWork[i].triangle);
        if (t >= model.header.partTriangleCount[0]) continue; // part 0, the body
        float x = 0, y = 0;
        for (uint32_t v : model.triangles[t].v)
            x += model.screenPoints[v].x / 3, y += model.screenPoints[v].y / 3;
        drawn.push_back({t, 192 + int(x), 48 + int(y)});
    }
    return drawn;
}

const auto selected = [](int t) { return bool(model.triangles[t].flags & TRI_SELECTED); };
int selectedCount() {
    int n = 0;
    for (int t = 0; t < model.header.numTriangles; ++t) n += selected(t);
    return n;
}

} // namespace

TEST_F(CarTest, TrianglesAreSelectedByClickPaintAndRectangle) {
    ws.messageBoxAnswers = {2}; // Cancel: the body is not rebuilt, the page stays
    ws.menu(CMD_PAGE_FIRST + PAGE_SURFACES);
    EXPECT_EQ(std::make_pair(render.page, ws.messageBoxes.back().text),
              std::make_pair(int(PAGE_CAMERA_LIGHT), std::string("The normals of the selected part "
                                                                 "have to be initalized.")));
    page(PAGE_SURFACES);
    EXPECT_TRUE(model.partFlags[0] & PART_NORMALS_READY);
    const std::vector<Drawn> drawn = drawnOfBody();
    ASSERT_GT(drawn.size(), 100u);
    const Drawn a = drawn[0];
    // A press that selects shows the new flags in the list at once.
    model.triangles[a.triangle].flags |= TRI_HIGH_CHROME, ws.mouseDown(KEY_LEFT, a.x, a.y);
    EXPECT_TRUE(selected(a.triangle) && ws.listIsSelected(ID_FLAG_LIST, 1));
    ws.mouseMove(KEY_LEFT, drawn[40].x, drawn[40].y); // painting
    ws.mouseUp(KEY_LEFT, drawn[40].x, drawn[40].y);
    EXPECT_TRUE(selected(drawn[40].triangle));
    ws.mouseDown(KEY_RIGHT, a.x, a.y), ws.mouseUp(KEY_RIGHT, a.x, a.y);
    EXPECT_EQ(std::make_pair(selected(a.triangle), selectedCount()), std::make_pair(false, 1));

    // A rectangle over the whole view takes every drawn body triangle; the
    // band shows while it is dragged.
    ws.click(1262), ws.mouseDown(KEY_LEFT, 193, 49), ws.mouseMove(KEY_LEFT, 193 + 300, 49 + 200);
    EXPECT_EQ(std::make_pair(*pixelAt(101, 1), *pixelAt(1, 101)),
              std::make_pair(0x00FFFFu, 0x00FFFFu));
    ws.mouseUp(KEY_LEFT, 192 + frame.viewWidth - 1, 48 + frame.viewHeight - 1);
    EXPECT_EQ(std::make_tuple(selectedCount(), render.bandX1),
              std::make_tuple(int(drawn.size()), 0));
    ws.click(1211); // let go on the view's edge: nothing, and no band left
    ws.mouseDown(KEY_LEFT, a.x, a.y), ws.mouseMove(KEY_LEFT, a.x + 50, a.y + 50);
    ws.mouseUp(KEY_LEFT, 192, a.y + 50);
    EXPECT_EQ(std::make_pair(selectedCount(), render.bandX0 + render.bandX1), std::make_pair(0, 0));
    ws.click(1261), drag(KEY_LEFT, a.x, a.y, 2, 2); // all corners inside: two pixels take none
    EXPECT_EQ(selectedCount(), 0);
}

TEST_F(CarTest, TheFlagListAndTheAngleSliderKeepTheirLimits) {
    page(PAGE_SURFACES);
    for (int t = 0; t < 10; ++t) model.triangles[t].flags |= TRI_SELECTED;
    // Bit 20 lies beyond the list: kept.
    model.triangles[3].flags |= 1u << 20, ws.selectListItem(ID_FLAG_LIST, 6);
    EXPECT_EQ(
        std::make_tuple(model.triangles[3].flags & (1u << 20 | TRI_FRONT_WINDOW), states(1203, 1)),
        std::make_tuple(1u << 20 | TRI_FRONT_WINDOW, "U"));
    ws.click(1212);
    EXPECT_EQ(ws.messageBoxes.back().text, "No group selected!");
    // The slider goes never below 0, nor above 100.
    for (auto [from, code, to, shown] :
         {std::tuple(0, SCROLL_LINE_LEFT, 0, "off"), {95, SCROLL_PAGE_RIGHT, 100, "no"}}) {
        model.groups[0][0].smoothAngle = uint16_t(from), ws.scroll(ID_SLIDER, code, 0);
        EXPECT_EQ(std::make_tuple(model.groups[0][0].smoothAngle, text(ID_ANGLE)),
                  std::make_tuple(to, shown));
    }
}
