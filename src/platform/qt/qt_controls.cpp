// The child controls of the Qt backend other than lists.
#include "platform/qt/qt_controls.h"

#include <QPainter>
#include <QWheelEvent>

StaticText::StaticText(QtShared* shared, int id, bool notify, QWidget* parent)
    : QLabel(parent), shared(shared), id(id), notify(notify) {
    setTextFormat(Qt::PlainText);
    setIndent(0);
    setMargin(0);
}

void StaticText::mousePressEvent(QMouseEvent* event) {
    if (!notify || event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    QPoint pos = event->position().toPoint();
    shared->notify(id, NOTIFY_CLICKED, this, &pos);
}

OwnerArea::OwnerArea(QtShared* shared, int id, bool button, bool notify, QWidget* parent)
    : QFrame(parent), shared(shared), id(id), button(button), notify(notify) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void OwnerArea::paintEvent(QPaintEvent* event) {
    QRect area = contentsRect();
    if (area.isEmpty() || !shared->events) {
        QFrame::paintEvent(event);
        return;
    }
    if (area.size() != pixelsSize) {
        pixelsSize = area.size();
        pixels.assign(static_cast<size_t>(area.width()) * static_cast<size_t>(area.height()),
                      COLOUR_PANEL);
    }
    DrawItem item{id, -1, pressed, selectionOnly, area.width(), area.height(), pixels.data()};
    std::vector<TextRun> runs;
    shared->events->drawItem(item, runs);

    QPainter painter(this);
    QImage image(reinterpret_cast<const uchar*>(pixels.data()), area.width(), area.height(),
                 area.width() * 4, QImage::Format_RGB32);
    painter.drawImage(area.topLeft(), image);
    drawTextRuns(painter, area.topLeft(), runs, shared->fonts);
    drawFrame(&painter);
}

void OwnerArea::repaintSelection() {
    selectionOnly = true;
    repaint();
    selectionOnly = false;
}

void OwnerArea::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (button) {
        held = true;
        pressed = true;
        repaintSelection();
    } else if (notify) {
        QPoint pos = event->position().toPoint();
        shared->notify(id, NOTIFY_CLICKED, this, &pos);
    }
}

void OwnerArea::mouseMoveEvent(QMouseEvent* event) {
    if (!held) return;
    bool inside = rect().contains(event->position().toPoint());
    if (inside != pressed) {
        pressed = inside;
        repaintSelection();
    }
}

void OwnerArea::mouseReleaseEvent(QMouseEvent* event) {
    if (!held || event->button() != Qt::LeftButton) return;
    held = false;
    bool click = pressed;
    if (pressed) {
        pressed = false;
        repaintSelection();
    }
    QPoint pos = event->position().toPoint();
    if (click) shared->notify(id, NOTIFY_CLICKED, this, &pos);
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setImage(const uint32_t* pixels, int width, int height) {
    if (!pixels || width <= 0 || height <= 0) {
        picture = QImage();
    } else {
        // A copy: the caller's pixels need not outlive the call.
        picture = QImage(reinterpret_cast<const uchar*>(pixels), width, height, width * 4,
                         QImage::Format_RGB32)
                      .copy();
    }
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (picture.isNull()) return;
    QPainter painter(this);
    painter.drawImage(0, 0, picture);
}

SliderBar::SliderBar(QtShared* shared, int id, QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent), shared(shared), id(id) {
    setFocusPolicy(Qt::NoFocus);
    setRange(0, 0);
    setPageStep(1);
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(this, &QAbstractSlider::actionTriggered, this, [this](int a) { action(a); });
}

void SliderBar::setLogicPosition(int minimum, int maximum, int position) {
    setRange(minimum, maximum);
    setValue(position);
    logicPosition = value();
}

void SliderBar::report(int code, int position) {
    if (shared->events) shared->events->scroll(id, code, position);
}

// Called while the slider's position already holds the proposed new value;
// setting it back here is what keeps the thumb where the logic put it.
void SliderBar::action(int action) {
    int proposed = sliderPosition();
    int code;
    switch (action) {
    case SliderSingleStepSub:
        code = SCROLL_LINE_LEFT;
        break;
    case SliderSingleStepAdd:
        code = SCROLL_LINE_RIGHT;
        break;
    case SliderPageStepSub:
        code = SCROLL_PAGE_LEFT;
        break;
    case SliderPageStepAdd:
        code = SCROLL_PAGE_RIGHT;
        break;
    case SliderMove:
        if (isSliderDown()) {
            report(SCROLL_THUMB_TRACK, proposed);
            return;
        }
        [[fallthrough]];
    default:
        setSliderPosition(logicPosition);
        return;
    }
    setSliderPosition(logicPosition);
    report(code, proposed);
}

void SliderBar::mouseReleaseEvent(QMouseEvent* event) {
    bool dragging = isSliderDown();
    int position = sliderPosition();
    QScrollBar::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton) return;
    if (dragging) {
        setValue(logicPosition);
        report(SCROLL_THUMB_POSITION, position);
    }
    report(SCROLL_END, value());
}

void SliderBar::wheelEvent(QWheelEvent* event) {
    event->ignore();
}

TriStateBox::TriStateBox(QtShared* shared, int id, QWidget* parent)
    : ReportingButton<QCheckBox>(shared, id, parent) {
    setTristate(true);
}
