// The application-wide input filter of the Qt backend. Like an accelerator
// table it turns the program's keys into commands before any control sees
// them (so the arrows reach the logic even when a list has the focus), and
// it tells the logic which control the pointer is over on every move.
#pragma once

#include "platform/qt/qt_shared.h"

#include <QObject>

class QKeyEvent;
class QMouseEvent;
class QWindow;

// The command of a key with modifiers, 0 when no accelerator matches. Letters
// go with Control (Shift allowed); the other keys match only without Shift,
// Control and Alt.
int acceleratorCommand(const std::vector<Accelerator>& table, int key,
                       Qt::KeyboardModifiers modifiers);

class InputFilter : public QObject {
  public:
    explicit InputFilter(QtShared* shared) : shared(shared) {}
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool accelerator(QWidget* target, QKeyEvent* key);
    void hover(QWindow* window, QMouseEvent* move);

    QtShared* shared;
};
