// The 76 bitmap button pictures, IDs 1200-1275. Each is drawn on the panel grey
// inside the 30x30 face that the program's button border leaves free.
#include "draw_kit.h"
#include "pictures.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace {

QPainterPath polygonPath(std::initializer_list<QPointF> points) {
    QPainterPath path;
    bool first = true;
    for (const QPointF& pt : points) {
        if (first)
            path.moveTo(pt);
        else
            path.lineTo(pt);
        first = false;
    }
    path.closeSubpath();
    return path;
}

// Disk in the lower left with a block arrow above and right of it.
void drawDiskWithArrow(QPainter& p, QPointF from, QPointF to) {
    drawDisk(p, QRectF(3, 11, 18, 18));
    QPainterPath arrow = blockArrowPath(from, to, 2.5, 6, 6);
    drawHalo(p, arrow, 4);
    p.fillPath(arrow, palette.ink);
}

void drawUndoArrow(QPainter& p, bool toRight) {
    p.save();
    if (toRight) {
        p.translate(32, 0);
        p.scale(-1, 1);
    }
    // A hook: up from the lower right, over the top, back to the left.
    QPainterPath hook;
    hook.moveTo(24, 26);
    hook.lineTo(24, 16);
    hook.arcTo(QRectF(12, 6, 12, 14), 0, 90);
    hook.lineTo(11, 6);
    p.setPen(QPen(palette.ink, lineWidth * 2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(hook);
    drawArrowHead(p, QPointF(3, 7), QPointF(-1, 0), 9, 6.5);
    p.restore();
}

// The letter in the lower right of a camera or bulb picture.
void drawCornerLetter(QPainter& p, const QString& letter) {
    drawText(p, QRectF(17, 16, 13, 14), letter, 14, TextFace::Bold, Qt::AlignHCenter, palette.red,
             true);
}

// Square of four mesh cells over a word: the smoothing-group buttons.
void drawGroupSquare(QPainter& p, const QString& word) {
    QRectF square(9, 3, 14, 13);
    p.fillRect(square, palette.yellow);
    p.setPen(linePen());
    p.drawLine(square.topLeft(), square.bottomRight());
    p.drawLine(QPointF(square.center().x(), square.top()),
               QPointF(square.center().x(), square.bottom()));
    p.drawLine(QPointF(square.left(), square.center().y()),
               QPointF(square.right(), square.center().y()));
    p.drawRect(square);
    drawText(p, QRectF(2, 18, 28, 11), word, 10, TextFace::CondensedBold, Qt::AlignHCenter);
}

void drawWireMesh(QPainter& p) {
    p.setPen(linePen(palette.ink, Qt::SquareCap));
    for (int i = 0; i < 4; ++i) {
        double v = 4 + i * 8;
        p.drawLine(QPointF(4, v), QPointF(28, v));
        p.drawLine(QPointF(v, 4), QPointF(v, 28));
    }
    for (int i = 0; i < 3; ++i) {
        double a = 4 + i * 8;
        p.drawLine(QPointF(4, a + 8), QPointF(a + 8, 4));
        p.drawLine(QPointF(a, 28), QPointF(28, a));
    }
}

// Two faces meeting at a fold; `hardEdge` darkens the right face.
void drawFold(QPainter& p, bool hardEdge) {
    QPainterPath left = polygonPath({{4, 9}, {16, 4}, {16, 23}, {4, 28}});
    QPainterPath right = polygonPath({{16, 4}, {28, 9}, {28, 28}, {16, 23}});
    if (hardEdge) {
        QLinearGradient lit(QPointF(4, 0), QPointF(16, 0));
        lit.setColorAt(0, palette.white);
        lit.setColorAt(1, palette.light);
        p.fillPath(left, lit);
        p.fillPath(right, palette.dark);
    } else {
        QLinearGradient shade(QPointF(4, 0), QPointF(28, 0));
        shade.setColorAt(0, palette.white);
        shade.setColorAt(1, palette.mid);
        p.fillPath(left, shade);
        p.fillPath(right, shade);
    }
    p.setPen(linePen());
    p.drawPath(left.united(right));
    if (hardEdge) p.drawLine(QPointF(16, 4), QPointF(16, 23));
}

void drawCopySquares(QPainter& p) {
    QPainterPath back, front;
    back.addRect(QRectF(4, 4, 15, 15));
    front.addRect(QRectF(13, 13, 15, 15));
    fillOutlined(p, back, palette.light);
    fillOutlined(p, front, palette.white);
}

void drawBin(QPainter& p) {
    QPainterPath can = polygonPath({{8, 10}, {24, 10}, {22, 28}, {10, 28}});
    fillOutlined(p, can, palette.metal);
    p.setPen(linePen(palette.dark));
    p.drawLine(QPointF(13, 13), QPointF(13.5, 25));
    p.drawLine(QPointF(19, 13), QPointF(18.5, 25));
    QPainterPath lid;
    lid.addRect(QRectF(6, 6, 20, 3));
    fillOutlined(p, lid, palette.metal);
    QPainterPath handle;
    handle.addRect(QRectF(13, 3, 6, 3));
    p.setPen(linePen());
    p.drawPath(handle);
}

// A plane across an axis with a double arrow through it: the mirror buttons.
// `axis` 0 = X (upright plane, arrow across), 1 = Y (flat plane, arrow up),
// 2 = Z (plane facing us, arrow into the depth).
void drawMirror(QPainter& p, int axis, const QString& letter) {
    QColor planeFill(0xD8, 0xE8, 0xF8);
    QPainterPath plane;
    QPointF from, to;
    switch (axis) {
    case 0:
        plane = polygonPath({{20, 4}, {20, 22}, {14, 27}, {14, 9}});
        from = {4, 17};
        to = {29, 17};
        break;
    case 1:
        plane = polygonPath({{11, 14}, {29, 14}, {23, 21}, {5, 21}});
        from = {17, 4};
        to = {17, 29};
        break;
    default:
        plane = polygonPath({{12, 9}, {27, 9}, {27, 23}, {12, 23}});
        from = {29, 5};
        to = {6, 27};
        break;
    }
    // The arrow's far half goes behind the plane, its near half in front.
    QPointF mid = (from + to) / 2;
    p.setPen(linePen());
    drawLineArrow(p, mid, from);
    fillOutlined(p, plane, planeFill);
    drawLineArrow(p, mid, to);
    drawText(p, QRectF(2, 2, 10, 11), letter, 12, TextFace::Bold, Qt::AlignHCenter, palette.ink,
             true);
}

void drawCrossHair(QPainter& p, QPointF c, qreal r, bool halo) {
    QPainterPath marks;
    marks.addEllipse(c, r, r);
    marks.moveTo(c.x() - r - 4, c.y());
    marks.lineTo(c.x() - r + 4, c.y());
    marks.moveTo(c.x() + r - 4, c.y());
    marks.lineTo(c.x() + r + 4, c.y());
    marks.moveTo(c.x(), c.y() - r - 4);
    marks.lineTo(c.x(), c.y() - r + 4);
    marks.moveTo(c.x(), c.y() + r - 4);
    marks.lineTo(c.x(), c.y() + r + 4);
    if (halo) {
        p.setPen(QPen(palette.white, lineWidth + 2, Qt::SolidLine, Qt::FlatCap));
        p.drawPath(marks);
    }
    p.setPen(linePen());
    p.drawPath(marks);
    p.fillRect(QRectF(c.x() - 1, c.y() - 1, 2, 2), palette.ink);
}

void drawTick(QPainter& p) {
    QPainterPath tick = polygonPath({{4, 16}, {9, 11}, {13, 16}, {24, 5}, {29, 10}, {13, 26}});
    fillOutlined(p, tick, palette.green);
}

void drawCrossMark(QPainter& p) {
    QPainterPath cross = polygonPath({{5, 9},
                                      {9, 5},
                                      {16, 12},
                                      {23, 5},
                                      {27, 9},
                                      {20, 16},
                                      {27, 23},
                                      {23, 27},
                                      {16, 20},
                                      {9, 27},
                                      {5, 23},
                                      {12, 16}});
    fillOutlined(p, cross, palette.red);
}

void drawTexturedTriangle(QPainter& p, const QPainterPath& triangle, const QRectF& area,
                          int cells) {
    p.save();
    p.setClipPath(triangle);
    drawCheckerboard(p, area, cells, false);
    p.restore();
    p.setPen(linePen());
    p.drawPath(triangle);
}

void drawViewModeTriangle(QPainter& p, int mode) {
    QPainterPath triangle = polygonPath({{4, 27}, {16, 5}, {28, 27}});
    switch (mode) {
    case 0: // wireframe: the outline and its midpoint subdivision
        p.setPen(linePen());
        p.drawPath(triangle);
        p.drawPath(polygonPath({{10, 16}, {22, 16}, {16, 27}}));
        break;
    case 1: { // solid
        QLinearGradient shade(QPointF(8, 6), QPointF(24, 27));
        shade.setColorAt(0, palette.light);
        shade.setColorAt(1, palette.dark);
        p.setPen(linePen());
        p.setBrush(shade);
        p.drawPath(triangle);
        p.setBrush(Qt::NoBrush);
        break;
    }
    case 2: // textured
        drawTexturedTriangle(p, triangle, QRectF(4, 3, 24, 24), 6);
        break;
    default: { // normals standing on the corners of a flat triangle
        QPainterPath flat = polygonPath({{5, 26}, {21, 29}, {28, 19}});
        fillOutlined(p, flat, palette.light);
        drawLineArrow(p, QPointF(5, 26), QPointF(5, 12));
        drawLineArrow(p, QPointF(21, 28), QPointF(21, 14));
        drawLineArrow(p, QPointF(28, 19), QPointF(28, 5));
        break;
    }
    }
}

// An orbit ellipse around a subject, drawn in two halves so the subject sits
// inside the ring: the far half first, the near half with its arrow last.
template <typename Subject> void drawOrbit(QPainter& p, Subject subject) {
    QPointF c(16, 17);
    QRectF ring(c.x() - 13, c.y() - 6, 26, 12);
    p.setPen(linePen());
    p.drawArc(ring, 0, 180 * 16);
    subject();
    drawArcArrow(p, c, 13, 6, 180, 150);
}

void drawFocusBrackets(QPainter& p) {
    p.setPen(linePen(palette.ink, Qt::SquareCap));
    const double lo = 3, hi = 29, arm = 6;
    for (double x : {lo, hi})
        for (double y : {lo, hi}) {
            double dx = x == lo ? arm : -arm, dy = y == lo ? arm : -arm;
            p.drawLine(QPointF(x, y), QPointF(x + dx, y));
            p.drawLine(QPointF(x, y), QPointF(x, y + dy));
        }
}

void drawChainLink(QPainter& p) {
    p.setPen(QPen(palette.ink, lineWidth, Qt::SolidLine, Qt::FlatCap));
    p.save();
    p.translate(16, 15);
    p.rotate(-45);
    p.drawRoundedRect(QRectF(-8, -2.5, 9, 5), 2.5, 2.5);
    p.drawRoundedRect(QRectF(-1, -2.5, 9, 5), 2.5, 2.5);
    p.restore();
}

void drawSelectionFrame(QPainter& p, const QRectF& frame) {
    QPen dash(palette.ink, 1, Qt::CustomDashLine, Qt::FlatCap);
    dash.setDashPattern({2, 2});
    p.setPen(dash);
    p.drawRect(frame.adjusted(0.5, 0.5, -0.5, -0.5));
}

void drawPlus(QPainter& p, QPointF c) {
    QPainterPath plus;
    plus.addRect(QRectF(c.x() - 4, c.y() - 1.5, 8, 3));
    plus.addRect(QRectF(c.x() - 1.5, c.y() - 4, 3, 8));
    plus.setFillRule(Qt::WindingFill);
    drawHalo(p, plus.simplified(), 3);
    p.fillPath(plus.simplified(), palette.ink);
}

void drawSeat(QPainter& p) {
    QPainterPath back;
    back.moveTo(7, 4);
    back.quadTo(11, 2, 13, 4);
    back.lineTo(14, 19);
    back.lineTo(9, 21);
    back.closeSubpath();
    QPainterPath cushion;
    cushion.moveTo(9, 19);
    cushion.lineTo(26, 18);
    cushion.quadTo(28, 18, 28, 21);
    cushion.lineTo(27, 24);
    cushion.lineTo(11, 25);
    cushion.quadTo(8, 25, 8, 22);
    cushion.closeSubpath();
    QPainterPath seat = back.united(cushion);
    fillOutlined(p, seat, palette.red);
    p.setPen(linePen());
    p.drawLine(QPointF(13, 25), QPointF(11, 29));
    p.drawLine(QPointF(24, 24), QPointF(25, 29));
}

void drawHelmet(QPainter& p) {
    QPainterPath shell;
    shell.moveTo(5, 22);
    shell.cubicTo(3, 10, 10, 4, 17, 4);
    shell.cubicTo(24, 4, 29, 10, 29, 18);
    shell.lineTo(29, 26);
    shell.lineTo(9, 26);
    shell.closeSubpath();
    fillOutlined(p, shell, palette.red);
    QPainterPath visor;
    visor.moveTo(16, 12);
    visor.lineTo(29, 12);
    visor.lineTo(29, 19);
    visor.lineTo(18, 19);
    visor.quadTo(15, 19, 15, 15);
    visor.closeSubpath();
    fillOutlined(p, visor, palette.dark);
    p.fillRect(QRectF(20, 13.5, 6, 1.5), palette.glass);
}

void drawNumberedCar(QPainter& p, QColor paint, const QString& number) {
    drawCarSide(p, QRectF(2, 11, 28, 18), false, paint);
    drawText(p, QRectF(2, 1, 11, 11), number, 13, TextFace::Bold, Qt::AlignHCenter);
}

// The graphic of a new-mapping button in the top part, the word NEW below.
void drawNewMapping(QPainter& p, int projection) {
    switch (projection) {
    case 1:
        drawCheckerboard(p, QRectF(7, 2, 18, 15), 3);
        break;
    case 2: // texture space: U to the right, V downwards
        drawLineArrow(p, QPointF(6, 3), QPointF(26, 3));
        drawLineArrow(p, QPointF(6, 3), QPointF(6, 18));
        drawText(p, QRectF(19, 5, 9, 11), "U", 11, TextFace::Bold, Qt::AlignHCenter);
        drawText(p, QRectF(9, 9, 9, 10), "V", 11, TextFace::Bold, Qt::AlignHCenter);
        break;
    default: // model space: X to the right, Y upwards
        drawLineArrow(p, QPointF(6, 17), QPointF(26, 17));
        drawLineArrow(p, QPointF(6, 17), QPointF(6, 2));
        drawText(p, QRectF(18, 5, 9, 11), "X", 11, TextFace::Bold, Qt::AlignHCenter);
        drawText(p, QRectF(9, 1, 9, 11), "Y", 11, TextFace::Bold, Qt::AlignHCenter);
        break;
    }
    drawText(p, QRectF(2, 19, 28, 10), "NEW", 10, TextFace::CondensedBold, Qt::AlignHCenter);
}

void drawMirroredChecker(QPainter& p) {
    // A board and its mirror image: the cells next to the plane match.
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 2; ++col) {
            QColor c = (row + col) % 2 == 0 ? palette.ink : palette.white;
            p.fillRect(QRectF(3 + col * 5, 8 + row * 5, 5, 5), c);
            p.fillRect(QRectF(24 - col * 5, 8 + row * 5, 5, 5), c);
        }
    QPainterPath plane = polygonPath({{18, 3}, {18, 24}, {14, 29}, {14, 8}});
    fillOutlined(p, plane, QColor(0xD8, 0xE8, 0xF8));
}

void drawScaleTriangle(QPainter& p) {
    QPainterPath big = polygonPath({{4, 28}, {28, 28}, {28, 4}});
    QPen dash(palette.ink, lineWidth, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    dash.setDashPattern({2, 1});
    p.setPen(dash);
    p.drawPath(big);
    QPainterPath small = polygonPath({{4, 28}, {16, 28}, {16, 16}});
    fillOutlined(p, small, palette.light);
    drawLineArrow(p, QPointF(14, 18), QPointF(25, 7));
}

void drawPagePicture(QPainter& p, int page) {
    switch (page) {
    case 0:
        drawCamera(p, QRectF(2, 12, 19, 15));
        drawBulb(p, QRectF(19, 2, 11, 20));
        break;
    case 1:
        drawWheel(p, QPointF(11, 11), 8.5);
        drawHalo(p, [] {
            QPainterPath c;
            c.addEllipse(QPointF(20, 20), 9.5, 9.5);
            return c;
        }());
        drawWheel(p, QPointF(20, 20), 9.5);
        break;
    case 2: {
        QRadialGradient shade(QPointF(12, 11), 17);
        shade.setColorAt(0, palette.white);
        shade.setColorAt(0.55, palette.bodyLight);
        shade.setColorAt(1, palette.bodyDark);
        p.setPen(linePen());
        p.setBrush(shade);
        p.drawEllipse(QPointF(16, 16), 12, 12);
        p.setBrush(Qt::NoBrush);
        break;
    }
    case 3:
        drawLightStar(p, QPointF(9, 9), 6);
        drawLightStar(p, QPointF(23, 9), 6);
        drawPlate(p, QRectF(4, 19, 24, 9));
        break;
    case 4:
        drawColourWheel(p, QPointF(16, 16), 12.5);
        break;
    default:
        drawCheckerboard(p, QRectF(4, 4, 24, 24), 4);
        break;
    }
}

void drawButton(QPainter& p, int id) {
    switch (id) {
    case 1200:
        drawDiskWithArrow(p, {24, 2}, {24, 17});
        break;
    case 1201:
        drawDiskWithArrow(p, {24, 17}, {24, 2});
        break;
    case 1202:
        drawDisk(p, QRectF(3, 11, 18, 18));
        drawText(p, QRectF(17, 1, 13, 18), "?", 18, TextFace::Bold, Qt::AlignHCenter, palette.ink,
                 true);
        break;
    case 1203:
        drawUndoArrow(p, false);
        break;
    case 1204:
        drawUndoArrow(p, true);
        break;
    case 1205:
        drawCamera(p, QRectF(2, 3, 22, 17));
        drawCornerLetter(p, "R");
        break;
    case 1206:
        drawBulb(p, QRectF(4, 2, 14, 25));
        drawCornerLetter(p, "R");
        break;
    case 1207:
        drawGroupSquare(p, "NEW");
        break;
    case 1208:
        drawGroupSquare(p, "ADD");
        break;
    case 1209:
        drawGroupSquare(p, "CLEAR");
        break;
    case 1210:
        drawGroupSquare(p, "LOOSE");
        break;
    case 1211:
        drawWireMesh(p);
        break;
    case 1212:
        drawFold(p, false);
        break;
    case 1213:
        drawFold(p, true);
        break;
    case 1214:
        drawDiskWithArrow(p, {29, 6}, {12, 6});
        break;
    case 1215:
        drawDiskWithArrow(p, {12, 6}, {29, 6});
        break;
    case 1216:
        drawCopySquares(p);
        break;
    case 1217:
        drawBin(p);
        break;
    case 1218:
    case 1219:
    case 1220:
        drawMirror(p, id - 1218, QString(QChar('X' + (id - 1218))));
        break;
    case 1221:
        drawWheel(p, QPointF(16, 16), 10);
        drawCrossHair(p, QPointF(16, 16), 10, true);
        break;
    case 1222:
        drawCrossHair(p, QPointF(16, 16), 9, false);
        break;
    case 1223:
        drawText(p, QRectF(2, 2, 28, 11), "ADD", 11, TextFace::CondensedBold, Qt::AlignHCenter);
        drawText(p, QRectF(2, 13, 28, 16), ":?", 16, TextFace::Bold, Qt::AlignHCenter);
        break;
    case 1224:
        drawText(p, QRectF(2, 2, 28, 11), "ADD", 11, TextFace::CondensedBold, Qt::AlignHCenter);
        drawLightStar(p, QPointF(10, 21), 6);
        drawLightStar(p, QPointF(23, 21), 6);
        break;
    case 1225:
        drawText(p, QRectF(3, 2, 26, 28), "?", 26, TextFace::Bold, Qt::AlignHCenter, palette.blue);
        break;
    case 1226:
        drawTick(p);
        break;
    case 1227:
        drawCrossMark(p);
        break;
    case 1228: {
        drawText(p, QRectF(2, 1, 28, 10), "EDIT", 10, TextFace::CondensedBold, Qt::AlignHCenter);
        drawCheckerboard(p, QRectF(4, 12, 24, 16), 4);
        QPainterPath triangle = polygonPath({{8, 25}, {16, 14}, {24, 25}});
        QPen halo(palette.white, lineWidth + 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        p.setPen(halo);
        p.drawPath(triangle);
        p.setPen(linePen(palette.red));
        p.drawPath(triangle);
        break;
    }
    case 1229:
        drawMirror(p, 0, "U");
        break;
    case 1230:
        drawMirror(p, 1, "V");
        break;
    case 1231:
    case 1232:
    case 1233:
    case 1234:
    case 1235:
    case 1236:
        drawPagePicture(p, id - 1231);
        break;
    case 1237:
    case 1238:
    case 1239:
    case 1240:
        drawViewModeTriangle(p, id - 1237);
        break;
    case 1241:
        drawCar(p, CarView::Perspective);
        break;
    case 1242:
        drawCar(p, CarView::Front);
        break;
    case 1243:
        drawCar(p, CarView::Side);
        break;
    case 1244:
        drawCar(p, CarView::Top);
        break;
    case 1245:
        drawCar(p, CarView::Back);
        break;
    case 1246:
        drawCar(p, CarView::OtherSide);
        break;
    case 1247:
        drawCar(p, CarView::Below);
        break;
    case 1248:
        drawFocusBrackets(p);
        drawWheel(p, QPointF(16, 16), 9);
        break;
    case 1249:
        drawOrbit(p, [&] { drawCamera(p, QRectF(8, 8, 16, 13)); });
        break;
    case 1250:
    case 1273:
        drawFourWayArrows(p, QPointF(16, 16), 13);
        break;
    case 1251:
    case 1274:
        drawCircularArrows(p, QPointF(16, 16), 11);
        break;
    case 1252:
        drawCamera(p, QRectF(2, 14, 17, 14));
        drawBulb(p, QRectF(20, 2, 10, 17));
        drawChainLink(p);
        break;
    case 1253:
        drawOrbit(p, [&] { drawBulb(p, QRectF(11, 4, 10, 18)); });
        break;
    case 1254:
        drawCircularArrows(p, QPointF(16, 16), 12);
        drawBulb(p, QRectF(12, 9, 8, 14));
        break;
    case 1255:
    case 1256:
    case 1257:
        drawAxisCross(p, QPointF(11, 18), 16, id - 1255);
        break;
    case 1258:
        drawWheel(p, QPointF(22, 9), 7);
        drawAxisCross(p, QPointF(11, 18), 16, -1);
        break;
    case 1259:
        drawAxisCross(p, QPointF(11, 18), 16, -1);
        break;
    case 1260:
        drawPointer(p, QPointF(10, 4), 1.35);
        break;
    case 1261: {
        drawSelectionFrame(p, QRectF(3, 3, 22, 22));
        QPainterPath triangle = polygonPath({{7, 20}, {14, 7}, {21, 20}});
        fillOutlined(p, triangle, palette.white);
        drawPlus(p, QPointF(25, 25));
        break;
    }
    case 1262: {
        drawSelectionFrame(p, QRectF(3, 3, 19, 19));
        QPainterPath triangle = polygonPath({{8, 17}, {18, 8}, {29, 14}});
        fillOutlined(p, triangle, palette.white);
        drawPlus(p, QPointF(25, 25));
        break;
    }
    case 1263:
        drawDiamond(p, QPointF(16, 16), 12, DiamondKind::Shaded);
        break;
    case 1264:
        drawDiamond(p, QPointF(16, 16), 12, DiamondKind::Black);
        break;
    case 1265:
        drawNumberedCar(p, palette.red, "1");
        break;
    case 1266:
        drawSeat(p);
        break;
    case 1267:
        drawNumberedCar(p, palette.mid, "2");
        break;
    case 1268:
        drawHelmet(p);
        break;
    case 1269:
    case 1270:
    case 1271:
        drawNewMapping(p, id - 1268);
        break;
    case 1272:
        drawMirroredChecker(p);
        break;
    case 1275:
        drawScaleTriangle(p);
        break;
    default:
        break;
    }
}

} // namespace

QImage drawButtonPicture(int id) {
    QImage image = newCanvas(BUTTON_SIZE, BUTTON_SIZE, palette.panel);
    QPainter p(&image);
    beginPainter(p);
    drawButton(p, id);
    p.end();
    return image;
}
