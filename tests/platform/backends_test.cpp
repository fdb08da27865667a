// The fake window system stands in for the Qt backend in the tests of the
// program's logic, so both must report the same for the same user actions
// and keep the same list, check and menu states. Each case runs on both.
#include "app/fake_window_system.h"
#include "platform/qt_test_app.h"

#include <QAction>
#include <QListWidget>
#include <QMainWindow>

namespace {

struct FakeDriver {
    FakeWindowSystem fake;
    WindowSystem& system() { return fake; }
    void start(WindowEvents* events) {
        fake.createMainWindow(events, 800, 560, false);
        fake.showMainWindow();
    }
    void clickItem(int id, int index) { fake.selectListItem(id, index); }
    void clickControl(int id) { fake.click(id); }
    void chooseMenu(int id) { fake.menu(id); }
    void pressControlLetter(char letter) { fake.pressAccelerator(ACCEL_LETTER, letter); }
    bool shown(int id) { return fake.shown(id); }
};

struct QtDriver {
    QtWindowSystem qt;
    WindowSystem& system() { return qt; }
    void start(WindowEvents* events) {
        qt.createMainWindow(events, 800, 560, false);
        qt.showMainWindow();
        processEvents();
    }
    ~QtDriver() { processEvents(); }
    void clickItem(int id, int index) {
        auto* list = qobject_cast<QListWidget*>(qt.controlWidget(id));
        click(list->viewport(), list->visualItemRect(list->item(index)).center());
    }
    // Through the window, which finds what is under the pointer.
    void clickControl(int id) {
        ClientRect rect = qt.controlRect(id);
        QPoint at = qt.clientWidget()->mapTo(
            qt.mainWindow(), QPoint(rect.x + rect.width / 2, rect.y + rect.height / 2));
        windowMouse(qt.mainWindow(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        windowMouse(qt.mainWindow(), QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }
    void chooseMenu(int id) { qt.menuAction(id)->trigger(); }
    void pressControlLetter(char letter) {
        pressKey(qt.clientWidget(), Qt::Key_A + (letter - 'A'), Qt::ControlModifier);
    }
    bool shown(int id) { return qt.controlWidget(id)->isVisible(); }
};

} // namespace

template <class Driver> class BackendTest : public ::testing::Test {
  protected:
    void SetUp() override { driver.start(&events); }
    WindowSystem& ws() { return driver.system(); }
    std::vector<int> selection(int id) {
        std::vector<int> rows;
        for (int i = 0; i < ws().listCount(id); i++)
            if (ws().listIsSelected(id, i)) rows.push_back(i);
        return rows;
    }
    void makeList(int id, ControlKind kind, uint32_t style, int items) {
        ws().createControl(id, kind, {16, 100, 120, 100}, style | STYLE_NOTIFY | STYLE_VSCROLL, "");
        for (int i = 0; i < items; i++) ws().listAdd(id, "Item");
        ws().showControl(id, true);
        processEvents();
    }

    RecordingEvents events;
    Driver driver;
};

using Backends = ::testing::Types<FakeDriver, QtDriver>;
TYPED_TEST_SUITE(BackendTest, Backends);

TYPED_TEST(BackendTest, ShowingTheWindowReportsItsClientSize) {
    ASSERT_FALSE(this->events.resizes.empty());
    EXPECT_EQ(this->events.resizes.back(), std::make_pair(800, 560));
    int width = 0, height = 0;
    this->ws().clientSize(width, height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 560);
}

TYPED_TEST(BackendTest, ListClicksSelectAndReportAlike) {
    this->makeList(2008, CONTROL_LIST, 0, 4);
    this->makeList(2009, CONTROL_OWNER_LIST, STYLE_MULTI_SELECT, 4);
    this->driver.clickItem(2008, 1);
    this->driver.clickItem(2008, 3);
    this->driver.clickItem(2008, 3);
    this->driver.clickItem(2009, 0);
    this->driver.clickItem(2009, 2);
    this->driver.clickItem(2009, 0);
    EXPECT_EQ(this->selection(2008), std::vector<int>{3});
    EXPECT_EQ(this->selection(2009), std::vector<int>{2});
    EXPECT_EQ(this->ws().listCurrent(2008), 3);
    EXPECT_EQ(this->ws().listCurrent(2009), 0);
    std::vector<CommandCall> expected(3, {2008, NOTIFY_SELECTION, true});
    expected.insert(expected.end(), 3, {2009, NOTIFY_SELECTION, true});
    EXPECT_EQ(this->events.commands, expected);

    int x = 0, y = 0;
    ASSERT_TRUE(this->ws().lastClickPosition(2009, x, y));
    EXPECT_GE(x, 16);
    EXPECT_LT(x, 136);
    EXPECT_GE(y, 102);
    EXPECT_LT(y, 102 + OWNER_ITEM_HEIGHT);
}

TYPED_TEST(BackendTest, LogicListChangesAlike) {
    this->makeList(2010, CONTROL_LIST, 0, 5);
    this->makeList(2001, CONTROL_OWNER_LIST, STYLE_MULTI_SELECT, 5);
    WindowSystem& ws = this->ws();
    ws.listSelect(2010, 2, true);
    ws.listSelect(2010, 4, true);
    ws.listSelect(2010, 4, false);
    EXPECT_TRUE(this->selection(2010).empty());
    EXPECT_EQ(ws.listCurrent(2010), 4);
    ws.listSelect(2010, 1, true);
    ws.listSelect(2010, -1, true); // selects nothing in a single-selection list
    EXPECT_EQ(this->selection(2010), std::vector<int>{1});

    ws.listSelect(2001, -1, true);
    ws.listSelect(2001, 3, false);
    ws.listSelect(2001, 7, true);
    EXPECT_EQ(this->selection(2001), (std::vector<int>{0, 1, 2, 4}));
    ws.listSelect(2001, -1, false);
    EXPECT_TRUE(this->selection(2001).empty());
    ws.listClear(2001);
    EXPECT_EQ(ws.listCount(2001), 0);
    EXPECT_EQ(ws.listCurrent(2001), -1);
    EXPECT_FALSE(ws.listIsSelected(2001, 0));
    EXPECT_TRUE(this->events.commands.empty());
}

TYPED_TEST(BackendTest, OnlyShownNotifyingControlsReportClicks) {
    WindowSystem& ws = this->ws();
    ws.createControl(2021, CONTROL_PUSH_BUTTON, {144, 496, 32, 16}, 0, "Test");
    ws.createControl(2020, CONTROL_CHECK_BOX, {16, 496, 128, 16}, 0, "Driver movement");
    ws.createControl(2051, CONTROL_FIELD, {16, 300, 160, 40}, STYLE_SUNKEN, "");
    ws.createControl(2002, CONTROL_FIELD, {16, 348, 160, 20}, STYLE_SUNKEN | STYLE_NOTIFY, "");
    ws.createControl(1249, CONTROL_OWNER_BUTTON, {44, 144, 32, 32}, 0, "");
    EXPECT_FALSE(this->driver.shown(2021));
    this->driver.clickControl(2021); // hidden
    for (int id : {2021, 2020, 2051, 2002, 1249}) ws.showControl(id, true);
    ws.setCheck(2020, 2);
    for (int id : {2021, 2020, 2051, 2002, 1249}) this->driver.clickControl(id);
    EXPECT_EQ(this->events.commands, (std::vector<CommandCall>{{2021, NOTIFY_CLICKED, true},
                                                               {2020, NOTIFY_CLICKED, true},
                                                               {2002, NOTIFY_CLICKED, true},
                                                               {1249, NOTIFY_CLICKED, true}}));
    EXPECT_EQ(ws.check(2020), 2);
    int x = 0, y = 0;
    ASSERT_TRUE(ws.lastClickPosition(1249, x, y));
    EXPECT_TRUE(x >= 44 && x < 76 && y >= 144 && y < 176);
}

TYPED_TEST(BackendTest, MenuStatesAndCommandsAlike) {
    WindowSystem& ws = this->ws();
    ws.createMenu({{"&File", 1000, "Open...\tStrg-O", false},
                   {nullptr, 1001, "Save\tStrg-S", true},
                   {"&Info", 1024, "Context Help", false}});
    ws.setAccelerators({{ACCEL_LETTER, 'O', 1000}, {ACCEL_LETTER, 'S', 1001}});
    EXPECT_EQ(ws.menuState(1001), MENU_GRAYED);
    ws.setMenuState(1024, MENU_CHECKED);
    this->driver.chooseMenu(1001); // grayed
    this->driver.chooseMenu(1024);
    this->driver.pressControlLetter('O');
    this->driver.pressControlLetter('S'); // keys stay the logic's to refuse
    this->driver.pressControlLetter('K');
    EXPECT_EQ(ws.menuState(1024), MENU_CHECKED);
    EXPECT_EQ(this->events.commands,
              (std::vector<CommandCall>{{1024, 0, false}, {1000, 0, false}, {1001, 0, false}}));
}
