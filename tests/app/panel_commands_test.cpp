// The panel commands of the Camera/Light page, the view buttons and the part
// list, driven through the window as the user clicks them.
#include "editor_fixture.h"

#include "app/buttons.h"
#include "app/control_ids.h"
#include "app/panel_commands.h"
#include "model/car_model.h"
#include "render/render.h"

#include <cstdio>

namespace {

class PanelCommandTest : public EditorTest {
  protected:
    void open() {
        start(sampleCopy());
        ASSERT_TRUE(model.modelLoaded);
    }
    // A checksum of the drawn view.
    static uint64_t frameSum() {
        uint64_t sum = 0;
        for (int y = 0; y < frame.viewHeight; ++y)
            for (int x = 0; x < frame.viewWidth; ++x) sum = sum * 31 + *pixelAt(x, y);
        return sum;
    }
};

} // namespace

TEST_F(PanelCommandTest, AxisViewsDisableTheOrbitControlsAndThePerspectiveViewRestoresThem) {
    open();
    ws.click(1252); // light follows the camera: turning the light is not offered
    ws.click(1251);
    ws.click(1249); // a demo orbit runs
    ASSERT_NE(motion.motionFlags, 0u);

    ASSERT_TRUE(ws.click(1243));
    EXPECT_EQ(camera.currentCamera, 2);
    EXPECT_EQ(motion.motionFlags, 0u);
    EXPECT_EQ(panel.dragTarget, DRAG_MOVE_CAMERA);
    EXPECT_EQ(buttonStateOf(1250), BUTTON_DOWN);
    for (int id : {1251, 1254, 1249, 1253}) EXPECT_EQ(buttonStateOf(id), BUTTON_DISABLED) << id;
    EXPECT_EQ(buttonStateOf(1241), BUTTON_UP);
    EXPECT_EQ(buttonStateOf(1243), BUTTON_DOWN);
    EXPECT_GT(camera.live.orthoScale, 0.0f); // never fitted before: fitted now

    // Rotating and the demo orbits are refused in an axis view.
    ws.click(1251);
    ws.click(1254);
    ws.click(1249);
    EXPECT_EQ(panel.dragTarget, DRAG_MOVE_CAMERA);
    EXPECT_EQ(motion.motionFlags, 0u);

    ws.click(1246); // axis view to axis view: the controls stay disabled
    EXPECT_EQ(buttonStateOf(1243), BUTTON_UP);
    EXPECT_EQ(buttonStateOf(1251), BUTTON_DISABLED);

    ws.click(1241);
    EXPECT_EQ(camera.currentCamera, 0);
    EXPECT_EQ(camera.live.viewIndex, 0);
    for (int id : {1251, 1254, 1249, 1253}) EXPECT_EQ(buttonStateOf(id), BUTTON_UP) << id;
    EXPECT_EQ(buttonStateOf(1246), BUTTON_UP);
    EXPECT_EQ(buttonStateOf(1241), BUTTON_DOWN);
}

TEST_F(PanelCommandTest, TabClicksTheNextCameraButton) {
    open();
    ws.click(1242);
    ws.click(1251); // refused in the axis view
    ws.pressAccelerator(ACCEL_TAB);
    EXPECT_EQ(camera.currentCamera, 2);
    for (int k = 3; k <= 6; ++k) ws.pressAccelerator(ACCEL_TAB);
    ASSERT_EQ(camera.currentCamera, 6);
    ws.pressAccelerator(ACCEL_TAB); // past the last axis view: back to perspective
    EXPECT_EQ(camera.currentCamera, 0);
    EXPECT_EQ(buttonStateOf(1251), BUTTON_UP); // enabled again, as by a click on 1241
    EXPECT_EQ(panel.dragTarget, DRAG_MOVE_CAMERA);
}

TEST_F(PanelCommandTest, DragTargetRadiosAndLightFollowingExcludeEachOther) {
    open();
    ws.click(1254);
    EXPECT_EQ(panel.dragTarget, DRAG_ROTATE_LIGHT);
    EXPECT_TRUE(render.lightMode); // the light symbol shows
    EXPECT_EQ(buttonStateOf(1254), BUTTON_DOWN);
    EXPECT_EQ(buttonStateOf(1251), BUTTON_UP);

    ws.click(1252); // following the camera takes the light from the mouse
    EXPECT_TRUE(light.lightFollowsCamera);
    EXPECT_EQ(buttonStateOf(1252), BUTTON_DOWN);
    EXPECT_EQ(panel.dragTarget, DRAG_ROTATE_CAMERA);
    EXPECT_FALSE(render.lightMode);
    EXPECT_EQ(buttonStateOf(1251), BUTTON_DOWN);
    EXPECT_EQ(buttonStateOf(1254), BUTTON_UP);

    ws.click(1254); // and turning the light by mouse ends the following
    EXPECT_FALSE(light.lightFollowsCamera);
    EXPECT_EQ(buttonStateOf(1252), BUTTON_UP);

    ws.click(1250);
    EXPECT_EQ(panel.dragTarget, DRAG_MOVE_CAMERA);
    EXPECT_EQ(buttonStateOf(1250), BUTTON_DOWN);
    EXPECT_EQ(buttonStateOf(1254), BUTTON_UP);
    ws.click(1252);
    EXPECT_EQ(panel.dragTarget, DRAG_MOVE_CAMERA); // only the light target is taken away
}

TEST_F(PanelCommandTest, DemoOrbitsToggleAndTheResetsStopThem) {
    open();
    ws.click(1249);
    EXPECT_EQ(motion.motionFlags, MOTION_ORBIT);
    EXPECT_EQ(motion.pitchStep, 1);
    EXPECT_EQ(buttonStateOf(1249), BUTTON_DOWN);
    EXPECT_TRUE(ws.continuous);
    ws.click(1253);
    EXPECT_EQ(motion.motionFlags, MOTION_ORBIT | MOTION_LIGHT_ORBIT);
    EXPECT_EQ(motion.yawStep, 1);
    ws.click(1249);
    EXPECT_EQ(motion.motionFlags, MOTION_LIGHT_ORBIT);
    EXPECT_EQ(buttonStateOf(1249), BUTTON_UP);

    camera.live.yaw = 10;
    camera.live.panX = 3.0f;
    ws.click(1248); // part-centred on
    EXPECT_TRUE(camera.partCentred);
    EXPECT_EQ(buttonStateOf(1248), BUTTON_DOWN);
    ws.click(1205);
    EXPECT_EQ(motion.motionFlags, 0u);
    EXPECT_FALSE(ws.continuous);
    EXPECT_EQ(buttonStateOf(1253), BUTTON_UP);
    EXPECT_EQ(camera.live.yaw, 900);
    EXPECT_EQ(camera.live.panX, 0.0f);
    EXPECT_FALSE(camera.partCentred);
    EXPECT_EQ(buttonStateOf(1248), BUTTON_UP);

    light.lightYaw = 500;
    light.lightDiffuse = 0.2;
    light.lightAmbient = 0.8;
    ws.click(1253);
    ws.click(1206);
    EXPECT_EQ(motion.motionFlags, 0u);
    EXPECT_EQ(light.lightYaw, 180);
    EXPECT_EQ(light.lightPitch, 180);
    EXPECT_EQ(light.lightDiffuse, 0.75);
    EXPECT_EQ(light.lightAmbient, 0.25);
    EXPECT_EQ(ws.control(ID_SLIDER).sliderPosition, 75);
}

TEST_F(PanelCommandTest, PartCentringFramesTheSelectedPart) {
    open();
    const float modelDistance = camera.live.distance;
    model.partHalfWidth[model.selectedPart] = 0.25f * model.header.halfSize.x;
    ws.click(1248);
    EXPECT_LT(camera.live.distance, modelDistance);
    ws.click(1248);
    EXPECT_FALSE(camera.partCentred);
    EXPECT_FLOAT_EQ(camera.live.distance, modelDistance);
}

TEST_F(PanelCommandTest, LightingSliderSetsTheMixAndItsThumb) {
    open();
    const uint64_t shadedBefore = frameSum();
    const size_t invalidations = ws.invalidated.size();
    ASSERT_TRUE(ws.scroll(ID_SLIDER, SCROLL_THUMB_TRACK, 37));
    EXPECT_DOUBLE_EQ(light.lightDiffuse, 0.37);
    EXPECT_DOUBLE_EQ(light.lightAmbient, 1.0 - 0.37);
    EXPECT_EQ(ws.control(ID_SLIDER).sliderPosition, 37);
    EXPECT_GT(ws.invalidated.size(), invalidations);
    EXPECT_NE(frameSum(), shadedBefore); // the shades were computed anew
    EXPECT_FALSE(model.modelModified);   // a light setting is no edit of the model

    ws.scroll(ID_SLIDER, SCROLL_LINE_RIGHT, 0);
    EXPECT_DOUBLE_EQ(light.lightDiffuse, 0.42);
    EXPECT_EQ(ws.control(ID_SLIDER).sliderPosition, 42);
    ws.scroll(ID_SLIDER, SCROLL_PAGE_LEFT, 0);
    EXPECT_DOUBLE_EQ(light.lightDiffuse, 0.32);
    ws.scroll(ID_SLIDER, SCROLL_PAGE_RIGHT, 0);
    ws.scroll(ID_SLIDER, SCROLL_LINE_LEFT, 0);
    EXPECT_DOUBLE_EQ(light.lightDiffuse, 0.37);
    EXPECT_EQ(ws.control(ID_SLIDER).sliderPosition, 37);

    ws.scroll(ID_SLIDER, SCROLL_THUMB_POSITION, 100);
    EXPECT_EQ(light.lightDiffuse, 0.9999);
    EXPECT_EQ(ws.control(ID_SLIDER).sliderPosition, 100);
    ws.scroll(ID_SLIDER, SCROLL_LINE_RIGHT, 0); // stays a share below 1
    EXPECT_EQ(light.lightDiffuse, 0.9999);

    ws.scroll(ID_SLIDER, SCROLL_THUMB_POSITION, 0);
    ws.scroll(ID_SLIDER, SCROLL_LINE_LEFT, 0); // no negative diffuse share
    ws.scroll(ID_SLIDER, SCROLL_PAGE_LEFT, 0);
    EXPECT_EQ(light.lightDiffuse, 0.0);
    EXPECT_EQ(light.lightAmbient, 1.0);
    EXPECT_EQ(ws.control(ID_SLIDER).sliderPosition, 0);

    model.renderCacheValid = true;
    ws.scroll(ID_SLIDER, SCROLL_END, 50); // the end of a drag changes nothing
    EXPECT_EQ(light.lightDiffuse, 0.0);
    EXPECT_TRUE(model.renderCacheValid);
}

TEST_F(PanelCommandTest, ClickingAPartNameMakesItCurrent) {
    open();
    ws.menu(CMD_PAGE_FIRST + PAGE_PARTS);
    ASSERT_GE(model.header.numParts, 3);
    const int first = int(model.selectedPart);
    const int other = first == 2 ? 1 : 2;
    ASSERT_TRUE(ws.selectListItem(ID_PART_LIST, other, 100));
    EXPECT_EQ(int(model.selectedPart), other);
    EXPECT_TRUE(model.partFlags[other] & PART_SELECTED);
    EXPECT_TRUE(model.partFlags[other] & PART_VISIBLE);
    EXPECT_FALSE(model.partFlags[first] & PART_SELECTED);
    EXPECT_TRUE(ws.listIsSelected(ID_PART_LIST, other));
    EXPECT_FALSE(ws.listIsSelected(ID_PART_LIST, first));
    EXPECT_EQ(ws.control(ID_PART_NAME).text, nameString(model.header.partNames[other]));
    char info[96];
    std::snprintf(info, sizeof info, " Vertices: %ld\n Polygons: %ld",
                  long(model.header.partVertexCount[other]),
                  long(model.header.partTriangleCount[other]));
    EXPECT_EQ(ws.control(ID_PART_INFO).text, info);
    char x[32];
    std::snprintf(x, sizeof x, "%.3f", double(model.header.partPos[other].x));
    EXPECT_EQ(ws.control(ID_X).text, x);
    EXPECT_FALSE(model.modelModified);

    // Clicking the current part's name again keeps it current and selected.
    ws.selectListItem(ID_PART_LIST, other, 100);
    EXPECT_EQ(int(model.selectedPart), other);
    EXPECT_TRUE(ws.listIsSelected(ID_PART_LIST, other));

    // A double click on a name shows that part alone.
    ws.doubleClick(ID_PART_LIST, first, 100);
    EXPECT_EQ(int(model.selectedPart), first);
    for (int p = 0; p < model.header.numParts; ++p) {
        EXPECT_EQ((model.partFlags[p] & PART_VISIBLE) != 0, p == first) << p;
        EXPECT_EQ(ws.listIsSelected(ID_PART_LIST, p), p == first) << p;
    }
}

TEST_F(PanelCommandTest, TheVisibilityBoxShowsAndHidesWithoutSelecting) {
    open();
    ws.menu(CMD_PAGE_FIRST + PAGE_PARTS);
    ASSERT_GE(model.header.numParts, 3);
    const int current = int(model.selectedPart);
    const int other = current == 1 ? 2 : 1;
    ASSERT_TRUE(model.partFlags[other] & PART_VISIBLE);
    ws.selectListItem(ID_PART_LIST, other, 12);
    EXPECT_FALSE(model.partFlags[other] & PART_VISIBLE);
    EXPECT_EQ(int(model.selectedPart), current);
    EXPECT_FALSE(ws.listIsSelected(ID_PART_LIST, other));
    EXPECT_TRUE(ws.listIsSelected(ID_PART_LIST, current));
    ws.selectListItem(ID_PART_LIST, other, 12);
    EXPECT_TRUE(model.partFlags[other] & PART_VISIBLE);

    // The current part's own box does nothing (it is always shown).
    ws.selectListItem(ID_PART_LIST, current, 12);
    EXPECT_TRUE(model.partFlags[current] & PART_VISIBLE);
    EXPECT_EQ(int(model.selectedPart), current);

    // A double click on a box shows every part again.
    ws.doubleClick(ID_PART_LIST, current, 100); // the current part alone
    ws.doubleClick(ID_PART_LIST, other, 12);
    for (int p = 0; p < model.header.numParts; ++p) {
        EXPECT_TRUE(model.partFlags[p] & PART_VISIBLE) << p;
        EXPECT_EQ(ws.listIsSelected(ID_PART_LIST, p), p == current) << p;
    }
}

TEST_F(PanelCommandTest, UnknownControlsAndUnloadedModelsDoNothing) {
    open();
    const int presents = ws.presentCount;
    ws.events->command(1299, NOTIFY_CLICKED, true);
    EXPECT_EQ(ws.presentCount, presents);
    EXPECT_EQ(handlePanelCommand(ID_PART_LIST, 5, 0), 0);
    model.header.numParts = 0; // an empty list: nothing to make current
    EXPECT_EQ(handlePanelCommand(ID_PART_LIST, NOTIFY_SELECTION, 0), 0);
}
