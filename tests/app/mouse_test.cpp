// Mouse navigation of the view on the Camera/Light page: pan, orbit, light
// and zoom drags, the navigation widget, pointer confinement and the cursor
// shapes of the selection tools.
#include "editor_fixture.h"

#include "app/mouse.h"
#include "model/car_model.h"
#include "render/render.h"

namespace {

class MouseTest : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        start(sampleCopy());
        centreX = PANEL_WIDTH + frame.viewWidth / 2;
        centreY = STRIP_HEIGHT + frame.viewHeight / 2;
    }
    // A drag from (x, y) by (dx, dy) in one step with the given buttons.
    void drag(int keys, int x, int y, int dx, int dy) {
        ws.mouseDown(keys, x, y);
        ws.mouseMove(keys, x + dx, y + dy);
        ws.mouseUp(keys, x + dx, y + dy);
    }
    int centreX = 0, centreY = 0;
};

} // namespace

TEST_F(MouseTest, LeftDragPansOrbitsOrTurnsTheLightByTarget) {
    panel.dragTarget = DRAG_MOVE_CAMERA;
    int presents = ws.presentCount;
    drag(KEY_LEFT, 400, 300, 30, -20); // 0.02 units a pixel, y upward
    EXPECT_EQ(camera.live.panX, float(0.02 * 30.0));
    EXPECT_EQ(camera.live.panY, float(0.02 * 20.0));
    EXPECT_GT(ws.presentCount, presents);

    panel.dragTarget = DRAG_ROTATE_CAMERA; // a quarter degree a pixel; both angles wrap
    camera.live.yaw = 1400;
    camera.live.pitch = 20;
    drag(KEY_LEFT, 400, 300, 100, -50);
    EXPECT_EQ(camera.live.yaw, 60);
    EXPECT_EQ(camera.live.pitch, 1410);
    ws.mouseDown(KEY_LEFT, 400, 300); // each step measures from the last position
    ws.mouseMove(KEY_LEFT, 410, 300);
    ws.mouseMove(KEY_LEFT, 405, 300);
    ws.mouseUp(KEY_LEFT, 405, 300);
    EXPECT_EQ(camera.live.yaw, 65);
    ws.mouseMove(KEY_LEFT, 500, 300); // without a press a move is no drag
    EXPECT_EQ(camera.live.yaw, 65);

    panel.dragTarget = DRAG_ROTATE_LIGHT;
    light.lightYaw = 5;
    light.lightPitch = 1430;
    drag(KEY_LEFT, 400, 300, -10, -20); // the light pitch turns against the pointer
    EXPECT_EQ(light.lightYaw, 1435);
    EXPECT_EQ(light.lightPitch, 10);
    EXPECT_FALSE(model.modelModified); // navigation is no edit
}

TEST_F(MouseTest, RightDragZoomsWithinItsLimits) {
    camera.live.distance = 10.0f;
    drag(KEY_RIGHT, 400, 300, 0, 50);
    EXPECT_EQ(camera.live.distance, float(10.0 + 0.02 * 50));
    panel.dragTarget = DRAG_MOVE_CAMERA; // both buttons pan and zoom in one move
    drag(KEY_LEFT | KEY_RIGHT, 400, 300, 10, 10);
    EXPECT_EQ(camera.live.panX, float(0.02 * 10));
    EXPECT_EQ(camera.live.distance, float(11.0 + 0.02 * 10));
    for (int k = 0; k < 6; ++k) drag(KEY_RIGHT, 400, 100, 0, 400);
    EXPECT_EQ(camera.live.distance, 50.0f);
    for (int k = 0; k < 8; ++k) drag(KEY_RIGHT, 400, 500, 0, -400);
    EXPECT_EQ(camera.live.distance, 0.5f);

    ws.click(1242); // axis views zoom by scale: two pixels per unit for every pixel
    const float axisDistance = camera.live.distance;
    camera.live.orthoScale = 100.0f;
    drag(KEY_RIGHT, 400, 300, 0, -7);
    EXPECT_EQ(camera.live.orthoScale, 114.0f);
    drag(KEY_RIGHT, 400, 100, 0, 400);
    EXPECT_EQ(camera.live.orthoScale, 1.0f);
    for (int k = 0; k < 2; ++k) drag(KEY_RIGHT, 400, 500, 0, -400);
    EXPECT_EQ(camera.live.orthoScale, 1000.0f);
    EXPECT_EQ(camera.live.distance, axisDistance); // the distance is no zoom here
}

TEST_F(MouseTest, ADragConfinesThePointerToTheViewAndShiftStartsNone) {
    ws.mouseDown(KEY_LEFT, 400, 300);
    ASSERT_TRUE(ws.confined);
    EXPECT_EQ(ws.confinement.x, PANEL_WIDTH);
    EXPECT_EQ(ws.confinement.y, STRIP_HEIGHT);
    EXPECT_EQ(ws.confinement.width, frame.viewWidth);
    EXPECT_EQ(ws.confinement.height, frame.viewHeight);
    ws.mouseUp(KEY_LEFT, 400, 300);
    EXPECT_FALSE(ws.confined);
    // Column 192 and row 48 are outside the view; Shift presses are ignored.
    ws.mouseDown(KEY_LEFT, PANEL_WIDTH, 300);
    ws.mouseDown(KEY_LEFT, 400, STRIP_HEIGHT);
    ws.mouseDown(KEY_LEFT | KEY_SHIFT, 400, 300);
    EXPECT_FALSE(ws.confined);
    EXPECT_FALSE(mouse.dragActive);
    ws.mouseMove(KEY_LEFT | KEY_SHIFT, 450, 300);
    EXPECT_EQ(camera.live.yaw, 900);
    ws.confined = true; // a confinement someone else holds stays
    ws.mouseUp(KEY_LEFT | KEY_SHIFT, 450, 300);
    EXPECT_TRUE(ws.confined);
}

TEST_F(MouseTest, WidgetDragHidesAndPinsThePointerAndPutsItBack) {
    panel.dragTarget = DRAG_MOVE_CAMERA; // the widget ignores the page's target
    camera.live.yaw = camera.live.pitch = 100;
    const int left = widgetLeft();
    ws.mouseDown(KEY_LEFT, left + 30, 60); // the rotate half
    EXPECT_EQ(mouse.widgetDrag, 2);
    EXPECT_FALSE(ws.pointerShown);
    EXPECT_EQ(ws.warps.back(), std::make_pair(centreX, centreY));
    ws.mouseMove(KEY_LEFT, centreX + 10, centreY + 4);
    EXPECT_EQ(ws.pointerX, centreX); // pinned: back at the centre
    ws.mouseMove(KEY_LEFT, centreX + 10, centreY); // measured from the centre again
    EXPECT_EQ(camera.live.yaw, 120);
    EXPECT_EQ(camera.live.pitch, 104);
    ws.mouseUp(KEY_LEFT, centreX, centreY);
    EXPECT_TRUE(ws.pointerShown);
    EXPECT_FALSE(ws.confined);
    EXPECT_EQ(std::make_pair(ws.pointerX, ws.pointerY), std::make_pair(left + 30, 60));

    panel.dragTarget = DRAG_ROTATE_LIGHT; // the move half pans, whatever the target
    drag(KEY_LEFT, left + 23, 49, centreX - 5 - left - 23, centreY - 49);
    EXPECT_EQ(camera.live.panX, float(0.02 * -5));
    EXPECT_EQ(light.lightYaw, 180);
    ws.mouseDown(KEY_LEFT, left + 30, 73); // below the widget: an ordinary drag
    EXPECT_EQ(mouse.widgetDrag, 0);
    ws.mouseUp(KEY_LEFT, left + 30, 73);

    ws.click(1242); // in an axis view both halves pan
    const int axisYaw = camera.live.yaw;
    drag(KEY_LEFT, left + 40, 50, centreX + 10 - left - 40, centreY + 10 - 50);
    EXPECT_EQ(camera.live.yaw, axisYaw);
    EXPECT_EQ(camera.live.panY, float(-0.02 * 10));
}

TEST_F(MouseTest, SelectionToolsShapeThePointerOnTheSurfacesPageOnly) {
    panel.selectionTool = 1;
    ws.cursor = CURSOR_PROGRAM_1401;
    ws.mouseMove(0, 400, 300); // Camera/Light page: left alone
    EXPECT_EQ(ws.cursor, CURSOR_PROGRAM_1401);
    page(PAGE_SURFACES);
    const std::pair<int, CursorShape> tools[] = {
        {1, CURSOR_CROSS}, {3, CURSOR_PROGRAM_1400}, {4, CURSOR_PROGRAM_1401}};
    for (const auto& [tool, shape] : tools) {
        panel.selectionTool = tool;
        ws.mouseMove(0, 400, 300);
        EXPECT_EQ(ws.cursor, shape) << tool;
    }
    ws.mouseMove(0, 100, 300); // over the panel
    EXPECT_EQ(ws.cursor, CURSOR_ARROW);
    panel.selectionTool = 0;
    ws.cursor = CURSOR_CROSS;
    ws.mouseMove(0, 400, 300);
    EXPECT_EQ(ws.cursor, CURSOR_CROSS);
}
