// Mouse navigation of the view on the Camera/Light page: pan, orbit, light
// and zoom drags, the navigation widget and pointer confinement.
#include "editor_fixture.h"

// Pans move 0.02 units a pixel with y upward, turns a quarter degree a pixel
// with both angles wrapping, each step measured from the last position; the
// light's pitch turns against the pointer. A move without a press is no drag.
TEST_F(CarTest, LeftDragPansOrbitsOrTurnsTheLightByTarget) {
    panel.dragTarget = DRAG_MOVE_CAMERA, drag(KEY_LEFT, 400, 300, 30, -20);
    EXPECT_EQ(std::make_pair(camera.live.panX, camera.live.panY),
              std::make_pair(float(0.02 * 30.0), float(0.02 * 20.0)));
    panel.dragTarget = DRAG_ROTATE_CAMERA, camera.live.yaw = 1400, camera.live.pitch = 20;
    ws.mouseDown(KEY_LEFT, 400, 300), ws.mouseMove(KEY_LEFT, 500, 250);
    ws.mouseMove(KEY_LEFT, 495, 250), ws.mouseUp(KEY_LEFT, 495, 250);
    ws.mouseMove(KEY_LEFT, 600, 300);
    EXPECT_EQ(std::make_pair(camera.live.yaw, camera.live.pitch), std::make_pair(55, 1410));
    panel.dragTarget = DRAG_ROTATE_LIGHT, light.lightYaw = 5, light.lightPitch = 1430;
    drag(KEY_LEFT, 400, 300, -10, -20);
    EXPECT_EQ(std::make_pair(light.lightYaw, light.lightPitch), std::make_pair(1435, 10));
}

// Perspective views zoom by 0.02 units of distance a pixel, from 0.5 to 50;
// axis views by two units of scale a pixel, from 1 to 1000. Both buttons pan
// and zoom in one move.
TEST_F(CarTest, RightDragZoomsWithinItsLimits) {
    camera.live.distance = 10.0f, panel.dragTarget = DRAG_MOVE_CAMERA;
    drag(KEY_LEFT | KEY_RIGHT, 400, 300, 10, 50);
    EXPECT_EQ(std::make_pair(camera.live.panX, camera.live.distance),
              std::make_pair(float(0.02 * 10), float(10.0 + 0.02 * 50)));
    for (int k = 0; k < 6; ++k) drag(KEY_RIGHT, 400, 100, 0, 400);
    EXPECT_EQ(camera.live.distance, 50.0f);
    for (int k = 0; k < 8; ++k) drag(KEY_RIGHT, 400, 500, 0, -400);
    EXPECT_EQ(camera.live.distance, 0.5f);
    ws.click(1242);
    const float distance = camera.live.distance;
    camera.live.orthoScale = 100.0f, drag(KEY_RIGHT, 400, 300, 0, -7);
    EXPECT_EQ(camera.live.orthoScale, 114.0f);
    drag(KEY_RIGHT, 400, 100, 0, 400);
    EXPECT_EQ(camera.live.orthoScale, 1.0f);
    for (int k = 0; k < 2; ++k) drag(KEY_RIGHT, 400, 500, 0, -400);
    EXPECT_EQ(std::make_pair(camera.live.orthoScale, camera.live.distance),
              std::make_pair(1000.0f, distance)); // the distance is no zoom here
}

// The view starts after column 192 and row 48; Shift presses are ignored. A
// release without a drag leaves a confinement someone else holds.
TEST_F(CarTest, ADragConfinesThePointerToTheView) {
    ws.confined = true;
    for (const auto& [keys, x, y] :
         {std::tuple(KEY_LEFT, PANEL_WIDTH, 300), std::tuple(KEY_LEFT, 400, STRIP_HEIGHT),
          std::tuple(KEY_LEFT | KEY_SHIFT, 400, 300)}) {
        ws.mouseDown(keys, x, y);
        EXPECT_FALSE(mouse.dragActive) << x << "," << y;
        ws.mouseUp(keys, x, y);
    }
    EXPECT_EQ(std::make_pair(ws.confined, ws.confinement.width), std::make_pair(true, 0));
    ws.mouseDown(KEY_LEFT, PANEL_WIDTH + 1, STRIP_HEIGHT + 1);
    const ClientRect& c = ws.confinement;
    EXPECT_EQ(std::make_tuple(c.x, c.y, c.width, c.height),
              std::make_tuple(PANEL_WIDTH, STRIP_HEIGHT, frame.viewWidth, frame.viewHeight));
    ws.mouseUp(KEY_LEFT, 400, 300);
    EXPECT_FALSE(ws.confined);
}

// A press on the widget's right (rotate) or left (move) half hides the
// pointer and pins it to the view centre; each step is measured from there,
// and the release puts the pointer back. The widget ignores the page's drag
// target; in an axis view both halves pan.
TEST_F(CarTest, WidgetDragTurnsOrPansFromThePinnedPointer) {
    const int left = widgetLeft(), x = PANEL_WIDTH + frame.viewWidth / 2,
              y = STRIP_HEIGHT + frame.viewHeight / 2;
    panel.dragTarget = DRAG_MOVE_CAMERA, camera.live.yaw = camera.live.pitch = 100;
    ws.mouseDown(KEY_LEFT, left + 24, 72);
    EXPECT_EQ(std::make_tuple(mouse.widgetDrag, ws.pointerShown, ws.pointerX, ws.pointerY),
              std::make_tuple(2, false, x, y));
    ws.mouseMove(KEY_LEFT, x + 10, y + 4), ws.mouseMove(KEY_LEFT, x + 10, y);
    ws.mouseUp(KEY_LEFT, x, y);
    EXPECT_EQ(std::make_tuple(camera.live.yaw, camera.live.pitch, ws.pointerShown, ws.pointerX),
              std::make_tuple(120, 104, true, left + 24));
    panel.dragTarget = DRAG_ROTATE_LIGHT, drag(KEY_LEFT, left + 23, 49, x - 5 - left - 23, y - 49);
    EXPECT_EQ(std::make_pair(camera.live.panX, light.lightYaw),
              std::make_pair(float(0.02 * -5), 180));
    ws.mouseDown(KEY_LEFT, left + 30, 73); // below the widget: an ordinary drag
    EXPECT_EQ(mouse.widgetDrag, 0);
    ws.mouseUp(KEY_LEFT, left + 30, 73), ws.click(1242);
    const int yaw = camera.live.yaw;
    drag(KEY_LEFT, left + 40, 50, x + 10 - left - 40, y + 10 - 50);
    EXPECT_EQ(std::make_pair(camera.live.yaw, camera.live.panY),
              std::make_pair(yaw, float(-0.02 * 10)));
}

// A wheel notch zooms as a right-button drag of ten pixels, away from the
// user as upward, in perspective and in an axis view, and redraws; only over
// the view and not during a drag.
TEST_F(CarTest, AWheelNotchZoomsAsATenPixelRightDrag) {
    for (const auto& [view, notch] : {std::pair(1241, 1), {1241, -1}, {1242, 1}, {1242, -1}}) {
        const ViewCamera before = (ws.click(view), camera.live);
        drag(KEY_RIGHT, 400, 300, 0, -10 * notch);
        const auto dragged = std::make_tuple(camera.live.distance, camera.live.orthoScale, false);
        camera.live = before, ws.presented.clear(), ws.wheel(400, 300, 120 * notch);
        EXPECT_EQ(
            std::make_tuple(camera.live.distance, camera.live.orthoScale, ws.presented.empty()),
            dragged)
            << view << notch;
    }
    const float scale = camera.live.orthoScale; // a tenth of a notch at the view's corner zooms
    ws.wheel(PANEL_WIDTH, 300, 120), ws.wheel(400, STRIP_HEIGHT, 120);
    ws.mouseDown(KEY_LEFT, 400, 300), ws.wheel(400, 300, 120), ws.mouseUp(KEY_LEFT, 400, 300);
    ws.wheel(PANEL_WIDTH + 1, STRIP_HEIGHT + 1, 12);
    EXPECT_EQ(camera.live.orthoScale, scale + 2.0f);
}
