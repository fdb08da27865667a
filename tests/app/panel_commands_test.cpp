// The panel commands of the Camera/Light page and the part list, driven
// through the window as the user clicks them.
#include "editor_fixture.h"

// Buttons 1241..1247 choose the camera, 1248 centres on the part, 1249 and
// 1253 run the demo orbits, 1250, 1251 and 1254 are the drag targets (move,
// rotate, light) and 1252 lets the light follow the camera. An axis view
// stops the orbits and refuses them, and rotating, until Tab wraps round to
// the perspective view.
TEST_F(CarTest, AxisViewsDisableTheOrbitControlsUntilThePerspectiveViewReturns) {
    ws.click(1252), ws.click(1249);
    ASSERT_TRUE(ws.click(1243));
    EXPECT_EQ(std::make_tuple(camera.currentCamera, motion.motionFlags, panel.dragTarget),
              std::make_tuple(2, 0u, int(DRAG_MOVE_CAMERA)));
    EXPECT_EQ(states(1241, 14), "UUDUUUUU-D-D--");
    for (int id : {1251, 1254, 1249, 1253}) ws.events->command(id, NOTIFY_CLICKED, true);
    EXPECT_EQ(std::make_pair(panel.dragTarget, motion.motionFlags),
              std::make_pair(int(DRAG_MOVE_CAMERA), 0u));
    for (int k = 3; k <= 6; ++k) ws.pressAccelerator(ACCEL_TAB);
    EXPECT_EQ(states(1241, 14), "UUUUUUDU-D-D--");
    ws.pressAccelerator(ACCEL_TAB); // round to the perspective view
    EXPECT_EQ(states(1241, 14), "DUUUUUUUUDUDUU");
}

// Following the camera takes the light from the mouse; turning the light by
// mouse ends the following. The demo orbits turn camera and light a quarter
// degree a frame; the resets stop them and bring back the start view and
// light.
TEST_F(CarTest, DragTargetsDemoOrbitsAndResets) {
    ws.click(1254);
    EXPECT_EQ(std::make_pair(panel.dragTarget, render.lightMode),
              std::make_pair(int(DRAG_ROTATE_LIGHT), true)); // the light symbol shows
    ws.click(1252);
    EXPECT_EQ(std::make_tuple(panel.dragTarget, render.lightMode, states(1250, 5)),
              std::make_tuple(int(DRAG_ROTATE_CAMERA), false, "UDDUU"));
    ws.click(1254);
    EXPECT_EQ(std::make_pair(light.lightFollowsCamera, states(1250, 5)),
              std::make_pair(false, std::string("UUUUD")));
    ws.click(1250), ws.click(1252);
    EXPECT_EQ(panel.dragTarget, DRAG_MOVE_CAMERA); // only the light target is taken away
    ws.click(1249), ws.click(1253);
    EXPECT_EQ(std::make_tuple(motion.motionFlags, motion.pitchStep, motion.yawStep, ws.continuous),
              std::make_tuple(MOTION_ORBIT | MOTION_LIGHT_ORBIT, 1, 1, true));
    camera.live.yaw = 10, light.lightDiffuse = 0.2, ws.click(1205), ws.click(1206);
    EXPECT_EQ(
        std::make_tuple(motion.motionFlags, camera.live.yaw, light.lightDiffuse, states(1249, 5)),
        std::make_tuple(0u, 900, 0.75, "UDUDU"));
}

// Line steps move the diffuse share by 0.05, page steps by 0.1, the thumb
// sets it; it stays within 0 and 0.9999, the ambient share takes the rest.
TEST_F(CarTest, LightingSliderSetsTheMixWithinZeroAndOne) {
    const std::tuple<int, int, double, int> steps[] = {
        {SCROLL_THUMB_TRACK, 37, 0.37, 37},  {SCROLL_LINE_RIGHT, 0, 0.42, 42},
        {SCROLL_PAGE_LEFT, 0, 0.32, 32},     {SCROLL_PAGE_RIGHT, 0, 0.42, 42},
        {SCROLL_LINE_LEFT, 0, 0.37, 37},     {SCROLL_THUMB_POSITION, 100, 0.9999, 100},
        {SCROLL_LINE_RIGHT, 0, 0.9999, 100}, {SCROLL_THUMB_POSITION, 1, 0.01, 1},
        {SCROLL_LINE_LEFT, 0, 0.0, 0},       {SCROLL_END, 50, 0.0, 0}, // the end of a drag
    };
    for (const auto& [code, position, diffuse, thumb] : steps) {
        ASSERT_TRUE(ws.scroll(ID_SLIDER, code, position));
        EXPECT_DOUBLE_EQ(light.lightDiffuse, diffuse) << code << " " << position;
        EXPECT_DOUBLE_EQ(light.lightAmbient, 1.0 - diffuse);
        EXPECT_EQ(ws.control(ID_SLIDER).sliderPosition, thumb);
    }
}

// The part list starts at client x 8: a click left of x 24 is on the item's
// eye and shows or hides the part, one on its name makes it current. A
// double click on a name shows that part alone, one on an eye every part.
TEST_F(CarTest, PartListClicksChooseTheCurrentPartOrItsVisibility) {
    page(PAGE_PARTS);
    ASSERT_TRUE(ws.selectListItem(ID_PART_LIST, 2, 24));
    ws.selectListItem(ID_PART_LIST, 2, 100); // the current part again: it stays
    EXPECT_EQ(std::make_tuple(model.selectedPart, selection(ID_PART_LIST), text(ID_PART_NAME)),
              std::make_tuple(2u, std::vector<int>{2}, ":HRFW"));
    ws.selectListItem(ID_PART_LIST, 1, 23);
    EXPECT_EQ(std::make_pair(model.partFlags[1] & PART_VISIBLE, selection(ID_PART_LIST)),
              std::make_pair(0u, std::vector<int>{2}));
    ws.doubleClick(ID_PART_LIST, 0, 100);
    std::string shown;
    for (int p = 0; p < model.header.numParts; ++p)
        shown += model.partFlags[p] & PART_VISIBLE ? 'v' : '.';
    EXPECT_EQ(std::make_pair(shown, selection(ID_PART_LIST)),
              std::make_pair(std::string("v........"), std::vector<int>{0}));
    ws.doubleClick(ID_PART_LIST, 3, 12);
    for (int p = 0; p < model.header.numParts; ++p) EXPECT_TRUE(model.partFlags[p] & PART_VISIBLE);
    EXPECT_EQ(model.selectedPart, 0u);
}
