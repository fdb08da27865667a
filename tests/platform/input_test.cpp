// Keyboard and pointer input of the Qt backend: accelerators before the
// controls, mouse calls with the key-state word, confinement, hover, cursors.
#include "platform/qt_test_app.h"

#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>

namespace {
const std::vector<Accelerator> testAccelerators = {{ACCEL_LETTER, 'O', 1000},
                                                   {ACCEL_F5, 0, 1008},
                                                   {ACCEL_TAB, 0, 1100},
                                                   {ACCEL_DOWN, 0, 1112},
                                                   {ACCEL_PAGE_UP, 0, 1114}};
}

TEST_F(QtWindowTest, AcceleratorsComeBeforeAFocusedList) {
    system->setAccelerators(testAccelerators);
    system->createControl(2008, CONTROL_LIST, {16, 168, 80, 68}, STYLE_VSCROLL, "");
    for (const char* text : {"Base", "Group 1", "Group 2"}) system->listAdd(2008, text);
    system->listSelect(2008, 0, true);
    system->showControl(2008, true);
    auto* list = qobject_cast<QListWidget*>(widget(2008));
    list->setFocus();
    pressKey(list, Qt::Key_Down);
    pressKey(list, Qt::Key_PageUp);
    pressKey(list, Qt::Key_Tab);
    pressKey(list, Qt::Key_O, Qt::ControlModifier);
    pressKey(list, Qt::Key_F5);
    EXPECT_EQ(events.commands, (std::vector<CommandCall>{{1112, 0, false},
                                                         {1114, 0, false},
                                                         {1100, 0, false},
                                                         {1000, 0, false},
                                                         {1008, 0, false}}));
    EXPECT_EQ(system->listCurrent(2008), 0); // the list never saw the arrow
    EXPECT_TRUE(list->hasFocus());           // nor the Tab

    // Keys without an accelerator are the list's own.
    events.commands.clear();
    pressKey(list, Qt::Key_End);
    EXPECT_EQ(events.commands, (std::vector<CommandCall>{{2008, NOTIFY_SELECTION, true}}));
    EXPECT_TRUE(system->listIsSelected(2008, 2));
}

TEST_F(QtWindowTest, NoAcceleratorsWhileAnInPlaceEditIsOpen) {
    system->setAccelerators(testAccelerators);
    system->createControl(2003, CONTROL_FIELD, {16, 376, 50, 20}, STYLE_NOTIFY, "1.000");
    system->showControl(2003, true);
    whenModalOpens([&](QWidget* editor) {
        pressKey(client, Qt::Key_Down);
        pressKey(editor->findChild<QLineEdit*>(), Qt::Key_F5);
        pressKey(editor->findChild<QLineEdit*>(), Qt::Key_Return);
    });
    EXPECT_EQ(system->editInPlace(2003, "1.000", 63), "1.000");
    EXPECT_TRUE(events.commands.empty());
}

TEST_F(QtWindowTest, MouseCallsCarryTheKeyStateWord) {
    sendMouse(client, QEvent::MouseButtonPress, {300, 200}, Qt::LeftButton, Qt::LeftButton,
              Qt::ShiftModifier);
    sendMouse(client, QEvent::MouseMove, {310, 190}, Qt::NoButton, Qt::LeftButton,
              Qt::ControlModifier);
    sendMouse(client, QEvent::MouseButtonPress, {310, 190}, Qt::RightButton,
              Qt::LeftButton | Qt::RightButton);
    sendMouse(client, QEvent::MouseButtonRelease, {311, 191}, Qt::LeftButton, Qt::RightButton);
    sendMouse(client, QEvent::MouseButtonRelease, {311, 191}, Qt::RightButton, Qt::NoButton);
    sendMouse(client, QEvent::MouseButtonPress, {5, 6}, Qt::MiddleButton, Qt::MiddleButton);
    sendMouse(client, QEvent::MouseButtonRelease, {5, 6}, Qt::MiddleButton, Qt::NoButton);
    sendMouse(client, QEvent::MouseMove, {7, 8}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(events.mouse, (std::vector<MouseCall>{{'d', KEY_LEFT | KEY_SHIFT, 300, 200},
                                                    {'m', KEY_LEFT | KEY_CONTROL, 310, 190},
                                                    {'d', KEY_LEFT | KEY_RIGHT, 310, 190},
                                                    {'u', KEY_LEFT | KEY_RIGHT, 311, 191},
                                                    {'u', KEY_RIGHT, 311, 191},
                                                    {'d', KEY_MIDDLE, 5, 6},
                                                    {'u', KEY_MIDDLE, 5, 6},
                                                    {'m', 0, 7, 8}}));
}

TEST_F(QtWindowTest, PressesOnControlsDoNotReachTheWindow) {
    system->createControl(2021, CONTROL_PUSH_BUTTON, {144, 496, 32, 16}, 0, "Test");
    system->showControl(2021, true);
    QPoint inWindow = client->mapTo(system->mainWindow(), QPoint(150, 500));
    windowMouse(system->mainWindow(), QEvent::MouseButtonPress, inWindow, Qt::LeftButton,
                Qt::LeftButton);
    windowMouse(system->mainWindow(), QEvent::MouseButtonRelease, inWindow, Qt::LeftButton,
                Qt::NoButton);
    EXPECT_TRUE(events.mouse.empty());
    EXPECT_EQ(events.commands, (std::vector<CommandCall>{{2021, NOTIFY_CLICKED, true}}));
}

TEST_F(QtWindowTest, ConfinementKeepsDragsInsideTheRectangle) {
    ClientRect view{192, 48, 608, 512};
    system->confinePointer(&view);
    sendMouse(client, QEvent::MouseMove, {50, 20}, Qt::NoButton, Qt::LeftButton);
    sendMouse(client, QEvent::MouseMove, {900, 700}, Qt::NoButton, Qt::LeftButton);
    sendMouse(client, QEvent::MouseMove, {400, 300}, Qt::NoButton, Qt::LeftButton);
    sendMouse(client, QEvent::MouseButtonRelease, {10, 300}, Qt::LeftButton, Qt::NoButton);
    system->confinePointer(nullptr);
    sendMouse(client, QEvent::MouseMove, {50, 20}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(events.mouse, (std::vector<MouseCall>{{'m', KEY_LEFT, 192, 48},
                                                    {'m', KEY_LEFT, 799, 559},
                                                    {'m', KEY_LEFT, 400, 300},
                                                    {'u', KEY_LEFT, 192, 300},
                                                    {'m', 0, 50, 20}}));
}

TEST_F(QtWindowTest, WarpedPointerIsWhereItWasPut) {
    system->warpPointer(400, 300);
    int x = 0, y = 0;
    system->pointerPosition(x, y);
    EXPECT_EQ(x, 400);
    EXPECT_EQ(y, 300);
}

TEST_F(QtWindowTest, HoverTellsWhichControlIsUnderThePointer) {
    system->createControl(1231, CONTROL_OWNER_BUTTON, {8, 8, 32, 32}, 0, "");
    system->createControl(9001, CONTROL_LABEL, {8, 48, 176, 16}, 0, " Camera");
    system->createControl(2008, CONTROL_LIST, {16, 168, 80, 68}, 0, "");
    system->createControl(1232, CONTROL_OWNER_BUTTON, {44, 8, 32, 32}, 0, "");
    for (int id : {1231, 9001, 2008}) system->showControl(id, true);
    QMainWindow* window = system->mainWindow();
    auto at = [&](int x, int y) { return client->mapTo(window, QPoint(x, y)); };
    for (QPoint point : {at(20, 20), at(500, 300), at(20, 56), at(30, 200), at(50, 20)})
        windowMouse(window, QEvent::MouseMove, point, Qt::NoButton, Qt::NoButton);
    // A label is part of the window's background; a hidden control is not there.
    EXPECT_EQ(events.hovers, (std::vector<int>{1231, 0, 0, 2008, 0}));
    system->createMenu({{"&File", 1000, "Open...", false}});
    processEvents();
    windowMouse(window, QEvent::MouseMove, window->menuBar()->geometry().center(), Qt::NoButton,
                Qt::NoButton);
    EXPECT_EQ(events.hovers.back(), -1);
}

TEST_F(QtWindowTest, CursorShapesAndHiding) {
    system->setCursorShape(CURSOR_CROSS);
    EXPECT_EQ(client->cursor().shape(), Qt::CrossCursor);
    std::vector<uint32_t> image(32 * 32, 0xFF000000);
    system->setCursorImage(CURSOR_PROGRAM_1400, image.data(), 3, 4);
    system->setCursorShape(CURSOR_PROGRAM_1400);
    EXPECT_EQ(client->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(client->cursor().hotSpot(), QPoint(3, 4));
    system->showPointer(false);
    EXPECT_EQ(client->cursor().shape(), Qt::BlankCursor);
    system->showPointer(true);
    EXPECT_EQ(client->cursor().shape(), Qt::BitmapCursor);
    system->setCursorShape(CURSOR_ARROW);
    EXPECT_EQ(client->cursor().shape(), Qt::ArrowCursor);
}
