// The state the Qt backend's widgets share: where events go, the main window
// and its client area, the fonts, and the latest click of each control.
#pragma once

#include "platform/qt/qt_looks.h"
#include "platform/window_system.h"

#include <QPoint>
#include <QUrl>

#include <map>
#include <string>
#include <vector>

class QMainWindow;
class QWidget;

struct QtShared {
    WindowEvents* events = nullptr;
    QMainWindow* window = nullptr;
    QWidget* client = nullptr;
    LookFonts fonts;
    std::vector<Accelerator> accelerators;
    std::map<int, QPoint> lastClicks; // control ID -> client position of the click

    // A notification of a control: remembers where the click was (`from` and
    // `localPos` null for keyboard) and passes the command to the logic.
    void notify(int id, int code, const QWidget* from, const QPoint* localPos);
};

// The property that marks a control widget with its ID.
constexpr const char* CONTROL_ID_PROPERTY = "vornixControlId";

// The ID of the control that holds `widget` (itself or an ancestor), 0 for
// the client area itself, -1 for anything else.
int controlIdAt(const QtShared& shared, const QWidget* widget);

// What openUrl hands to the desktop: an address with a scheme as it is,
// anything else as a local file (relative to the current folder).
QUrl desktopUrl(const std::string& text);

// The mouse key-state word of an event.
int mouseKeyState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
int mouseButtonBit(Qt::MouseButton button);
