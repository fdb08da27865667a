// TGA files for the texture tests, and reading texels back from the block.
#pragma once

#include "model/file_io.h"
#include "support/test_support.h"
#include "texture/texture.h"

#include <functional>

// A texel as the file stores it: blue, green, red, alpha.
struct Texel {
    uint8_t b, g, r, a;
    bool operator==(const Texel&) const = default;
};

// An uncompressed 32-bit true-colour file without image ID or colour map;
// `texel(i, j)` gives texel i of stored row j, in file order whatever the
// descriptor says.
inline std::vector<uint8_t> makeTga(int width, int height, int descriptor,
                                    const std::function<Texel(int, int)>& texel) {
    std::vector<uint8_t> bytes = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int field : {width, height})
        bytes.insert(bytes.end(), {uint8_t(field), uint8_t(field >> 8)});
    bytes.insert(bytes.end(), {32, uint8_t(descriptor)});
    for (int k = 0; k < width * height; ++k) {
        const Texel t = texel(k % width, k / width);
        bytes.insert(bytes.end(), {t.b, t.g, t.r, t.a});
    }
    return bytes;
}

// Writes the bytes to a file in `dir`, opens it and runs loadTexture().
inline bool loadTgaBytes(const TempDir& dir, const std::vector<uint8_t>& bytes) {
    writeBytes(dir.file("texture.tga"), bytes);
    EXPECT_TRUE(openForReading(dir.file("texture.tga")));
    return loadTexture();
}

// Texel (x, y) of the working or the pristine copy, row 0 at the top.
inline Texel texelAt(const uint8_t* copy, int x, int y) {
    const uint8_t* p = copy + (size_t(y) * TEXTURE_SIZE + size_t(x)) * 4;
    return {p[0], p[1], p[2], p[3]};
}
