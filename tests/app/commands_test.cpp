// Command routing: view modes and their rules, toolbar buttons standing for
// menu items, help pages, keyboard motion, the command filter of the mapping
// edit, About and the Colors page.
#include "editor_fixture.h"

#include "app/panels.h"

// The menu checks of View (x) and the latched buttons of its first four
// items follow the view flags. The steps, two a row: wireframes on, and
// solid off (wireframes stay on); wireframes off with nothing else on (solid
// again), and solid off alone (wireframes); textures with wireframes, and
// solid replaces textures; textures replace solid, and wireframes off beside
// textures; textures off alone (wireframes), and normals on; windows shown,
// not transparent, and hidden; windows shown, transparent.
TEST_F(CarTest, ViewModesKeepTheirRules) {
    const std::tuple<int, uint32_t, const char*> steps[] = {
        {CMD_WIREFRAMES, 0xC3, "xx..x.."},         {CMD_SOLID, 0xC1, "x...x.."},
        {CMD_WIREFRAMES, 0xC2, ".x..x.."},         {CMD_SOLID, 0xC1, "x...x.."},
        {CMD_TEXTURES, 0xC5, "x.x.x.."},           {CMD_SOLID, 0xC3, "xx..x.."},
        {CMD_TEXTURES, 0xC5, "x.x.x.."},           {CMD_WIREFRAMES, 0xC4, "..x.x.."},
        {CMD_TEXTURES, 0xC1, "x...x.."},           {CMD_NORMALS, 0xC9, "x..xx.."},
        {CMD_SOLID_WINDOWS, 0x49, "x..x.x."},      {CMD_HIDE_WINDOWS, 0x09, "x..x..x"},
        {CMD_TRANSPARENT_WINDOWS, 0xC9, "x..xx.."}};
    for (const auto& [command, flags, checks] : steps) {
        ws.menu(command);
        std::string menu, latched;
        for (int id = CMD_WIREFRAMES; id <= CMD_HIDE_WINDOWS; ++id)
            menu += ws.menuState(id) == MENU_CHECKED ? 'x' : '.';
        for (int i = 0; i < 4; ++i) latched += checks[i] == 'x' ? 'D' : 'U';
        EXPECT_EQ(std::make_tuple(render.viewFlags, menu, states(1237, 4)),
                  std::make_tuple(flags, checks, latched))
            << command;
    }
    model.textureLoaded = false; // without a texture the Textures command changes nothing
    ws.events->command(CMD_TEXTURES, 0, false);
    EXPECT_EQ(render.viewFlags, 0xC9u);
}

// Without a car only Open, Quit, the centring and Info are offered. Help
// opens the index then, and the page of the panel shown with a car.
TEST_F(EditorTest, HelpOpensThePageOfThePanelOrSaysItIsMissing) {
    start();
    for (const auto& [id, state] : ws.menuStates)
        EXPECT_EQ(state & MENU_GRAYED,
                  id == 1000 || id == 1003 || id == 1004 || id >= 1022 ? 0 : MENU_GRAYED)
            << id;
    const std::string pages = sourcePath("data") + "/help/";
    const std::string missing =
        "Help file not found.\nPlease run the 'Vornix Help' from the start menu.";
    ws.pressAccelerator(ACCEL_F1);
    ws.openUrlResult = false, ws.menu(CMD_HELP); // no program for the page
    EXPECT_EQ(std::make_tuple(ws.openedUrls, ws.messageBoxes.back().text),
              std::make_tuple(std::vector<std::string>(2, pages + "index.html"), missing));
    ws.openUrlResult = true, ws.fileAnswers = {sampleCopy()};
    ws.click(1200), ws.click(1232), ws.click(BUTTON_HELP); // Open, the Parts page, Help
    EXPECT_EQ(ws.openedUrls.back(), pages + "parts.html");
    app.appDir = dir.path().string(); // a page that is not there: no asking the desktop
    ws.menu(CMD_HELP);
    EXPECT_EQ(std::make_tuple(ws.openedUrls.size(), ws.messageBoxes.at(1).text),
              std::make_tuple(3u, missing));
}

// Arrows, Page Up and Page Down start continuous turns and zooms, End stops
// them; in an axis view they pan and zoom at once.
TEST_F(CarTest, KeysStartAndStopContinuousMotion) {
    ws.pressAccelerator(ACCEL_RIGHT);
    const int yaw = camera.live.yaw;
    ws.idle(3);
    EXPECT_EQ(camera.live.yaw, wrapAngle(yaw + 12)); // 4 quarter degrees a frame
    // Left turns the yaw round and stops the pitch.
    for (AcceleratorKey key : {ACCEL_DOWN, ACCEL_LEFT, ACCEL_PAGE_UP}) ws.pressAccelerator(key);
    EXPECT_EQ(std::make_tuple(motion.motionFlags, motion.yawStep, motion.zoomStep),
              std::make_tuple(MOTION_YAW | MOTION_ZOOM, -4, -0.02f));
    ws.pressAccelerator(ACCEL_END);
    EXPECT_EQ(std::make_pair(motion.motionFlags, ws.continuous), std::make_pair(0u, false));
    ws.pressAccelerator(ACCEL_TAB), camera.live.orthoScale = 998.5f;
    ws.pressAccelerator(ACCEL_PAGE_UP), ws.pressAccelerator(ACCEL_RIGHT);
    EXPECT_EQ(std::make_tuple(camera.live.orthoScale, camera.live.panX, motion.motionFlags),
              std::make_tuple(1000.0f, 0.02f, 0u));
    camera.live.orthoScale = 2.5f, ws.pressAccelerator(ACCEL_PAGE_DOWN);
    EXPECT_EQ(camera.live.orthoScale, 1.0f);
}

// While a mapping is edited, menu commands other than Help (and the arrows)
// and the buttons outside the mapping's own do nothing.
TEST_F(CarTest, MappingEditLetsOnlyHelpThrough) {
    render.textureMappingActive = true;
    ws.menu(CMD_WIREFRAMES), ws.click(1238), ws.pressAccelerator(ACCEL_F6), ws.menu(CMD_HELP);
    EXPECT_EQ(std::make_tuple(render.viewFlags, render.page, ws.openedUrls.size()),
              std::make_tuple(0xC2u, int(PAGE_CAMERA_LIGHT), size_t(1)));
    showPage(PAGE_TEXTURES, true); // showing a page ends the edit
    EXPECT_FALSE(render.textureMappingActive);
}

// About shows its picture until the next command. The Colors page asks for
// textures and tints them, and puts them back when left.
TEST_F(CarTest, AboutAndTheColorsPageChangeTheViewUntilLeft) {
    ws.pressAccelerator(ACCEL_LETTER, 'I');
    const std::vector<uint8_t> untinted(model.textureImage, model.textureImage + 512 * 512 * 4);
    model.selectedColor = 1, ws.pressAccelerator(ACCEL_F9);
    EXPECT_EQ(std::make_pair(ws.messageBoxes.back().text, app.aboutShown),
              std::make_pair(std::string("Colors can only be displayed on textures."), false));
    EXPECT_TRUE((render.viewFlags & 7) == VIEW_TEXTURES &&
                !std::equal(untinted.begin(), untinted.end(), model.textureImage));
    ws.pressAccelerator(ACCEL_F5);
    EXPECT_TRUE(std::equal(untinted.begin(), untinted.end(), model.textureImage));
}
