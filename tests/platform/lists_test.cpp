// Lists of the Qt backend: what clicks select and report, what the logic's
// own changes do, and the owner-drawn items.
#include "platform/qt_test_app.h"

#include <QListWidget>
#include <QScrollBar>

class QtListTest : public QtWindowTest {
  protected:
    void makeList(int id, ControlKind kind, uint32_t style, int items, int height = 100) {
        system->createControl(id, kind, {16, 100, 120, height}, style | STYLE_NOTIFY, "");
        for (int i = 0; i < items; i++) system->listAdd(id, "Item " + std::to_string(i));
        system->showControl(id, true);
        processEvents();
    }
    QListWidget* list(int id) { return qobject_cast<QListWidget*>(widget(id)); }
    QPoint itemPoint(int id, int index, int x = -1) {
        QRect rect = list(id)->visualItemRect(list(id)->item(index));
        return QPoint(x >= 0 ? x : rect.center().x(), rect.center().y());
    }
    void clickItem(int id, int index, int x = -1) {
        click(list(id)->viewport(), itemPoint(id, index, x));
    }
    std::vector<int> selection(int id) {
        std::vector<int> rows;
        for (int i = 0; i < system->listCount(id); i++)
            if (system->listIsSelected(id, i)) rows.push_back(i);
        return rows;
    }
};

TEST_F(QtListTest, ClickSelectsOneItemAndAlwaysReports) {
    makeList(2008, CONTROL_LIST, STYLE_VSCROLL, 5);
    clickItem(2008, 2);
    EXPECT_EQ(selection(2008), std::vector<int>{2});
    EXPECT_EQ(system->listCurrent(2008), 2);
    clickItem(2008, 2); // the same item again still reports
    clickItem(2008, 4);
    EXPECT_EQ(selection(2008), std::vector<int>{4});
    EXPECT_EQ(events.commands, (std::vector<CommandCall>(3, {2008, NOTIFY_SELECTION, true})));

    // Control does not toggle in a single-selection list.
    QPoint at = itemPoint(2008, 4);
    sendMouse(list(2008)->viewport(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton,
              Qt::ControlModifier);
    EXPECT_EQ(selection(2008), std::vector<int>{4});
}

TEST_F(QtListTest, MultipleSelectionTogglesTheClickedItemOnly) {
    makeList(2009, CONTROL_OWNER_LIST, STYLE_MULTI_SELECT | STYLE_VSCROLL, 11, 100);
    clickItem(2009, 1);
    clickItem(2009, 3);
    EXPECT_EQ(selection(2009), (std::vector<int>{1, 3}));
    clickItem(2009, 1);
    EXPECT_EQ(selection(2009), std::vector<int>{3});
    EXPECT_EQ(system->listCurrent(2009), 1);
    EXPECT_EQ(events.commands.size(), 3u);

    // Dragging over items selects nothing more.
    QListWidget* l = list(2009);
    sendMouse(l->viewport(), QEvent::MouseButtonPress, itemPoint(2009, 0), Qt::LeftButton,
              Qt::LeftButton);
    sendMouse(l->viewport(), QEvent::MouseMove, itemPoint(2009, 2), Qt::NoButton, Qt::LeftButton);
    sendMouse(l->viewport(), QEvent::MouseButtonRelease, itemPoint(2009, 2), Qt::LeftButton,
              Qt::NoButton);
    EXPECT_EQ(selection(2009), (std::vector<int>{0, 3}));
}

TEST_F(QtListTest, ClickPositionIsInClientCoordinates) {
    makeList(2001, CONTROL_OWNER_LIST, STYLE_MULTI_SELECT | STYLE_VSCROLL, 4);
    clickItem(2001, 2, 3);
    int x = 0, y = 0;
    ASSERT_TRUE(system->lastClickPosition(2001, x, y));
    QPoint expected = list(2001)->viewport()->mapTo(client, itemPoint(2001, 2, 3));
    EXPECT_EQ(x, expected.x());
    EXPECT_EQ(y, expected.y());
    EXPECT_LT(x, 24); // on the left box of the item, as the part list needs to tell
    EXPECT_GE(y, 100 + 2 * OWNER_ITEM_HEIGHT);
    EXPECT_LT(y, 100 + 4 + 3 * OWNER_ITEM_HEIGHT);
}

TEST_F(QtListTest, PressesBesideTheItemsDoNothing) {
    makeList(2011, CONTROL_LIST, 0, 2, 100);
    system->listSelect(2011, 1, true);
    QPoint below(20, 3 * OWNER_ITEM_HEIGHT + 10);
    click(list(2011)->viewport(), below);
    sendMouse(list(2011)->viewport(), QEvent::MouseButtonPress, itemPoint(2011, 0), Qt::RightButton,
              Qt::RightButton);
    EXPECT_TRUE(events.commands.empty());
    EXPECT_EQ(selection(2011), std::vector<int>{1});
}

TEST_F(QtListTest, DoubleClickReportsAfterTheSelection) {
    makeList(2008, CONTROL_LIST, STYLE_VSCROLL, 3);
    QPoint at = itemPoint(2008, 1);
    click(list(2008)->viewport(), at);
    sendMouse(list(2008)->viewport(), QEvent::MouseButtonDblClick, at, Qt::LeftButton,
              Qt::LeftButton);
    EXPECT_EQ(events.commands, (std::vector<CommandCall>{{2008, NOTIFY_SELECTION, true},
                                                         {2008, NOTIFY_DOUBLE_CLICK, true}}));
    EXPECT_EQ(selection(2008), std::vector<int>{1});
}

TEST_F(QtListTest, LogicChangesReportNothing) {
    makeList(2010, CONTROL_LIST, STYLE_VSCROLL, 4);
    makeList(2001, CONTROL_OWNER_LIST, STYLE_MULTI_SELECT, 4);
    system->listSelect(2010, 1, true);
    system->listSelect(2010, 3, true); // single selection: replaces
    EXPECT_EQ(selection(2010), std::vector<int>{3});
    EXPECT_EQ(system->listCurrent(2010), 3);
    system->listSelect(2010, -1, false);
    EXPECT_TRUE(selection(2010).empty());

    system->listSelect(2001, 0, true);
    system->listSelect(2001, 2, true);
    EXPECT_EQ(selection(2001), (std::vector<int>{0, 2}));
    EXPECT_EQ(system->listCurrent(2001), 2);
    system->listSelect(2001, -1, true);
    EXPECT_EQ(selection(2001).size(), 4u);
    system->listSelect(2001, 1, false);
    system->listSelect(2001, 9, true); // out of range: ignored
    EXPECT_EQ(selection(2001), (std::vector<int>{0, 2, 3}));

    system->listClear(2010);
    EXPECT_EQ(system->listCount(2010), 0);
    EXPECT_EQ(system->listCurrent(2010), -1);
    system->listAdd(2010, ":LICENSE\xB0");
    EXPECT_EQ(list(2010)->item(0)->text(), QStringLiteral(":LICENSE\u00B0"));
    EXPECT_TRUE(events.commands.empty());
}

TEST_F(QtListTest, OwnerItemsArePaintedByTheLogicIn16PixelRows) {
    events.painter = [](DrawItem& item, std::vector<TextRun>& text) {
        uint32_t colour =
            item.selected ? 0x0000FFu : 0x000010u * static_cast<uint32_t>(item.index + 1);
        std::fill(item.pixels, item.pixels + item.width * item.height, colour);
        text.push_back({20, 0, 0xFFFFFF, LOOK_PANEL, "Part"});
    };
    makeList(2001, CONTROL_OWNER_LIST, STYLE_MULTI_SELECT | STYLE_VSCROLL, 3, 224);
    system->listSelect(2001, 1, true);
    events.draws.clear();
    QImage shot = grabWidget(list(2001)->viewport());
    ASSERT_GE(events.draws.size(), 3u);
    for (const DrawCall& draw : events.draws) {
        EXPECT_EQ(draw.id, 2001);
        EXPECT_EQ(draw.height, OWNER_ITEM_HEIGHT);
        EXPECT_EQ(draw.width, list(2001)->viewport()->width());
        EXPECT_EQ(draw.selected, draw.index == 1);
    }
    EXPECT_EQ(pixelAt(shot, 4, 8), 0x000010u);
    EXPECT_EQ(pixelAt(shot, 4, 16 + 8), 0x0000FFu);
    EXPECT_EQ(pixelAt(shot, 4, 32 + 15), 0x000030u);
    EXPECT_EQ(pixelAt(shot, 4, 48 + 2), 0xE0E0E0u); // the list's background below
}

TEST_F(QtListTest, SetTopScrollsTheItemToTheTop) {
    makeList(2017, CONTROL_LIST, STYLE_VSCROLL, 20, 100);
    system->listSetTop(2017, 10);
    processEvents();
    EXPECT_EQ(list(2017)->indexAt(QPoint(5, 2)).row(), 10);
}
