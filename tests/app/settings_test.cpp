// The configuration file, context help, and the in-place entry of numbers
// and names.
#include "editor_fixture.h"

#include "app/help.h"
#include "app/window_messages.h"
#include "model/car_model.h"
#include "render/render.h"

#include <cmath>
#include <cstring>
#include <sys/stat.h>

namespace {

class Settings : public EditorTest {
  protected:
    void writeConfig(const ConfigRecord& r, size_t bytes = sizeof(ConfigRecord)) {
        std::vector<uint8_t> file(bytes);
        std::memcpy(file.data(), &r, bytes);
        std::filesystem::create_directories(dir.file("config"));
        writeBytes(options.configPath, file);
    }
    // A record as a fresh editor writes it.
    static ConfigRecord defaults() {
        ConfigRecord r{};
        fillConfigRecord(r);
        return r;
    }
};

} // namespace

TEST_F(Settings, QuittingWritesTheSettingsWhereTheFileKeepsThem) {
    start(sampleCopy());
    ws.menu(CMD_WIREFRAMES);
    ws.menu(CMD_CENTER_ON_LOAD);
    ws.menu(CMD_CONTEXT_HELP);
    light.lightYaw = 77;
    panel.dragTarget = DRAG_ROTATE_LIGHT;
    panel.weldTolerance = 0.01f;
    render.textureViewSize = 256;
    ws.menu(CMD_QUIT);
    const std::vector<uint8_t> file = readBytes(options.configPath);
    ASSERT_EQ(file.size(), 356u);
    EXPECT_EQ(wordAt(file, 0), 0x00020000u);
    EXPECT_EQ(wordAt(file, 4), 356u);
    EXPECT_STREQ(reinterpret_cast<const char*>(file.data() + 8), dir.path().c_str());
    EXPECT_EQ(wordAt(file, 264), 0xC3u);
    EXPECT_EQ(wordAt(file, 276), 2u);
    EXPECT_EQ(floatAt(file, 288), 0.01f);
    EXPECT_EQ(wordAt(file, 296), 77u); // the light block starts with pitch, then yaw
    EXPECT_EQ(wordAt(file, 344), 0u);
    EXPECT_EQ(wordAt(file, 348), 256u);
    EXPECT_EQ(wordAt(file, 352), 0u);

    TearDown(); // the next run, in a fresh window
    FakeWindowSystem next;
    options.openFile.clear();
    ASSERT_TRUE(startEditor(next, options));
    EXPECT_EQ(render.viewFlags, 0xC3u);
    EXPECT_FALSE(model.centerOnLoad);
    EXPECT_FALSE(app.contextHelpOn);
    EXPECT_EQ(next.menuState(CMD_CONTEXT_HELP), MENU_ENABLED);
    EXPECT_EQ(light.lightYaw, 77);
    EXPECT_EQ(panel.dragTarget, DRAG_ROTATE_LIGHT);
    EXPECT_FLOAT_EQ(panel.weldTolerance, 0.01f);
    EXPECT_EQ(render.textureViewSize, 256);
    EXPECT_EQ(app.fceDialogPath, dir.path().string() + "/"); // the open dialog starts there
}

TEST_F(Settings, TheLastFolderIsTheCarsFolder) {
    const std::string deep = "/" + std::string(300, 'd') + "/car.fce";
    const std::pair<std::string, std::string> cases[] = {
        {"/tmp/vx.fce", "/tmp"}, {"/vx.fce", "/"}, {"/a/b/", "/a/b"},
        {"car.fce", "/kept"},    {deep, "/kept"}, // no folder, or one too long for the field
    };
    for (const auto& [path, folder] : cases) {
        ConfigRecord r{};
        std::strcpy(r.lastFolder, "/kept");
        app.fceDialogPath = path;
        fillConfigRecord(r);
        EXPECT_STREQ(r.lastFolder, folder.c_str()) << path;
    }
}

TEST_F(Settings, AMissingOrShortFileLeavesTheDefaults) {
    start();
    EXPECT_EQ(render.viewFlags, 0xC2u);
    EXPECT_TRUE(model.centerOnLoad);
    EXPECT_TRUE(app.contextHelpOn);
    EXPECT_EQ(panel.dragTarget, DRAG_ROTATE_CAMERA);
    EXPECT_TRUE(ws.messageBoxes.empty());
    shutDownEditor();

    ConfigRecord r = defaults();
    std::strcpy(r.lastFolder, "/some/folder");
    r.viewFlags = 0x41;
    writeConfig(r, 100);
    FakeWindowSystem next;
    ASSERT_TRUE(startEditor(next, options));
    EXPECT_EQ(app.fceDialogPath, "/some/folder/");
    EXPECT_EQ(render.viewFlags, 0xC2u); // beyond byte 100: the default
}

TEST_F(Settings, ValuesTheProgramCannotUseKeepTheirDefaults) {
    const struct {
        uint32_t viewFlags;
        bool flagsTaken;
        double diffuse, ambient;
        bool sharesTaken;
    } cases[] = {
        {0x01, true, 0.0, 1.0, true},    {0x05, true, 1.0, 0.0, true},
        {0xCB, true, 0.3, 0.7, true},    {0x00, false, 0.3, 0.7, true},
        {0x06, false, -0.01, 0.5, false}, {0x07, false, 0.5, 1.01, false},
        {0x12, false, NAN, 0.5, false},  {0x102, false, 0.5, INFINITY, false},
    };
    for (const auto& c : cases) {
        ConfigRecord r = defaults();
        r.viewFlags = c.viewFlags;
        r.lightDiffuse = c.diffuse;
        r.lightAmbient = c.ambient;
        r.lightPitch = 1440;
        r.lightYaw = -1;
        r.dragTarget = 3;
        r.textureViewSize = 300;
        r.weldTolerance = NAN;
        r.renderCacheValid = 1;
        writeConfig(r);
        render = RenderState{};
        light = LightState{};
        FakeWindowSystem next;
        ASSERT_TRUE(startEditor(next, options));
        EXPECT_EQ(render.viewFlags, c.flagsTaken ? c.viewFlags : 0xC2u) << c.viewFlags;
        if (c.sharesTaken) {
            EXPECT_EQ(light.lightDiffuse, c.diffuse);
            EXPECT_EQ(light.lightAmbient, c.ambient);
        } else { // each share that is out of range gets its default
            EXPECT_EQ(light.lightDiffuse, c.diffuse == 0.5 ? 0.5 : 0.75) << c.diffuse;
            EXPECT_EQ(light.lightAmbient, c.ambient == 0.5 ? 0.5 : 0.25) << c.ambient;
        }
        EXPECT_EQ(light.lightPitch, 180);
        EXPECT_EQ(light.lightYaw, 180);
        EXPECT_EQ(panel.dragTarget, DRAG_ROTATE_CAMERA);
        EXPECT_EQ(render.textureViewSize, 512);
        EXPECT_FLOAT_EQ(panel.weldTolerance, 0.002f);
        EXPECT_FALSE(model.renderCacheValid);
        shutDownEditor();
    }
}

TEST_F(Settings, AFifoInPlaceOfTheFileIsNamedAndNeverWaitedOn) {
    std::filesystem::create_directories(dir.file("config"));
    ASSERT_EQ(mkfifo(options.configPath.c_str(), 0600), 0);
    start();
    ASSERT_EQ(ws.messageBoxes.size(), 1u);
    EXPECT_NE(ws.messageBoxes[0].text.find(options.configPath), std::string::npos);
    ws.menu(CMD_QUIT); // writing the settings does not wait for a reader either
    EXPECT_TRUE(ws.quitRequested);
}

TEST_F(Settings, ContextHelpTakesRegularFilesOfAtMostOneMebibyte) {
    TempDir data;
    app.appDir = data.path().string();
    const std::string path = data.file("help.dat");
    std::string text = "first\r\nsecond line\r\n" + std::string(300, 'x') + "\r\nlast";
    text.resize(size_t(HELP_FILE_LIMIT), ' ');
    writeBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
    ASSERT_TRUE(loadContextHelp());
    EXPECT_EQ(helpLine(0), "first");
    EXPECT_EQ(helpLine(1), "second line");
    EXPECT_EQ(helpLine(2), std::string(254, 'x'));
    EXPECT_EQ(helpLine(4), ""); // past the end of a short file
    text.push_back(' ');
    writeBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
    EXPECT_FALSE(loadContextHelp());
    std::filesystem::remove(path);
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    EXPECT_FALSE(loadContextHelp());
    EXPECT_FALSE(help.loaded);
}

TEST_F(EditorTest, HoverShowsButtonHelpInTheStatusLine) {
    start(sampleCopy());
    ws.hover(1217);
    EXPECT_EQ(app.tooltipButton, 18);
    EXPECT_TRUE(ws.shown(ID_STATUS_LINE));
    EXPECT_EQ(ws.control(ID_STATUS_LINE).text, " " + helpLine(17));
    EXPECT_FALSE(helpLine(17).empty());
    ws.hover(-1); // a list or another window leaves it
    EXPECT_TRUE(ws.shown(ID_STATUS_LINE));
    ws.hover(0); // the panel background or the view hides it
    EXPECT_FALSE(ws.shown(ID_STATUS_LINE));
    ws.menu(CMD_CONTEXT_HELP); // off
    ws.hover(1217);
    EXPECT_FALSE(ws.shown(ID_STATUS_LINE));
}

TEST_F(EditorTest, NumbersAndNamesAreEditedInPlace) {
    const std::pair<const char*, float> numbers[] = {
        {"2,25", 2.25f}, {"-1.5abc", -1.5f}, {"abc", 0}, {"inf", 0}, {"-infinity", 0},
        {"nan", 0},      {"1e39", 0},         {"3.4e38", 3.4e38f}};
    for (const auto& [text, value] : numbers) EXPECT_EQ(parseNumber(text), value) << text;

    start();
    float value = 1.0f;
    ws.editAnswers = {"2,25", "2.25", "letters"};
    EXPECT_EQ(editNumber(ID_X, value), 1);
    EXPECT_EQ(ws.control(ID_X).text, "2.250");
    EXPECT_TRUE(app.snapshotPending);
    EXPECT_EQ(ws.edits[0].text, "1.000"); // the entry starts with the value shown
    EXPECT_EQ(ws.edits[0].maxLength, 63);
    app.snapshotPending = false;
    EXPECT_EQ(editNumber(ID_X, value), 0); // the same value again
    EXPECT_FALSE(app.snapshotPending);
    EXPECT_EQ(editNumber(ID_X, value), 1);
    EXPECT_EQ(ws.control(ID_X).text, "0.000");

    // Names are Windows-1252 bytes; the entry shows and takes UTF-8 text.
    char name[NAME_SIZE] = "\xE9t\xE9";
    ws.editAnswers = {"\xC3\xA9t\xC3\xA9", "\xC3\x84x\xCE\xA9", std::string(80, 'n')};
    EXPECT_EQ(editText(ID_PART_NAME, name), 0); // accepted unchanged
    EXPECT_EQ(ws.edits.back().text, "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(editText(ID_PART_NAME, name), 1);
    EXPECT_STREQ(name, "\xC4x?");
    EXPECT_EQ(ws.control(ID_PART_NAME).text, "\xC3\x84x?");
    EXPECT_EQ(editText(ID_PART_NAME, name), 1);
    EXPECT_EQ(std::strlen(name), 63u);
}
