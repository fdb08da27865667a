// The About picture's stored form: an uncompressed colour-mapped TGA image
// with a 256-entry palette of 24-bit colours, pixel indices in bottom-up rows.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

constexpr int TGA_HEADER_SIZE = 18;
constexpr int TGA_PALETTE_ENTRIES = 256;
constexpr int TGA_PIXELS_OFFSET = TGA_HEADER_SIZE + 3 * TGA_PALETTE_ENTRIES; // 786

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<QRgb> colours;    // TGA_PALETTE_ENTRIES entries
    std::vector<uint8_t> indices; // width * height, top row first
};

// The fixed palette: a 6x6x6 colour cube (entries 0..215) and a ramp of 40
// greys between its grey steps (216..255).
std::vector<QRgb> fixedPalette();

// Each pixel becomes the nearest palette colour (no dithering, so text edges
// stay clean); ties go to the lower index.
IndexedImage quantise(const QImage& image, const std::vector<QRgb>& colours);

QByteArray encodeColourMappedTga(const IndexedImage& image);

// Reads back what encodeColourMappedTga writes (either row order, either
// column order). False with a reason when the bytes are not such an image.
bool decodeColourMappedTga(const QByteArray& bytes, QImage& image, QString& error);
