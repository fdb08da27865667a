// Start-up, the window's controls and menu, opening at start, redraw and
// closing.
#include "editor_fixture.h"

#include "app/buttons.h"
#include "app/control_ids.h"
#include "app/file_dialogs.h"
#include "app/menu.h"
#include "model/car_model.h"
#include "render/render.h"

TEST_F(EditorTest, StartUpBuildsTheWindowInOrder) {
    start();
    EXPECT_FALSE(ws.has(ID_PART_LIST)); // no lists before a model is loaded
    EXPECT_EQ(ws.width, 800);
    EXPECT_EQ(ws.height, 560);
    EXPECT_TRUE(ws.windowShown);
    EXPECT_EQ(ws.title, "Vornix");
    // Header label first, the 76 buttons before the label pictures.
    ASSERT_FALSE(ws.creationOrder.empty());
    EXPECT_EQ(ws.creationOrder.front(), ID_HEADER_LABEL_1);
    const auto at = [&](int id) {
        return std::find(ws.creationOrder.begin(), ws.creationOrder.end(), id) -
               ws.creationOrder.begin();
    };
    EXPECT_LT(at(ID_SWATCH), at(ID_HUE_BAR));
    EXPECT_LT(at(1275), at(1300));
    EXPECT_EQ(ws.control(ID_X).style, STYLE_CENTRED | STYLE_SUNKEN | STYLE_NOTIFY);
    EXPECT_EQ(ws.control(ID_DRIVER_MOVEMENT).text, "Driver movement");
    EXPECT_EQ(ws.control(ID_TEST).text, "Test");
    EXPECT_FALSE(ws.shown(ID_X)); // controls are created hidden
    // The top strip, shown: page buttons, file buttons, undo, view modes, help.
    EXPECT_EQ(ws.control(1231).rect.x, 8);
    EXPECT_EQ(ws.control(1236).rect.x, 188);
    EXPECT_EQ(ws.control(1200).rect.x, 240);
    EXPECT_EQ(ws.control(1204).rect.x, 400);
    EXPECT_EQ(ws.control(1240).rect.x, 560);
    EXPECT_EQ(ws.control(BUTTON_HELP).rect.x, 608 + 152);
    EXPECT_TRUE(ws.shown(1237));
    EXPECT_FALSE(ws.shown(1241));
    // The button pictures were read: the Open button is not plain grey.
    FakePaint open = ws.paintControl(1200);
    int grey = 0;
    for (uint32_t p : open.pixels) grey += p == 0xC0C0C0;
    EXPECT_LT(grey, 30 * 30);
    // The About picture lies on the grey view.
    EXPECT_TRUE(app.aboutShown);
    EXPECT_EQ(frame.viewWidth, 608);
    EXPECT_EQ(frame.viewHeight, 512);
}

TEST_F(EditorTest, MenuHasEveryItemWithItsStartState) {
    start();
    const struct {
        int id;
        const char* text;
        bool grayed;
    } expected[] = {{1000, "Open...\tStrg-O", false}, {1001, "Save\tStrg-S", true},
                    {1002, "Save as...", true},       {1003, "Onload center model", false},
                    {1004, "Quit\tStrg-Q", false},    {1005, "Undo\tStrg-Z", true},
                    {1006, "Redo\tStrg-Y", true},     {1008, "Camera/Light\tF5", true},
                    {1013, "Textures\tF10", true},    {1014, "Wireframes\tStrg-W", true},
                    {1017, "Normals\tStrg-N", true},  {1018, "Transparent Windows", true},
                    {1020, "Hide Windows", true},     {1022, "About Vornix...\tStrg-I", false},
                    {1023, "Help\tF1", false},        {1024, "Context Help", false},
                    {1025, "Tarvane on the internet", false}};
    for (const auto& e : expected) {
        const FakeMenuItem* item = ws.menuItem(e.id);
        ASSERT_NE(item, nullptr) << e.id;
        EXPECT_EQ(item->text, e.text);
        EXPECT_EQ(bool(ws.menuState(e.id) & MENU_GRAYED), e.grayed) << e.id;
    }
    EXPECT_EQ(ws.menuItem(1000)->popup, "&File");
    EXPECT_EQ(ws.menuItem(1022)->popup, "&Info");
    // Checked from the settings: centring on load and context help are on.
    EXPECT_EQ(ws.menuState(1003), MENU_CHECKED);
    EXPECT_EQ(ws.menuState(1024), MENU_CHECKED);
    EXPECT_EQ(ws.accelerators.size(), 25u);
    // Disabled commands show disabled buttons.
    EXPECT_EQ(buttonStateOf(1201), BUTTON_DISABLED);
    EXPECT_EQ(buttonStateOf(1231), BUTTON_DISABLED);
    EXPECT_EQ(buttonStateOf(1200), BUTTON_UP);
}

TEST_F(EditorTest, MissingContextHelpFileIsReportedAndGrayed) {
    TempDir empty;
    options.appDir = empty.path().string();
    start();
    ASSERT_EQ(ws.messageBoxes.size(), 1u);
    EXPECT_EQ(ws.messageBoxes[0].title, "Error");
    EXPECT_EQ(ws.messageBoxes[0].text, "Context help file \"help.dat\" not found!");
    EXPECT_EQ(ws.menuState(CMD_CONTEXT_HELP), MENU_GRAYED);
    EXPECT_FALSE(app.contextHelpOn);
}

TEST_F(EditorTest, OpeningAtStartShowsTheCarAtTheViewCorner) {
    start(sampleCopy());
    EXPECT_TRUE(model.modelLoaded);
    EXPECT_TRUE(model.textureLoaded);
    EXPECT_EQ(ws.title, "Vornix: car.fce");
    EXPECT_FALSE(app.aboutShown);
    EXPECT_EQ(ws.menuState(CMD_SAVE), MENU_ENABLED);
    EXPECT_EQ(ws.menuState(CMD_TEXTURES), MENU_ENABLED);
    EXPECT_EQ(ws.menuState(CMD_SOLID), MENU_CHECKED);
    EXPECT_EQ(ws.menuState(CMD_PAGE_FIRST), MENU_CHECKED);
    EXPECT_EQ(ws.menuState(CMD_TRANSPARENT_WINDOWS), MENU_CHECKED);
    EXPECT_EQ(buttonStateOf(1231), BUTTON_DOWN);
    EXPECT_EQ(buttonStateOf(1238), BUTTON_DOWN);
    EXPECT_EQ(buttonStateOf(1201), BUTTON_UP);
    // The panel lists exist from the first load on, hidden until a page shows them.
    ASSERT_TRUE(ws.has(ID_PART_LIST));
    EXPECT_EQ(ws.control(ID_PART_LIST).kind, CONTROL_OWNER_LIST);
    EXPECT_EQ(ws.control(2018).rect.height, 132);
    EXPECT_FALSE(ws.shown(2013));
    // A paint copies exactly the frame's view to client (192, 48).
    ws.events->paint();
    EXPECT_EQ(ws.presentedRect.x, 192);
    EXPECT_EQ(ws.presentedRect.y, 48);
    EXPECT_EQ(ws.presentedRect.width, frame.viewWidth);
    for (int y = 0; y < frame.viewHeight; y += 37)
        for (int x = 0; x < frame.viewWidth; x += 41)
            ASSERT_EQ(ws.presentedPixel(192 + x, 48 + y), *pixelAt(x, y) & 0xFFFFFF) << x << "," << y;
}

TEST_F(EditorTest, ModelWithoutTextureStartsSolidWithWindowsHidden) {
    const std::string fce = dir.file("bare.fce");
    writeBytes(fce, readBytes(sampleFce()));
    start(fce);
    ASSERT_TRUE(model.modelLoaded);
    EXPECT_FALSE(model.textureLoaded);
    EXPECT_EQ(render.viewFlags, VIEW_SOLID);
    EXPECT_EQ(ws.menuState(CMD_TEXTURES), MENU_GRAYED);
    EXPECT_EQ(ws.menuState(CMD_HIDE_WINDOWS), MENU_CHECKED);
    EXPECT_EQ(buttonStateOf(1239), BUTTON_DISABLED);
    // The missing texture was reported and the file dialog offered.
    ASSERT_FALSE(ws.fileDialogs.empty());
    EXPECT_EQ(ws.fileDialogs.back().title, "Open TGA texture file:");
}

TEST_F(EditorTest, FailedOpenGraysTheModelCommands) {
    start(sampleCopy());
    writeBytes(dir.file("broken.fce"), std::vector<uint8_t>(9000, 0xEE));
    ws.fileAnswers.push_back(dir.file("broken.fce"));
    ws.menu(CMD_OPEN);
    EXPECT_FALSE(model.modelLoaded);
    EXPECT_EQ(ws.title, "Vornix");
    EXPECT_EQ(ws.menuState(CMD_SAVE) & MENU_GRAYED, MENU_GRAYED);
    EXPECT_EQ(ws.menuState(1012) & MENU_GRAYED, MENU_GRAYED);
    EXPECT_EQ(buttonStateOf(1201), BUTTON_DISABLED);
    ASSERT_FALSE(ws.messageBoxes.empty());
    EXPECT_EQ(ws.messageBoxes.back().title, "Error");
    EXPECT_EQ(ws.fileDialogs.back().title, "Open NFS4 FCE file:");
    EXPECT_EQ(ws.fileDialogs.back().filters[0].second, "*.fce");
}

TEST_F(EditorTest, CloseAsksAboutUnsavedChangesInAllThreeWays) {
    const std::string fce = sampleCopy();
    start(fce);
    const std::vector<uint8_t> before = readBytes(fce);
    model.modelModified = true;

    ws.messageBoxAnswers.push_back(ANSWER_CANCEL);
    ws.close();
    EXPECT_FALSE(ws.quitRequested);
    EXPECT_EQ(ws.messageBoxes.back().text, "Save FCE file before closing?");
    EXPECT_EQ(ws.messageBoxes.back().buttons, BUTTONS_YES_NO_CANCEL);

    ws.messageBoxAnswers.push_back(ANSWER_NO);
    ws.close();
    EXPECT_TRUE(ws.quitRequested);
    EXPECT_EQ(readBytes(fce), before); // not saved
    EXPECT_TRUE(std::filesystem::exists(options.configPath)); // settings written

    ws.quitRequested = false;
    model.header.partPos[0].x += 1.0f;
    ws.messageBoxAnswers.push_back(ANSWER_YES);
    ws.menu(CMD_QUIT);
    EXPECT_TRUE(ws.quitRequested);
    EXPECT_FALSE(model.modelModified);
    EXPECT_NE(readBytes(fce), before); // saved
}

TEST_F(EditorTest, SaveThatCannotCreateItsFileSaysSoAndStaysModified) {
    start(sampleCopy());
    model.modelModified = true;
    model.fcePath = dir.file("gone/car.fce");
    ws.messageBoxAnswers.push_back(ANSWER_YES);
    ws.close();
    EXPECT_FALSE(ws.quitRequested); // a failed save keeps the window open
    EXPECT_TRUE(model.modelModified);
    bool reported = false;
    for (const FakeMessageBox& box : ws.messageBoxes)
        reported |= box.text == "Error:2\nNo such file or directory: " + model.fcePath;
    EXPECT_TRUE(reported);
}

TEST_F(EditorTest, AppDirPrefersTheProgramFolderThenTheInstalledOne) {
    TempDir program, installed, current;
    writeBytes(installed.file("help.dat"), {'x', '\r', '\n'});
    EXPECT_EQ(locateAppDir(program.path().string(), installed.path().string(),
                           current.path().string()),
              installed.path().string());
    writeBytes(program.file("help.dat"), {'x', '\r', '\n'});
    EXPECT_EQ(locateAppDir(program.path().string(), installed.path().string(),
                           current.path().string()),
              program.path().string());
    EXPECT_EQ(locateAppDir("", "", current.path().string()), current.path().string());
}

TEST_F(EditorTest, NarrowScreensOpenTheWindowMaximisedOrSmaller) {
    ws.screenWidth = 800;
    ws.screenHeight = 600;
    start();
    EXPECT_TRUE(ws.maximised);
    EXPECT_EQ(ws.width, 800);
}

TEST_F(EditorTest, ScreensBelow800PixelsGetTheSmallWindow) {
    ws.screenWidth = 640;
    ws.screenHeight = 480;
    start();
    EXPECT_TRUE(ws.maximised);
    EXPECT_EQ(ws.width, 640);
    EXPECT_EQ(ws.height, 400);
}

TEST_F(EditorTest, FileDialogsCarryTheirTitlesFiltersAndExtensions) {
    start();
    runFileDialog(DIALOG_FCE_SAVE, "/cars/car.fce");
    runFileDialog(DIALOG_PART_EXPORT, "");
    runFileDialog(DIALOG_PART_IMPORT, "");
    ASSERT_EQ(ws.fileDialogs.size(), 3u);
    EXPECT_TRUE(ws.fileDialogs[0].save);
    EXPECT_EQ(ws.fileDialogs[0].title, "Save NFS4 FCE file as:");
    EXPECT_EQ(ws.fileDialogs[0].extension, "fce");
    EXPECT_EQ(ws.fileDialogs[0].start, "/cars/car.fce");
    EXPECT_EQ(ws.fileDialogs[1].title, "Export part as:");
    EXPECT_EQ(ws.fileDialogs[1].extension, "ffp");
    ASSERT_EQ(ws.fileDialogs[1].filters.size(), 3u);
    EXPECT_EQ(ws.fileDialogs[1].filters[0].first, "Vornix Partfile ");
    EXPECT_EQ(ws.fileDialogs[1].filters[2].second, "*.dxf");
    EXPECT_FALSE(ws.fileDialogs[2].save);
    EXPECT_EQ(ws.fileDialogs[2].title, "Import part:");
}
