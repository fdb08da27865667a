// The application of the window-system tests (offscreen unless the
// environment chooses another platform) and the shared helpers.
#include "platform/qt_test_app.h"

#include "platform/qt/qt_application.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

class QtApplicationEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        application = new QApplication(argc, argv);
        applyApplicationStyle();
    }
    void TearDown() override {
        delete application;
        application = nullptr;
    }

  private:
    int argc = 1;
    char name[16] = "platform_tests";
    char* argv[2] = {name, nullptr};
    QApplication* application = nullptr;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace

void RecordingEvents::command(int id, int code, bool fromControl) {
    commands.push_back({id, code, fromControl});
    if (onCommand) onCommand(commands.back());
}

void RecordingEvents::scroll(int id, int code, int position) {
    scrolls.push_back({id, code, position});
    if (onScroll) onScroll(scrolls.back());
}

void RecordingEvents::paint() {
    paints++;
    if (onPaint) onPaint();
}

void RecordingEvents::idleFrame() {
    idleFrames++;
    if (onIdle) onIdle();
}

void RecordingEvents::drawItem(DrawItem& item, std::vector<TextRun>& text) {
    draws.push_back(
        {item.id, item.index, item.selected, item.selectionOnly, item.width, item.height});
    if (painter) painter(item, text);
}

void sendMouse(QWidget* target, int type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    QMouseEvent event(static_cast<QEvent::Type>(type), QPointF(pos),
                      QPointF(target->mapToGlobal(pos)), button, buttons, modifiers);
    QApplication::sendEvent(target, &event);
}

void click(QWidget* target, QPoint pos) {
    sendMouse(target, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
    sendMouse(target, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
}

void windowMouse(QWidget* window, int type, QPoint pos, Qt::MouseButton button,
                 Qt::MouseButtons buttons) {
    QWindow* native = window->windowHandle();
    QMouseEvent event(static_cast<QEvent::Type>(type), QPointF(pos),
                      QPointF(window->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(native, &event);
}

void pressKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target, &release);
}

QImage grabWidget(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int countLight(const QImage& image, const QRect& area) {
    int light = 0;
    for (int y = area.top(); y <= area.bottom(); y++)
        for (int x = area.left(); x <= area.right(); x++)
            light += (pixelAt(image, x, y) & 0x808080u) == 0x808080u;
    return light;
}

bool processUntil(const std::function<bool()>& done, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > milliseconds) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

void processEvents() {
    QApplication::sendPostedEvents();
    QApplication::processEvents();
}

void whenModalOpens(std::function<void(QWidget*)> action, std::function<bool(QWidget*)> wanted) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, action, wanted] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || (wanted && !wanted(modal))) return;
        poll->stop();
        poll->deleteLater();
        action(modal);
    });
    poll->start();
}
