// The main window of the Qt backend and its client area.
#include "platform/qt/qt_main_window.h"

#include <algorithm>

#include <QCloseEvent>
#include <QCursor>
#include <QFile>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace {
// The local files among the URLs a drag carries, as the system names them.
std::vector<std::string> localFiles(const QMimeData* data) {
    std::vector<std::string> paths;
    if (data && data->hasUrls())
        for (const QUrl& url : data->urls())
            if (url.isLocalFile())
                paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
    return paths;
}
} // namespace

MainWindow::MainWindow(QtShared* shared) : shared(shared) {
    setAcceptDrops(true);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (shared->events) shared->events->closeRequest();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!localFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

// The drop is finished before the logic hears of it: what the logic does
// then (a question, opening the file) must not keep the dragging program
// waiting.
void MainWindow::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths = localFiles(event->mimeData());
    if (paths.empty()) return;
    event->acceptProposedAction();
    QTimer::singleShot(0, this, [shared = shared, paths = std::move(paths)] {
        if (shared->events) shared->events->filesDropped(paths);
    });
}

ClientArea::ClientArea(QtShared* shared, QWidget* parent) : QWidget(parent), shared(shared) {
    setMouseTracking(true);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

void ClientArea::present(const uint32_t* pixels, int pitch, const QRect& rect) {
    if (!pixels || rect.width() <= 0 || rect.height() <= 0 || pitch < rect.width()) {
        frame = QImage();
        update();
        return;
    }
    QRect old(frameAt, frame.size());
    frame = QImage(reinterpret_cast<const uchar*>(pixels), rect.width(), rect.height(),
                   static_cast<qsizetype>(pitch) * 4, QImage::Format_RGB32);
    frameAt = rect.topLeft();
    if (painting) return; // the paint under way shows it
    if (old != rect) update(old);
    presenting = true;
    repaint(rect);
    presenting = false;
}

void ClientArea::paintEvent(QPaintEvent*) {
    if (!presenting && !painting && shared->events) {
        painting = true;
        shared->events->paint();
        painting = false;
    }
    if (frame.isNull()) return;
    QPainter painter(this);
    painter.drawImage(frameAt, frame);
}

void ClientArea::resizeEvent(QResizeEvent*) {
    if (shared->events) shared->events->resize(width(), height());
}

void ClientArea::confine(const QRect* rect) {
    if (rect)
        confinement = *rect;
    else
        confinement.reset();
}

// Keeps the pointer inside the confinement rectangle: a position outside is
// moved back in, and so is the pointer itself.
QPoint ClientArea::confined(const QPoint& pos, bool movePointer) {
    if (!confinement || confinement->isEmpty() || confinement->contains(pos)) return pos;
    QPoint inside(std::clamp(pos.x(), confinement->left(), confinement->right()),
                  std::clamp(pos.y(), confinement->top(), confinement->bottom()));
    if (movePointer) QCursor::setPos(mapToGlobal(inside));
    return inside;
}

void ClientArea::mousePressEvent(QMouseEvent* event) {
    if (!shared->events) return;
    QPoint pos = event->position().toPoint();
    int keys =
        mouseKeyState(event->buttons(), event->modifiers()) | mouseButtonBit(event->button());
    shared->events->mouseDown(keys, pos.x(), pos.y());
}

void ClientArea::mouseMoveEvent(QMouseEvent* event) {
    if (!shared->events) return;
    QPoint pos = confined(event->position().toPoint(), true);
    shared->events->mouseMove(mouseKeyState(event->buttons(), event->modifiers()), pos.x(),
                              pos.y());
}

void ClientArea::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (!shared->events || delta == 0) {
        event->ignore();
        return;
    }
    const QPoint pos = event->position().toPoint();
    shared->events->wheel(pos.x(), pos.y(), delta);
}

void ClientArea::mouseReleaseEvent(QMouseEvent* event) {
    if (!shared->events) return;
    QPoint pos = confined(event->position().toPoint(), false);
    int keys =
        mouseKeyState(event->buttons(), event->modifiers()) | mouseButtonBit(event->button());
    shared->events->mouseUp(keys, pos.x(), pos.y());
}
