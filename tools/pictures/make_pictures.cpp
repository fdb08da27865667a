// vornix-pictures: draws every picture the program carries and writes them
// into one folder, and the desktop's icons into another. All of them are
// drawn here from scratch; nothing is taken from elsewhere.
//
// Run from the build folder (needs Qt and the DejaVu fonts; no display):
//
//     QT_QPA_PLATFORM=offscreen ./tools/pictures/vornix-pictures <repo>/data/{pictures,icons}
//
// and add `--sheet /tmp/sheet.png` to also get a contact sheet for review.
// The output is the same, byte for byte, on every run, so data/pictures and
// data/icons only change when a drawing changes (or the version that the
// About picture shows).
//
// It writes into the pictures folder:
//   button_1200.png .. button_1275.png  32x32 RGB, the bitmap buttons
//   label_1300.png .. label_1309.png    160x16 RGB, the label pictures
//   cursor_1400.png, cursor_1401.png    32x32 RGBA, the group-border cursors
//   cursors.txt                         one "ID x y" hotspot line per cursor
//   vornix.png                          64x64 RGBA, the window icon
//   about.tga                           400x300 colour-mapped TGA, the About picture
// and into the icons folder:
//   vornix_16.png .. vornix_256.png     16x16 to 256x256 RGBA, the desktop's icons
#include "contact_sheet.h"
#include "draw_kit.h"
#include "pictures.h"
#include "tga_file.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>

#include <cstdio>

namespace {

struct Output {
    QDir dir, icons;
    int written = 0;
    QString error;
};

bool writeBytes(Output& out, const QString& name, const QByteArray& bytes) {
    QFile file(out.dir.filePath(name)); // an absolute name stays as it is
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        out.error = "cannot write " + file.fileName();
        return false;
    }
    ++out.written;
    return true;
}

// PNG through a buffer so that a failed encoding never leaves half a file.
bool writePng(Output& out, const QString& name, const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image)) {
        out.error = "cannot encode " + name + ": " + writer.errorString();
        return false;
    }
    return writeBytes(out, name, bytes);
}

// Buttons and labels are stored without alpha, three bytes per pixel.
QImage opaque(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB888);
}

bool writeAll(Output& out) {
    for (int id = FIRST_BUTTON_ID; id < FIRST_BUTTON_ID + BUTTON_COUNT; ++id)
        if (!writePng(out, QString("button_%1.png").arg(id), opaque(drawButtonPicture(id))))
            return false;
    for (int id = FIRST_LABEL_ID; id < FIRST_LABEL_ID + LABEL_COUNT; ++id)
        if (!writePng(out, QString("label_%1.png").arg(id), opaque(drawLabelPicture(id))))
            return false;
    QByteArray hotspots;
    for (int id = FIRST_CURSOR_ID; id < FIRST_CURSOR_ID + CURSOR_COUNT; ++id) {
        QPoint hotspot;
        QImage cursor = drawCursorPicture(id, hotspot);
        if (!writePng(out, QString("cursor_%1.png").arg(id), cursor)) return false;
        hotspots += QString("%1 %2 %3\n").arg(id).arg(hotspot.x()).arg(hotspot.y()).toLatin1();
    }
    if (!writeBytes(out, "cursors.txt", hotspots)) return false;
    if (!writePng(out, "vornix.png", drawIcon(ICON_SIZE))) return false;
    for (int size : DESKTOP_ICON_SIZES)
        if (!writePng(out, out.icons.absoluteFilePath(QString("vornix_%1.png").arg(size)),
                      drawIcon(size)))
            return false;
    IndexedImage about = quantise(drawAboutPicture(), fixedPalette());
    return writeBytes(out, "about.tga", encodeColourMappedTga(about));
}

int usage() {
    std::fprintf(stderr, "usage: vornix-pictures PICTURES_DIR ICONS_DIR [--sheet SHEET.png]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    // Drawing needs no screen; use the offscreen platform unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QStringList args = app.arguments().mid(1);
    QString sheetPath;
    int sheetAt = args.indexOf("--sheet");
    if (sheetAt >= 0) {
        if (sheetAt + 1 >= args.size()) return usage();
        sheetPath = args[sheetAt + 1];
        args.remove(sheetAt, 2);
    }
    if (args.size() != 2) return usage();

    QString error;
    if (!loadPictureFonts(error)) {
        std::fprintf(stderr, "vornix-pictures: %s\n", qPrintable(error));
        return 1;
    }
    Output out;
    out.dir = QDir(args[0]);
    out.icons = QDir(args[1]);
    for (const QDir& dir : {out.dir, out.icons})
        if (!dir.mkpath(".")) {
            std::fprintf(stderr, "vornix-pictures: cannot create %s\n", qPrintable(dir.path()));
            return 1;
        }
    if (!writeAll(out)) {
        std::fprintf(stderr, "vornix-pictures: %s\n", qPrintable(out.error));
        return 1;
    }
    std::printf("%d files written to %s and %s\n", out.written, qPrintable(out.dir.absolutePath()),
                qPrintable(out.icons.absolutePath()));
    if (!sheetPath.isEmpty()) {
        if (!writeContactSheet(out.dir.path(), sheetPath, error)) {
            std::fprintf(stderr, "vornix-pictures: %s\n", qPrintable(error));
            return 1;
        }
        std::printf("contact sheet written to %s\n", qPrintable(sheetPath));
    }
    return 0;
}
