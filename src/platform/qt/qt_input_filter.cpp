// The accelerator and hover filter of the Qt backend.
#include "platform/qt/qt_input_filter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QWindow>

namespace {

int qtKey(const Accelerator& accelerator) {
    switch (accelerator.key) {
    case ACCEL_LETTER: {
        char letter = accelerator.letter;
        if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
        return letter >= 'A' && letter <= 'Z' ? Qt::Key_A + (letter - 'A') : 0;
    }
    case ACCEL_F1:
        return Qt::Key_F1;
    case ACCEL_F5:
        return Qt::Key_F5;
    case ACCEL_F6:
        return Qt::Key_F6;
    case ACCEL_F7:
        return Qt::Key_F7;
    case ACCEL_F8:
        return Qt::Key_F8;
    case ACCEL_F9:
        return Qt::Key_F9;
    case ACCEL_F10:
        return Qt::Key_F10;
    case ACCEL_TAB:
        return Qt::Key_Tab;
    case ACCEL_RIGHT:
        return Qt::Key_Right;
    case ACCEL_LEFT:
        return Qt::Key_Left;
    case ACCEL_DOWN:
        return Qt::Key_Down;
    case ACCEL_UP:
        return Qt::Key_Up;
    case ACCEL_PAGE_UP:
        return Qt::Key_PageUp;
    case ACCEL_PAGE_DOWN:
        return Qt::Key_PageDown;
    case ACCEL_END:
        return Qt::Key_End;
    }
    return 0;
}

} // namespace

int acceleratorCommand(const std::vector<Accelerator>& table, int key,
                       Qt::KeyboardModifiers modifiers) {
    bool control = modifiers & Qt::ControlModifier;
    bool others = modifiers & (Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
    bool alt = modifiers & (Qt::AltModifier | Qt::MetaModifier);
    for (const Accelerator& accelerator : table) {
        if (qtKey(accelerator) != key) continue;
        if (accelerator.key == ACCEL_LETTER ? control && !alt : !control && !others)
            return accelerator.id;
    }
    return 0;
}

bool InputFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType())
        return accelerator(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::MouseMove && watched->isWindowType())
        hover(static_cast<QWindow*>(watched), static_cast<QMouseEvent*>(event));
    return false;
}

// Keys are the program's only while its main window is in charge: not in a
// dialog, an in-place edit or the menus.
bool InputFilter::accelerator(QWidget* target, QKeyEvent* key) {
    if (!shared->events || !shared->window || target->window() != shared->window) return false;
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) return false;
    if (qobject_cast<QMenuBar*>(target)) return false; // the keyboard is in the menu bar
    int id = acceleratorCommand(shared->accelerators, key->key(), key->modifiers());
    if (id == 0) return false;
    shared->events->command(id, 0, false);
    return true;
}

void InputFilter::hover(QWindow* window, QMouseEvent* move) {
    if (!shared->events || !shared->window) return;
    int id = -1;
    if (window == shared->window->windowHandle())
        id = controlIdAt(*shared, shared->window->childAt(move->position().toPoint()));
    shared->events->hover(id);
}
