// Child controls of the Qt backend: where clicks go, the check box, the status
// look, pictures, the slider and owner-drawn buttons; then the lists: what
// clicks select and report, what the logic's own changes do, and the
// owner-drawn items.
#include "platform/qt_test_app.h"

#include <QScrollBar>

TEST_F(QtWindowTest, ControlsHearClicksAndHoverOrPassThemOnAndShowTheirLooks) {
    // One below the other; `reports` false: the window hears the click.
    // 2022 is never shown: not there.
    const uint32_t S = STYLE_SUNKEN, N = STYLE_NOTIFY;
    const std::tuple<int, ControlKind, uint32_t, bool> cases[] = {
        {2003, CONTROL_FIELD, S | N, true},    {2051, CONTROL_FIELD, S, false},
        {9002, CONTROL_GROUP_BOX, 0, false},   {2020, CONTROL_CHECK_BOX, 0, true},
        {2021, CONTROL_PUSH_BUTTON, 0, true},  {2022, CONTROL_PUSH_BUTTON, 0, false},
        {1200, CONTROL_OWNER_BUTTON, 0, true}, {2052, CONTROL_OWNER_STATIC, S, false},
        {2053, CONTROL_OWNER_STATIC, N, true}, {1300, CONTROL_PICTURE, 0, false}};
    int y = 20, x = 0, clickY = 0;
    for (auto [id, kind, style, reports] : cases) {
        SCOPED_TRACE(id);
        system->createControl(id, kind, {16, y - 12, 128, 24}, style, "Driver movement");
        system->showControl(id, id != 2022), system->setCheck(id, 1); // only a check box takes it
        windowMouse(QEvent::MouseMove, {80, y});
        EXPECT_EQ(hovers.back(), reports ? id : 0); // 0: the window itself
        commands.clear(), mouse.clear(), windowMouse(QEvent::MouseButtonPress, {80, y});
        EXPECT_EQ(mouse, (reports ? MouseCalls{} : MouseCalls{{'d', KEY_LEFT, 80, y}}));
        windowMouse(QEvent::MouseButtonRelease, {80, y});
        EXPECT_EQ(commands, (reports ? Commands{{id, NOTIFY_CLICKED, true}} : Commands{}));
        // Where, in the client:
        EXPECT_EQ(system->lastClickPosition(id, x, clickY) && x == 80 && clickY == y, reports);
        y += 48;
    }
    EXPECT_EQ(system->check(2020), 1); // a click leaves the state to the logic
    // The status look is black; a picture keeps a copy of the caller's pixels.
    system->setTextLook(2051, LOOK_STATUS);
    std::vector<uint32_t> image(128 * 24, 0x00FF00);
    system->setControlImage(1300, image.data(), 128, 24), image.assign(image.size(), 0);
    EXPECT_EQ(pixelAt(grabWidget(widget(2051)), 120, 20), 0x000000u);
    EXPECT_EQ(pixelAt(grabWidget(widget(1300)), 127, 23), 0x00FF00u);
}

TEST_F(QtWindowTest, SliderAndOwnerButtonReportRequestsAndOnlyTheLogicMovesOrPaintsThem) {
    auto* slider = qobject_cast<QScrollBar*>(show(2007, CONTROL_SLIDER, {16, 336, 160, 16}));
    system->setSlider(2007, 0, 100, 40);
    for (auto action : {QScrollBar::SliderSingleStepAdd, QScrollBar::SliderSingleStepSub,
                        QScrollBar::SliderPageStepAdd, QScrollBar::SliderPageStepSub,
                        QScrollBar::SliderToMaximum}) // the last asks for nothing
        slider->triggerAction(action);
    EXPECT_EQ(scrolls, (Scrolls{{2007, SCROLL_LINE_RIGHT, 41},
                                {2007, SCROLL_LINE_LEFT, 39},
                                {2007, SCROLL_PAGE_RIGHT, 41},
                                {2007, SCROLL_PAGE_LEFT, 39}}));
    EXPECT_EQ(slider->value(), 40);
    onScroll = [&](int position) { system->setSlider(2007, 0, 100, position + 9); };
    slider->triggerAction(QScrollBar::SliderSingleStepAdd);
    EXPECT_EQ(slider->value(), 50);
    // An owner button is painted by the logic and clicks on a release.
    QWidget* button = show(1200, CONTROL_OWNER_BUTTON, {240, 8, 32, 32});
    std::vector<DrawItem> draws; // their pixels are not kept
    painter = [&](DrawItem& item, std::vector<TextRun>& text) {
        draws.push_back(item);
        std::fill_n(item.pixels, item.width * item.height, 0x112233u + item.selected);
        text.push_back({2, 2, 0xFFFFFF, LOOK_PANEL, "W"});
    };
    QImage shot = grabWidget(button);
    EXPECT_TRUE(draws.back().index == -1 && draws.back().width == 32);
    EXPECT_EQ(pixelAt(shot, 31, 31), 0x112233u);
    int text[2] = {0, 0}; // pixels of the text run drawn over the picture, by half
    for (int i = 0; i < 1024; i++) text[i % 32 > 16] += pixelAt(shot, i % 32, i / 32) != 0x112233u;
    EXPECT_TRUE(text[0] > 5 && text[1] == 0) << text[0] << " " << text[1];
    // A paint that draws nothing shows the last picture.
    painter = [&](DrawItem& item, auto&) { draws.push_back(item); };
    EXPECT_EQ(pixelAt(grabWidget(button), 31, 31), 0x112233u);
    // Painted pressed while held; released outside it is no click.
    for (QPoint release : {QPoint(32, 10), QPoint(31, 14)}) {
        draws.clear(), leftDrag(button, {0, 0}, release);
        ASSERT_EQ(draws.size(), 2u);
        EXPECT_TRUE(draws[0].selected && draws[0].selectionOnly && !draws[1].selected);
    }
    EXPECT_EQ(commands, (Commands{{1200, NOTIFY_CLICKED, true}}));
}

// Lists: a click selects the item only, or toggles it in a multiple-selection
// list, and always reports; the logic's own changes report nothing.
TEST_F(QtWindowTest, ListsReportTheUsersSelectionsButNotTheLogics) {
    makeList(2008, CONTROL_LIST);
    for (int index : {2, 2, 4}) click(index);
    click(4, Qt::LeftButton, Qt::ControlModifier); // Control does not take it away
    click(3, Qt::RightButton);                     // other buttons do nothing,
    click(5);                                      // nor clicks below the items
    sendMouse(viewport, QEvent::MouseButtonDblClick, {40, 72}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(selection(2008), "00001 4");
    const std::tuple sel{2008, NOTIFY_SELECTION, true};
    EXPECT_EQ(commands, (Commands{sel, sel, sel, sel, {2008, NOTIFY_DOUBLE_CLICK, true}}));
    windowMouse(QEvent::MouseMove, {20, 110});
    EXPECT_EQ(hovers.back(), 2008); // over the list's items
    // The program's keys reach it before a focused list, which never sees them.
    system->setAccelerators({{ACCEL_TAB, 0, 5}, {ACCEL_DOWN, 0, 6}});
    widget(2008)->setFocus(), commands.clear();
    for (int key : {Qt::Key_Down, Qt::Key_Tab, Qt::Key_Home}) pressKey(widget(2008), key);
    EXPECT_EQ(commands, (Commands{{6, 0, false}, {5, 0, false}, {2008, NOTIFY_SELECTION, true}}));
    EXPECT_TRUE(widget(2008)->hasFocus());
    // In a multiple-selection list a click toggles the clicked item.
    commands.clear(), painter = [](DrawItem& item, auto&) { // selected 0xFF, the others index + 1
        std::fill_n(item.pixels, item.width * item.height, item.selected ? 0xFF : item.index + 1);
    };
    makeList(2001, CONTROL_OWNER_LIST, STYLE_MULTI_SELECT);
    for (int index : {1, 3, 1}) click(index);
    EXPECT_EQ(selection(2001), "00010 1");
    EXPECT_EQ(commands, Commands(3, {2001, NOTIFY_SELECTION, true}));
    // Dragging over items selects nothing more. Where the press was, in client
    // coordinates, tells the part list's visibility box apart.
    sendMouse(viewport, QEvent::MouseButtonPress, {3, 37}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(viewport, QEvent::MouseMove, {30, 70}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(selection(2001), "00110 2");
    int x = 0, y = 0;
    ASSERT_TRUE(system->lastClickPosition(2001, x, y));
    EXPECT_EQ(QPoint(x, y), viewport->mapTo(client, QPoint(3, 37)));
    // The logic paints the items in rows of 16 pixels, the list's colour below.
    for (auto [y, colour] : {std::pair(0, 1u), {31, 2u}, {32, 0xFFu}, {79, 5u}, {80, 0xE0E0E0u}})
        EXPECT_EQ(pixelAt(grabWidget(viewport), viewport->width() - 1, y), colour) << y;
    // The logic's own changes report nothing.
    commands.clear(), makeList(2010, CONTROL_LIST);
    for (auto [index, selected] : {std::pair(1, true), {3, true}, {-1, true}})
        system->listSelect(2010, index, selected); // one item at a time: -1 selects nothing
    EXPECT_EQ(selection(2010), "00010 3");
    system->listSelect(2010, -1, false);
    EXPECT_EQ(selection(2010), "00000 3");
    makeList(2001, CONTROL_OWNER_LIST, STYLE_MULTI_SELECT);
    for (auto [index, selected] : {std::pair(-1, true), {3, false}, {5, true}}) // 5: past the end
        system->listSelect(2001, index, selected);
    EXPECT_EQ(selection(2001), "11101 -1");
    system->listClear(2001);
    EXPECT_EQ(selection(2001), " -1");
    for (int i = 0; i < 20; i++) system->listAdd(2001, "Item");
    system->listSetTop(2001, 10);
    EXPECT_EQ(qobject_cast<QListWidget*>(widget(2001))->indexAt({5, 2}).row(), 10); // at the top
    EXPECT_TRUE(commands.empty());
}
