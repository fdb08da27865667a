// The child controls of the Qt backend other than lists: static texts and
// fields, owner-drawn areas, pictures, the slider and the two kinds of button.
// Each reports to the logic through QtShared with its control ID.
#pragma once

#include "platform/qt/qt_shared.h"

#include <QCheckBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>

#include <optional>
#include <vector>

// Static text (CONTROL_LABEL) and framed field (CONTROL_FIELD); with
// STYLE_NOTIFY a left press is a click.
class StaticText : public QLabel {
  public:
    StaticText(QtShared* shared, int id, bool notify, QWidget* parent);

  protected:
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QtShared* shared;
    int id;
    bool notify;
};

// An area the logic paints through drawItem: an owner-drawn button (a click
// is a press and a release inside) or an owner-drawn static (a click is a
// press, with STYLE_NOTIFY). The pixels cover the area inside the frame.
class OwnerArea : public QFrame {
  public:
    OwnerArea(QtShared* shared, int id, bool button, bool notify, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void repaintSelection(); // a repaint for a change of the pressed state only

    QtShared* shared;
    int id;
    bool button;
    bool notify;
    bool held = false;    // the left button went down here and is still down
    bool pressed = false; // held with the pointer inside
    bool selectionOnly = false;
    std::vector<uint32_t> pixels;
    QSize pixelsSize;
};

// Shows the image given with setControlImage, unscaled from the top-left.
class PictureBox : public QWidget {
  public:
    explicit PictureBox(QWidget* parent);
    void setImage(const uint32_t* pixels, int width, int height);
    const QImage& image() const { return picture; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture;
};

// The horizontal slider. Like the system's scroll bar it reports requests
// and leaves the thumb where the logic put it: only a thumb drag moves it
// until the release.
class SliderBar : public QScrollBar {
  public:
    SliderBar(QtShared* shared, int id, QWidget* parent);
    void setLogicPosition(int minimum, int maximum, int position);

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void action(int action);
    void report(int code, int position);

    QtShared* shared;
    int id;
    int logicPosition = 0;
};

// Push button and check box: a click (mouse or keyboard) is reported with
// the place of the release when it came from the mouse.
template <class Base> class ReportingButton : public Base {
  public:
    ReportingButton(QtShared* shared, int id, QWidget* parent)
        : Base(parent), shared(shared), id(id) {
        QObject::connect(this, &QAbstractButton::clicked, this, [this] {
            this->shared->notify(this->id, NOTIFY_CLICKED, this,
                                 releasePos ? &*releasePos : nullptr);
        });
    }

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        releasePos = event->position().toPoint();
        Base::mouseReleaseEvent(event);
        releasePos.reset();
    }

  private:
    QtShared* shared;
    int id;
    std::optional<QPoint> releasePos;
};

using PushButton = ReportingButton<QPushButton>;

// The three-state check box keeps its state when clicked: the logic sets it.
class TriStateBox : public ReportingButton<QCheckBox> {
  public:
    TriStateBox(QtShared* shared, int id, QWidget* parent);

  protected:
    void nextCheckState() override {}
};
