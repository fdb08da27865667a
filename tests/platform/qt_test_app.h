// Helpers of the window-system tests: a WindowEvents that records every call,
// synthetic mouse and key input, and grabbing pixels off a widget.
#pragma once

#include "platform/window_system.h"

#include <QEvent>
#include <QImage>
#include <QMainWindow>
#include <QPoint>
#include <QWidget>
#include <Qt>

#include <functional>
#include <string>
#include <vector>

class QWidget;

struct CommandCall {
    int id, code;
    bool fromControl;
    bool operator==(const CommandCall&) const = default;
};

struct MouseCall {
    char kind; // 'd'own, 'm'ove, 'u'p
    int keys, x, y;
    bool operator==(const MouseCall&) const = default;
};

struct ScrollCall {
    int id, code, position;
    bool operator==(const ScrollCall&) const = default;
};

struct DrawCall {
    int id, index;
    bool selected, selectionOnly;
    int width, height;
};

class RecordingEvents : public WindowEvents {
  public:
    void command(int id, int code, bool fromControl) override;
    void scroll(int id, int code, int position) override;
    void mouseDown(int keys, int x, int y) override { mouse.push_back({'d', keys, x, y}); }
    void mouseMove(int keys, int x, int y) override { mouse.push_back({'m', keys, x, y}); }
    void mouseUp(int keys, int x, int y) override { mouse.push_back({'u', keys, x, y}); }
    void resize(int width, int height) override { resizes.emplace_back(width, height); }
    void paint() override;
    void closeRequest() override { closeRequests++; }
    void hover(int controlId) override { hovers.push_back(controlId); }
    void idleFrame() override;
    void drawItem(DrawItem& item, std::vector<TextRun>& text) override;

    std::vector<CommandCall> commands;
    std::vector<ScrollCall> scrolls;
    std::vector<MouseCall> mouse;
    std::vector<std::pair<int, int>> resizes;
    int paints = 0;
    int closeRequests = 0;
    std::vector<int> hovers;
    int idleFrames = 0;
    std::vector<DrawCall> draws;

    // Optional behaviour of the logic.
    std::function<void(const CommandCall&)> onCommand;
    std::function<void(const ScrollCall&)> onScroll;
    std::function<void()> onPaint;
    std::function<void()> onIdle;
    std::function<void(DrawItem&, std::vector<TextRun>&)> painter; // default: leaves the pixels
};

// Mouse and key events as the window system delivers them to `target` (a
// widget, or with windowEvent the main window's native window, which finds
// the widget under the pointer itself). Positions are in `target`'s
// coordinates.
void sendMouse(QWidget* target, int type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void click(QWidget* target, QPoint pos);
void windowMouse(QWidget* window, int type, QPoint pos, Qt::MouseButton button,
                 Qt::MouseButtons buttons);
void pressKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// The widget's picture as 0x00RRGGBB pixels.
QImage grabWidget(QWidget* widget);
inline uint32_t pixelAt(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}
// How many pixels of `area` are light in every channel (text on a dark ground).
int countLight(const QImage& image, const QRect& area);

// Runs the event loop until `done` or `milliseconds` passed; true when done.
bool processUntil(const std::function<bool()>& done, int milliseconds = 2000);
void processEvents();

// Runs `action` once a modal dialog is open (polls for it), while the caller
// is blocked in that dialog; with `wanted`, only on a dialog it accepts.
void whenModalOpens(std::function<void(QWidget*)> action,
                    std::function<bool(QWidget*)> wanted = nullptr);

#include "platform/qt/qt_window_system.h"

#include <gtest/gtest.h>

#include <memory>

// A shown main window with an 800 x 560 client area and no controls.
class QtWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        system = std::make_unique<QtWindowSystem>();
        ASSERT_TRUE(system->createMainWindow(&events, 800, 560, false));
        system->showMainWindow();
        processEvents();
        client = system->clientWidget();
    }
    void TearDown() override {
        system.reset();
        processEvents(); // controls replaced by createControl go here
    }
    QWidget* widget(int id) { return system->controlWidget(id); }

    RecordingEvents events;
    std::unique_ptr<QtWindowSystem> system;
    QWidget* client = nullptr;
};
