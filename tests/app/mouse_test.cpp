// Mouse navigation of the view on the Camera/Light page: pan, orbit, light
// and zoom drags, the navigation widget, pointer confinement and the cursor
// shapes of the selection tools.
#include "editor_fixture.h"

#include "app/control_ids.h"
#include "app/mouse.h"
#include "model/car_model.h"
#include "render/render.h"

namespace {

class MouseTest : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        mouse = MouseState{};
    }
    void TearDown() override {
        mouse = MouseState{};
        EditorTest::TearDown();
    }
    void open() {
        start(sampleCopy());
        ASSERT_TRUE(model.modelLoaded);
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
    open();
    panel.dragTarget = DRAG_MOVE_CAMERA;
    const ViewCamera before = camera.live;
    int presents = ws.presentCount;
    drag(KEY_LEFT, 400, 300, 30, -20);
    EXPECT_EQ(camera.live.panX, float(before.panX + 0.02 * 30.0));
    EXPECT_EQ(camera.live.panY, float(before.panY - 0.02 * -20.0));
    EXPECT_GT(ws.presentCount, presents);

    panel.dragTarget = DRAG_ROTATE_CAMERA;
    camera.live.yaw = 1400;
    camera.live.pitch = 20;
    drag(KEY_LEFT, 400, 300, 100, -50); // both angles wrap
    EXPECT_EQ(camera.live.yaw, 60);
    EXPECT_EQ(camera.live.pitch, 1410);
    const Direction orbit = direction(1410, 60, camera.live.distance);
    EXPECT_EQ(camera.live.orbitOffset, orbit);

    panel.dragTarget = DRAG_ROTATE_LIGHT;
    light.lightYaw = 5;
    light.lightPitch = 1430;
    presents = ws.presentCount;
    drag(KEY_LEFT, 400, 300, -10, -20); // the light pitch turns against the pointer
    EXPECT_EQ(light.lightYaw, 1435);
    EXPECT_EQ(light.lightPitch, 10);
    EXPECT_EQ(light.lightDir, direction(10, 1435, 1.0f));
    EXPECT_GT(ws.presentCount, presents);
    EXPECT_FALSE(model.modelModified); // navigation is no edit
}

TEST_F(MouseTest, StepsMeasureFromTheLastPosition) {
    open();
    panel.dragTarget = DRAG_ROTATE_CAMERA;
    camera.live.yaw = 100;
    ws.mouseDown(KEY_LEFT, 400, 300);
    ws.mouseMove(KEY_LEFT, 410, 300);
    ws.mouseMove(KEY_LEFT, 415, 300);
    ws.mouseMove(KEY_LEFT, 405, 300);
    ws.mouseUp(KEY_LEFT, 405, 300);
    EXPECT_EQ(camera.live.yaw, 105);
    // Without a button down a move is no drag.
    ws.mouseMove(KEY_LEFT, 500, 300);
    EXPECT_EQ(camera.live.yaw, 105);
}

TEST_F(MouseTest, RightDragZoomsWithinItsLimits) {
    open();
    camera.live.distance = 10.0f;
    drag(KEY_RIGHT, 400, 300, 0, 50);
    EXPECT_EQ(camera.live.distance, float(10.0 + 0.02 * 50));
    EXPECT_EQ(camera.live.orbitOffset, direction(camera.live.pitch, camera.live.yaw, 11.0f));
    for (int k = 0; k < 6; ++k) drag(KEY_RIGHT, 400, 100, 0, 400);
    EXPECT_EQ(camera.live.distance, 50.0f);
    for (int k = 0; k < 8; ++k) drag(KEY_RIGHT, 400, 500, 0, -400);
    EXPECT_EQ(camera.live.distance, 0.5f);

    // Axis views zoom by scale: two pixels per unit for every pixel.
    ws.click(1242);
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

TEST_F(MouseTest, BothButtonsPanAndZoomInOneMove) {
    open();
    panel.dragTarget = DRAG_MOVE_CAMERA;
    camera.live.distance = 10.0f;
    drag(KEY_LEFT | KEY_RIGHT, 400, 300, 10, 10);
    EXPECT_EQ(camera.live.panX, float(0.02 * 10));
    EXPECT_EQ(camera.live.panY, float(-0.02 * 10));
    EXPECT_EQ(camera.live.distance, float(10.0 + 0.02 * 10));
}

TEST_F(MouseTest, ADragConfinesThePointerToTheViewUntilRelease) {
    open();
    ws.mouseDown(KEY_LEFT, 400, 300);
    ASSERT_TRUE(ws.confined);
    EXPECT_EQ(ws.confinement.x, PANEL_WIDTH);
    EXPECT_EQ(ws.confinement.y, STRIP_HEIGHT);
    EXPECT_EQ(ws.confinement.width, frame.viewWidth);
    EXPECT_EQ(ws.confinement.height, frame.viewHeight);
    EXPECT_TRUE(mouse.dragActive);
    ws.mouseUp(KEY_LEFT, 400, 300);
    EXPECT_FALSE(ws.confined);
    EXPECT_FALSE(mouse.dragActive);

    // Column 192 and row 48 are outside the view: no drag starts there.
    ws.mouseDown(KEY_LEFT, PANEL_WIDTH, 300);
    ws.mouseDown(KEY_LEFT, 400, STRIP_HEIGHT);
    EXPECT_FALSE(ws.confined);
    EXPECT_FALSE(mouse.dragActive);
}

TEST_F(MouseTest, ShiftPressesAreIgnoredAndTheirReleaseReleasesNothing) {
    open();
    panel.dragTarget = DRAG_MOVE_CAMERA;
    ws.mouseDown(KEY_LEFT | KEY_SHIFT, 400, 300);
    EXPECT_FALSE(ws.confined);
    EXPECT_FALSE(mouse.dragActive);
    ws.mouseMove(KEY_LEFT | KEY_SHIFT, 450, 300);
    EXPECT_EQ(camera.live.panX, 0.0f);
    ws.confined = true; // a confinement someone else holds stays
    ws.mouseUp(KEY_LEFT | KEY_SHIFT, 450, 300);
    EXPECT_TRUE(ws.confined);
}

TEST_F(MouseTest, APressStopsAnyAnimation) {
    open();
    ws.click(1249);
    ASSERT_NE(motion.motionFlags, 0u);
    ws.mouseDown(KEY_RIGHT, 400, 300);
    EXPECT_EQ(motion.motionFlags, 0u);
    EXPECT_FALSE(ws.continuous);
    ws.mouseUp(KEY_RIGHT, 400, 300);
}

TEST_F(MouseTest, WidgetDragHidesAndPinsThePointerAndPutsItBack) {
    open();
    panel.dragTarget = DRAG_MOVE_CAMERA; // the widget ignores the page's target
    camera.live.yaw = 100;
    camera.live.pitch = 100;
    const int left = widgetLeft();
    ASSERT_EQ(left, frame.viewWidth + 144);
    ws.mouseDown(KEY_LEFT, left + 30, 60); // the rotate half
    EXPECT_EQ(mouse.widgetDrag, 2);
    EXPECT_FALSE(ws.pointerShown);
    ASSERT_FALSE(ws.warps.empty());
    EXPECT_EQ(ws.warps.back(), std::make_pair(centreX, centreY));
    EXPECT_TRUE(ws.confined);

    ws.mouseMove(KEY_LEFT, centreX + 10, centreY + 4);
    EXPECT_EQ(ws.pointerX, centreX); // pinned: back at the centre
    EXPECT_EQ(ws.pointerY, centreY);
    ws.mouseMove(KEY_LEFT, centreX + 10, centreY); // measured from the centre again
    EXPECT_EQ(camera.live.yaw, 120);
    EXPECT_EQ(camera.live.pitch, 104);
    EXPECT_EQ(camera.live.panX, 0.0f);

    ws.mouseUp(KEY_LEFT, centreX, centreY);
    EXPECT_TRUE(ws.pointerShown);
    EXPECT_FALSE(ws.confined);
    EXPECT_EQ(ws.pointerX, left + 30);
    EXPECT_EQ(ws.pointerY, 60);
    EXPECT_EQ(mouse.widgetDrag, 0);

    // The move half pans, whatever the page's target.
    panel.dragTarget = DRAG_ROTATE_LIGHT;
    ws.mouseDown(KEY_LEFT, left + 23, 49);
    EXPECT_EQ(mouse.widgetDrag, 1);
    ws.mouseMove(KEY_LEFT, centreX - 5, centreY);
    ws.mouseUp(KEY_LEFT, centreX, centreY);
    EXPECT_EQ(camera.live.panX, float(0.02 * -5));
    EXPECT_EQ(light.lightYaw, 180);
    EXPECT_EQ(camera.live.yaw, 120);

    // Below the widget's last row a press is an ordinary drag.
    ws.mouseDown(KEY_LEFT, left + 30, 73);
    EXPECT_EQ(mouse.widgetDrag, 0);
    EXPECT_TRUE(ws.pointerShown);
    ws.mouseUp(KEY_LEFT, left + 30, 73);
}

TEST_F(MouseTest, InAnAxisViewBothWidgetHalvesPan) {
    open();
    ws.click(1242);
    const int yaw = camera.live.yaw;
    ws.mouseDown(KEY_LEFT, widgetLeft() + 40, 50);
    ASSERT_EQ(mouse.widgetDrag, 2);
    ws.mouseMove(KEY_LEFT, centreX + 10, centreY + 10);
    ws.mouseUp(KEY_LEFT, centreX, centreY);
    EXPECT_EQ(camera.live.yaw, yaw);
    EXPECT_EQ(camera.live.panX, float(0.02 * 10));
    EXPECT_EQ(camera.live.panY, float(-0.02 * 10));
}

TEST_F(MouseTest, SelectionToolsShapeThePointerOnTheSurfacesPageOnly) {
    open();
    panel.selectionTool = 1;
    ws.cursor = CURSOR_PROGRAM_1401;
    ws.mouseMove(0, 400, 300); // Camera/Light page: left alone
    EXPECT_EQ(ws.cursor, CURSOR_PROGRAM_1401);
    EXPECT_EQ(mouse.lastMouseX, 400);

    ws.menu(CMD_PAGE_FIRST + PAGE_SURFACES);
    ws.mouseMove(0, 400, 300);
    EXPECT_EQ(ws.cursor, CURSOR_CROSS);
    panel.selectionTool = 3;
    ws.mouseMove(0, 400, 300);
    EXPECT_EQ(ws.cursor, CURSOR_PROGRAM_1400);
    panel.selectionTool = 4;
    ws.mouseMove(0, 400, 300);
    EXPECT_EQ(ws.cursor, CURSOR_PROGRAM_1401);
    ws.mouseMove(0, 100, 300); // over the panel
    EXPECT_EQ(ws.cursor, CURSOR_ARROW);
    panel.selectionTool = 0;
    ws.cursor = CURSOR_CROSS;
    ws.mouseMove(0, 100, 300);
    ws.mouseMove(0, 400, 300);
    EXPECT_EQ(ws.cursor, CURSOR_CROSS);
}
