// Builds TGA files in memory for the texture tests: any header fields, an
// optional image ID and colour map, and pixels given texel by texel.
#pragma once

#include "support/test_support.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TgaLayout {
    int width = 256;
    int height = 256;
    int imageType = 2;
    int depth = 32;
    int descriptor = 0x08; // bottom-up, 8 alpha bits: what most tools write
    std::vector<uint8_t> imageId;
    int colorMapType = 0;
    int colorMapLength = 0;
    int colorMapEntryBits = 0;
};

// A texel as the file stores it: blue, green, red, alpha.
struct Texel {
    uint8_t b, g, r, a;
    bool operator==(const Texel&) const = default;
};

// `texel(i, j)` gives the texel stored at position i of stored row j (both in
// file order, whatever the descriptor says). Pixel bytes are depth / 8 per
// texel; a texel's first bytes are used when the depth is below 32.
std::vector<uint8_t> makeTga(const TgaLayout& layout, const std::function<Texel(int, int)>& texel);

// Writes the bytes to a file in `dir`, opens it as the current file handle and
// runs loadTexture(). Returns its result.
bool loadTgaBytes(const TempDir& dir, const std::vector<uint8_t>& bytes);

// Texel (x, y) of the working or the pristine copy, row 0 at the top.
Texel workingTexel(int x, int y);
Texel pristineTexel(int x, int y);
