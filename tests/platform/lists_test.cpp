// Lists of the Qt backend: what clicks select and report, what the logic's
// own changes do, and the owner-drawn items.
#include "platform/qt_test_app.h"

#include <QListWidget>

class QtListTest : public QtWindowTest {
  protected:
    void makeList(int id, ControlKind kind, uint32_t style, int items) {
        system->createControl(id, kind, {16, 100, 120, 100}, style | STYLE_NOTIFY, "");
        for (int i = 0; i < items; i++) system->listAdd(id, "Item");
        system->showControl(id, true);
        viewport = qobject_cast<QListWidget*>(widget(id))->viewport();
    }
    // A press and release in the middle of item `index` (or where it would be).
    void click(int index, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers k = {}) {
        QPoint at(40, OWNER_ITEM_HEIGHT * index + 8);
        sendMouse(viewport, QEvent::MouseButtonPress, at, button, button, k);
        sendMouse(viewport, QEvent::MouseButtonRelease, at, button, Qt::NoButton, k);
    }
    std::string selection(int id) { // '1' for each selected item
        std::string s;
        for (int i = 0; i < system->listCount(id); i++)
            s += system->listIsSelected(id, i) ? '1' : '0';
        return s;
    }
    QWidget* viewport = nullptr;
};

TEST_F(QtListTest, ClickSelectsTheItemOnlyAndAlwaysReports) {
    makeList(2008, CONTROL_LIST, 0, 5);
    for (int index : {2, 2, 4}) click(index);
    click(4, Qt::LeftButton, Qt::ControlModifier); // Control does not take it away
    click(3, Qt::RightButton);                     // other buttons do nothing,
    click(5);                                      // nor clicks below the items
    sendMouse(viewport, QEvent::MouseButtonDblClick, {40, 72}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(selection(2008), "00001");
    EXPECT_EQ(system->listCurrent(2008), 4);
    Commands expected(4, {2008, NOTIFY_SELECTION, true});
    expected.emplace_back(2008, NOTIFY_DOUBLE_CLICK, true);
    EXPECT_EQ(events.commands, expected);
    windowMouse(QEvent::MouseMove, {20, 110});
    EXPECT_EQ(events.hovers.back(), 2008); // over the list's items
}

TEST_F(QtListTest, MultipleSelectionTogglesTheClickedItemAndTellsWhere) {
    events.painter = [](DrawItem& item, auto&) { // selected 0xFF, the others index + 1
        std::fill_n(item.pixels, item.width * item.height, item.selected ? 0xFF : item.index + 1);
    };
    makeList(2001, CONTROL_OWNER_LIST, STYLE_MULTI_SELECT, 5);
    for (int index : {1, 3, 1}) click(index);
    EXPECT_EQ(selection(2001), "00010");
    EXPECT_EQ(system->listCurrent(2001), 1);
    EXPECT_EQ(events.commands, Commands(3, {2001, NOTIFY_SELECTION, true}));
    // Dragging over items selects nothing more. Where the press was, in client
    // coordinates, tells the part list's visibility box apart.
    sendMouse(viewport, QEvent::MouseButtonPress, {3, 37}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(viewport, QEvent::MouseMove, {30, 70}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(selection(2001), "00110");
    int x = 0, y = 0;
    ASSERT_TRUE(system->lastClickPosition(2001, x, y));
    EXPECT_EQ(QPoint(x, y), viewport->mapTo(client, QPoint(3, 37)));
    // The logic paints the items in rows of 16 pixels, the list's colour below.
    QImage shot = grabWidget(viewport);
    for (auto [y, colour] : {std::pair(0, 1u), {31, 2u}, {32, 0xFFu}, {79, 5u}, {80, 0xE0E0E0u}})
        EXPECT_EQ(pixelAt(shot, viewport->width() - 1, y), colour) << y;
}

TEST_F(QtListTest, ChangesByTheLogicReportNothing) {
    makeList(2010, CONTROL_LIST, 0, 5);
    for (auto [index, selected] : {std::pair(1, true), {3, true}, {-1, true}})
        system->listSelect(2010, index, selected); // one item at a time: -1 selects nothing
    EXPECT_EQ(selection(2010), "00010");
    EXPECT_EQ(system->listCurrent(2010), 3);
    system->listSelect(2010, -1, false);
    EXPECT_EQ(selection(2010), "00000");
    makeList(2001, CONTROL_OWNER_LIST, STYLE_MULTI_SELECT, 5);
    for (auto [index, selected] : {std::pair(-1, true), {3, false}, {5, true}}) // 5: past the end
        system->listSelect(2001, index, selected);
    EXPECT_EQ(selection(2001), "11101");
    system->listClear(2001);
    EXPECT_EQ(std::pair(system->listCount(2001), system->listCurrent(2001)), std::pair(0, -1));
    for (int i = 0; i < 20; i++) system->listAdd(2001, "Item");
    system->listSetTop(2001, 10);
    EXPECT_EQ(qobject_cast<QListWidget*>(widget(2001))->indexAt({5, 2}).row(), 10); // at the top
    EXPECT_TRUE(events.commands.empty());
}
