// Shared helpers of the Qt backend's widgets.
#include "platform/qt/qt_shared.h"

#include <QFileInfo>
#include <QVariant>
#include <QWidget>

void QtShared::notify(int id, int code, const QWidget* from, const QPoint* localPos) {
    if (from && localPos && client && (from == client || client->isAncestorOf(from)))
        lastClicks[id] = from->mapTo(client, *localPos);
    else
        lastClicks.erase(id);
    if (events) events->command(id, code, true);
}

int controlIdAt(const QtShared& shared, const QWidget* widget) {
    for (; widget; widget = widget->parentWidget()) {
        if (widget == shared.client) return 0;
        QVariant id = widget->property(CONTROL_ID_PROPERTY);
        if (id.isValid()) return id.toInt();
    }
    return -1;
}

int mouseButtonBit(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return KEY_LEFT;
    case Qt::RightButton:
        return KEY_RIGHT;
    case Qt::MiddleButton:
        return KEY_MIDDLE;
    default:
        return 0;
    }
}

int mouseKeyState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    int keys = 0;
    if (buttons & Qt::LeftButton) keys |= KEY_LEFT;
    if (buttons & Qt::RightButton) keys |= KEY_RIGHT;
    if (buttons & Qt::MiddleButton) keys |= KEY_MIDDLE;
    if (modifiers & Qt::ShiftModifier) keys |= KEY_SHIFT;
    if (modifiers & Qt::ControlModifier) keys |= KEY_CONTROL;
    return keys;
}

QUrl desktopUrl(const std::string& text) {
    QString address = fromProgramText(text);
    QUrl url(address, QUrl::StrictMode);
    if (url.isValid() && url.scheme().size() >= 2) return url;
    return QUrl::fromLocalFile(QFileInfo(address).absoluteFilePath());
}
