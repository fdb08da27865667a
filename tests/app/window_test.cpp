// Start-up, opening, grayed commands, closing, resizing and the undo folders
// of the editor's window.
#include "editor_fixture.h"

#include <map>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

TEST_F(EditorTest, TheWindowFitsTheScreen) {
    const int cases[][4] = {{801, 800, 560, false}, {800, 800, 560, true}, {799, 640, 400, true}};
    for (const auto& [screenWidth, width, height, maximised] : cases) {
        FakeWindowSystem screen;
        screen.screenWidth = screenWidth;
        ASSERT_TRUE(startEditor(screen, options));
        EXPECT_EQ(std::make_tuple(screen.width, screen.height, int(screen.maximised)),
                  std::make_tuple(width, height, maximised));
        shutDownEditor();
    }
}

TEST_F(EditorTest, OpenReportsAMissingTextureAndDamagedSmoothingData) {
    std::vector<uint8_t> file = readBytes(sampleFce());
    setWordAt(file, 8248 + wordAt(file, 0x44) + 4, 1); // block A's vertex count
    writeBytes(dir.file("damaged.fce"), file);
    std::memset(file.data() + 4, 0, 4); // a plain file: no smoothing data at all
    writeBytes(dir.file("plain.fce"), file), start(dir.file("plain.fce"));
    ws.fileAnswers = {dir.file("damaged.fce")}; // the texture's dialog is cancelled
    ws.pressAccelerator(ACCEL_LETTER, 'O');
    std::vector<std::string> texts;
    for (const FakeMessageBox& box : ws.messageBoxes) texts.push_back(box.title + ": " + box.text);
    const std::string smoothing = "Message: Surface smoothing data are damaged or can't be loaded!";
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "Error: Texture file 'plain00.tga' not found!", smoothing,
                         "Error: Texture file 'damaged00.tga' not found!", smoothing}));
}

// Menu item, accelerator and button are one command: grayed, it does nothing
// whichever way it comes. After a failed Open the car and its file are gone.
TEST_F(EditorTest, GrayedCommandsDoNothingFromMenuAcceleratorOrButton) {
    const std::string car = sampleCopy();
    start(car);
    const std::vector<uint8_t> saved = readBytes(car);
    writeBytes(dir.file("broken.fce"), std::vector<uint8_t>(100, 0));
    ws.fileAnswers = {dir.file("broken.fce")}, ws.pressAccelerator(ACCEL_LETTER, 'O');
    EXPECT_EQ(std::make_tuple(model.modelLoaded, ws.title, ws.messageBoxes.size()),
              std::make_tuple(false, "Vornix", 1ul)); // why the file was refused
    const std::map<int, int> menu = ws.menuStates;
    const ButtonState before = buttons;
    EXPECT_EQ(menu.at(CMD_SAVE) & menu.at(CMD_HIDE_WINDOWS) & MENU_GRAYED, MENU_GRAYED);
    for (const Accelerator& a : accelerators()) // all but Open, Quit, About and Help
        if (a.id != CMD_OPEN && a.id != CMD_QUIT && a.id != CMD_ABOUT && a.id != CMD_HELP)
            ws.pressAccelerator(a.key, a.letter);
    for (int id = 1201; id <= 1240; ++id) ws.click(id);
    // As if a menu had sent them anyway:
    ws.events->command(CMD_SAVE, 0, false), ws.events->command(CMD_SAVE_AS, 0, false);
    EXPECT_TRUE(ws.menuStates == menu && !std::memcmp(&buttons, &before, sizeof buttons));
    EXPECT_FALSE(saveModel() || saveModelAs(car)); // nor when called past the menu
    EXPECT_EQ(readBytes(car), saved);
    EXPECT_EQ(ws.messageBoxes.size() + ws.fileDialogs.size(), 2u); // the refusal, the Open
    EXPECT_EQ(dir.entries(), 3);                                   // no temporary file
}

TEST_F(EditorTest, CloseAsksAboutUnsavedChanges) {
    const std::string fce = sampleCopy();
    start(fce);
    const std::vector<uint8_t> before = readBytes(fce);
    model.header.partPos[0].x += 1.0f, model.modelModified = true;
    ws.messageBoxAnswers = {ANSWER_CANCEL, ANSWER_NO}, ws.close();
    EXPECT_EQ(std::make_pair(ws.quitRequested, ws.messageBoxes.back().buttons),
              std::make_pair(false, BUTTONS_YES_NO_CANCEL));
    ws.close();
    EXPECT_EQ(std::make_tuple(ws.messageBoxes.back().text, ws.quitRequested, readBytes(fce)),
              std::make_tuple("Save FCE file before closing?", true, before));
    ws.quitRequested = false, ws.messageBoxAnswers = {ANSWER_YES}, ws.menu(CMD_QUIT);
    EXPECT_TRUE(ws.quitRequested && readBytes(fce) != before); // saved
    // A save that fails keeps the window and the changes.
    ws.quitRequested = false, model.modelModified = true, model.fcePath = dir.file("gone/car.fce");
    ws.messageBoxAnswers = {ANSWER_YES}, ws.close();
    EXPECT_TRUE(!ws.quitRequested && model.modelModified);
}

TEST_F(CarTest, ResizingMovesTheHelpButtonWidgetAndStatusLine) {
    ws.resize(1000, 700);
    EXPECT_EQ(std::make_pair(frame.viewWidth, frame.viewHeight), std::make_pair(808, 652));
    EXPECT_EQ(std::make_pair(ws.control(BUTTON_HELP).rect.x, widgetLeft()),
              std::make_pair(808 + 152, 808 + 144));
    ws.hover(1217), ws.events->paint(); // a button's help below the view; the view at (192, 48)
    const ClientRect status = ws.control(ID_STATUS_LINE).rect, view = ws.presentedRect;
    EXPECT_EQ(std::make_tuple(text(ID_STATUS_LINE), status.y, status.width, view.x, view.y),
              std::make_tuple(" For deleting the current part, dummy or color preset", 652 + 32,
                              808, 192, 48));
    ws.hover(-1); // a list or another window leaves it, the panel or the view hides it
    EXPECT_TRUE(ws.shown(ID_STATUS_LINE));
    ws.hover(0);
    EXPECT_FALSE(ws.shown(ID_STATUS_LINE));
    ws.resize(5000, 5000); // never beyond the screen
    EXPECT_EQ(std::make_pair(frame.viewWidth, frame.viewHeight),
              std::make_pair(1024 - 192, 768 - 48));
    ws.menu(CMD_CONTEXT_HELP), ws.hover(1217); // off: no help on hovering
    EXPECT_FALSE(ws.shown(ID_STATUS_LINE));
}

// At its smallest the window holds the strip, Help a step from the last
// button, and the tallest page with the panel's margin of 8 pixels below it.
TEST_F(CarTest, TheSmallestWindowHoldsTheStripAndTheTallestPage) {
    int widest = 0, lowest = 0, strip = 0;
    ws.resize(1, 1);
    for (int p = 0; p < 6; ++p) {
        page(p);
        for (const auto& [id, c] : ws.controls)
            if (c.shown && c.rect.y >= STRIP_HEIGHT)
                widest = std::max(widest, c.rect.x + c.rect.width),
                lowest = std::max(lowest, c.rect.y + c.rect.height);
            else if (c.shown && id != BUTTON_HELP)
                strip = std::max(strip, c.rect.x + c.rect.width);
    }
    EXPECT_EQ(std::make_tuple(widest, lowest, ws.control(BUTTON_HELP).rect.x - strip),
              std::make_tuple(PANEL_WIDTH - 8, ws.height - 8, 4));
}

// A dropped file opens as File > Open opens it: the mapping edit cancelled
// and unsaved changes asked about first (Cancel keeps the car, Yes saves
// it), the first of several files; one that is no car is refused as Open
// refuses it, and the wheel then does nothing.
TEST_F(CarTest, ADroppedFileOpensAsOpenDoes) {
    const std::string car = model.fcePath, other = dir.file("other.fce"),
                      broken = dir.file("broken.fce");
    fs::copy_file(car, other), fs::copy_file(dir.file("car00.tga"), dir.file("other00.tga"));
    writeBytes(broken, std::vector<uint8_t>(100, 0));
    const std::vector<uint8_t> saved = readBytes(car);
    for (int t = 0; t < 10; ++t) model.triangles[t].flags |= TRI_SELECTED;
    page(PAGE_TEXTURES), ws.click(1269), model.modelModified = true;
    ws.messageBoxAnswers = {ANSWER_CANCEL}, ws.drop({other});
    EXPECT_EQ(std::make_tuple(render.textureMappingActive, model.fcePath, ws.messageBoxes.size(),
                              ws.messageBoxes.back().text),
              std::make_tuple(false, car, 1ul, "Save FCE file before closing?"));
    ws.messageBoxAnswers = {ANSWER_YES}, ws.drop({other, broken});
    EXPECT_EQ(std::make_tuple(readBytes(car) != saved, ws.title, ws.messageBoxes.size()),
              std::make_tuple(true, "Vornix: other.fce", 2ul));
    ws.drop({broken}), ws.fileAnswers = {broken}, ws.menu(CMD_OPEN);
    const auto& boxes = ws.messageBoxes;
    EXPECT_EQ(
        std::make_tuple(model.modelLoaded, boxes.size(), boxes[2].text.rfind("Unreadable", 0)),
        std::make_tuple(false, 4ul, 0ul));
    EXPECT_EQ(boxes[2].text, boxes[3].text);
    ws.presented.clear(), ws.wheel(400, 300, 120);
    EXPECT_TRUE(ws.presented.empty());
}

// Undo folders are named after their editor's process; those of editors that
// no longer run go at start, this editor's at exit.
TEST_F(EditorTest, UndoFoldersOfEditorsGoneAreRemovedAtStart) {
    TempDir temp;
    const char* oldTmp = std::getenv("TMPDIR");
    const std::string saved = oldTmp ? oldTmp : "";
    setenv("TMPDIR", temp.path().c_str(), 1);
    const pid_t gone = fork(); // a process that has certainly ended
    if (gone == 0) _exit(0);
    waitpid(gone, nullptr, 0);
    const std::string dead = temp.file("vornix-undo-" + std::to_string(gone) + "-AbCdEf");
    const std::string kept[] = {temp.file("vornix-undo-" + std::to_string(getppid()) + "-GhIjKl"),
                                temp.file("vornix-undo-Legacy"), // whose it is cannot be told
                                temp.file("vornix-undo-" + std::to_string(gone) + "-File00")};
    for (const std::string& d : {dead, kept[0], kept[1]}) fs::create_directories(d + "/a");
    writeBytes(kept[2], {1}), start();
    EXPECT_FALSE(fs::exists(dead));
    for (const std::string& path : kept) EXPECT_TRUE(fs::exists(path)) << path;
    EXPECT_EQ(temp.entries(), 4); // and this editor's
    shutDownEditor();
    EXPECT_EQ(temp.entries(), 3);
    oldTmp ? setenv("TMPDIR", saved.c_str(), 1) : unsetenv("TMPDIR");
}
