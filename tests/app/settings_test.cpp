// The configuration file, context help, and the in-place entry of numbers
// and names.
#include "editor_fixture.h"

#include "app/help.h"
#include "app/window_messages.h"

#include <cmath>
#include <sys/stat.h>

// The last folder is kept without its final '/'; the open dialog of the next
// run starts in it.
TEST_F(EditorTest, QuittingWritesTheSettingsForTheNextRun) {
    start(sampleCopy());
    for (int command : {CMD_WIREFRAMES, CMD_CENTER_ON_LOAD, CMD_CONTEXT_HELP}) ws.menu(command);
    light.lightYaw = 77, panel.dragTarget = DRAG_ROTATE_LIGHT, render.textureViewSize = 256;
    ws.menu(CMD_QUIT);
    const std::vector<uint8_t> file = readBytes(options.configPath);
    ASSERT_EQ(file.size(), 356u);
    EXPECT_STREQ(reinterpret_cast<const char*>(file.data() + 8), dir.path().c_str());
    // Header word and size, view flags, light yaw (after its pitch), texture
    // view size, centring and context help.
    EXPECT_EQ(std::make_tuple(wordAt(file, 0), wordAt(file, 4), wordAt(file, 264),
                              wordAt(file, 296), wordAt(file, 348),
                              wordAt(file, 344) + wordAt(file, 352)),
              std::make_tuple(0x20000u, 356u, 0xC3u, 77u, 256u, 0u));
    restart();
    EXPECT_EQ(std::make_tuple(render.viewFlags, light.lightYaw, panel.dragTarget,
                              render.textureViewSize, model.centerOnLoad, app.contextHelpOn),
              std::make_tuple(0xC3u, 77, int(DRAG_ROTATE_LIGHT), 256, false, false));
    ws.pressAccelerator(ACCEL_LETTER, 'O');
    EXPECT_EQ(ws.fileDialogs.at(0).start, dir.path().string() + "/");
}

TEST_F(EditorTest, TheLastFolderIsTheCarsFolder) {
    const std::string deep = "/" + std::string(254, 'd'), deeper = deep + "d";
    const std::pair<std::string, std::string> cases[] = {
        {"/tmp/vx.fce", "/tmp"},      {"/vx.fce", "/"}, {"/a/b/", "/a/b"}, {deep + "/c.fce", deep},
        {deeper + "/c.fce", "/kept"}, // one too long for the field
        {"car.fce", "/kept"},         // no folder
    };
    for (const auto& [path, folder] : cases) {
        ConfigRecord r{};
        std::strcpy(r.lastFolder, "/kept"), app.fceDialogPath = path, fillConfigRecord(r);
        EXPECT_STREQ(r.lastFolder, folder.c_str()) << path;
    }
}

// A FIFO in place of the file is reported, and neither read nor written.
TEST_F(EditorTest, AMissingShortOrOddFileLeavesTheDefaults) {
    start();
    EXPECT_TRUE(model.centerOnLoad && app.contextHelpOn && ws.messageBoxes.empty());
    ConfigRecord r{};
    fillConfigRecord(r), std::strcpy(r.lastFolder, "/"), r.viewFlags = 0x41;
    restart(&r, 100); // the view flags lie beyond byte 100: the default
    EXPECT_EQ(std::make_tuple(app.fceDialogPath, render.viewFlags), std::make_tuple("/", 0xC2u));
    std::filesystem::remove(options.configPath);
    ASSERT_EQ(mkfifo(options.configPath.c_str(), 0600), 0);
    restart();
    EXPECT_NE(ws.messageBoxes.at(0).text.find(options.configPath), std::string::npos);
    ws.menu(CMD_QUIT);
    EXPECT_TRUE(ws.quitRequested);
}

// Every case holds only usable values, or none: each then has its default.
// The view flags are wireframes alone, textures with wireframes, no mode,
// solid with textures, an unknown bit and another.
TEST_F(EditorTest, ValuesTheProgramCannotUseKeepTheirDefaults) {
    const double below = std::nextafter(0.0, -1.0), above = std::nextafter(1.0, 2.0);
    const std::tuple<uint32_t, double, double, bool> cases[] = {
        {0x01, 0.0, 1.0, true},      {0x05, 1.0, 0.0, true},       {0x00, below, above, false},
        {0x06, above, below, false}, {0x12, NAN, INFINITY, false}, {0x102, -INFINITY, NAN, false}};
    // Weld tolerances: the largest and a tiny one taken; just above 0.1, 0,
    // below 0 and not a number refused.
    const float welds[] = {0.1f, 1e-9f, std::nextafter(0.1f, 1.0f), 0.0f, -0.01f, NAN};
    const float* weld = welds;
    for (const auto& [flags, diffuse, ambient, usable] : cases) {
        ConfigRecord r{};
        fillConfigRecord(r);
        r.viewFlags = flags, r.lightDiffuse = diffuse, r.lightAmbient = ambient;
        r.lightPitch = usable ? 1439 : 1440, r.lightYaw = usable ? 0 : -1;
        r.dragTarget = usable ? 2 : 3, r.weldTolerance = *weld, restart(&r);
        EXPECT_EQ(std::make_tuple(render.viewFlags, light.lightDiffuse, light.lightAmbient),
                  usable ? std::make_tuple(flags, diffuse, ambient)
                         : std::make_tuple(0xC2u, 0.75, 0.25))
            << flags;
        EXPECT_EQ(std::make_tuple(light.lightPitch, light.lightYaw, panel.dragTarget,
                                  editSettings.weldTolerance),
                  usable ? std::make_tuple(1439, 0, 2, *weld++)
                         : (++weld, std::make_tuple(180, 180, 1, 0.002f)))
            << flags;
    }
}

TEST_F(EditorTest, ContextHelpIsARegularFileOfAtMostOneMebibyte) {
    TempDir data;
    options.appDir = data.path().string();
    start(); // none at all: reported, and context help grayed
    EXPECT_EQ(std::make_tuple(ws.messageBoxes.at(0).text, ws.menuState(CMD_CONTEXT_HELP),
                              app.contextHelpOn),
              std::make_tuple("Context help file \"help.dat\" not found!", MENU_GRAYED, false));
    const std::string path = data.file("help.dat");
    std::string text = "first\r\nsecond line\r\n" + std::string(300, 'x') + "\r\nlast";
    text.resize(size_t(HELP_FILE_LIMIT), ' ');
    writeBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
    ASSERT_TRUE(loadContextHelp());
    EXPECT_EQ(std::make_tuple(helpLine(0), helpLine(1), helpLine(2), helpLine(4)),
              std::make_tuple("first", "second line", std::string(254, 'x'), "")); // 4: none
    writeBytes(path, std::vector<uint8_t>(size_t(HELP_FILE_LIMIT) + 1, 'x'));
    EXPECT_FALSE(loadContextHelp());
    std::filesystem::remove(path);
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    EXPECT_FALSE(loadContextHelp());
}

// Names are Windows-1252 bytes; the entry shows and takes UTF-8 text.
TEST_F(EditorTest, NumbersAndNamesAreEditedInPlace) {
    const std::pair<const char*, float> numbers[] = {
        {"2,25", 2.25f},     {"-1.5abc", -1.5f},  {"abc", 0},          {"inf", 0},
        {"-infinity", 0},    {"nan", 0},          {"3.4e38", 3.4e38f}, {"-3.4e38", -3.4e38f},
        {"3.4000001e38", 0}, {"-3.4000001e38", 0}}; // the largest float is about 3.4028e38
    for (const auto& [entered, value] : numbers) EXPECT_EQ(parseNumber(entered), value) << entered;

    start();
    float value = 1.0f;
    ws.editAnswers = {"2,25", "2.25"};
    EXPECT_EQ(editNumber(ID_X, value), 1);
    EXPECT_EQ(std::make_tuple(ws.edits[0], text(ID_X), app.snapshotPending),
              std::make_tuple("1.000", "2.250", true)); // as shown, before and after
    app.snapshotPending = false;
    EXPECT_TRUE(editNumber(ID_X, value) == 0 && !app.snapshotPending); // the same value again

    char name[NAME_SIZE] = "\xE9t\xE9";
    ws.editAnswers = {"\xC3\xA9t\xC3\xA9", "\xC3\x84x\xCE\xA9", std::string(80, 'n')};
    EXPECT_EQ(editText(ID_PART_NAME, name), 0); // accepted unchanged
    EXPECT_EQ(ws.edits.back(), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(editText(ID_PART_NAME, name), 1);
    EXPECT_EQ(std::make_pair(std::string(name), text(ID_PART_NAME)),
              std::make_pair(std::string("\xC4x?"), std::string("\xC3\x84x?"))); // no omega
}
