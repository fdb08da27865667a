// The ten label pictures, IDs 1300-1309: group titles, rules and the scales
// above the two sliders. Each picture is 160x16; where the panel shows a label
// in a smaller area (for example 60x16 or 160x12) everything stays inside it.
#include "draw_kit.h"
#include "pictures.h"

#include <QFontMetricsF>
#include <QLinearGradient>

#include <cmath>

namespace {

constexpr qreal titleSize = 11; // group titles
constexpr qreal textSize = 10;  // sub-headings
constexpr qreal scaleSize = 9;  // slider scales and column heads

// The slider under a scale label is 160 wide with 16-pixel arrow buttons at
// both ends; a thumb about 20 wide travels between them. Slider value v
// (0..100) therefore sits near x = 26 + 1.08 v.
double scaleX(int value) {
    return 26 + 1.08 * value;
}

// An etched rule from `left` to `right` on the text's middle line.
void drawRule(QPainter& p, double left, double right, double y) {
    p.fillRect(QRectF(left, y, right - left, 1), palette.mid);
    p.fillRect(QRectF(left, y + 1, right - left, 1), palette.white);
}

void drawScaleMark(QPainter& p, int value, const QString& text) {
    double x = scaleX(value);
    drawText(p, QRectF(x - 12, 0, 24, 16), text, scaleSize, TextFace::Regular, Qt::AlignHCenter);
}

void drawLightScale(QPainter& p) {
    // Half-filled circle: the share of directed light.
    QRectF circle(1.5, 2.5, 11, 11);
    p.setPen(Qt::NoPen);
    p.setBrush(palette.white);
    p.drawEllipse(circle);
    p.setBrush(palette.ink);
    p.drawPie(circle, 90 * 16, 180 * 16);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(palette.ink, 1));
    p.drawEllipse(circle);
    const int values[] = {0, 25, 50, 75, 100};
    for (int v : values) drawScaleMark(p, v, QString::number(v));
    drawText(p, QRectF(146, 0, 14, 16), "%", scaleSize, TextFace::Regular, Qt::AlignLeft);
}

void drawAngleScale(QPainter& p) {
    // Black and white box: a hard edge, what "OFF" gives.
    p.fillRect(QRectF(1, 3, 5, 10), palette.ink);
    p.fillRect(QRectF(6, 3, 6, 10), palette.white);
    p.setPen(QPen(palette.ink, 1));
    p.drawRect(QRectF(1.5, 3.5, 10, 9));
    drawScaleMark(p, 0, "OFF");
    drawScaleMark(p, 30, QString("30") + QChar(0xB0));
    drawScaleMark(p, 60, QString("60") + QChar(0xB0));
    drawScaleMark(p, 90, QString("90") + QChar(0xB0));
    // Grey ramp at the right end: no limit, everything smooth.
    QLinearGradient ramp(QPointF(140, 0), QPointF(159, 0));
    ramp.setColorAt(0, palette.ink);
    ramp.setColorAt(1, palette.white);
    p.fillRect(QRectF(140, 3, 19, 10), ramp);
    p.drawRect(QRectF(139.5, 3.5, 19, 9));
}

void drawTitle(QPainter& p, double width, const QString& text) {
    drawText(p, QRectF(2, 0, width - 4, 16), text, titleSize, TextFace::Bold, Qt::AlignLeft);
}

void drawRuledHeading(QPainter& p, double width, const QString& text) {
    QFontMetricsF metrics(pictureFont(TextFace::Regular, textSize));
    double textWidth = metrics.horizontalAdvance(text);
    drawText(p, QRectF(0, 0, width, 16), text, textSize, TextFace::Regular, Qt::AlignLeft);
    drawRule(p, std::ceil(textWidth) + 4, width, 8);
}

// Column heads over lists that start at the given offsets within the label.
void drawColumnHeads(QPainter& p, const QStringList& heads, const QList<double>& lefts) {
    for (int i = 0; i < heads.size(); ++i) {
        double right = i + 1 < lefts.size() ? lefts[i + 1] - 2 : LABEL_WIDTH;
        drawText(p, QRectF(lefts[i] + 1, 0, right - lefts[i] - 1, 12), heads[i], scaleSize,
                 TextFace::Regular, Qt::AlignLeft);
    }
}

} // namespace

QImage drawLabelPicture(int id) {
    QImage image = newCanvas(LABEL_WIDTH, LABEL_HEIGHT, palette.panel);
    QPainter p(&image);
    beginPainter(p);
    switch (id) {
    case 1300:
        drawLightScale(p);
        break;
    case 1301:
        drawAngleScale(p);
        break;
    case 1302:
        drawTitle(p, 120, "Smoothing Groups");
        break;
    case 1303:
        drawTitle(p, 60, "Selection");
        break;
    case 1304:
        drawRuledHeading(p, 130, "Smooth by Angle Limit");
        break;
    case 1305:
        drawRuledHeading(p, 160, "Group Borders");
        break;
    case 1306:
        drawTitle(p, 96, "Polygon Effects");
        break;
    case 1307: // over the kind, colour and digit lists at x 16, 88 and 144; the
               // last head starts a little early, the digit list is narrow
        drawColumnHeads(p, {"Type", "Color", "Intensity"}, {0, 72, 114});
        break;
    case 1308: // over the flash and two digit lists at x 16, 104 and 144
        drawColumnHeads(p, {"Flashing", "Time", "Delay"}, {0, 88, 128});
        break;
    case 1309:
        drawTitle(p, 105, "Texture Mapping");
        break;
    default:
        break;
    }
    p.end();
    return image;
}
