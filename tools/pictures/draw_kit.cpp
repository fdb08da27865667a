// The drawing vocabulary shared by all of the program's pictures.
#include "draw_kit.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QTransform>

#include <cmath>
#include <numbers>

const Palette palette;
PictureFonts pictureFonts;

namespace {
constexpr double degToRad = std::numbers::pi / 180.0;

QPointF unit(QPointF v) {
    double len = std::hypot(v.x(), v.y());
    return len > 0 ? v / len : QPointF(1, 0);
}

QPointF normalOf(QPointF d) {
    return {-d.y(), d.x()};
}

// Installs one font file and returns its family name, or "" when it is missing.
QString addFontFile(const QString& path) {
    if (!QFile::exists(path)) return {};
    int id = QFontDatabase::addApplicationFont(path);
    if (id < 0) return {};
    QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? QString() : families.first();
}
} // namespace

bool loadPictureFonts(QString& error) {
    const QString dir = "/usr/share/fonts/truetype/dejavu/";
    struct Wanted {
        const char* file;
        QString* family;
    } wanted[] = {{"DejaVuSans.ttf", &pictureFonts.sans},
                  {"DejaVuSans-Bold.ttf", &pictureFonts.sansBold},
                  {"DejaVuSansCondensed-Bold.ttf", &pictureFonts.condensedBold}};
    for (const Wanted& w : wanted) {
        *w.family = addFontFile(dir + w.file);
        if (w.family->isEmpty()) {
            error = "font file not found: " + dir + w.file;
            return false;
        }
    }
    return true;
}

QFont pictureFont(TextFace face, qreal pixelSize) {
    QFont font;
    switch (face) {
    case TextFace::Regular:
        font = QFont(pictureFonts.sans);
        break;
    case TextFace::Bold:
        font = QFont(pictureFonts.sansBold);
        font.setBold(true);
        break;
    case TextFace::CondensedBold:
        font = QFont(pictureFonts.condensedBold);
        font.setBold(true);
        font.setStretch(QFont::SemiCondensed);
        break;
    }
    font.setPixelSize(static_cast<int>(std::lround(pixelSize)));
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(true);
    return font;
}

QImage newCanvas(int width, int height, QColor background, bool withAlpha) {
    QImage image(width, height, withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    image.fill(background);
    return image;
}

void beginPainter(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QPen linePen(QColor colour, Qt::PenCapStyle cap) {
    return QPen(colour, lineWidth, Qt::SolidLine, cap, Qt::MiterJoin);
}

void drawText(QPainter& p, const QRectF& box, const QString& text, qreal pixelSize, TextFace face,
              Qt::Alignment align, QColor colour, bool halo) {
    QFont font = pictureFont(face, pixelSize);
    QFontMetricsF metrics(font);
    double advance = metrics.horizontalAdvance(text);
    // Narrow the text instead of clipping it.
    double scale = advance > box.width() ? box.width() / advance : 1.0;
    double width = advance * scale;
    double x = box.left();
    if (align & Qt::AlignHCenter) x = box.center().x() - width / 2;
    if (align & Qt::AlignRight) x = box.right() - width;
    // Words in capitals centre on the cap height, other text on ascent and descent.
    bool capsOnly = text.toUpper() == text;
    double baseline = capsOnly ? box.center().y() + metrics.capHeight() / 2
                               : box.center().y() + (metrics.ascent() - metrics.descent()) / 2;
    QPointF origin(std::round(x), std::round(baseline));
    if (halo) {
        QPainterPath path;
        path.addText(0, 0, font, text);
        QTransform placement;
        placement.translate(origin.x(), origin.y());
        placement.scale(scale, 1.0);
        drawHalo(p, placement.map(path), 3.0);
    }
    // Glyphs are drawn as text, not as paths, so that hinting keeps small
    // sizes sharp.
    p.save();
    p.translate(origin);
    p.scale(scale, 1.0);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QPointF(0, 0), text);
    p.restore();
}

void fillOutlined(QPainter& p, const QPainterPath& path, QColor fill, QColor outline) {
    p.setPen(linePen(outline));
    p.setBrush(fill);
    p.drawPath(path);
    p.setBrush(Qt::NoBrush);
}

void drawHalo(QPainter& p, const QPainterPath& path, qreal width) {
    p.setPen(QPen(palette.panel, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(palette.panel);
    p.drawPath(path);
    p.setBrush(Qt::NoBrush);
}

void drawArrowHead(QPainter& p, QPointF tip, QPointF direction, qreal length, qreal halfWidth,
                   QColor colour) {
    QPointF d = unit(direction);
    QPointF n = normalOf(d);
    QPointF base = tip - d * length;
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(base + n * halfWidth);
    head.lineTo(base - n * halfWidth);
    head.closeSubpath();
    p.fillPath(head, colour);
}

void drawLineArrow(QPainter& p, QPointF from, QPointF to, bool bothEnds, QColor colour) {
    const qreal headLength = 6, headHalf = 4;
    QPointF d = unit(to - from);
    QPointF start = bothEnds ? from + d * (headLength - 1) : from;
    QPointF end = to - d * (headLength - 1);
    p.setPen(linePen(colour));
    p.drawLine(start, end);
    drawArrowHead(p, to, d, headLength, headHalf, colour);
    if (bothEnds) drawArrowHead(p, from, -d, headLength, headHalf, colour);
}

QPainterPath blockArrowPath(QPointF from, QPointF to, qreal shaftHalf, qreal headHalf,
                            qreal headLength) {
    QPointF d = unit(to - from);
    QPointF n = normalOf(d);
    QPointF base = to - d * headLength;
    QPainterPath path;
    path.moveTo(from + n * shaftHalf);
    path.lineTo(base + n * shaftHalf);
    path.lineTo(base + n * headHalf);
    path.lineTo(to);
    path.lineTo(base - n * headHalf);
    path.lineTo(base - n * shaftHalf);
    path.lineTo(from - n * shaftHalf);
    path.closeSubpath();
    return path;
}

void drawArcArrow(QPainter& p, QPointF centre, qreal rx, qreal ry, qreal startDeg, qreal spanDeg,
                  QColor colour) {
    const qreal headLength = 6, headHalf = 4;
    auto at = [&](double deg) {
        return QPointF(centre.x() + rx * std::cos(deg * degToRad),
                       centre.y() - ry * std::sin(deg * degToRad));
    };
    double sign = spanDeg < 0 ? -1.0 : 1.0;
    double endDeg = startDeg + spanDeg;
    // Stop the stroke where the head begins so its square end stays hidden.
    double headDeg = (headLength - 1) / ((rx + ry) / 2) / degToRad;
    QRectF ellipse(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry);
    QPainterPath arc;
    arc.arcMoveTo(ellipse, startDeg);
    arc.arcTo(ellipse, startDeg, spanDeg - sign * headDeg);
    p.setPen(linePen(colour));
    p.drawPath(arc);
    QPointF tip = at(endDeg);
    drawArrowHead(p, tip, tip - at(endDeg - sign * headDeg), headLength, headHalf, colour);
}

void drawFourWayArrows(QPainter& p, QPointF c, qreal reach) {
    drawLineArrow(p, c - QPointF(reach, 0), c + QPointF(reach, 0), true);
    drawLineArrow(p, c - QPointF(0, reach), c + QPointF(0, reach), true);
}

void drawCircularArrows(QPainter& p, QPointF c, qreal radius, QColor colour) {
    drawArcArrow(p, c, radius, radius, 200, -150, colour);
    drawArcArrow(p, c, radius, radius, 20, -150, colour);
}

void drawDisk(QPainter& p, const QRectF& b) {
    const double x = b.left(), y = b.top(), w = b.width(), h = b.height();
    QPainterPath shell;
    shell.moveTo(x, y);
    shell.lineTo(x + w - 4, y);
    shell.lineTo(x + w, y + 4);
    shell.lineTo(x + w, y + h);
    shell.lineTo(x, y + h);
    shell.closeSubpath();
    fillOutlined(p, shell, palette.body);
    // Metal shutter at the top, paper label at the bottom.
    QRectF shutter(x + std::round(w * 0.25), y + 1, std::round(w * 0.45), std::round(h * 0.34));
    p.fillRect(shutter, palette.metal);
    p.fillRect(QRectF(shutter.right() - 4, shutter.top() + 1, 2, shutter.height() - 2),
               palette.dark);
    QRectF label(x + 3, y + std::round(h * 0.55), w - 6, h - std::round(h * 0.55) - 1);
    p.fillRect(label, palette.white);
    p.fillRect(QRectF(label.left() + 2, label.top() + 2, label.width() - 4, 1), palette.mid);
}

void drawCamera(QPainter& p, const QRectF& b) {
    const double x = b.left(), y = b.top(), w = b.width(), h = b.height();
    double top = y + std::round(h * 0.25);
    QPainterPath finder;
    finder.addRect(QRectF(x + std::round(w * 0.2), y + 1, std::round(w * 0.3), top - y));
    fillOutlined(p, finder, palette.dark);
    QPainterPath bodyPath;
    bodyPath.addRoundedRect(QRectF(x + 1, top, w - 2, y + h - 1 - top), 1.5, 1.5);
    fillOutlined(p, bodyPath, palette.dark);
    double r = (y + h - top) * 0.36;
    QPointF lens(x + w * 0.5, top + (y + h - top) * 0.5);
    QPainterPath ring;
    ring.addEllipse(lens, r, r);
    fillOutlined(p, ring, palette.metal);
    p.setPen(Qt::NoPen);
    p.setBrush(palette.blue);
    p.drawEllipse(lens, r * 0.45, r * 0.45);
    p.setBrush(Qt::NoBrush);
    p.fillRect(QRectF(x + w - 6, top + 2, 3, 2), palette.yellow);
}

void drawBulb(QPainter& p, const QRectF& b) {
    const double x = b.left(), y = b.top(), w = b.width(), h = b.height();
    double r = w / 2;
    QPointF c(x + r, y + r);
    double neckTop = c.y() + r * 0.6, neckBottom = y + h * 0.68;
    double neckHalf = w * 0.24;
    QPainterPath glass;
    glass.addEllipse(c, r - 1, r - 1);
    QPainterPath neck;
    neck.moveTo(c.x() - r * 0.75, neckTop - r * 0.3);
    neck.lineTo(c.x() + r * 0.75, neckTop - r * 0.3);
    neck.lineTo(c.x() + neckHalf, neckBottom);
    neck.lineTo(c.x() - neckHalf, neckBottom);
    neck.closeSubpath();
    fillOutlined(p, glass.united(neck), palette.yellow);
    // Screw base with its threads and contact.
    QPainterPath base;
    base.addRect(QRectF(c.x() - neckHalf, neckBottom, 2 * neckHalf, y + h - neckBottom - 2));
    fillOutlined(p, base, palette.metal);
    p.setPen(linePen(palette.dark));
    double mid = (neckBottom + y + h - 2) / 2;
    p.drawLine(QPointF(c.x() - neckHalf, mid), QPointF(c.x() + neckHalf, mid));
    p.fillRect(QRectF(c.x() - 1, y + h - 2, 2, 2), palette.ink);
    // A highlight on the glass.
    p.setPen(QPen(palette.white, lineWidth, Qt::SolidLine, Qt::RoundCap));
    QRectF shine(c.x() - r * 0.6, c.y() - r * 0.6, r * 1.2, r * 1.2);
    p.drawArc(shine, 100 * 16, 60 * 16);
}

void drawWheel(QPainter& p, QPointF c, qreal r) {
    p.setPen(Qt::NoPen);
    p.setBrush(palette.ink);
    p.drawEllipse(c, r, r);
    if (r < 6) {
        p.setBrush(palette.metal);
        p.drawEllipse(c, r * 0.45, r * 0.45);
        p.setBrush(Qt::NoBrush);
        return;
    }
    double rim = r * 0.64;
    QRadialGradient shade(c - QPointF(rim * 0.3, rim * 0.3), rim * 1.4);
    shade.setColorAt(0, palette.white);
    shade.setColorAt(1, palette.mid);
    p.setBrush(shade);
    p.drawEllipse(c, rim, rim);
    // Five openings between the spokes.
    p.setBrush(palette.dark);
    for (int i = 0; i < 5; ++i) {
        double a = (90 + 36 + 72 * i) * degToRad;
        p.drawEllipse(c + QPointF(std::cos(a), -std::sin(a)) * rim * 0.58, rim * 0.24, rim * 0.24);
    }
    p.setBrush(palette.dark);
    p.drawEllipse(c, rim * 0.22, rim * 0.22);
    p.setBrush(Qt::NoBrush);
}

void drawCheckerboard(QPainter& p, const QRectF& b, int cells, bool outline) {
    p.fillRect(b, palette.white);
    double cw = b.width() / cells, ch = b.height() / cells;
    for (int row = 0; row < cells; ++row)
        for (int col = 0; col < cells; ++col)
            if ((row + col) % 2 == 0)
                p.fillRect(QRectF(b.left() + col * cw, b.top() + row * ch, cw, ch), palette.ink);
    if (outline) {
        p.setPen(linePen());
        p.drawRect(b);
    }
}

void drawLightStar(QPainter& p, QPointF c, qreal r) {
    p.setPen(Qt::NoPen);
    p.setBrush(palette.yellow);
    p.drawEllipse(c, r * 0.62, r * 0.62);
    p.setBrush(Qt::NoBrush);
    p.setPen(linePen(palette.ink, Qt::RoundCap));
    p.drawLine(c - QPointF(r, 0), c + QPointF(r, 0));
    p.drawLine(c - QPointF(0, r), c + QPointF(0, r));
    double d = r * 0.62;
    p.drawLine(c - QPointF(d, d), c + QPointF(d, d));
    p.drawLine(c - QPointF(d, -d), c + QPointF(d, -d));
}

void drawPlate(QPainter& p, const QRectF& b) {
    QPainterPath plate;
    plate.addRoundedRect(b, 1, 1);
    fillOutlined(p, plate, palette.white);
    // Three dark marks stand for the registration.
    double markW = 2, gap = (b.width() - 4 - 3 * markW) / 4;
    for (int i = 0; i < 3; ++i)
        p.fillRect(
            QRectF(b.left() + 2 + gap + i * (markW + gap), b.top() + 2, markW, b.height() - 4),
            palette.dark);
}

void drawColourWheel(QPainter& p, QPointF c, qreal r) {
    p.setPen(Qt::NoPen);
    QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
    for (int i = 0; i < 12; ++i) {
        p.setBrush(QColor::fromHsv(i * 30, 255, 255));
        p.drawPie(box, (90 - i * 30) * 16, -30 * 16);
    }
    p.setBrush(palette.white);
    p.drawEllipse(c, r * 0.34, r * 0.34);
    p.setBrush(Qt::NoBrush);
    p.setPen(linePen());
    p.drawEllipse(c, r, r);
    p.drawEllipse(c, r * 0.34, r * 0.34);
}

void drawPointer(QPainter& p, QPointF tip, qreal scale, qreal outline) {
    const QPointF shape[] = {{0, 0},    {0, 15},     {3.6, 11.6}, {6.3, 17.6},
                             {9, 16.4}, {6.4, 10.6}, {11, 10.6}};
    QPainterPath path;
    path.moveTo(tip);
    for (const QPointF& s : shape) path.lineTo(tip + s * scale);
    path.closeSubpath();
    p.setPen(QPen(palette.ink, outline, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(palette.white);
    p.drawPath(path);
    p.setBrush(Qt::NoBrush);
}

void drawDiamond(QPainter& p, QPointF c, qreal r, DiamondKind kind) {
    QPainterPath left, right, whole;
    left.moveTo(c.x(), c.y() - r);
    left.lineTo(c.x() - r, c.y());
    left.lineTo(c.x(), c.y() + r);
    left.closeSubpath();
    right.moveTo(c.x(), c.y() - r);
    right.lineTo(c.x() + r, c.y());
    right.lineTo(c.x(), c.y() + r);
    right.closeSubpath();
    p.fillPath(left, palette.white);
    if (kind == DiamondKind::Shaded) {
        // The shade runs on from the white half without a seam: a smooth border.
        QLinearGradient shade(c, c + QPointF(r, 0));
        shade.setColorAt(0, palette.white);
        shade.setColorAt(1, palette.dark);
        p.fillPath(right, shade);
    } else {
        p.fillPath(right, palette.ink);
    }
    whole.moveTo(c.x(), c.y() - r);
    whole.lineTo(c.x() - r, c.y());
    whole.lineTo(c.x(), c.y() + r);
    whole.lineTo(c.x() + r, c.y());
    whole.closeSubpath();
    p.setPen(linePen());
    p.drawPath(whole);
}

namespace {
// The side profile of the car, front to the right, in a 28x20 box at the origin.
QPainterPath carSideProfile() {
    QPainterPath body;
    body.moveTo(0, 15);
    body.lineTo(0, 8.5);
    body.quadTo(0, 7, 2, 6.8);
    body.lineTo(6, 6.3);
    body.lineTo(9.5, 1.2);
    body.quadTo(10, 0.5, 11, 0.5);
    body.lineTo(17, 0.5);
    body.quadTo(18, 0.5, 18.7, 1.3);
    body.lineTo(22, 6.2);
    body.lineTo(26, 7.2);
    body.quadTo(28, 7.8, 28, 10);
    body.lineTo(28, 15);
    body.closeSubpath();
    return body;
}

QPainterPath carSideWindows() {
    QPainterPath glass;
    glass.moveTo(8.8, 5.8);
    glass.lineTo(11.2, 2.3);
    glass.lineTo(13.5, 2.3);
    glass.lineTo(13.5, 5.8);
    glass.closeSubpath();
    glass.moveTo(15.2, 2.3);
    glass.lineTo(17.4, 2.3);
    glass.lineTo(19.8, 5.8);
    glass.lineTo(15.2, 5.8);
    glass.closeSubpath();
    return glass;
}

// Front and back share the body; the back adds lamps and a plate, the front
// head lamps and a grille.
void drawCarEnd(QPainter& p, bool front, QColor paint) {
    // Tyres below the body.
    p.fillRect(QRectF(4, 22, 5, 6), palette.ink);
    p.fillRect(QRectF(23, 22, 5, 6), palette.ink);
    QPainterPath cabin;
    cabin.moveTo(9, 7);
    cabin.lineTo(23, 7);
    cabin.lineTo(26, 15);
    cabin.lineTo(6, 15);
    cabin.closeSubpath();
    fillOutlined(p, cabin, paint);
    QPainterPath glass;
    glass.moveTo(10.2, 9);
    glass.lineTo(21.8, 9);
    glass.lineTo(23.6, 14);
    glass.lineTo(8.4, 14);
    glass.closeSubpath();
    p.fillPath(glass, palette.glass);
    QPainterPath lower;
    lower.addRoundedRect(QRectF(3, 15, 26, 9), 2, 2);
    fillOutlined(p, lower, paint);
    if (front) {
        p.fillRect(QRectF(5, 17, 5, 3), palette.white);
        p.fillRect(QRectF(22, 17, 5, 3), palette.white);
        p.fillRect(QRectF(12, 18, 8, 3), palette.ink);
    } else {
        p.fillRect(QRectF(5, 17, 5, 3), palette.red);
        p.fillRect(QRectF(22, 17, 5, 3), palette.red);
        p.fillRect(QRectF(13, 18, 6, 3), palette.white);
    }
}

void drawCarFromAbove(QPainter& p, QColor paint) {
    for (double x : {6.0, 21.0})
        for (double y : {6.0, 22.0}) p.fillRect(QRectF(x, y, 5, 4), palette.ink);
    QPainterPath shell;
    shell.addRoundedRect(QRectF(3, 9, 26, 14), 4, 4);
    fillOutlined(p, shell, paint);
    // Cabin: glass all round with the roof on top.
    QPainterPath cabin;
    cabin.moveTo(8, 12);
    cabin.lineTo(11, 11);
    cabin.lineTo(19, 11);
    cabin.lineTo(23, 12);
    cabin.lineTo(23, 20);
    cabin.lineTo(19, 21);
    cabin.lineTo(11, 21);
    cabin.lineTo(8, 20);
    cabin.closeSubpath();
    p.fillPath(cabin, palette.glass);
    p.fillRect(QRectF(11, 12, 8, 8), palette.bodyLight);
    p.fillRect(QRectF(26, 11, 2, 3), palette.white); // head lamps
    p.fillRect(QRectF(26, 18, 2, 3), palette.white);
}

void drawCarFromBelow(QPainter& p) {
    QPainterPath shell;
    shell.addRoundedRect(QRectF(3, 8, 26, 16), 4, 4);
    fillOutlined(p, shell, palette.mid);
    // Axles and the shaft between them, with the wheels at their ends.
    p.setPen(linePen());
    p.drawLine(QPointF(9, 8), QPointF(9, 24));
    p.drawLine(QPointF(23, 8), QPointF(23, 24));
    p.drawLine(QPointF(9, 16), QPointF(23, 16));
    for (double x : {6.0, 20.0})
        for (double y : {5.0, 22.0}) p.fillRect(QRectF(x, y, 6, 5), palette.ink);
    p.fillRect(QRectF(25, 13, 3, 6), palette.dark); // engine sump at the front
}

void drawCarInPerspective(QPainter& p, QColor paint) {
    // Front left corner on the ground near (9, 26); the length runs right and
    // up, the width up and to the left, so the front and left side are seen.
    const QPointF origin(9.5, 25.5), along(19, -5), across(-6, -4.5);
    auto at = [&](double l, double height, double w) {
        return origin + along * l + across * w + QPointF(0, -height);
    };
    auto quad = [&](QPointF a, QPointF b, QPointF c, QPointF d) {
        QPainterPath path;
        path.moveTo(a);
        path.lineTo(b);
        path.lineTo(c);
        path.lineTo(d);
        path.closeSubpath();
        return path;
    };
    const double floor = 2, belt = 8, roof = 13.5;
    // The far front wheel peeks out below the front.
    drawWheel(p, at(0.2, 2.8, 1), 2.8);
    fillOutlined(p, quad(at(0, floor, 0), at(0, floor, 1), at(0, belt, 1), at(0, belt, 0)),
                 palette.bodyDark);
    fillOutlined(p, quad(at(0, belt, 0), at(0, belt, 1), at(1, belt, 1), at(1, belt, 0)),
                 palette.bodyLight);
    fillOutlined(p, quad(at(0, floor, 0), at(1, floor, 0), at(1, belt, 0), at(0, belt, 0)), paint);
    // Cabin: windscreen, roof and side glass.
    QPointF screenLow0 = at(0.3, belt, 0.12), screenLow1 = at(0.3, belt, 0.88);
    QPointF roof0 = at(0.46, roof, 0.15), roof1 = at(0.46, roof, 0.85);
    QPointF back0 = at(0.8, roof, 0.15), back1 = at(0.8, roof, 0.85);
    QPointF tail0 = at(0.9, belt, 0.12);
    fillOutlined(p, quad(screenLow0, screenLow1, roof1, roof0), palette.glass);
    fillOutlined(p, quad(roof0, roof1, back1, back0), palette.bodyLight);
    QPainterPath side;
    side.moveTo(screenLow0);
    side.lineTo(roof0);
    side.lineTo(back0);
    side.lineTo(tail0);
    side.closeSubpath();
    fillOutlined(p, side, palette.glass);
    p.fillRect(QRectF(at(0, 6, 0.15).x() - 1, at(0, 6, 0.15).y() - 1, 2, 2), palette.white);
    p.fillRect(QRectF(at(0, 6, 0.85).x() - 1, at(0, 6, 0.85).y() - 1, 2, 2), palette.white);
    drawWheel(p, at(0.2, 3, 0), 3.6);
    drawWheel(p, at(0.8, 3, 0), 3.6);
}
} // namespace

void drawCarSide(QPainter& p, const QRectF& box, bool facingLeft, QColor paint) {
    p.save();
    QTransform place;
    if (facingLeft) {
        place.translate(box.right(), box.top());
        place.scale(-box.width() / 28.0, box.height() / 20.0);
    } else {
        place.translate(box.left(), box.top());
        place.scale(box.width() / 28.0, box.height() / 20.0);
    }
    p.setTransform(place, true);
    QPainterPath body = carSideProfile();
    // Keep the outline one line weight wide whatever the scale.
    QPen pen = linePen();
    pen.setCosmetic(true);
    p.setPen(pen);
    p.setBrush(paint);
    p.drawPath(body);
    p.setBrush(Qt::NoBrush);
    p.fillPath(carSideWindows(), palette.glass);
    p.fillRect(QRectF(26, 8.5, 2, 1.6), palette.white); // head lamp
    p.fillRect(QRectF(0, 8.2, 1.2, 1.8), palette.red);  // tail lamp
    p.restore();
    // Wheels after the transform so they stay round.
    auto map = [&](double x) {
        double fx = box.left() + x * box.width() / 28.0;
        return facingLeft ? box.left() + box.right() - fx : fx;
    };
    double wheelY = box.top() + 15 * box.height() / 20.0;
    double r = 4.2 * box.height() / 20.0;
    drawWheel(p, QPointF(map(6.5), wheelY), r);
    drawWheel(p, QPointF(map(21.5), wheelY), r);
}

void drawCar(QPainter& p, CarView view, QColor paint) {
    switch (view) {
    case CarView::Perspective:
        drawCarInPerspective(p, paint);
        break;
    case CarView::Front:
        drawCarEnd(p, true, paint);
        break;
    case CarView::Back:
        drawCarEnd(p, false, paint);
        break;
    case CarView::Side:
        drawCarSide(p, QRectF(2, 7, 28, 20), false, paint);
        break;
    case CarView::OtherSide:
        drawCarSide(p, QRectF(2, 7, 28, 20), true, paint);
        break;
    case CarView::Top:
        drawCarFromAbove(p, paint);
        break;
    case CarView::Below:
        drawCarFromBelow(p);
        break;
    }
}

void drawAxisCross(QPainter& p, QPointF o, qreal length, int highlight) {
    const QColor axisColour[3] = {palette.red, palette.green, palette.blue};
    const QPointF direction[3] = {{1, 0}, {0, -1}, {-0.6, 0.8}};
    const double reach[3] = {length, length, length * 0.55};
    const char* letter[3] = {"X", "Y", "Z"};
    // Inactive axes first so the highlighted one lies on top.
    for (int pass = 0; pass < 2; ++pass) {
        for (int a = 0; a < 3; ++a) {
            bool lit = highlight < 0 || highlight == a;
            if (lit != (pass == 1)) continue;
            // The lit axis stays ink so it survives the disabled look; its
            // letter carries the axis colour of the view's cross.
            drawLineArrow(p, o, o + direction[a] * reach[a], false,
                          lit ? palette.ink : palette.soft);
            if (highlight == a) {
                QPointF tip = o + direction[a] * reach[a];
                QRectF box = a == 0   ? QRectF(tip.x() - 8, tip.y() - 14, 9, 10)
                             : a == 1 ? QRectF(tip.x() + 4, tip.y() - 1, 9, 10)
                                      : QRectF(tip.x() + 5, tip.y() - 5, 9, 10);
                drawText(p, box, letter[a], 11, TextFace::Bold, Qt::AlignHCenter, axisColour[a]);
            }
        }
    }
}
