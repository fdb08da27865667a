// Command routing: view modes and their rules, grayed commands from every
// source, toolbar buttons standing for menu items, keyboard motion, the
// command filter of the mapping edit, page switching, About and Help.
#include "editor_fixture.h"

#include "app/buttons.h"
#include "app/menu.h"
#include "model/car_model.h"
#include "render/render.h"

#include <cstring>
#include <map>

TEST_F(EditorTest, ViewModesKeepTheirRules) {
    start(sampleCopy());
    ASSERT_EQ(render.viewFlags, 0xC2u);
    const struct {
        int command;
        uint32_t flags; // view flags afterwards
    } steps[] = {
        {CMD_WIREFRAMES, 0xC3},          // on
        {CMD_SOLID, 0xC1},               // solid off: wireframes stay on
        {CMD_WIREFRAMES, 0xC2},          // off with nothing else on: solid comes back
        {CMD_TEXTURES, 0xC4},            // textures replace solid
        {CMD_SOLID, 0xC2},               // and solid replaces textures
        {CMD_TEXTURES, 0xC4},            //
        {CMD_TEXTURES, 0xC1},            // off: wireframes
        {CMD_NORMALS, 0xC9},             //
        {CMD_SOLID_WINDOWS, 0x49},       //
        {CMD_HIDE_WINDOWS, 0x09},        //
        {CMD_TRANSPARENT_WINDOWS, 0xC9}, //
    };
    for (const auto& s : steps) {
        ws.menu(s.command);
        EXPECT_EQ(render.viewFlags, s.flags) << s.command;
        for (int i = 0; i < 4; ++i) { // menu checks and latched buttons follow
            const bool on = s.flags & (1u << i);
            EXPECT_EQ(ws.menuState(CMD_WIREFRAMES + i), on ? MENU_CHECKED : MENU_ENABLED);
            EXPECT_EQ(buttonStateOf(1237 + i), on ? BUTTON_DOWN : BUTTON_UP);
        }
        EXPECT_EQ(ws.menuState(CMD_SOLID_WINDOWS), s.flags >> 6 == 1 ? MENU_CHECKED : MENU_ENABLED);
        EXPECT_EQ(ws.menuState(CMD_HIDE_WINDOWS), s.flags >> 6 == 0 ? MENU_CHECKED : MENU_ENABLED);
    }
    // Without a texture the Textures command changes nothing.
    model.textureLoaded = false;
    ws.events->command(CMD_TEXTURES, 0, false);
    EXPECT_EQ(render.viewFlags, 0xC9u);
}

TEST_F(EditorTest, GrayedCommandsDoNothingFromAnySource) {
    start();
    const std::map<int, int> menu = ws.menuStates;
    const ButtonState buttonsBefore = buttons;
    const RenderState renderBefore = render;
    for (const Accelerator& a : accelerators()) {
        // Open, Quit, About and Help are the commands a window without a car offers.
        if (a.id == CMD_OPEN || a.id == CMD_QUIT || a.id == CMD_ABOUT || a.id == CMD_HELP) continue;
        ws.pressAccelerator(a.key, a.letter);
    }
    for (int id = 1201; id <= 1240; ++id) ws.click(id);
    EXPECT_EQ(ws.menuStates, menu);
    EXPECT_EQ(std::memcmp(&buttons, &buttonsBefore, sizeof buttons), 0);
    EXPECT_EQ(render.viewFlags, renderBefore.viewFlags);
    EXPECT_EQ(render.page, renderBefore.page);
    EXPECT_EQ(camera.currentCamera, 0);
    EXPECT_EQ(motion.motionFlags, 0u);
    EXPECT_TRUE(ws.messageBoxes.empty());
    EXPECT_TRUE(ws.fileDialogs.empty());
    ws.close();
    ASSERT_TRUE(ws.quitRequested);
    EXPECT_EQ(storedConfig().viewFlags, 0xC2u); // as at start

    // With a car, a button whose item is grayed does nothing either.
    ws.fileAnswers.push_back(sampleCopy());
    ws.click(1200);
    ASSERT_TRUE(model.modelLoaded);
    setMenuGrayed(CMD_WIREFRAMES, true);
    ws.click(1237);
    ws.pressAccelerator(ACCEL_LETTER, 'W');
    EXPECT_EQ(render.viewFlags, 0xC2u);
}

TEST_F(EditorTest, ToolbarButtonsActAsTheirMenuItems) {
    start(sampleCopy());
    ws.click(1237); // Wireframes
    EXPECT_EQ(ws.menuState(CMD_WIREFRAMES), MENU_CHECKED);
    ws.click(1232); // Parts page
    EXPECT_EQ(render.page, PAGE_PARTS);
    EXPECT_EQ(ws.menuState(1009), MENU_CHECKED);
    EXPECT_EQ(buttonStateOf(1232), BUTTON_DOWN);
    EXPECT_EQ(buttonStateOf(1231), BUTTON_UP);
    ws.click(BUTTON_HELP);
    EXPECT_EQ(ws.openedUrls.back(), sourcePath("data") + "/help/parts.html");
}

TEST_F(EditorTest, HelpOpensThePageOfThePanelOrSaysItIsMissing) {
    start();
    ws.pressAccelerator(ACCEL_F1);
    EXPECT_EQ(ws.openedUrls, std::vector<std::string>{sourcePath("data") + "/help/index.html"});
    ws.openUrlResult = false; // no program for the page
    ws.menu(CMD_HELP);
    const std::string missing = "Help file not found.\nPlease run the 'Vornix Help' from the start menu.";
    EXPECT_EQ(ws.messageBoxes.back().text, missing);
    // A page that does not exist is reported without asking the desktop.
    TempDir data;
    writeBytes(data.file("help.dat"), {'x', '\r', '\n'});
    app.appDir = data.path().string();
    ws.openUrlResult = true;
    ws.menu(CMD_HELP);
    EXPECT_EQ(ws.openedUrls.size(), 2u);
    EXPECT_EQ(ws.messageBoxes.size(), 2u);
    EXPECT_EQ(ws.messageBoxes.back().title, "Message");
}

TEST_F(EditorTest, KeysStartAndStopContinuousMotion) {
    start(sampleCopy());
    ws.pressAccelerator(ACCEL_RIGHT);
    EXPECT_EQ(motion.motionFlags, MOTION_YAW);
    EXPECT_TRUE(ws.continuous);
    const int yaw = camera.live.yaw;
    const int presents = ws.presentCount;
    ws.idle(3);
    EXPECT_EQ(camera.live.yaw, wrapAngle(yaw + 12)); // 4 quarter degrees a frame
    EXPECT_EQ(ws.presentCount, presents + 3);
    ws.pressAccelerator(ACCEL_DOWN); // adds pitch, keeps the yaw
    EXPECT_EQ(motion.motionFlags, MOTION_YAW | MOTION_PITCH);
    ws.pressAccelerator(ACCEL_LEFT); // left stops the pitch motion
    EXPECT_EQ(motion.motionFlags, MOTION_YAW);
    EXPECT_EQ(motion.yawStep, -4);
    ws.pressAccelerator(ACCEL_PAGE_UP);
    EXPECT_FLOAT_EQ(motion.zoomStep, -0.02f);
    ws.pressAccelerator(ACCEL_END);
    EXPECT_EQ(motion.motionFlags, 0u);
    EXPECT_FALSE(ws.continuous);
    ws.pressAccelerator(ACCEL_UP); // a press in the view stops it too
    ws.mouseDown(KEY_LEFT, 400, 300);
    EXPECT_EQ(motion.motionFlags, 0u);
    EXPECT_FALSE(ws.continuous);

    ws.pressAccelerator(ACCEL_TAB); // camera 1, an axis view: keys pan and zoom at once
    const float scale = camera.live.orthoScale;
    ws.pressAccelerator(ACCEL_PAGE_UP);
    EXPECT_FLOAT_EQ(camera.live.orthoScale, scale + 2.0f);
    ws.pressAccelerator(ACCEL_RIGHT);
    EXPECT_FLOAT_EQ(camera.live.panX, 0.02f);
    EXPECT_EQ(motion.motionFlags, 0u);
    camera.live.orthoScale = 1.5f;
    ws.pressAccelerator(ACCEL_PAGE_DOWN);
    EXPECT_FLOAT_EQ(camera.live.orthoScale, 1.0f);
}

TEST_F(EditorTest, MappingEditLetsOnlyHelpAndTheArrowsThrough) {
    start(sampleCopy());
    render.textureMappingActive = true;
    ws.menu(CMD_WIREFRAMES);
    ws.click(1238);
    ws.pressAccelerator(ACCEL_F6);
    EXPECT_EQ(render.viewFlags, 0xC2u);
    EXPECT_EQ(render.page, PAGE_CAMERA_LIGHT);
    ws.menu(CMD_HELP);
    EXPECT_EQ(ws.openedUrls.size(), 1u);
    render.textureMappingActive = false;
}

TEST_F(EditorTest, ColorsPageAsksForTexturesAndTintsThenRestores) {
    start(sampleCopy());
    const std::vector<uint8_t> untinted(model.textureImage, model.textureImage + 512 * 512 * 4);
    model.selectedColor = 1;
    ws.pressAccelerator(ACCEL_F9);
    EXPECT_EQ(render.page, PAGE_COLORS);
    EXPECT_EQ(ws.messageBoxes.back().text, "Colors can only be displayed on textures.");
    EXPECT_EQ(render.viewFlags & 7, VIEW_TEXTURES);
    EXPECT_FALSE(std::equal(untinted.begin(), untinted.end(), model.textureImage));
    ws.pressAccelerator(ACCEL_F5);
    EXPECT_TRUE(std::equal(untinted.begin(), untinted.end(), model.textureImage));
    EXPECT_EQ(ws.control(ID_HEADER_LABEL_1).text, " Camera");
}

TEST_F(EditorTest, AboutShowsThePictureUntilTheNextCommand) {
    start(sampleCopy());
    ws.pressAccelerator(ACCEL_LETTER, 'I');
    EXPECT_TRUE(app.aboutShown);
    ws.events->paint();
    EXPECT_EQ(ws.presentedPixel(192, 48), 0xC0C0C0u); // centred on grey
    ws.menu(CMD_NORMALS);
    EXPECT_FALSE(app.aboutShown);
}
