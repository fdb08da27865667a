// The About picture: the program's name and version, what it is for, and a
// car that is half painted and half bare mesh. Drawn in colours of the fixed
// palette so the colour-mapped copy keeps them exactly; only anti-aliased edges
// are rounded.
#include "draw_kit.h"
#include "pictures.h"
#include "vornix_version.h"

namespace {

// Colours of the fixed palette's 6x6x6 cube (steps of 51).
const QColor navy(0, 0, 102);
const QColor paint(0, 102, 204);
const QColor paintLight(51, 153, 255);
const QColor paintDark(0, 51, 153);
const QColor glass(153, 204, 255);
const QColor tyre(51, 51, 51);
const QColor rim(204, 204, 204);
const QColor shadow(204, 204, 204);
const QColor lamp(255, 255, 153);
const QColor tailLamp(204, 0, 0);
const QColor caption(102, 102, 102);

QPainterPath carBody() {
    QPainterPath body;
    body.moveTo(56, 242);
    body.cubicTo(50, 230, 48, 214, 52, 204);
    body.cubicTo(56, 196, 70, 192, 128, 188);
    body.cubicTo(146, 170, 160, 156, 180, 152);
    body.lineTo(226, 150);
    body.cubicTo(244, 152, 262, 168, 282, 186);
    body.cubicTo(318, 190, 346, 194, 356, 204);
    body.cubicTo(362, 212, 364, 226, 360, 238);
    body.lineTo(352, 242);
    body.lineTo(324, 242);
    body.arcTo(QRectF(256, 206, 68, 68), 0, 180);
    body.lineTo(144, 242);
    body.arcTo(QRectF(76, 206, 68, 68), 0, 180);
    body.closeSubpath();
    return body;
}

QPainterPath sideWindows() {
    QPainterPath glassPath;
    glassPath.moveTo(142, 186);
    glassPath.cubicTo(154, 172, 166, 160, 182, 158);
    glassPath.lineTo(202, 157);
    glassPath.lineTo(202, 186);
    glassPath.closeSubpath();
    glassPath.moveTo(210, 157);
    glassPath.lineTo(224, 156);
    glassPath.cubicTo(238, 158, 252, 170, 266, 186);
    glassPath.lineTo(210, 186);
    glassPath.closeSubpath();
    return glassPath;
}

void drawWheelAt(QPainter& p, QPointF c) {
    p.setPen(Qt::NoPen);
    p.setBrush(tyre);
    p.drawEllipse(c, 28, 28);
    p.setBrush(rim);
    p.drawEllipse(c, 17, 17);
    p.setBrush(tyre);
    for (int i = 0; i < 5; ++i) {
        QTransform turn;
        turn.translate(c.x(), c.y());
        turn.rotate(i * 72.0 + 36.0);
        p.drawEllipse(turn.map(QPointF(0, -10)), 4, 4);
    }
    p.drawEllipse(c, 4, 4);
    p.setBrush(Qt::NoBrush);
}

// The painted left part of the car: flat cel shading in three blues.
void drawPaintedCar(QPainter& p, const QPainterPath& body) {
    p.save();
    p.setClipPath(body, Qt::IntersectClip);
    p.fillRect(QRectF(40, 130, 330, 120), paint);
    p.fillRect(QRectF(40, 130, 330, 62), paintLight);
    p.fillRect(QRectF(40, 226, 330, 20), paintDark);
    p.restore();
    p.fillPath(sideWindows(), glass);
    p.setPen(QPen(paintDark, 2));
    p.drawLine(QPointF(206, 190), QPointF(206, 236)); // door seam
    p.fillRect(QRectF(182, 198, 14, 4), paintDark);   // door handle
    p.fillRect(QRectF(51, 204, 6, 12), tailLamp);
}

// The bare right part: the triangle mesh as the editor shows it in wireframe.
void drawMeshCar(QPainter& p, const QPainterPath& body) {
    p.save();
    p.setClipPath(body, Qt::IntersectClip);
    p.fillRect(QRectF(40, 130, 330, 120), Qt::white);
    p.setPen(QPen(navy, 1));
    for (int x = 232; x <= 372; x += 16) p.drawLine(QPointF(x + 0.5, 130), QPointF(x + 0.5, 250));
    for (int y = 136; y <= 250; y += 14) p.drawLine(QPointF(230, y + 0.5), QPointF(372, y + 0.5));
    for (int x = 232; x <= 372; x += 16) p.drawLine(QPointF(x, 250), QPointF(x + 16 * 8.5, 130));
    p.restore();
    p.setPen(QPen(navy, 2));
    p.drawPath(sideWindows());
}

} // namespace

QImage drawAboutPicture() {
    QImage image = newCanvas(ABOUT_WIDTH, ABOUT_HEIGHT, Qt::white);
    QPainter p(&image);
    beginPainter(p);

    drawText(p, QRectF(28, 14, 340, 80), "Vornix", 72, TextFace::Bold, Qt::AlignLeft, navy);
    // The version, small at the end of the title's baseline.
    drawText(p, QRectF(288, 67, 84, 16), "Vornix " VORNIX_VERSION, 12, TextFace::Regular,
             Qt::AlignRight, caption);
    drawText(p, QRectF(32, 92, 340, 24), "an editor for NFS4 FCE car models", 18, TextFace::Regular,
             Qt::AlignLeft, caption);

    // Ground shadow, then the car: painted up to the cut, bare mesh after it.
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(QRectF(40, 256, 330, 16));
    p.setBrush(Qt::NoBrush);
    const QPainterPath body = carBody();
    // A slanted cut between the two halves.
    QPainterPath paintedHalf, meshHalf;
    paintedHalf.addPolygon(QPolygonF({{0, 0}, {262, 0}, {222, 300}, {0, 300}}));
    meshHalf.addPolygon(QPolygonF({{262, 0}, {400, 0}, {400, 300}, {222, 300}}));
    p.save();
    p.setClipPath(paintedHalf);
    drawPaintedCar(p, body);
    p.restore();
    p.save();
    p.setClipPath(meshHalf);
    drawMeshCar(p, body);
    p.fillRect(QRectF(348, 206, 10, 8), lamp);
    p.restore();
    p.setPen(QPen(navy, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(body);
    drawWheelAt(p, QPointF(110, 240));
    drawWheelAt(p, QPointF(290, 240));

    drawText(
        p, QRectF(28, 274, 344, 18),
        QString("Camera %1 Parts %1 Surfaces %1 Dummies %1 Colors %1 Textures").arg(QChar(0xB7)),
        12, TextFace::Regular, Qt::AlignHCenter, caption);

    p.setPen(QPen(navy, 2));
    p.drawRect(QRectF(1, 1, ABOUT_WIDTH - 2, ABOUT_HEIGHT - 2));
    p.end();
    return image;
}
