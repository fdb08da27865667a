// The configuration record, context help and the in-place number entry.
#include "editor_fixture.h"

#include "app/config.h"
#include "app/control_ids.h"
#include "app/help.h"
#include "app/window_messages.h"
#include "model/car_model.h"
#include "render/render.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <cstring>

TEST(ConfigRecordLayout, FieldsSitWhereTheFileHasThem) {
    EXPECT_EQ(offsetof(ConfigRecord, lastFolder), 8u);
    EXPECT_EQ(offsetof(ConfigRecord, viewFlags), 264u);
    EXPECT_EQ(offsetof(ConfigRecord, axisLocks), 280u);
    EXPECT_EQ(offsetof(ConfigRecord, weldTolerance), 288u);
    EXPECT_EQ(offsetof(ConfigRecord, lightPitch), 292u);
    EXPECT_EQ(offsetof(ConfigRecord, renderCacheValid), 340u);
    EXPECT_EQ(offsetof(ConfigRecord, centerOnLoad), 344u);
    EXPECT_EQ(offsetof(ConfigRecord, textureViewSize), 348u);
    EXPECT_EQ(offsetof(ConfigRecord, contextHelp), 352u);
}

class Settings : public EditorTest {
  protected:
    ConfigRecord written() {
        ConfigRecord record{};
        const std::vector<uint8_t> bytes = readBytes(options.configPath);
        EXPECT_EQ(bytes.size(), sizeof record);
        std::memcpy(&record, bytes.data(), std::min(bytes.size(), sizeof record));
        return record;
    }
};

TEST_F(Settings, MissingFileGivesTheDefaultsAndQuittingWritesThem) {
    start();
    EXPECT_EQ(render.viewFlags, 0xC2u);
    EXPECT_TRUE(model.centerOnLoad);
    EXPECT_TRUE(app.contextHelpOn);
    EXPECT_EQ(panel.dragTarget, DRAG_ROTATE_CAMERA);
    ws.menu(CMD_QUIT);
    ASSERT_TRUE(ws.quitRequested);
    const ConfigRecord r = written();
    EXPECT_EQ(r.headerWord, 0x00020000u);
    EXPECT_EQ(r.recordSize, 356u);
    EXPECT_EQ(r.viewFlags, 0xC2u);
    EXPECT_EQ(r.lightPitch, 180);
    EXPECT_DOUBLE_EQ(r.lightDiffuse, 0.75);
    EXPECT_FLOAT_EQ(r.weldTolerance, 0.002f);
    EXPECT_EQ(r.axisLocks[0], 1);
    EXPECT_EQ(r.textureViewSize, 512);
    EXPECT_EQ(r.centerOnLoad, 1u);
    EXPECT_EQ(r.contextHelp, 1u);
}

TEST_F(Settings, RoundTripKeepsEverySettingAndTheLastFolder) {
    const std::string fce = sampleCopy();
    start(fce);
    ws.menu(CMD_WIREFRAMES);
    ws.menu(CMD_CENTER_ON_LOAD);
    ws.menu(CMD_CONTEXT_HELP);
    light.lightYaw = 77;
    panel.dragTarget = DRAG_ROTATE_LIGHT;
    panel.weldTolerance = 0.01f;
    render.textureViewSize = 256;
    ws.menu(CMD_QUIT);
    const ConfigRecord r = written();
    EXPECT_STREQ(r.lastFolder, dir.path().string().c_str());
    // The next run, in a fresh window.
    TearDown();
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
    EXPECT_EQ(app.fceDialogPath, dir.path().string() + "/");
}

TEST_F(Settings, ShortFileAppliesWhatItCovers) {
    ConfigRecord r{};
    std::strcpy(r.lastFolder, "/some/folder/");
    r.viewFlags = 0x41;
    std::vector<uint8_t> bytes(100);
    std::memcpy(bytes.data(), &r, 100);
    std::filesystem::create_directories(dir.file("config"));
    writeBytes(options.configPath, bytes);
    start();
    EXPECT_EQ(app.fceDialogPath, "/some/folder/");
    EXPECT_EQ(render.viewFlags, 0xC2u); // beyond byte 100: the default
}

TEST_F(Settings, ValuesTheProgramCannotUseKeepTheirDefaults) {
    ConfigRecord r{};
    r.viewFlags = 0xC2;
    r.lightPitch = 5000;
    r.lightYaw = -3;
    r.dragTarget = 3;
    r.textureViewSize = 300;
    r.weldTolerance = std::numeric_limits<float>::quiet_NaN();
    r.lightDiffuse = std::numeric_limits<double>::infinity();
    r.lightAmbient = 0.5;
    r.lightDir[0] = std::numeric_limits<double>::quiet_NaN();
    r.renderCacheValid = 1;
    std::vector<uint8_t> bytes(sizeof r);
    std::memcpy(bytes.data(), &r, sizeof r);
    std::filesystem::create_directories(dir.file("config"));
    writeBytes(options.configPath, bytes);
    start();
    EXPECT_EQ(light.lightPitch, 180);
    EXPECT_EQ(light.lightYaw, 180);
    EXPECT_EQ(panel.dragTarget, DRAG_ROTATE_CAMERA);
    EXPECT_EQ(render.textureViewSize, 512);
    EXPECT_FLOAT_EQ(panel.weldTolerance, 0.002f);
    EXPECT_DOUBLE_EQ(light.lightDiffuse, 0.75);
    EXPECT_DOUBLE_EQ(light.lightAmbient, 0.5);
    EXPECT_TRUE(std::isfinite(light.lightDir[0]));
    EXPECT_FALSE(model.renderCacheValid);
}

TEST(ContextHelp, LinesAreFoundByLineFeedsAndCut) {
    help.helpLines = "first\r\nsecond line\r\n" + std::string(300, 'x') + "\r\nlast";
    EXPECT_EQ(helpLine(0), "first");
    EXPECT_EQ(helpLine(1), "second line");
    EXPECT_EQ(helpLine(2).size(), 254u);
    EXPECT_EQ(helpLine(3), "last");
    EXPECT_EQ(helpLine(4), ""); // past the end of a short file
    EXPECT_EQ(helpLine(75), "");
    help = HelpState{};
}

TEST_F(EditorTest, HoverShowsButtonHelpInTheStatusLine) {
    start(sampleCopy());
    ws.hover(1217);
    EXPECT_EQ(app.tooltipButton, 18);
    EXPECT_TRUE(ws.shown(ID_STATUS_LINE));
    EXPECT_EQ(ws.control(ID_STATUS_LINE).text, " " + helpLine(17));
    EXPECT_FALSE(helpLine(17).empty());
    EXPECT_EQ(ws.control(ID_STATUS_LINE).rect.y, frame.viewHeight + 32);
    ws.hover(-1); // a list or another window leaves it
    EXPECT_TRUE(ws.shown(ID_STATUS_LINE));
    ws.hover(0); // the panel background or the view hides it
    EXPECT_FALSE(ws.shown(ID_STATUS_LINE));
    ws.menu(CMD_CONTEXT_HELP); // off
    ws.hover(1217);
    EXPECT_FALSE(ws.shown(ID_STATUS_LINE));
}

TEST(NumberEntry, CommasLettersAndNonNumbers) {
    EXPECT_FLOAT_EQ(parseNumber("2,25"), 2.25f);
    EXPECT_FLOAT_EQ(parseNumber("-1.5abc"), -1.5f);
    EXPECT_EQ(parseNumber("abc"), 0.0f);
    EXPECT_EQ(parseNumber("inf"), 0.0f);
    EXPECT_EQ(parseNumber("-infinity"), 0.0f);
    EXPECT_EQ(parseNumber("nan"), 0.0f);
    EXPECT_EQ(parseNumber("1e39"), 0.0f);
}

TEST_F(EditorTest, EditNumberReportsChangesAndShowsThreeDecimals) {
    start();
    float value = 1.0f;
    ws.editAnswers.push_back("2,25");
    EXPECT_EQ(editNumber(ID_X, value), 1);
    EXPECT_FLOAT_EQ(value, 2.25f);
    EXPECT_EQ(ws.control(ID_X).text, "2.250");
    EXPECT_TRUE(app.snapshotPending);
    ASSERT_EQ(ws.edits.size(), 1u);
    EXPECT_EQ(ws.edits[0].text, "1.000"); // the entry starts with the value shown
    EXPECT_EQ(ws.edits[0].id, ID_X);
    EXPECT_EQ(ws.edits[0].maxLength, 63);
    app.snapshotPending = false;
    EXPECT_EQ(editNumber(ID_X, value), 0); // accepted unchanged
    EXPECT_FALSE(app.snapshotPending);
    ws.editAnswers.push_back("letters");
    EXPECT_EQ(editNumber(ID_X, value), 1);
    EXPECT_EQ(ws.control(ID_X).text, "0.000");

    char name[NAME_SIZE] = ":HB";
    ws.editAnswers.push_back(":OD");
    EXPECT_EQ(editText(ID_PART_NAME, name), 1);
    EXPECT_STREQ(name, ":OD");
    ws.editAnswers.push_back(std::string(80, 'n'));
    EXPECT_EQ(editText(ID_PART_NAME, name), 1);
    EXPECT_EQ(std::strlen(name), 63u);
}
