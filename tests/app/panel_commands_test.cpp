// The panel commands of the Camera/Light page, the view buttons and the part
// list, driven through the window as the user clicks them.
#include "editor_fixture.h"

#include "app/buttons.h"
#include "app/panel_commands.h"
#include "model/car_model.h"
#include "render/render.h"

namespace {

class PanelCommandTest : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        start(sampleCopy());
    }
    void expectStates(std::initializer_list<int> ids, int state) {
        for (int id : ids) EXPECT_EQ(buttonStateOf(id), state) << id;
    }
};

} // namespace

TEST_F(PanelCommandTest, AxisViewsDisableTheOrbitControlsUntilThePerspectiveViewReturns) {
    ws.click(1252); // light follows the camera: turning the light is not offered
    ws.click(1251);
    ws.click(1249); // a demo orbit runs
    ASSERT_NE(motion.motionFlags, 0u);
    ASSERT_TRUE(ws.click(1243));
    EXPECT_EQ(camera.currentCamera, 2);
    EXPECT_EQ(motion.motionFlags, 0u);
    EXPECT_EQ(panel.dragTarget, DRAG_MOVE_CAMERA);
    expectStates({1250, 1243}, BUTTON_DOWN);
    expectStates({1251, 1254, 1249, 1253}, BUTTON_DISABLED);
    EXPECT_GT(camera.live.orthoScale, 0.0f); // never fitted before: fitted now
    ws.click(1251); // rotating and the demo orbits are refused in an axis view
    ws.click(1249);
    EXPECT_EQ(panel.dragTarget, DRAG_MOVE_CAMERA);
    EXPECT_EQ(motion.motionFlags, 0u);
    // Tab steps on through the axis views and wraps to the perspective one.
    for (int k = 3; k <= 6; ++k) {
        ws.pressAccelerator(ACCEL_TAB);
        EXPECT_EQ(camera.currentCamera, k);
        EXPECT_EQ(buttonStateOf(1251), BUTTON_DISABLED);
    }
    expectStates({1241, 1243, 1246}, BUTTON_UP);
    ws.pressAccelerator(ACCEL_TAB);
    EXPECT_EQ(camera.currentCamera, 0);
    EXPECT_EQ(camera.live.viewIndex, 0);
    expectStates({1251, 1254, 1249, 1253, 1247}, BUTTON_UP);
    EXPECT_EQ(buttonStateOf(1241), BUTTON_DOWN);
}

TEST_F(PanelCommandTest, DragTargetRadiosAndLightFollowingExcludeEachOther) {
    ws.click(1254);
    EXPECT_EQ(panel.dragTarget, DRAG_ROTATE_LIGHT);
    EXPECT_TRUE(render.lightMode); // the light symbol shows
    expectStates({1251}, BUTTON_UP);
    ws.click(1252); // following the camera takes the light from the mouse
    EXPECT_TRUE(light.lightFollowsCamera);
    EXPECT_EQ(panel.dragTarget, DRAG_ROTATE_CAMERA);
    EXPECT_FALSE(render.lightMode);
    expectStates({1252, 1251}, BUTTON_DOWN);
    expectStates({1254}, BUTTON_UP);
    ws.click(1254); // and turning the light by mouse ends the following
    EXPECT_FALSE(light.lightFollowsCamera);
    expectStates({1252}, BUTTON_UP);
    ws.click(1250);
    ws.click(1252);
    EXPECT_EQ(panel.dragTarget, DRAG_MOVE_CAMERA); // only the light target is taken away
    expectStates({1250}, BUTTON_DOWN);
}

TEST_F(PanelCommandTest, DemoOrbitsToggleAndTheResetsStopThem) {
    ws.click(1249);
    ws.click(1253);
    EXPECT_EQ(motion.motionFlags, MOTION_ORBIT | MOTION_LIGHT_ORBIT);
    EXPECT_EQ(motion.pitchStep, 1);
    EXPECT_EQ(motion.yawStep, 1);
    EXPECT_TRUE(ws.continuous);
    ws.click(1249);
    EXPECT_EQ(motion.motionFlags, MOTION_LIGHT_ORBIT);
    expectStates({1249}, BUTTON_UP);

    const float modelDistance = camera.live.distance;
    model.partHalfWidth[model.selectedPart] = 0.25f * model.header.halfSize.x;
    camera.live.yaw = 10;
    camera.live.panX = 3.0f;
    ws.click(1248); // centred on the part: framed closer
    EXPECT_TRUE(camera.partCentred);
    EXPECT_LT(camera.live.distance, modelDistance);
    ws.click(1205); // the camera reset
    EXPECT_EQ(motion.motionFlags, 0u);
    EXPECT_FALSE(ws.continuous);
    EXPECT_EQ(camera.live.yaw, 900);
    EXPECT_EQ(camera.live.panX, 0.0f);
    EXPECT_FALSE(camera.partCentred);
    EXPECT_FLOAT_EQ(camera.live.distance, modelDistance);
    expectStates({1248, 1253}, BUTTON_UP);

    light.lightYaw = 500;
    light.lightDiffuse = 0.2;
    ws.click(1253);
    ws.click(1206); // the light reset
    EXPECT_EQ(motion.motionFlags, 0u);
    EXPECT_EQ(light.lightYaw, 180);
    EXPECT_EQ(light.lightDiffuse, 0.75);
    EXPECT_EQ(light.lightAmbient, 0.25);
    EXPECT_EQ(ws.control(ID_SLIDER).sliderPosition, 75);
}

TEST_F(PanelCommandTest, LightingSliderSetsTheMixWithinZeroAndOne) {
    auto viewSum = [] {
        uint64_t sum = 0;
        for (int y = 0; y < frame.viewHeight; ++y)
            for (int x = 0; x < frame.viewWidth; ++x) sum = sum * 31 + *pixelAt(x, y);
        return sum;
    };
    const uint64_t shaded = viewSum();
    const struct {
        int code, position;
        double diffuse;
        int thumb;
    } steps[] = {
        {SCROLL_THUMB_TRACK, 37, 0.37, 37}, {SCROLL_LINE_RIGHT, 0, 0.42, 42},
        {SCROLL_PAGE_LEFT, 0, 0.32, 32},    {SCROLL_PAGE_RIGHT, 0, 0.42, 42},
        {SCROLL_LINE_LEFT, 0, 0.37, 37},    {SCROLL_THUMB_POSITION, 100, 0.9999, 100},
        {SCROLL_LINE_RIGHT, 0, 0.9999, 100}, // a share below 1
        {SCROLL_THUMB_POSITION, 1, 0.01, 1}, {SCROLL_LINE_LEFT, 0, 0.0, 0},
        {SCROLL_PAGE_LEFT, 0, 0.0, 0},      // never below 0
        {SCROLL_END, 50, 0.0, 0},           // the end of a drag changes nothing
    };
    for (const auto& s : steps) {
        ASSERT_TRUE(ws.scroll(ID_SLIDER, s.code, s.position));
        EXPECT_DOUBLE_EQ(light.lightDiffuse, s.diffuse) << s.code << " " << s.position;
        EXPECT_DOUBLE_EQ(light.lightAmbient, 1.0 - s.diffuse);
        EXPECT_EQ(ws.control(ID_SLIDER).sliderPosition, s.thumb);
    }
    EXPECT_NE(viewSum(), shaded); // shaded anew
    EXPECT_FALSE(model.modelModified); // a light setting is no edit of the model
}

TEST_F(PanelCommandTest, PartListClicksChooseTheCurrentPartOrItsVisibility) {
    page(PAGE_PARTS);
    ASSERT_EQ(model.selectedPart, 0u);
    ASSERT_TRUE(ws.selectListItem(ID_PART_LIST, 2, 100)); // on the name
    EXPECT_EQ(model.selectedPart, 2u);
    EXPECT_EQ(model.partFlags[2] & (PART_SELECTED | PART_VISIBLE), PART_SELECTED | PART_VISIBLE);
    EXPECT_FALSE(model.partFlags[0] & PART_SELECTED);
    EXPECT_EQ(selection(ID_PART_LIST), std::vector<int>{2});
    EXPECT_EQ(ws.control(ID_PART_NAME).text, ":HRFW");
    EXPECT_EQ(ws.control(ID_PART_INFO).text, " Vertices: 114\n Polygons: 128");
    EXPECT_EQ(ws.control(ID_X).text, "0.750");
    ws.selectListItem(ID_PART_LIST, 2, 100); // the current part again: it stays
    EXPECT_EQ(selection(ID_PART_LIST), std::vector<int>{2});
    EXPECT_FALSE(model.modelModified);

    ws.selectListItem(ID_PART_LIST, 1, 12); // on the eye: hidden, not chosen
    EXPECT_FALSE(model.partFlags[1] & PART_VISIBLE);
    EXPECT_EQ(selection(ID_PART_LIST), std::vector<int>{2});
    ws.selectListItem(ID_PART_LIST, 1, 12);
    EXPECT_TRUE(model.partFlags[1] & PART_VISIBLE);
    ws.selectListItem(ID_PART_LIST, 2, 12); // the current part always shows
    EXPECT_TRUE(model.partFlags[2] & PART_VISIBLE);

    ws.doubleClick(ID_PART_LIST, 0, 100); // a double click on a name: that part alone
    for (int p = 0; p < model.header.numParts; ++p) {
        EXPECT_EQ((model.partFlags[p] & PART_VISIBLE) != 0, p == 0) << p;
        EXPECT_EQ(ws.listIsSelected(ID_PART_LIST, p), p == 0) << p;
    }
    ws.doubleClick(ID_PART_LIST, 3, 12); // on an eye: every part again
    for (int p = 0; p < model.header.numParts; ++p) EXPECT_TRUE(model.partFlags[p] & PART_VISIBLE);
    EXPECT_EQ(model.selectedPart, 0u);

    const int presents = ws.presentCount; // unknown controls and notifications do nothing
    ws.events->command(1299, NOTIFY_CLICKED, true);
    EXPECT_EQ(ws.presentCount, presents);
    EXPECT_EQ(handlePanelCommand(ID_PART_LIST, 5, 0), 0);
    model.header.numParts = 0;
    EXPECT_EQ(handlePanelCommand(ID_PART_LIST, NOTIFY_SELECTION, 0), 0);
}
