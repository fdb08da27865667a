// A contact sheet of the written pictures for review: every button enlarged
// with the border the program adds and with its disabled look, the buttons at
// their real size, the labels, the cursors, the icon and the About picture
// read back from its TGA file.
#include "contact_sheet.h"

#include "draw_kit.h"
#include "pictures.h"
#include "tga_file.h"

#include <QDir>
#include <QFile>

namespace {

constexpr int zoom = 3;

// The up look: white top row and left column, black bottom row and right column.
QImage withBorder(const QImage& picture) {
    QImage look = picture.convertToFormat(QImage::Format_RGB32);
    for (int i = 0; i < BUTTON_SIZE; ++i) {
        look.setPixel(i, 0, 0xFFFFFFFF);
        look.setPixel(0, i, 0xFFFFFFFF);
        look.setPixel(i, BUTTON_SIZE - 1, 0xFF000000);
        look.setPixel(BUTTON_SIZE - 1, i, 0xFF000000);
    }
    return look;
}

// The disabled look: a stipple of the panel grey and a grey taken from the OR
// of each pixel's bytes (masked in even rows).
QImage disabledLook(const QImage& picture) {
    QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    QImage look(BUTTON_SIZE, BUTTON_SIZE, QImage::Format_RGB32);
    for (int y = 0; y < BUTTON_SIZE; ++y)
        for (int x = 0; x < BUTTON_SIZE; ++x) {
            QRgb px = rgb.pixel(x, y);
            int bytes = qRed(px) | qGreen(px) | qBlue(px);
            int g = (y % 2 == 0) ? (bytes & 0xE0) : bytes;
            bool showsPicture = (y % 2 == 0) == (x % 2 == 0);
            look.setPixel(x, y, showsPicture ? qRgb(g, g, g) : qRgb(0xC0, 0xC0, 0xC0));
        }
    return look;
}

QImage enlarged(const QImage& image, int factor) {
    return image.scaled(image.width() * factor, image.height() * factor, Qt::IgnoreAspectRatio,
                        Qt::FastTransformation);
}

void caption(QPainter& p, int x, int y, int width, const QString& text) {
    drawText(p, QRectF(x, y, width, 14), text, 11, TextFace::Regular, Qt::AlignLeft);
}

// Cursors are shown on light and dark ground with the hotspot ringed in red.
void drawCursorSample(QPainter& p, const QImage& cursor, QPoint hotspot, int x, int y) {
    const QColor grounds[2] = {QColor(0xF0, 0xF0, 0xF0), QColor(0x30, 0x30, 0x30)};
    for (int i = 0; i < 2; ++i) {
        QRect cell(x + i * (CURSOR_SIZE * zoom + 8), y, CURSOR_SIZE * zoom, CURSOR_SIZE * zoom);
        p.fillRect(cell, grounds[i]);
        p.drawImage(cell.topLeft(), enlarged(cursor, zoom));
        p.setPen(QPen(Qt::red, 1));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(cell.left() + (hotspot.x() + 0.5) * zoom,
                              cell.top() + (hotspot.y() + 0.5) * zoom),
                      zoom * 1.5, zoom * 1.5);
    }
}

} // namespace

bool writeContactSheet(const QString& dirPath, const QString& sheetPath, QString& error) {
    QDir dir(dirPath);
    auto load = [&](const QString& name, QImage& image) {
        if (!image.load(dir.filePath(name))) {
            error = "cannot read " + dir.filePath(name);
            return false;
        }
        return true;
    };

    const int columns = 8;
    const int cellWidth = BUTTON_SIZE * zoom + 8 + BUTTON_SIZE * 2 + 12;
    const int cellHeight = BUTTON_SIZE * zoom + 22;
    const int buttonRows = (BUTTON_COUNT + columns - 1) / columns;
    const int width = columns * cellWidth + 16;
    const int stripTop = 16 + buttonRows * cellHeight + 8;
    const int labelsTop = stripTop + 2 * 36 + 24;
    const int labelRowHeight = LABEL_HEIGHT * zoom + 22;
    const int extrasTop = labelsTop + 5 * labelRowHeight + 16;
    const int height = extrasTop + ABOUT_HEIGHT + 40;

    QImage sheet = newCanvas(width, height, palette.panel);
    QPainter p(&sheet);
    beginPainter(p);

    for (int i = 0; i < BUTTON_COUNT; ++i) {
        QImage picture;
        if (!load(QString("button_%1.png").arg(FIRST_BUTTON_ID + i), picture)) return false;
        int x = 16 + (i % columns) * cellWidth, y = 16 + (i / columns) * cellHeight;
        p.drawImage(x, y, enlarged(withBorder(picture), zoom));
        p.drawImage(x + BUTTON_SIZE * zoom + 8, y, enlarged(disabledLook(picture), 2));
        caption(p, x, y + BUTTON_SIZE * zoom + 4, 60, QString::number(FIRST_BUTTON_ID + i));
        // Real size, as in the panel.
        int sx = 16 + (i % 38) * 34, sy = stripTop + (i / 38) * 36;
        p.drawImage(sx, sy, withBorder(picture));
    }

    for (int i = 0; i < LABEL_COUNT; ++i) {
        QImage label;
        if (!load(QString("label_%1.png").arg(FIRST_LABEL_ID + i), label)) return false;
        int x = 16 + (i % 2) * (LABEL_WIDTH * zoom + 40);
        int y = labelsTop + (i / 2) * labelRowHeight;
        caption(p, x, y, 60, QString::number(FIRST_LABEL_ID + i));
        p.drawImage(x + 64, y, label); // real size beside the number
        p.drawImage(x, y + 18, enlarged(label, zoom));
    }

    QFile hotspots(dir.filePath("cursors.txt"));
    if (!hotspots.open(QIODevice::ReadOnly)) {
        error = "cannot read " + hotspots.fileName();
        return false;
    }
    const QStringList lines =
        QString::fromLatin1(hotspots.readAll()).split('\n', Qt::SkipEmptyParts);
    int x = 16;
    for (int i = 0; i < CURSOR_COUNT; ++i) {
        QImage cursor;
        if (!load(QString("cursor_%1.png").arg(FIRST_CURSOR_ID + i), cursor)) return false;
        QPoint hotspot;
        for (const QString& line : lines) {
            QStringList f = line.split(' ');
            if (f.size() == 3 && f[0].toInt() == FIRST_CURSOR_ID + i)
                hotspot = QPoint(f[1].toInt(), f[2].toInt());
        }
        caption(p, x, extrasTop, 60, QString::number(FIRST_CURSOR_ID + i));
        drawCursorSample(p, cursor, hotspot, x, extrasTop + 16);
        x += 2 * (CURSOR_SIZE * zoom + 8) + 16;
    }
    QImage icon;
    if (!load("vornix.png", icon)) return false;
    caption(p, 16, extrasTop + 130, 100, "icon");
    p.drawImage(16, extrasTop + 146, enlarged(icon, 2));
    p.fillRect(QRect(150, extrasTop + 146, 64, 64), QColor(0x30, 0x30, 0x30));
    p.drawImage(150, extrasTop + 146, icon);
    p.drawImage(230, extrasTop + 146, icon);

    QFile tga(dir.filePath("about.tga"));
    QImage about;
    if (!tga.open(QIODevice::ReadOnly) || !decodeColourMappedTga(tga.readAll(), about, error)) {
        error = "cannot read about.tga: " + error;
        return false;
    }
    caption(p, x + 16, extrasTop, 200, "about.tga");
    p.drawImage(x + 16, extrasTop + 16, about);
    p.end();
    if (!sheet.save(sheetPath, "PNG")) {
        error = "cannot write " + sheetPath;
        return false;
    }
    return true;
}
