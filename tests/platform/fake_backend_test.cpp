// What the fake window system records and answers beyond what it shares
// with the Qt backend: the presented picture, scripted dialogs, owner-drawn
// paints through the logic, and the input helpers' refusals.
#include "app/fake_window_system.h"
#include "platform/qt_test_app.h"

class FakeWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(fake.createMainWindow(&events, 800, 560, false));
        fake.run(); // shows the window and returns at once
    }
    RecordingEvents events;
    FakeWindowSystem fake;
};

TEST_F(FakeWindowTest, PresentCopiesTheRowsOfThePicture) {
    std::vector<uint32_t> frame(10 * 4);
    for (int i = 0; i < 40; i++) frame[i] = static_cast<uint32_t>(i);
    fake.present(frame.data(), 10, 192, 48, 3, 2);
    frame.assign(40, 0xFFFFFF); // a copy, not the memory
    EXPECT_EQ(fake.presented, (std::vector<uint32_t>{0, 1, 2, 10, 11, 12}));
    EXPECT_EQ(fake.presentedPixel(193, 49), 11u);
    EXPECT_EQ(fake.presentedPixel(195, 49), 0u); // outside the picture
    EXPECT_EQ(fake.presentCount, 1);
    fake.present(frame.data(), 2, 0, 0, 3, 2); // a pitch below the width is no picture
    EXPECT_TRUE(fake.presented.empty());
}

TEST_F(FakeWindowTest, DialogsAnswerFromTheirScriptsAndAreRecorded) {
    EXPECT_EQ(fake.messageBox("Error", "Out of memory!", BUTTONS_OK, ICON_EXCLAMATION), 1);
    EXPECT_EQ(fake.messageBox("Question", "?", BUTTONS_YES_NO_CANCEL, ICON_QUESTION), 2);
    fake.messageBoxAnswers = {6};
    EXPECT_EQ(fake.messageBox("Question", "Save FCE file before closing?", BUTTONS_YES_NO_CANCEL,
                              ICON_QUESTION),
              6);
    ASSERT_EQ(fake.messageBoxes.size(), 3u);
    EXPECT_EQ(fake.messageBoxes[2].text, "Save FCE file before closing?");

    EXPECT_EQ(fake.openFileDialog("Open NFS4 FCE file:", {{"NFS4 FCE files", "*.fce"}}, ""), "");
    fake.fileAnswers = {"/tmp/car.fce"};
    EXPECT_EQ(
        fake.saveFileDialog("Save NFS4 FCE file as:", {{"NFS4 FCE files", "*.fce"}}, "/tmp", "fce"),
        "/tmp/car.fce");
    ASSERT_EQ(fake.fileDialogs.size(), 2u);
    EXPECT_TRUE(fake.fileDialogs[1].save);
    EXPECT_EQ(fake.fileDialogs[1].extension, "fce");

    EXPECT_EQ(fake.editInPlace(2003, "1.000", 63), "1.000"); // Enter on the text as it was
    fake.editAnswers = {std::string(80, 'x')};
    EXPECT_EQ(fake.editInPlace(2002, "wheel", 63), std::string(63, 'x'));
    EXPECT_EQ(fake.edits[1].id, 2002);
}

TEST_F(FakeWindowTest, OwnerPaintsGoThroughTheLogic) {
    fake.createControl(2052, CONTROL_OWNER_STATIC, {47, 260, 130, 44}, STYLE_SUNKEN, "");
    fake.createControl(2001, CONTROL_OWNER_LIST, {8, 72, 140, 224}, STYLE_MULTI_SELECT, "");
    fake.listAdd(2001, "body");
    fake.listAdd(2001, "wheel");
    fake.listSelect(2001, 1, true);
    events.painter = [](DrawItem& item, std::vector<TextRun>& text) {
        item.pixels[0] = item.selected ? 1 : 2;
        text.push_back({20, 0, 0, LOOK_PANEL, "x"});
    };
    FakePaint swatch = fake.paintControl(2052);
    EXPECT_EQ(swatch.width, 128); // inside the sunken frame, as in the Qt backend
    EXPECT_EQ(swatch.height, 42);
    EXPECT_EQ(swatch.at(0, 0), 2u);
    EXPECT_EQ(swatch.at(5, 5), 0xC0C0C0u);
    FakePaint item = fake.paintListItem(2001, 1);
    EXPECT_EQ(item.height, OWNER_ITEM_HEIGHT);
    EXPECT_EQ(item.at(0, 0), 1u);
    EXPECT_EQ(item.text.size(), 1u);
    ASSERT_EQ(events.draws.size(), 2u);
    EXPECT_EQ(events.draws[1].index, 1);
    EXPECT_TRUE(fake.paintListItem(2001, 2).pixels.empty()); // no such item
}

TEST_F(FakeWindowTest, InputHelpersRefuseWhatTheUserCouldNotDo) {
    fake.createControl(2021, CONTROL_PUSH_BUTTON, {144, 496, 32, 16}, 0, "Test");
    fake.createControl(9001, CONTROL_LABEL, {8, 48, 176, 16}, 0, " Camera");
    fake.createControl(2007, CONTROL_SLIDER, {16, 336, 160, 16}, 0, "");
    EXPECT_FALSE(fake.click(2021)); // hidden
    fake.showControl(2021, true);
    fake.showControl(9001, true);
    fake.showControl(2007, true);
    EXPECT_TRUE(fake.click(2021));
    EXPECT_FALSE(fake.click(9001)); // a plain label
    EXPECT_FALSE(fake.click(4242));
    EXPECT_FALSE(fake.selectListItem(2021, 0));
    EXPECT_FALSE(fake.pressAccelerator(ACCEL_F5));
    EXPECT_FALSE(fake.menu(1000));
    EXPECT_TRUE(fake.scroll(2007, SCROLL_THUMB_TRACK, 30));
    EXPECT_EQ(events.commands, (std::vector<CommandCall>{{2021, NOTIFY_CLICKED, true}}));
    EXPECT_EQ(events.scrolls, (std::vector<ScrollCall>{{2007, SCROLL_THUMB_TRACK, 30}}));
    EXPECT_THROW(fake.control(4242), std::out_of_range);
}

TEST_F(FakeWindowTest, PointerAndLoop) {
    ClientRect view{192, 48, 608, 512};
    fake.confinePointer(&view);
    fake.mouseDown(KEY_LEFT, 300, 200);
    fake.mouseMove(KEY_LEFT, 10, 900);
    fake.confinePointer(nullptr);
    fake.mouseUp(KEY_LEFT, 10, 20);
    EXPECT_EQ(events.mouse,
              (std::vector<MouseCall>{
                  {'d', KEY_LEFT, 300, 200}, {'m', KEY_LEFT, 192, 559}, {'u', KEY_LEFT, 10, 20}}));
    fake.warpPointer(496, 304);
    int x = 0, y = 0;
    fake.pointerPosition(x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(496, 304));

    fake.idle(3); // no frames while waiting
    fake.setContinuous(true);
    events.onIdle = [&] {
        if (events.idleFrames == 2) fake.setContinuous(false);
    };
    fake.idle(5);
    EXPECT_EQ(events.idleFrames, 2);
    fake.quit(-1);
    EXPECT_TRUE(fake.quitRequested);
    EXPECT_EQ(fake.run(), -1);
}
