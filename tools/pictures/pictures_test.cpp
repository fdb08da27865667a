// Checks of the program's pictures, icons and help texts as they lie in data/:
// the committed pictures are what the generator draws (and it draws the same on
// every run), the files have the sizes and formats the program loads, the
// pictures keep their subjects inside the area the panel shows, and the help
// texts are complete.
#include "tga_file.h"

#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

namespace {

const QString pictureDir = QString::fromStdString(sourcePath("data/pictures"));
const QString helpDir = QString::fromStdString(sourcePath("data/help"));
const QString iconDir = QString::fromStdString(sourcePath("data/icons"));
constexpr QRgb panelGrey = 0xFFC0C0C0;

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Width, height, bit depth and colour type from a PNG's header chunk.
struct PngHeader {
    int width = 0, height = 0, depth = 0, colourType = -1;
};
PngHeader pngHeader(const QString& path) {
    QByteArray b = fileBytes(path);
    PngHeader h;
    if (b.size() < 26 || !b.startsWith("\x89PNG\r\n\x1a\n") || b.mid(12, 4) != "IHDR") return h;
    auto be32 = [&](int at) {
        return int(uint8_t(b[at])) << 24 | int(uint8_t(b[at + 1])) << 16 |
               int(uint8_t(b[at + 2])) << 8 | int(uint8_t(b[at + 3]));
    };
    h.width = be32(16);
    h.height = be32(20);
    h.depth = uint8_t(b[24]);
    h.colourType = uint8_t(b[25]);
    return h;
}

QImage loadRgb(const QString& name) {
    return QImage(pictureDir + "/" + name).convertToFormat(QImage::Format_RGB32);
}

QString buttonFile(int id) {
    return QString("button_%1.png").arg(id);
}

bool runGenerator(const std::string& dir) {
    std::string command = std::string("QT_QPA_PLATFORM=offscreen \"") + VORNIX_PICTURES_PATH +
                          "\" \"" + dir + "\" \"" + dir + "/icons\" > /dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

QStringList filesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files, QDir::Name);
}

} // namespace

TEST(PictureGenerator, RedrawsTheCommittedFilesByteForByte) {
    TempDir first, second;
    ASSERT_TRUE(runGenerator(first.path().string()));
    ASSERT_TRUE(runGenerator(second.path().string()));
    EXPECT_EQ(filesIn(pictureDir).size(), 76 + 10 + 2 + 1 + 1 + 1);
    EXPECT_EQ(filesIn(iconDir).size(), 6);
    for (const auto& [committedDir, sub] :
         {std::pair(pictureDir, ""), std::pair(iconDir, "/icons")}) {
        const QString firstDir = QString::fromStdString(first.path().string()) + sub;
        const QString secondDir = QString::fromStdString(second.path().string()) + sub;
        const QStringList committed = filesIn(committedDir);
        EXPECT_EQ(filesIn(firstDir), committed);
        for (const QString& name : committed) {
            QByteArray stored = fileBytes(committedDir + "/" + name);
            EXPECT_EQ(fileBytes(firstDir + "/" + name), fileBytes(secondDir + "/" + name))
                << qPrintable(name) << " differs between two runs";
            EXPECT_EQ(fileBytes(firstDir + "/" + name), stored)
                << qPrintable(name) << " is stale: run vornix-pictures on data/pictures data/icons";
        }
    }
}

TEST(ButtonPictures, AreOpaque32By32WithAClearSubject) {
    std::map<QByteArray, int> seen;
    for (int id = 1200; id <= 1275; ++id) {
        SCOPED_TRACE(id);
        PngHeader h = pngHeader(pictureDir + "/" + buttonFile(id));
        EXPECT_EQ(h.width, 32);
        EXPECT_EQ(h.height, 32);
        EXPECT_EQ(h.depth, 8);
        EXPECT_EQ(h.colourType, 2) << "buttons are stored as RGB without alpha";
        QImage image = loadRgb(buttonFile(id));
        ASSERT_FALSE(image.isNull());
        // The disabled look keeps a pixel dark only when all of its bytes are
        // dark, so a subject drawn in light colours alone would vanish.
        int drawn = 0, darkWhenDisabled = 0;
        for (int y = 1; y <= 30; ++y)
            for (int x = 1; x <= 30; ++x) {
                QRgb px = image.pixel(x, y);
                if (px != panelGrey) ++drawn;
                if (((qRed(px) | qGreen(px) | qBlue(px)) & 0xE0) <= 0x60) ++darkWhenDisabled;
            }
        EXPECT_GE(drawn, 80) << "too little drawn";
        EXPECT_GE(darkWhenDisabled, 30) << "too little stays dark in the disabled look";
        QByteArray pixels(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
        auto [it, fresh] = seen.emplace(pixels, id);
        // The mapping tools reuse the pictures of the camera's move and turn.
        bool sharedOnPurpose =
            (id == 1273 && it->second == 1250) || (id == 1274 && it->second == 1251);
        EXPECT_TRUE(fresh || sharedOnPurpose) << "same picture as " << it->second;
    }
}

TEST(LabelPictures, KeepTheirContentInsideTheAreaThePanelShows) {
    // Width and height each label is laid out with in the panel.
    const std::map<int, QSize> area = {{1300, {160, 16}}, {1301, {160, 16}}, {1302, {120, 16}},
                                       {1303, {60, 16}},  {1304, {130, 16}}, {1305, {160, 16}},
                                       {1306, {96, 16}},  {1307, {160, 12}}, {1308, {160, 12}},
                                       {1309, {105, 16}}};
    for (const auto& [id, size] : area) {
        SCOPED_TRACE(id);
        QString name = QString("label_%1.png").arg(id);
        PngHeader h = pngHeader(pictureDir + "/" + name);
        EXPECT_EQ(h.width, 160);
        EXPECT_EQ(h.height, 16);
        EXPECT_EQ(h.colourType, 2);
        QImage image = loadRgb(name);
        ASSERT_FALSE(image.isNull());
        int inside = 0, outside = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 160; ++x) {
                if (image.pixel(x, y) == panelGrey) continue;
                (x < size.width() && y < size.height() ? inside : outside)++;
            }
        EXPECT_EQ(outside, 0) << "drawn beyond " << size.width() << "x" << size.height();
        EXPECT_GE(inside, 60) << "no text";
    }
}

TEST(CursorPictures, PointWithAnOpaqueHotspot) {
    QStringList lines =
        QString::fromLatin1(fileBytes(pictureDir + "/cursors.txt")).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    QImage cursors[2];
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(1400 + i);
        QStringList f = lines[i].split(' ');
        ASSERT_EQ(f.size(), 3);
        EXPECT_EQ(f[0].toInt(), 1400 + i);
        int x = f[1].toInt(), y = f[2].toInt();
        QString name = QString("cursor_%1.png").arg(1400 + i);
        PngHeader h = pngHeader(pictureDir + "/" + name);
        EXPECT_EQ(h.width, 32);
        EXPECT_EQ(h.height, 32);
        EXPECT_EQ(h.colourType, 6) << "cursors need alpha";
        cursors[i] = QImage(pictureDir + "/" + name).convertToFormat(QImage::Format_ARGB32);
        ASSERT_TRUE(x >= 0 && x < 32 && y >= 0 && y < 32);
        EXPECT_GE(qAlpha(cursors[i].pixel(x, y)), 128) << "hotspot off the drawn pointer";
        EXPECT_EQ(qAlpha(cursors[i].pixel(31, 0)), 0) << "cursor should be clear around";
    }
    EXPECT_NE(cursors[0], cursors[1]);
}

TEST(Icons, AreRoundPicturesOnClearGroundOfOneDesignAtEverySize) {
    // The window icon is the desktop's 64x64 icon.
    EXPECT_EQ(fileBytes(pictureDir + "/vornix.png"), fileBytes(iconDir + "/vornix_64.png"));
    const QImage design = QImage(iconDir + "/vornix_64.png").convertToFormat(QImage::Format_ARGB32);
    for (int size : {16, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const QString path = iconDir + QString("/vornix_%1.png").arg(size);
        PngHeader h = pngHeader(path);
        EXPECT_EQ(h.width, size);
        EXPECT_EQ(h.height, size);
        EXPECT_EQ(h.colourType, 6);
        QImage icon = QImage(path).convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(icon.pixel(size - 1, size - 1)), 0);
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255);
        // Brought to 16x16, each size looks like the 64x64 design.
        const auto small = [](const QImage& image) {
            return image.scaled(16, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        };
        const QImage a = small(icon), b = small(design);
        int difference = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                for (int shift : {0, 8, 16, 24})
                    difference += std::abs(int(a.pixel(x, y) >> shift & 0xFF) -
                                           int(b.pixel(x, y) >> shift & 0xFF));
        EXPECT_LT(difference / (16 * 16 * 4), 12);
    }
}

TEST(AboutPicture, IsStoredAsTheProgramReadsIt) {
    QByteArray b = fileBytes(pictureDir + "/about.tga");
    ASSERT_EQ(b.size(), 18 + 768 + 400 * 300);
    auto u8 = [&](int at) { return int(uint8_t(b[at])); };
    EXPECT_EQ(u8(0), 0); // no image id
    EXPECT_EQ(u8(1), 1); // colour map present
    EXPECT_EQ(u8(2), 1); // uncompressed colour-mapped
    EXPECT_EQ(u8(5) | u8(6) << 8, 256);
    EXPECT_EQ(u8(7), 24);
    EXPECT_EQ(u8(12) | u8(13) << 8, 400);
    EXPECT_EQ(u8(14) | u8(15) << 8, 300);
    EXPECT_EQ(u8(16), 8);
    EXPECT_EQ(u8(17) & 0x30, 0) << "rows bottom-up, columns left to right";
    QImage about;
    QString error;
    ASSERT_TRUE(decodeColourMappedTga(b, about, error)) << qPrintable(error);
    QSet<QRgb> colours;
    for (int y = 0; y < about.height(); ++y)
        for (int x = 0; x < about.width(); ++x) colours.insert(about.pixel(x, y));
    EXPECT_GE(colours.size(), 16) << "a picture, not a blank";
}

TEST(ColourMappedTga, StoresRowsBottomUpAndReadsBothOrders) {
    IndexedImage image;
    image.width = 3;
    image.height = 2;
    image.colours = fixedPalette();
    image.indices = {0, 5, 215, 216, 255, 36}; // top row, then bottom row
    QByteArray bytes = encodeColourMappedTga(image);
    ASSERT_EQ(bytes.size(), TGA_PIXELS_OFFSET + 6);
    // The first stored row is the bottom one.
    EXPECT_EQ(uint8_t(bytes[TGA_PIXELS_OFFSET]), 216);
    EXPECT_EQ(uint8_t(bytes[TGA_PIXELS_OFFSET + 3]), 0);
    // Palette entries are blue, green, red.
    EXPECT_EQ(uint8_t(bytes[TGA_HEADER_SIZE + 3 * 36 + 2]), 51); // entry 36 is (51, 0, 0)
    EXPECT_EQ(uint8_t(bytes[TGA_HEADER_SIZE + 3 * 36]), 0);

    QImage decoded;
    QString error;
    ASSERT_TRUE(decodeColourMappedTga(bytes, decoded, error));
    EXPECT_EQ(decoded.pixel(2, 0) & 0xFFFFFF, image.colours[215] & 0xFFFFFF);
    EXPECT_EQ(decoded.pixel(2, 1) & 0xFFFFFF, image.colours[36] & 0xFFFFFF);

    // A top-down, right-to-left file reads as the same picture.
    QByteArray flipped = bytes;
    flipped[17] = 0x30;
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col)
            flipped[TGA_PIXELS_OFFSET + row * 3 + col] =
                static_cast<char>(image.indices[row * 3 + 2 - col]);
    QImage same;
    ASSERT_TRUE(decodeColourMappedTga(flipped, same, error));
    EXPECT_EQ(same, decoded);

    EXPECT_FALSE(decodeColourMappedTga(bytes.left(bytes.size() - 1), same, error));
    EXPECT_FALSE(decodeColourMappedTga(bytes.left(100), same, error));
    QByteArray trueColour = bytes;
    trueColour[2] = 2;
    EXPECT_FALSE(decodeColourMappedTga(trueColour, same, error));
}

TEST(ColourMappedTga, QuantiseKeepsPaletteColoursExactly) {
    std::vector<QRgb> palette = fixedPalette();
    ASSERT_EQ(palette.size(), 256u);
    QImage strip(256, 1, QImage::Format_RGB32);
    for (int i = 0; i < 256; ++i) strip.setPixel(i, 0, palette[i]);
    IndexedImage indexed = quantise(strip, palette);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(indexed.indices[i], i) << "entry " << i;
    // Colours between entries take the nearest one.
    QImage grey(1, 1, QImage::Format_RGB32);
    grey.setPixel(0, 0, qRgb(192, 192, 192));
    EXPECT_EQ(palette[quantise(grey, palette).indices[0]], qRgb(193, 193, 193));
}

TEST(HelpTexts, ContextHelpHasOneCrLfLinePerButton) {
    QByteArray text = fileBytes(QString::fromStdString(sourcePath("data/help.dat")));
    ASSERT_TRUE(text.endsWith("\r\n"));
    QList<QByteArray> lines = text.left(text.size() - 2).split('\n');
    ASSERT_EQ(lines.size(), 76);
    QSet<QByteArray> distinct;
    for (int k = 0; k < lines.size(); ++k) {
        SCOPED_TRACE(1200 + k);
        QByteArray line = lines[k];
        if (k + 1 < lines.size()) {
            ASSERT_TRUE(line.endsWith('\r'));
            line.chop(1);
        }
        EXPECT_FALSE(line.isEmpty());
        EXPECT_LT(line.size(), 100);
        for (char c : line) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << "not plain ASCII";
        distinct.insert(line);
    }
    EXPECT_EQ(distinct.size(), 76);
}

TEST(HelpTexts, PagesExistAndTheirLinksResolve) {
    const QStringList pages = {"index.html",   "camera.html", "parts.html",   "surfaces.html",
                               "dummies.html", "colors.html", "textures.html"};
    QRegularExpression link("href=\"([^\"#]*)(?:#([^\"]*))?\"");
    for (const QString& page : pages) {
        SCOPED_TRACE(page.toStdString());
        QString html = QString::fromUtf8(fileBytes(helpDir + "/" + page));
        ASSERT_FALSE(html.isEmpty());
        EXPECT_TRUE(html.startsWith("<!DOCTYPE html>"));
        EXPECT_TRUE(html.contains("<title>"));
        for (const QString& other : pages)
            EXPECT_TRUE(html.contains("href=\"" + other + "\""))
                << "no link to " << qPrintable(other);
        for (auto it = link.globalMatch(html); it.hasNext();) {
            auto m = it.next();
            QString target = m.captured(1), anchor = m.captured(2);
            if (target.isEmpty()) target = page;
            QString targetHtml = QString::fromUtf8(fileBytes(helpDir + "/" + target));
            EXPECT_FALSE(targetHtml.isEmpty()) << "broken link " << qPrintable(target);
            if (!anchor.isEmpty()) {
                EXPECT_TRUE(targetHtml.contains("id=\"" + anchor + "\""))
                    << "missing anchor " << qPrintable(target + "#" + anchor);
            }
        }
    }
}
