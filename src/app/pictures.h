// The program's own pictures, read from its data folder: button and label
// bitmaps, cursors, the window icon, and the colour-mapped About picture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels; // 0xAARRGGBB, top row first
};

// Reads a PNG file; false (and an empty picture) when it cannot.
bool loadPicture(const std::string& path, Picture& picture);

// The About picture as stored: 18-byte header, 256 x 3 palette bytes (blue,
// green, red), then 400 x 300 palette indices.
struct AboutPicture {
    std::vector<uint8_t> bytes;
    bool usable() const { return bytes.size() >= 786 + 400 * 300; }
};

extern AboutPicture aboutPicture;

bool loadAboutPicture(const std::string& path);
// Fills the view with grey and copies the picture centred into it, putting
// the stored rows into top-down, left-to-right order on first use.
void drawAboutPicture(uint32_t* view, int pitch, int viewWidth, int viewHeight);
