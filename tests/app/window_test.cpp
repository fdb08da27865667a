// Start-up, opening and closing, saving, resizing, and the undo folders of
// the editor's window.
#include "editor_fixture.h"

#include "app/buttons.h"
#include "app/help.h"
#include "app/menu.h"
#include "app/mouse.h"
#include "model/car_model.h"
#include "render/render.h"

#include <cstdlib>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

TEST_F(EditorTest, StartUpBuildsTheWindowWithOnlyTheCommandsThatNeedNoCar) {
    start();
    EXPECT_FALSE(ws.has(ID_PART_LIST)); // no lists before a model is loaded
    EXPECT_TRUE(ws.windowShown);
    EXPECT_EQ(ws.title, "Vornix");
    // Header label first, the 76 buttons before the label pictures; hidden.
    EXPECT_EQ(ws.creationOrder.front(), ID_HEADER_LABEL_1);
    const auto at = [&](int id) {
        return std::find(ws.creationOrder.begin(), ws.creationOrder.end(), id) -
               ws.creationOrder.begin();
    };
    EXPECT_LT(at(ID_SWATCH), at(ID_HUE_BAR));
    EXPECT_LT(at(1275), at(1300));
    EXPECT_FALSE(ws.shown(ID_X));
    EXPECT_TRUE(ws.shown(1237)); // the top strip is up
    for (const auto& [id, state] : ws.menuStates) {
        const bool usable = id == 1000 || id == 1003 || id == 1004 || id >= 1022;
        EXPECT_EQ(state & MENU_GRAYED, usable ? 0 : MENU_GRAYED) << id;
    }
    EXPECT_EQ(ws.menuState(1003), MENU_CHECKED); // centring on load, from the defaults
    EXPECT_EQ(buttonStateOf(1201), BUTTON_DISABLED);
    EXPECT_EQ(buttonStateOf(1200), BUTTON_UP);
    // The button pictures were read: the Open button is not plain grey.
    const FakePaint open = ws.paintControl(1200);
    EXPECT_LT(std::count(open.pixels.begin(), open.pixels.end(), 0xC0C0C0u), 30 * 30);
    EXPECT_TRUE(app.aboutShown);
}

TEST_F(EditorTest, TheWindowFitsTheScreen) {
    const struct {
        int screen, width, height;
        bool maximised;
    } cases[] = {{1024, 800, 560, false}, {800, 800, 560, true}, {799, 640, 400, true}};
    for (const auto& c : cases) {
        FakeWindowSystem screen;
        screen.screenWidth = c.screen;
        screen.screenHeight = 600;
        ASSERT_TRUE(startEditor(screen, options));
        EXPECT_EQ(screen.width, c.width) << c.screen;
        EXPECT_EQ(screen.height, c.height) << c.screen;
        EXPECT_EQ(screen.maximised, c.maximised) << c.screen;
        shutDownEditor();
    }
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
    EXPECT_TRUE(model.textureLoaded);
    EXPECT_EQ(ws.title, "Vornix: car.fce");
    EXPECT_FALSE(app.aboutShown);
    EXPECT_EQ(ws.menuState(CMD_SAVE), MENU_ENABLED);
    EXPECT_EQ(ws.menuState(CMD_SOLID), MENU_CHECKED);
    EXPECT_EQ(ws.menuState(CMD_TRANSPARENT_WINDOWS), MENU_CHECKED);
    EXPECT_EQ(buttonStateOf(1231), BUTTON_DOWN);
    EXPECT_TRUE(ws.messageBoxes.empty()); // the program's smoothing data were read
    ASSERT_TRUE(ws.has(ID_PART_LIST));    // the lists exist from the first load on
    EXPECT_FALSE(ws.shown(2013));
    ws.events->paint(); // a paint copies exactly the frame's view to client (192, 48)
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
    EXPECT_EQ(render.viewFlags, VIEW_SOLID);
    EXPECT_EQ(ws.menuState(CMD_TEXTURES), MENU_GRAYED);
    EXPECT_EQ(ws.menuState(CMD_HIDE_WINDOWS), MENU_CHECKED);
    EXPECT_EQ(buttonStateOf(1239), BUTTON_DISABLED);
    EXPECT_EQ(ws.messageBoxes.at(0).text, "Texture file 'bare00.tga' not found!");
    EXPECT_EQ(ws.fileDialogs.back().title, "Open TGA texture file:");
}

TEST_F(EditorTest, DamagedSmoothingDataAreReportedOnOpen) {
    std::vector<uint8_t> file = readBytes(sampleFce());
    setWordAt(file, 8248 + wordAt(file, 0x44) + 4, 1); // block A's vertex count
    writeBytes(dir.file("damaged.fce"), file);
    std::memset(file.data() + 4, 0, 4); // a plain file: no smoothing data at all
    writeBytes(dir.file("plain.fce"), file);
    start();
    for (const char* name : {"damaged.fce", "plain.fce"}) {
        ws.messageBoxes.clear();
        ASSERT_TRUE(openModelFile(dir.file(name)));
        ASSERT_FALSE(ws.messageBoxes.empty()) << name;
        EXPECT_EQ(ws.messageBoxes.back().title, "Message"); // after the texture's
        EXPECT_EQ(ws.messageBoxes.back().text, "Surface smoothing data are damaged or can't be loaded!");
    }
}

TEST_F(EditorTest, FailedOpenDropsTheCarAndSaveThenWritesNothing) {
    const std::string car = sampleCopy();
    start(car);
    const std::vector<uint8_t> saved = readBytes(car);
    writeBytes(dir.file("broken.fce"), std::vector<uint8_t>(100, 0));
    ws.fileAnswers.push_back(dir.file("broken.fce"));
    ws.pressAccelerator(ACCEL_LETTER, 'O');
    EXPECT_EQ(ws.fileDialogs.back().title, "Open NFS4 FCE file:");
    EXPECT_FALSE(model.modelLoaded);
    EXPECT_EQ(ws.title, "Vornix");
    for (int id : {CMD_SAVE, CMD_SAVE_AS, 1012, CMD_HIDE_WINDOWS})
        EXPECT_EQ(ws.menuState(id) & MENU_GRAYED, MENU_GRAYED) << id;
    EXPECT_EQ(buttonStateOf(1201), BUTTON_DISABLED);
    ASSERT_EQ(ws.messageBoxes.size(), 1u); // why the file was refused
    // Accelerator, button, and the commands as if a menu had sent them anyway.
    EXPECT_TRUE(ws.pressAccelerator(ACCEL_LETTER, 'S'));
    EXPECT_TRUE(ws.click(1201));
    ws.events->command(CMD_SAVE, 0, false);
    ws.events->command(CMD_SAVE_AS, 0, false);
    EXPECT_EQ(readBytes(car), saved);
    EXPECT_EQ(ws.messageBoxes.size(), 1u);
    EXPECT_EQ(ws.fileDialogs.size(), 1u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3); // no temporary
    EXPECT_FALSE(saveModel()); // the save path went with the car
}

TEST_F(EditorTest, CloseAsksAboutUnsavedChangesInAllThreeWays) {
    const std::string fce = sampleCopy();
    start(fce);
    const std::vector<uint8_t> before = readBytes(fce);
    model.modelModified = true;
    ws.messageBoxAnswers = {ANSWER_CANCEL, ANSWER_NO};
    ws.close();
    EXPECT_FALSE(ws.quitRequested);
    EXPECT_EQ(ws.messageBoxes.back().text, "Save FCE file before closing?");
    EXPECT_EQ(ws.messageBoxes.back().buttons, BUTTONS_YES_NO_CANCEL);
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

    // A save that fails keeps the window open and the changes marked.
    ws.quitRequested = false;
    model.modelModified = true;
    model.fcePath = dir.file("gone/car.fce");
    ws.messageBoxAnswers.push_back(ANSWER_YES);
    ws.close();
    EXPECT_FALSE(ws.quitRequested);
    EXPECT_TRUE(model.modelModified);
    EXPECT_EQ(ws.messageBoxes.back().text, "Error:2\nNo such file or directory: " + model.fcePath);
}

TEST_F(EditorTest, ResizingMovesTheHelpButtonWidgetAndStatusLine) {
    start(sampleCopy());
    ws.resize(1000, 700);
    EXPECT_EQ(frame.viewWidth, 808);
    EXPECT_EQ(frame.viewHeight, 652);
    const ClientRect help = ws.control(BUTTON_HELP).rect;
    EXPECT_EQ(help.x, 808 + 152);
    EXPECT_EQ(help.y, 8);
    EXPECT_EQ(widgetLeft(), 808 + 144);
    ws.hover(1217);
    EXPECT_EQ(ws.control(ID_STATUS_LINE).rect.y, 652 + 32);
    EXPECT_EQ(ws.control(ID_STATUS_LINE).rect.width, 808);
    // The navigation icons sit in the new top-right corner, white on the view.
    ws.events->paint();
    int white = 0;
    for (int y = 48; y < 48 + 40; ++y)
        for (int x = 192 + 808 - 48; x < 192 + 808; ++x) white += ws.presentedPixel(x, y) == 0xFFFFFF;
    EXPECT_GT(white, 50);
    ws.resize(5000, 5000); // never beyond the screen
    EXPECT_EQ(frame.viewWidth, ws.screenWidth - 192);
    EXPECT_EQ(frame.viewHeight, ws.screenHeight - 48);
}

TEST_F(EditorTest, UndoFoldersOfEditorsGoneAreRemovedAtStart) {
    TempDir temp;
    const char* oldTmp = std::getenv("TMPDIR");
    const std::string saved = oldTmp ? oldTmp : "";
    setenv("TMPDIR", temp.path().c_str(), 1);
    const pid_t gone = fork(); // a process that has certainly ended
    if (gone == 0) _exit(0);
    waitpid(gone, nullptr, 0);
    namespace fs = std::filesystem;
    const std::string dead = "vornix-undo-" + std::to_string(gone) + "-AbCdEf";
    const std::string alive = "vornix-undo-" + std::to_string(getppid()) + "-GhIjKl";
    for (const std::string& name : {dead, alive, std::string("vornix-undo-Legacy")})
        fs::create_directories(temp.file(name) + "/inner");
    writeBytes(temp.file("vornix-undo-" + std::to_string(gone) + "-File00"), {1});
    start();
    EXPECT_FALSE(fs::exists(temp.file(dead)));
    EXPECT_TRUE(fs::exists(temp.file(alive)));
    EXPECT_TRUE(fs::exists(temp.file("vornix-undo-Legacy"))); // whose it is cannot be told
    EXPECT_TRUE(fs::exists(temp.file("vornix-undo-" + std::to_string(gone) + "-File00")));
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), {}), 4); // and this editor's
    shutDownEditor();
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), {}), 3);
    oldTmp ? setenv("TMPDIR", saved.c_str(), 1) : unsetenv("TMPDIR");
}

TEST_F(EditorTest, AppDirPrefersTheProgramFolderThenTheInstalledOne) {
    TempDir program, installed, current;
    const std::string p = program.path().string(), i = installed.path().string(),
                      c = current.path().string();
    EXPECT_EQ(locateAppDir(p, i, c), c);
    writeBytes(installed.file("help.dat"), {'x', '\r', '\n'});
    EXPECT_EQ(locateAppDir(p, i, c), i);
    writeBytes(program.file("help.dat"), {'x', '\r', '\n'});
    EXPECT_EQ(locateAppDir(p, i, c), p);
}
