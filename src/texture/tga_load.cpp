// Decoding a TGA file into the texture block.
//
// Only one kind of TGA is taken: uncompressed 32-bit true colour, square, 256
// or 512 texels wide. Because the accepted sizes are fixed, every buffer is
// sized from the checked header and no field of the file can make the decoder
// read or write outside them. A 256-wide image is enlarged to 512 by
// inserting per-byte averages, so the view always samples one size.
//
// Files written by other tools may carry an image ID or a colour map in front
// of the pixels; both are skipped by their lengths in the header.
#include "texture/texture.h"

#include "model/alloc.h"
#include "model/file_io.h"
#include "model/messages.h"

#include <cstring>

namespace {

constexpr int TGA_HEADER_SIZE = 18;
constexpr uint8_t TGA_TRUE_COLOR = 2;
constexpr uint8_t TGA_RIGHT_TO_LEFT = 0x10; // descriptor bit 4
constexpr uint8_t TGA_TOP_DOWN = 0x20;      // descriptor bit 5

struct TgaHeader {
    int idLength;
    int colorMapLength;
    int colorMapEntryBits;
    int imageType;
    int width;
    int height;
    int depth;
    int descriptor;
};

int word(const uint8_t* bytes) {
    return bytes[0] | (bytes[1] << 8);
}

TgaHeader parseHeader(const uint8_t (&raw)[TGA_HEADER_SIZE]) {
    return {raw[0],         word(raw + 5),  raw[7],  raw[2],
            word(raw + 12), word(raw + 14), raw[16], raw[17]};
}

// The checks in the order the messages are numbered; 0 when the image is taken.
int formatError(const TgaHeader& h) {
    if (h.imageType != TGA_TRUE_COLOR || h.depth != 32) return 1;
    if (h.width != h.height) return 2;
    if (h.width != 256 && h.width != TEXTURE_SIZE) return 3;
    return 0;
}

void formatErrorMessage(int error) {
    showError(format("Texture format error (%d)!\n%s", error, currentFilePath().c_str()));
}

bool fail(uint8_t*& pixels) {
    releaseBlock(pixels);
    closeFile();
    dropTexture();
    return false;
}

void mirrorRows(uint32_t* texels, int size) {
    for (int y = 0; y < size; ++y) {
        uint32_t* row = texels + size_t(y) * size;
        for (int x = 0; x < size / 2; ++x) std::swap(row[x], row[size - 1 - x]);
    }
}

void flipRows(uint32_t* texels, int size) {
    for (int y = 0; y < size / 2; ++y) {
        uint32_t* top = texels + size_t(y) * size;
        uint32_t* bottom = texels + size_t(size - 1 - y) * size;
        for (int x = 0; x < size; ++x) std::swap(top[x], bottom[x]);
    }
}

// Per-byte average of two texels, the fraction dropped.
void average(const uint8_t* a, const uint8_t* b, uint8_t* out) {
    for (int i = 0; i < 4; ++i) out[i] = uint8_t((a[i] + b[i]) / 2);
}

// 256 x 256 -> 512 x 512: even texels of even rows are the source texels,
// the ones between are averages of their neighbours; the last column and row
// repeat the one before, having no neighbour beyond.
void enlarge(const uint8_t* source, uint8_t* target) {
    constexpr int S = 256, T = TEXTURE_SIZE;
    constexpr size_t SOURCE_ROW = S * 4, TARGET_ROW = T * 4;
    for (int k = 0; k < S; ++k) {
        const uint8_t* in = source + k * SOURCE_ROW;
        uint8_t* out = target + 2 * k * TARGET_ROW;
        for (int x = 0; x < S; ++x) {
            std::memcpy(out + 8 * x, in + 4 * x, 4);
            if (x < S - 1)
                average(in + 4 * x, in + 4 * (x + 1), out + 8 * x + 4);
            else
                std::memcpy(out + 8 * x + 4, in + 4 * x, 4);
        }
    }
    for (int k = 0; k < S; ++k) {
        uint8_t* out = target + (2 * k + 1) * TARGET_ROW;
        const uint8_t* above = out - TARGET_ROW;
        if (k < S - 1) {
            const uint8_t* below = out + TARGET_ROW;
            for (int x = 0; x < T; ++x) average(above + 4 * x, below + 4 * x, out + 4 * x);
        } else {
            std::memcpy(out, above, TARGET_ROW);
        }
    }
}

} // namespace

void dropTexture() {
    releaseBlock(model.textureImage);
    model.textureLoaded = false;
}

bool loadTexture() {
    uint8_t* pixels = nullptr;
    uint8_t raw[TGA_HEADER_SIZE];
    if (!readExact(sizeof raw, raw)) {
        // A file too short for the header is no TGA we take; a failed read
        // has shown the system error already.
        if (!systemErrorSeen()) formatErrorMessage(1);
        return fail(pixels);
    }
    const TgaHeader h = parseHeader(raw);
    if (int error = formatError(h)) {
        formatErrorMessage(error);
        return fail(pixels);
    }
    // The image ID and a colour map lie between the header and the pixels.
    const int64_t skip = h.idLength + int64_t(h.colorMapLength) * ((h.colorMapEntryBits + 7) / 8);
    if (skip > 0 && !seekFile(SEEK_FROM_CURRENT, skip)) return fail(pixels);

    const int size = h.width;
    const size_t bytes = size_t(size) * size * 4;
    pixels = static_cast<uint8_t*>(allocBlock(bytes));
    if (!pixels) return fail(pixels);
    if (!readExact(bytes, pixels)) return fail(pixels);

    auto* texels = reinterpret_cast<uint32_t*>(pixels);
    if (h.descriptor & TGA_RIGHT_TO_LEFT) mirrorRows(texels, size);
    if (!(h.descriptor & TGA_TOP_DOWN)) flipRows(texels, size);

    auto* image = static_cast<uint8_t*>(allocBlock(TEXTURE_BLOCK_BYTES));
    if (!image) return fail(pixels);
    if (size == TEXTURE_SIZE)
        std::memcpy(image, pixels, TEXTURE_COPY_BYTES);
    else
        enlarge(pixels, image);
    std::memcpy(image + TEXTURE_COPY_BYTES, image, TEXTURE_COPY_BYTES);

    releaseBlock(pixels);
    closeFile();
    releaseBlock(model.textureImage);
    model.textureImage = image;
    model.textureLoaded = true;
    return true;
}
