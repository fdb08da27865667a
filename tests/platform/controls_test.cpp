// Child controls of the Qt backend: where clicks go, the check box, the status
// look, pictures, the slider and owner-drawn buttons.
#include "platform/qt_test_app.h"

#include <QScrollBar>

TEST_F(QtWindowTest, ClicksAndHoverReachNotifyingControlsAndGoThroughTheOthers) {
    // One below the other; `reports` false: the window hears the click.
    const std::tuple<int, ControlKind, uint32_t, bool> cases[] = {
        {2003, CONTROL_FIELD, STYLE_SUNKEN | STYLE_NOTIFY, true},
        {2051, CONTROL_FIELD, STYLE_SUNKEN, false},
        {9002, CONTROL_GROUP_BOX, 0, false},
        {2020, CONTROL_CHECK_BOX, 0, true},
        {2021, CONTROL_PUSH_BUTTON, 0, true},
        {2022, CONTROL_PUSH_BUTTON, 0, false}, // never shown: not there
        {1200, CONTROL_OWNER_BUTTON, 0, true},
        {2052, CONTROL_OWNER_STATIC, STYLE_SUNKEN, false},
        {2053, CONTROL_OWNER_STATIC, STYLE_NOTIFY, true},
        {1300, CONTROL_PICTURE, 0, false}};
    int y = 20, x = 0, clickY = 0;
    for (auto [id, kind, style, reports] : cases) {
        SCOPED_TRACE(id);
        system->createControl(id, kind, {16, y - 12, 128, 24}, style, "Driver movement");
        system->showControl(id, id != 2022);
        system->setCheck(id, 1); // only the check box takes it
        windowMouse(QEvent::MouseMove, {80, y});
        EXPECT_EQ(events.hovers.back(), reports ? id : 0); // 0: the window itself
        events.commands.clear();
        events.mouse.clear();
        windowMouse(QEvent::MouseButtonPress, {80, y});
        EXPECT_EQ(events.mouse, (reports ? MouseCalls{} : MouseCalls{{'d', KEY_LEFT, 80, y}}));
        windowMouse(QEvent::MouseButtonRelease, {80, y});
        EXPECT_EQ(events.commands, (reports ? Commands{{id, NOTIFY_CLICKED, true}} : Commands{}));
        EXPECT_EQ(system->lastClickPosition(id, x, clickY), reports); // and where, in the client
        EXPECT_TRUE(!reports || (x == 80 && clickY == y)) << x << "," << clickY;
        y += 48;
    }
    EXPECT_EQ(system->check(2020), 1); // a click leaves the state to the logic
}

TEST_F(QtWindowTest, StatusLookAndPictures) {
    system->createControl(9003, CONTROL_LABEL, {192, 544, 608, 16}, 0, "");
    system->setTextLook(9003, LOOK_STATUS);
    EXPECT_EQ(pixelAt(grabWidget(widget(9003)), 600, 8), 0x000000u); // the status line is black
    system->createControl(1302, CONTROL_PICTURE, {16, 144, 120, 16}, 0, "");
    std::vector<uint32_t> image(120 * 16, 0x00FF00);
    system->setControlImage(1302, image.data(), 120, 16);
    image.assign(image.size(), 0); // the caller's memory may go
    EXPECT_EQ(pixelAt(grabWidget(widget(1302)), 119, 15), 0x00FF00u);
}

TEST_F(QtWindowTest, SliderReportsRequestsAndOnlyTheLogicMovesTheThumb) {
    system->createControl(2007, CONTROL_SLIDER, {16, 336, 160, 16}, 0, "");
    system->setSlider(2007, 0, 100, 40);
    auto* slider = qobject_cast<QScrollBar*>(widget(2007));
    for (auto action : {QScrollBar::SliderSingleStepAdd, QScrollBar::SliderSingleStepSub,
                        QScrollBar::SliderPageStepAdd, QScrollBar::SliderPageStepSub,
                        QScrollBar::SliderToMaximum}) // the last asks for nothing
        slider->triggerAction(action);
    EXPECT_EQ(events.scrolls, (Scrolls{{2007, SCROLL_LINE_RIGHT, 41},
                                       {2007, SCROLL_LINE_LEFT, 39},
                                       {2007, SCROLL_PAGE_RIGHT, 41},
                                       {2007, SCROLL_PAGE_LEFT, 39}}));
    EXPECT_EQ(slider->value(), 40);
    events.onScroll = [&](int position) { system->setSlider(2007, 0, 100, position + 9); };
    slider->triggerAction(QScrollBar::SliderSingleStepAdd);
    EXPECT_EQ(slider->value(), 50);
}

TEST_F(QtWindowTest, OwnerButtonIsPaintedByTheLogicAndClicksOnARelease) {
    system->createControl(1200, CONTROL_OWNER_BUTTON, {240, 8, 32, 32}, 0, "");
    system->showControl(1200, true);
    std::vector<DrawItem> draws; // their pixels are not kept
    events.painter = [&](DrawItem& item, std::vector<TextRun>& text) {
        draws.push_back(item);
        std::fill_n(item.pixels, item.width * item.height, 0x112233u + item.selected);
        text.push_back({2, 2, 0xFFFFFF, LOOK_PANEL, "W"});
    };
    QImage shot = grabWidget(widget(1200));
    EXPECT_TRUE(draws.back().index == -1 && draws.back().width == 32);
    EXPECT_EQ(pixelAt(shot, 31, 31), 0x112233u);
    int text[2] = {0, 0}; // pixels of the text run drawn over the picture, by half
    for (int i = 0; i < 1024; i++) text[i % 32 > 16] += pixelAt(shot, i % 32, i / 32) != 0x112233u;
    EXPECT_TRUE(text[0] > 5 && text[1] == 0) << text[0] << " " << text[1];
    // A paint that draws nothing shows the last picture.
    events.painter = [&](DrawItem& item, auto&) { draws.push_back(item); };
    EXPECT_EQ(pixelAt(grabWidget(widget(1200)), 31, 31), 0x112233u);

    // Painted pressed while held; released outside it is no click.
    for (QPoint release : {QPoint(32, 10), QPoint(31, 14)}) {
        draws.clear();
        sendMouse(widget(1200), QEvent::MouseButtonPress, {0, 0}, Qt::LeftButton, Qt::LeftButton);
        sendMouse(widget(1200), QEvent::MouseMove, release, Qt::NoButton, Qt::LeftButton);
        sendMouse(widget(1200), QEvent::MouseButtonRelease, release, Qt::LeftButton, Qt::NoButton);
        ASSERT_EQ(draws.size(), 2u);
        EXPECT_TRUE(draws[0].selected && draws[0].selectionOnly && !draws[1].selected);
    }
    EXPECT_EQ(events.commands, (Commands{{1200, NOTIFY_CLICKED, true}}));
}
