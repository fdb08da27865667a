// The drawing vocabulary shared by all of the program's pictures: one palette,
// one line weight, fitted text, and the subjects that recur on several buttons
// (disk, camera, bulb, wheel, car views, arrows, axis crosses, checkerboards).
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

// Every picture draws from these colours. Strokes and outlines are dark so that
// the stippled disabled look of a button (which keeps only dark pixels dark)
// still shows the subject.
struct Palette {
    QColor ink{0x00, 0x00, 0x00};
    QColor dark{0x40, 0x40, 0x40};
    QColor mid{0x80, 0x80, 0x80};
    QColor soft{0xA0, 0xA0, 0xA0};  // inactive strokes
    QColor panel{0xC0, 0xC0, 0xC0}; // button and panel background
    QColor light{0xE4, 0xE4, 0xE4};
    QColor white{0xFF, 0xFF, 0xFF};
    QColor body{0x28, 0x50, 0xB4}; // car paint and disk plastic
    QColor bodyLight{0x6C, 0x90, 0xE0};
    QColor bodyDark{0x14, 0x2C, 0x6C};
    QColor glass{0xA8, 0xD0, 0xF0};
    QColor red{0xB0, 0x10, 0x10};
    QColor green{0x10, 0x80, 0x20};
    QColor blue{0x00, 0x10, 0x78};
    QColor yellow{0xFF, 0xD8, 0x30};
    QColor orange{0xF0, 0x90, 0x10};
    QColor metal{0xB8, 0xB8, 0xB8};
};
extern const Palette palette;

// The one line weight of the pictures. Lines of this width centred on whole
// pixel coordinates cover exactly two pixel rows or columns, so straight
// strokes stay crisp.
constexpr qreal lineWidth = 2.0;

// The fonts, loaded from the installed DejaVu files so that every run draws
// the same glyphs. Returns false (and names the missing file) when a font is
// not installed.
struct PictureFonts {
    QString sans;          // regular
    QString sansBold;      // bold
    QString condensedBold; // narrow bold, for words on buttons
};
extern PictureFonts pictureFonts;
bool loadPictureFonts(QString& error);

enum class TextFace { Regular, Bold, CondensedBold };
QFont pictureFont(TextFace face, qreal pixelSize);

// An image of the given size filled with `background`; `withAlpha` gives an
// ARGB image (fill with Qt::transparent for a clear one).
QImage newCanvas(int width, int height, QColor background, bool withAlpha = false);
void beginPainter(QPainter& p);

QPen linePen(QColor colour = palette.ink, Qt::PenCapStyle cap = Qt::FlatCap);

// Text laid into `box`, narrowed horizontally when it would not fit. With a
// halo the text gets a panel-coloured rim so it stays readable over drawings.
void drawText(QPainter& p, const QRectF& box, const QString& text, qreal pixelSize, TextFace face,
              Qt::Alignment align, QColor colour = palette.ink, bool halo = false);

// Filled shapes with an outline of the line weight.
void fillOutlined(QPainter& p, const QPainterPath& path, QColor fill, QColor outline = palette.ink);
// A panel-coloured rim around `path`, drawn before it so the shape stands free
// of what lies behind it.
void drawHalo(QPainter& p, const QPainterPath& path, qreal width = 4.0);

// Arrows.
void drawArrowHead(QPainter& p, QPointF tip, QPointF direction, qreal length, qreal halfWidth,
                   QColor colour = palette.ink);
void drawLineArrow(QPainter& p, QPointF from, QPointF to, bool bothEnds = false,
                   QColor colour = palette.ink);
QPainterPath blockArrowPath(QPointF from, QPointF to, qreal shaftHalf, qreal headHalf,
                            qreal headLength);
// An arc of the ellipse around `centre` from `startDeg` over `spanDeg` (degrees,
// counter-clockwise, 0 = right) with an arrow head at its end.
void drawArcArrow(QPainter& p, QPointF centre, qreal rx, qreal ry, qreal startDeg, qreal spanDeg,
                  QColor colour = palette.ink);
void drawFourWayArrows(QPainter& p, QPointF centre, qreal reach);
void drawCircularArrows(QPainter& p, QPointF centre, qreal radius, QColor colour = palette.ink);

// Subjects.
void drawDisk(QPainter& p, const QRectF& box);
void drawCamera(QPainter& p, const QRectF& box);
void drawBulb(QPainter& p, const QRectF& box);
void drawWheel(QPainter& p, QPointF centre, qreal radius);
void drawCheckerboard(QPainter& p, const QRectF& box, int cells, bool outline = true);
void drawLightStar(QPainter& p, QPointF centre, qreal radius);
void drawPlate(QPainter& p, const QRectF& box);
void drawColourWheel(QPainter& p, QPointF centre, qreal radius);
// The mouse pointer; cursors use a finer outline than buttons.
void drawPointer(QPainter& p, QPointF tip, qreal scale, qreal outline = lineWidth);

enum class DiamondKind { Shaded, Black };
void drawDiamond(QPainter& p, QPointF centre, qreal radius, DiamondKind kind);

// The car in its seven camera views, fitted into the 30x30 face of a button.
enum class CarView { Perspective, Front, Side, Top, Back, OtherSide, Below };
void drawCar(QPainter& p, CarView view, QColor paint = palette.body);
// A small side view inside `box` (front to the right unless `facingLeft`).
void drawCarSide(QPainter& p, const QRectF& box, bool facingLeft, QColor paint);

// Axis cross: origin lower left, X to the right, Y up, Z towards the viewer.
// `highlight` 0..2 draws that axis in ink with its letter in the axis colour,
// the others soft; -1 draws all three in ink.
void drawAxisCross(QPainter& p, QPointF origin, qreal length, int highlight);
