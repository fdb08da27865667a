// Command routing: view modes and their rules, toolbar buttons standing for
// menu items, grayed commands, Tab through the cameras, keyboard motion, the
// command filter of the mapping edit, page switching.
#include "editor_fixture.h"

#include "app/buttons.h"
#include "app/config.h"
#include "app/control_ids.h"
#include "app/menu.h"
#include "model/car_model.h"
#include "render/render.h"

#include <cstring>
#include <filesystem>
#include <map>

TEST_F(EditorTest, ViewModesKeepTheirRules) {
    start(sampleCopy());
    ASSERT_EQ(render.viewFlags, 0xC2u);
    ws.menu(CMD_WIREFRAMES); // on
    EXPECT_EQ(render.viewFlags & 7, VIEW_WIREFRAME | VIEW_SOLID);
    ws.menu(CMD_SOLID); // solid off: wireframes stay on
    EXPECT_EQ(render.viewFlags & 7, VIEW_WIREFRAME);
    ws.menu(CMD_WIREFRAMES); // off with nothing else on: solid comes back
    EXPECT_EQ(render.viewFlags & 7, VIEW_SOLID);
    ws.menu(CMD_TEXTURES); // textures replace solid
    EXPECT_EQ(render.viewFlags & 7, VIEW_TEXTURES);
    EXPECT_EQ(ws.menuState(CMD_TEXTURES), MENU_CHECKED);
    EXPECT_EQ(ws.menuState(CMD_SOLID), MENU_ENABLED);
    EXPECT_EQ(buttonStateOf(1239), BUTTON_DOWN);
    ws.menu(CMD_TEXTURES); // off: wireframes
    EXPECT_EQ(render.viewFlags & 7, VIEW_WIREFRAME);
    ws.menu(CMD_NORMALS);
    EXPECT_TRUE(render.viewFlags & VIEW_NORMALS);
    ws.menu(CMD_SOLID_WINDOWS);
    EXPECT_EQ(render.viewFlags & 0xC0, VIEW_WINDOWS);
    EXPECT_EQ(ws.menuState(CMD_SOLID_WINDOWS), MENU_CHECKED);
    ws.menu(CMD_HIDE_WINDOWS);
    EXPECT_EQ(render.viewFlags & 0xC0, 0u);
    EXPECT_EQ(ws.menuState(CMD_HIDE_WINDOWS), MENU_CHECKED);
    EXPECT_EQ(ws.menuState(CMD_TRANSPARENT_WINDOWS), MENU_ENABLED);
    ws.menu(CMD_TRANSPARENT_WINDOWS);
    EXPECT_EQ(render.viewFlags & 0xC0, VIEW_WINDOWS | VIEW_WINDOWS_TRANSPARENT);
}

TEST_F(EditorTest, TexturesCannotBeTurnedOnWithoutATexture) {
    const std::string fce = dir.file("bare.fce");
    writeBytes(fce, readBytes(sampleFce()));
    start(fce);
    render.viewFlags = VIEW_SOLID;
    // The menu item is grayed, so its button does nothing; the command itself
    // changes nothing either.
    EXPECT_TRUE(ws.click(1239));
    EXPECT_EQ(render.viewFlags, VIEW_SOLID);
    ws.events->command(CMD_TEXTURES, 0, false);
    EXPECT_EQ(render.viewFlags, VIEW_SOLID);
}

TEST_F(EditorTest, ToolbarButtonsActAsTheirMenuItemsUnlessGrayed) {
    start();
    // Without a model the view buttons are grayed: a click does nothing.
    const uint32_t flags = render.viewFlags;
    ws.click(1237);
    EXPECT_EQ(render.viewFlags, flags);
    ws.fileAnswers.push_back(sampleCopy());
    ws.click(1200); // Open
    ASSERT_TRUE(model.modelLoaded);
    ws.click(1237); // Wireframes
    EXPECT_TRUE(render.viewFlags & VIEW_WIREFRAME);
    EXPECT_EQ(ws.menuState(CMD_WIREFRAMES), MENU_CHECKED);
    ws.click(1232); // Parts page
    EXPECT_EQ(render.page, PAGE_PARTS);
    EXPECT_EQ(ws.menuState(1009), MENU_CHECKED);
    EXPECT_EQ(buttonStateOf(1232), BUTTON_DOWN);
    EXPECT_EQ(buttonStateOf(1231), BUTTON_UP);
    ws.click(BUTTON_HELP);
    ASSERT_FALSE(ws.openedUrls.empty());
    EXPECT_EQ(ws.openedUrls.back(), sourcePath("data") + "/help/parts.html");
}

TEST_F(EditorTest, HelpOpensTheIndexWithoutAModelAndReportsAMissingPage) {
    start();
    ws.pressAccelerator(ACCEL_F1);
    ASSERT_EQ(ws.openedUrls.size(), 1u);
    EXPECT_EQ(ws.openedUrls[0], sourcePath("data") + "/help/index.html");
    ws.openUrlResult = false;
    ws.menu(CMD_HELP);
    EXPECT_EQ(ws.messageBoxes.back().text,
              "Help file not found.\nPlease run the 'Vornix Help' from the start menu.");
}

TEST_F(EditorTest, TabStepsThroughTheSevenCameras) {
    start(sampleCopy());
    for (int k = 1; k <= 7; ++k) {
        ws.pressAccelerator(ACCEL_TAB);
        EXPECT_EQ(camera.currentCamera, k % 7);
        EXPECT_EQ(buttonStateOf(BUTTON_CAMERA_FIRST + k % 7), BUTTON_DOWN);
    }
    EXPECT_EQ(buttonStateOf(BUTTON_CAMERA_FIRST + 1), BUTTON_UP);
}

TEST_F(EditorTest, KeysStartAndStopContinuousMotion) {
    start(sampleCopy());
    ws.pressAccelerator(ACCEL_RIGHT);
    EXPECT_EQ(motion.motionFlags, MOTION_YAW);
    EXPECT_EQ(motion.yawStep, 4);
    EXPECT_TRUE(ws.continuous);
    const int yaw = camera.live.yaw;
    const int presents = ws.presentCount;
    ws.idle(3);
    EXPECT_EQ(camera.live.yaw, wrapAngle(yaw + 12));
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
    // A press in the view stops it too.
    ws.pressAccelerator(ACCEL_UP);
    ASSERT_TRUE(ws.continuous);
    ws.mouseDown(KEY_LEFT, 400, 300);
    EXPECT_EQ(motion.motionFlags, 0u);
    EXPECT_FALSE(ws.continuous);
}

TEST_F(EditorTest, AxisViewKeysPanAndZoomAtOnce) {
    start(sampleCopy());
    ws.pressAccelerator(ACCEL_TAB); // camera 1
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

TEST_F(EditorTest, MappingEditFiltersCommands) {
    start(sampleCopy());
    render.textureMappingActive = true;
    const uint32_t flags = render.viewFlags;
    ws.menu(CMD_WIREFRAMES);
    ws.click(1238);
    ws.pressAccelerator(ACCEL_F6);
    EXPECT_EQ(render.viewFlags, flags);
    EXPECT_EQ(render.page, PAGE_CAMERA_LIGHT);
    ws.menu(CMD_HELP); // Help still works
    EXPECT_EQ(ws.openedUrls.size(), 1u);
    render.textureMappingActive = false;
}

TEST_F(EditorTest, ColorsPageAsksForTexturesAndTintsThenRestores) {
    start(sampleCopy());
    ASSERT_TRUE(model.textureLoaded);
    const std::vector<uint8_t> untinted(model.textureImage, model.textureImage + 512 * 512 * 4);
    model.selectedColor = 1;
    ws.pressAccelerator(ACCEL_F9);
    EXPECT_EQ(render.page, PAGE_COLORS);
    EXPECT_EQ(ws.messageBoxes.back().text, "Colors can only be displayed on textures.");
    EXPECT_EQ(ws.messageBoxes.back().title, "Message");
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
    // The About picture is centred on grey: the view's corner is grey.
    EXPECT_EQ(ws.presentedPixel(192, 48), 0xC0C0C0u);
    ws.menu(CMD_NORMALS);
    EXPECT_FALSE(app.aboutShown);
}

TEST_F(EditorTest, SaveAfterAFailedOpenWritesNothing) {
    const std::string car = sampleCopy();
    start(car);
    const std::vector<uint8_t> saved = readBytes(car);
    writeBytes(dir.file("broken.fce"), std::vector<uint8_t>(100, 0));
    ws.fileAnswers.push_back(dir.file("broken.fce"));
    ws.pressAccelerator(ACCEL_LETTER, 'O');
    ASSERT_FALSE(model.modelLoaded);
    ASSERT_EQ(ws.messageBoxes.size(), 1u); // the reason the file was refused
    EXPECT_EQ(ws.menuState(CMD_SAVE), MENU_GRAYED);
    // Accelerator, button, and the commands as if a menu had sent them anyway.
    EXPECT_TRUE(ws.pressAccelerator(ACCEL_LETTER, 'S'));
    EXPECT_TRUE(ws.click(1201));
    ws.events->command(CMD_SAVE, 0, false);
    ws.events->command(CMD_SAVE_AS, 0, false);
    EXPECT_EQ(readBytes(car), saved);
    EXPECT_EQ(ws.messageBoxes.size(), 1u);
    EXPECT_EQ(ws.fileDialogs.size(), 1u); // only the Open dialog
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3); // no temporary
    EXPECT_FALSE(saveModel()); // and the save itself has no file left to write to
}

TEST_F(EditorTest, GrayedCommandsChangeNothingWithoutAModel) {
    start();
    const std::map<int, int> menu = ws.menuStates;
    const ButtonState buttonsBefore = buttons;
    const RenderState renderBefore = render;
    for (const Accelerator& a : accelerators()) {
        // Open, Quit, About and Help are the commands a window without a car offers.
        if (a.id == CMD_OPEN || a.id == CMD_QUIT || a.id == CMD_ABOUT || a.id == CMD_HELP) continue;
        ws.pressAccelerator(a.key, a.letter);
    }
    for (int id = 1200; id <= 1240; ++id)
        if (ws.shown(id) && id != 1200) ws.click(id);
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
    ConfigRecord stored{};
    const std::vector<uint8_t> bytes = readBytes(options.configPath);
    ASSERT_EQ(bytes.size(), sizeof stored);
    std::memcpy(&stored, bytes.data(), sizeof stored);
    EXPECT_EQ(stored.viewFlags, 0xC2u); // as at start
}
