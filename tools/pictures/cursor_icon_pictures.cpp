// The two cursors of the Surfaces page's group-border tools (1400 sets the
// cross-group mark, 1401 clears it) and the program's icon, a wheel: the
// window icon at 64x64 and the desktop's icons at every size of the theme.
// Every size is the 64x64 drawing scaled; below 48 pixels the tread notches
// are left out and the outlines stay a pixel wide, so the wheel stays clear.
#include "draw_kit.h"
#include "pictures.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>

QImage drawCursorPicture(int id, QPoint& hotspot) {
    QImage image = newCanvas(CURSOR_SIZE, CURSOR_SIZE, Qt::transparent, true);
    QPainter p(&image);
    beginPainter(p);
    // The pointer's tip is the hotspot; the badge beside it repeats the picture
    // of the tool's button so the two tools are told apart in the view.
    drawPointer(p, QPointF(1, 1), 1.0, 1.5);
    hotspot = QPoint(1, 1);
    QPointF badge(22, 22);
    QPainterPath rim;
    rim.moveTo(badge + QPointF(0, -9));
    rim.lineTo(badge + QPointF(-9, 0));
    rim.lineTo(badge + QPointF(0, 9));
    rim.lineTo(badge + QPointF(9, 0));
    rim.closeSubpath();
    p.setPen(QPen(palette.white, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawPath(rim);
    drawDiamond(p, badge, 8, id == FIRST_CURSOR_ID ? DiamondKind::Shaded : DiamondKind::Black);
    p.end();
    return image;
}

QImage drawIcon(int size) {
    constexpr double pi = std::numbers::pi;
    QImage image = newCanvas(size, size, Qt::transparent, true);
    QPainter p(&image);
    beginPainter(p);
    // Drawn in the units of the 64x64 icon; an outline is never under a pixel.
    const double scale = double(size) / ICON_SIZE;
    p.scale(scale, scale);
    const double outline = std::max(1.5, 1 / scale);
    const QPointF c(32, 32);
    // Tyre with a tread of short notches.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x20, 0x20));
    p.drawEllipse(c, 31, 31);
    p.setPen(QPen(QColor(0x50, 0x50, 0x50), 2, Qt::SolidLine, Qt::FlatCap));
    for (int i = 0; i < 24 && size >= 48; ++i) {
        double a = i * 2 * pi / 24;
        QPointF d(std::cos(a), std::sin(a));
        p.drawLine(c + d * 26.5, c + d * 30);
    }
    // Rim: a lit dish with five openings between the spokes.
    QRadialGradient dish(c - QPointF(8, 8), 34);
    dish.setColorAt(0, palette.white);
    dish.setColorAt(1, QColor(0x70, 0x70, 0x70));
    p.setPen(QPen(palette.ink, outline));
    p.setBrush(dish);
    p.drawEllipse(c, 22, 22);
    p.setBrush(QColor(0x30, 0x30, 0x30));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) {
        double a = -pi / 2 + pi / 5 + i * 2 * pi / 5;
        QPainterPath hole;
        const double inner = 8, outer = 19, half = pi / 5 - 0.26;
        hole.moveTo(c + QPointF(std::cos(a - half * 0.55), std::sin(a - half * 0.55)) * inner);
        hole.lineTo(c + QPointF(std::cos(a - half), std::sin(a - half)) * outer);
        hole.lineTo(c + QPointF(std::cos(a + half), std::sin(a + half)) * outer);
        hole.lineTo(c + QPointF(std::cos(a + half * 0.55), std::sin(a + half * 0.55)) * inner);
        hole.closeSubpath();
        p.drawPath(hole);
    }
    // Hub cap in the program's blue.
    QRadialGradient cap(c - QPointF(2, 2), 8);
    cap.setColorAt(0, palette.bodyLight);
    cap.setColorAt(1, palette.bodyDark);
    p.setBrush(cap);
    p.setPen(QPen(palette.ink, outline));
    p.drawEllipse(c, 6, 6);
    p.end();
    return image;
}
