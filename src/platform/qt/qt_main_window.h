// The main window of the Qt backend and its client area. The client area is
// where the panel's controls live and where the 3D view's picture is shown:
// it keeps an image that wraps the logic's frame memory and redraws it on
// every paint, and it turns mouse input into the logic's mouse calls. The
// main window takes local files dropped onto it.
#pragma once

#include "platform/qt/qt_shared.h"

#include <QImage>
#include <QMainWindow>

#include <optional>

class MainWindow : public QMainWindow {
  public:
    explicit MainWindow(QtShared* shared);

  protected:
    void closeEvent(QCloseEvent* event) override; // the logic decides whether to quit
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    QtShared* shared;
};

class ClientArea : public QWidget {
  public:
    ClientArea(QtShared* shared, QWidget* parent);

    // Shows the frame memory at `rect` now (nullptr forgets it).
    void present(const uint32_t* pixels, int pitch, const QRect& rect);
    void invalidate(const QRect& rect) { update(rect); }
    void confine(const QRect* rect);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    QPoint confined(const QPoint& pos, bool movePointer);

    QtShared* shared;
    QImage frame;            // wraps the logic's memory, no copy
    QPoint frameAt;          // client position of the frame's top-left pixel
    bool presenting = false; // painting because of present(): the picture is fresh
    bool painting = false;   // inside the logic's paint()
    std::optional<QRect> confinement;
};
