// Helpers of the window-system tests: the application (offscreen unless the
// environment names another platform), synthetic mouse and key input, pixels
// grabbed off a widget, and a fixture with a shown main window that records
// what the logic hears.
#pragma once

#include "platform/qt/qt_application.h"
#include "platform/qt/qt_window_system.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QListWidget>
#include <QMainWindow>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>

#include <tuple>

class QtEnvironment : public ::testing::Environment {
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QApplication>(argc, argv), applyApplicationStyle();
    }
    void TearDown() override { application.reset(); }
    int argc = 1;
    char name[13] = "vornix_tests", *argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> application;
};
inline auto* const qtApplication = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

// Mouse and key events as the window system delivers them to a widget, in
// its coordinates.
inline void sendMouse(QWidget* target, int type, QPoint pos, Qt::MouseButton button,
                      Qt::MouseButtons buttons, Qt::KeyboardModifiers keys = {}) {
    QMouseEvent event(QEvent::Type(type), pos, target->mapToGlobal(pos), button, buttons, keys);
    QApplication::sendEvent(target, &event);
}
// A left-button press at `from`, a move to `to` unless it is the same point
// (a click), and the release there.
inline void leftDrag(QWidget* target, QPoint from, QPoint to) {
    sendMouse(target, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    if (to != from) sendMouse(target, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    sendMouse(target, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}
inline void pressKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers), release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target, &press), QApplication::sendEvent(target, &release);
}

inline QImage grabWidget(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}
inline uint32_t pixelAt(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

inline const auto processEvents = [] { QApplication::processEvents(); };
// Runs `action` on the next modal dialog once it is open, while the caller is
// blocked in it.
inline void whenModalOpens(std::function<void(QWidget*)> action) {
    QTimer::singleShot(5, [action] {
        QWidget* modal = QApplication::activeModalWidget();
        modal && modal->isVisible() ? action(modal) : whenModalOpens(action);
    });
}

using Commands = std::vector<std::tuple<int, int, bool>>;        // id, code, from a control
using MouseCalls = std::vector<std::tuple<char, int, int, int>>; // 'd'/'m'/'u', keys, x, y
using Scrolls = std::vector<std::tuple<int, int, int>>;          // id, code, position

// A shown main window with an 800 x 560 client area and no controls, whose
// events the fixture records.
class QtWindowTest : public ::testing::Test, public WindowEvents {
  protected:
    void SetUp() override {
        ASSERT_TRUE(system->createMainWindow(this, 800, 560, false));
        system->showMainWindow(), processEvents(), client = system->clientWidget();
    }
    QWidget* widget(int id) { return system->controlWidget(id); }
    // Creates control `id` and shows it; its widget.
    QWidget* show(int id, ControlKind kind, ClientRect rect, uint32_t style = 0) {
        system->createControl(id, kind, rect, style, "Driver movement");
        return system->showControl(id, true), widget(id);
    }
    // A list of five items, its viewport kept for click().
    void makeList(int id, ControlKind kind, uint32_t style = 0) {
        show(id, kind, {16, 100, 120, 100}, style | STYLE_NOTIFY);
        for (int i = 0; i < 5; i++) system->listAdd(id, "Item");
        viewport = static_cast<QListWidget*>(widget(id))->viewport();
    }
    // A press and release in the middle of item `index` (or where it would be).
    void click(int index, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers k = {}) {
        QPoint at(40, OWNER_ITEM_HEIGHT * index + 8);
        sendMouse(viewport, QEvent::MouseButtonPress, at, button, button, k);
        sendMouse(viewport, QEvent::MouseButtonRelease, at, button, Qt::NoButton, k);
    }
    // '1' for each selected item, then the current one.
    std::string selection(int id) {
        std::string s;
        for (int i = 0; i < system->listCount(id); i++) s += "01"[system->listIsSelected(id, i)];
        return s + " " + std::to_string(system->listCurrent(id));
    }
    // A left-button press, release or plain move at client `at`, given to the
    // main window's native window, which finds the widget there itself.
    void windowMouse(QEvent::Type type, QPoint at) {
        QWidget* window = system->mainWindow();
        at = client->mapTo(window, at);
        QMouseEvent event(type, at, window->mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, {});
        QApplication::sendEvent(window->windowHandle(), &event);
    }

    void command(int id, int code, bool c) override { commands.emplace_back(id, code, c); }
    void scroll(int i, int c, int p) override { scrolls.emplace_back(i, c, p), onScroll(p); }
    void mouseDown(int keys, int x, int y) override { mouse.emplace_back('d', keys, x, y); }
    void mouseMove(int keys, int x, int y) override { mouse.emplace_back('m', keys, x, y); }
    void mouseUp(int keys, int x, int y) override { mouse.emplace_back('u', keys, x, y); }
    void wheel(int, int, int) override {} // the editor's window tests see wheel and drops
    void filesDropped(const std::vector<std::string>&) override {}
    void resize(int width, int height) override { size = {width, height}; }
    void paint() override { onPaint(); }
    void closeRequest() override { closeRequests++; }
    void hover(int controlId) override { hovers.push_back(controlId); }
    void idleFrame() override { onIdle(); }
    void drawItem(DrawItem& item, std::vector<TextRun>& text) override { painter(item, text); }

    Commands commands;
    Scrolls scrolls;
    MouseCalls mouse;
    std::pair<int, int> size; // of the latest resize
    int closeRequests = 0;
    std::vector<int> hovers;
    // What the logic does besides; by default nothing (a painter that leaves
    // the pixels as they are).
    std::function<void(int position)> onScroll = [](int) {};
    std::function<void()> onPaint = [] {}, onIdle = [] {};
    std::function<void(DrawItem&, std::vector<TextRun>&)> painter = [](auto&, auto&) {};
    std::unique_ptr<QtWindowSystem> system = std::make_unique<QtWindowSystem>();
    QWidget* client = nullptr;
    QWidget* viewport = nullptr; // of the latest list
};
