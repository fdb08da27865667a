// Colour-mapped TGA encoding, decoding and quantisation for the About picture.
#include "tga_file.h"

#include <limits>

namespace {
void put16(QByteArray& out, int offset, int value) {
    out[offset] = static_cast<char>(value & 0xFF);
    out[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
}

int get8(const QByteArray& in, int offset) {
    return static_cast<uint8_t>(in[offset]);
}
int get16(const QByteArray& in, int offset) {
    return get8(in, offset) | get8(in, offset + 1) << 8;
}
} // namespace

std::vector<QRgb> fixedPalette() {
    std::vector<QRgb> colours;
    colours.reserve(TGA_PALETTE_ENTRIES);
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b) colours.push_back(qRgb(r * 51, g * 51, b * 51));
    // 40 greys: eight between each pair of the cube's six grey steps.
    for (int step = 0; step < 5; ++step)
        for (int k = 1; k <= 8; ++k) {
            int v = step * 51 + (k * 51 + 4) / 9;
            colours.push_back(qRgb(v, v, v));
        }
    return colours;
}

IndexedImage quantise(const QImage& source, const std::vector<QRgb>& colours) {
    QImage image = source.convertToFormat(QImage::Format_RGB32);
    IndexedImage out;
    out.width = image.width();
    out.height = image.height();
    out.colours = colours;
    out.colours.resize(TGA_PALETTE_ENTRIES, qRgb(0, 0, 0));
    out.indices.resize(static_cast<size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < out.width; ++x) {
            int best = 0, bestDistance = std::numeric_limits<int>::max();
            for (int i = 0; i < static_cast<int>(colours.size()); ++i) {
                int dr = qRed(row[x]) - qRed(colours[i]);
                int dg = qGreen(row[x]) - qGreen(colours[i]);
                int db = qBlue(row[x]) - qBlue(colours[i]);
                int distance = dr * dr + dg * dg + db * db;
                if (distance < bestDistance) {
                    bestDistance = distance;
                    best = i;
                }
            }
            out.indices[static_cast<size_t>(y) * out.width + x] = static_cast<uint8_t>(best);
        }
    }
    return out;
}

QByteArray encodeColourMappedTga(const IndexedImage& image) {
    QByteArray out(TGA_PIXELS_OFFSET, '\0');
    out[1] = 1; // colour-map type: a palette is present
    out[2] = 1; // image type: uncompressed colour-mapped
    put16(out, 5, TGA_PALETTE_ENTRIES);
    out[7] = 24; // palette entry size in bits
    put16(out, 12, image.width);
    put16(out, 14, image.height);
    out[16] = 8; // bits per pixel index
    out[17] = 0; // descriptor: rows stored bottom-up, columns left to right
    for (int i = 0; i < TGA_PALETTE_ENTRIES; ++i) {
        QRgb c = image.colours[i];
        out[TGA_HEADER_SIZE + 3 * i] = static_cast<char>(qBlue(c));
        out[TGA_HEADER_SIZE + 3 * i + 1] = static_cast<char>(qGreen(c));
        out[TGA_HEADER_SIZE + 3 * i + 2] = static_cast<char>(qRed(c));
    }
    out.reserve(TGA_PIXELS_OFFSET + image.width * image.height);
    for (int y = image.height - 1; y >= 0; --y)
        out.append(
            reinterpret_cast<const char*>(&image.indices[static_cast<size_t>(y) * image.width]),
            image.width);
    return out;
}

bool decodeColourMappedTga(const QByteArray& in, QImage& image, QString& error) {
    if (in.size() < TGA_PIXELS_OFFSET) {
        error = "shorter than header and palette";
        return false;
    }
    if (get8(in, 0) != 0 || get8(in, 1) != 1 || get8(in, 2) != 1 || get16(in, 3) != 0 ||
        get16(in, 5) != TGA_PALETTE_ENTRIES || get8(in, 7) != 24 || get8(in, 16) != 8) {
        error = "not a 256-colour colour-mapped TGA with 24-bit palette";
        return false;
    }
    int width = get16(in, 12), height = get16(in, 14), descriptor = get8(in, 17);
    if (width == 0 || height == 0 ||
        in.size() != TGA_PIXELS_OFFSET + static_cast<qsizetype>(width) * height) {
        error = "size does not match the header";
        return false;
    }
    image = QImage(width, height, QImage::Format_RGB32);
    for (int row = 0; row < height; ++row) {
        int y = descriptor & 0x20 ? row : height - 1 - row;
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int col = 0; col < width; ++col) {
            int x = descriptor & 0x10 ? width - 1 - col : col;
            int index = get8(in, TGA_PIXELS_OFFSET + row * width + col);
            int entry = TGA_HEADER_SIZE + 3 * index;
            line[x] = qRgb(get8(in, entry + 2), get8(in, entry + 1), get8(in, entry));
        }
    }
    return true;
}
