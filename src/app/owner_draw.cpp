// Owner-drawn panel elements.
#include "app/owner_draw.h"

#include "model/car_model.h"
#include "platform/window_system.h"
#include "render/frame_buffer.h"
#include "render/icon_strip.h"
#include "texture/tint.h"

#include <algorithm>

OwnerDrawState ownerDraw;

namespace {

const char* const flagLabels[11] = {"Don't Chrome", "High Chrome",   "No Cull",
                                    "Semi Transparent", "Unknown",   "All Windows",
                                    "Front Window", "Left Window",   "Back Window",
                                    "Right Window", "Broken Window"};

uint32_t pixel(HsbColor c) { return hsbToPixel(c) & 0xFFFFFFu; }

void fill(DrawItem& item, uint32_t colour) {
    std::fill(item.pixels, item.pixels + item.width * item.height, colour);
}

void copyImage(DrawItem& item, const uint32_t* image, int width, int height) {
    for (int y = 0; y < std::min(height, item.height); ++y)
        std::copy(image + y * width, image + y * width + std::min(width, item.width),
                  item.pixels + y * item.width);
}

HsbColor fallbackColor{};

} // namespace

HsbColor& currentColor() {
    if (model.selectedColor >= MAX_COLORS || model.colorLayer >= COLOR_LAYERS) return fallbackColor;
    return model.colorLayers[model.colorLayer][model.selectedColor];
}

void resetFlagEntries() {
    for (int k = 0; k < 11; ++k)
        ownerDraw.flagEntries[k] = std::string(1, FLAG_MARKER_NONE) + " " + flagLabels[k];
}

void fillHueBar() {
    uint32_t* bar = ownerDraw.hueBar;
    std::fill(bar, bar + 24, 0x000000u);
    for (int h = 0; h < 180; ++h) {
        uint32_t* row = bar + (h + 1) * 24;
        row[0] = 0x000000;
        const uint32_t colour = pixel({uint8_t(h), 127, 127, 0});
        std::fill(row + 1, row + 23, colour);
        row[23] = 0xFFFFFF;
    }
    std::fill(bar + 181 * 24, bar + 182 * 24, 0xFFFFFFu);
}

void fillSquare(int hue) {
    uint32_t* sq = ownerDraw.square;
    std::fill(sq, sq + 130, 0x000000u);
    for (int r = 1; r <= 128; ++r) {
        uint32_t* row = sq + r * 130;
        row[0] = 0x000000;
        for (int c = 1; c <= 128; ++c)
            row[c] = pixel({uint8_t(hue), uint8_t(c - 1), uint8_t(128 - r), 0});
        row[129] = 0xFFFFFF;
    }
    std::fill(sq + 129 * 130, sq + 130 * 130, 0xFFFFFFu);
}

void drawHueBar(DrawItem& item) {
    const int h = std::min<int>(currentColor().hue, 179);
    uint32_t* row = ownerDraw.hueBar + (h + 1) * 24;
    const uint32_t remembered = row[1];
    // Two white ticks mark the hue; the middle ten pixels keep it.
    std::fill(row + 1, row + 7, 0xFFFFFFu);
    std::fill(row + 17, row + 23, 0xFFFFFFu);
    copyImage(item, ownerDraw.hueBar, 24, 182);
    std::fill(row + 1, row + 23, remembered);
}

void drawSquare(DrawItem& item) {
    const HsbColor c = currentColor();
    const int cx = std::min<int>(c.saturation, 127) + 1;
    const int cy = 128 - std::min<int>(c.brightness, 127);
    const uint32_t marker = cy < 65 ? 0x000000u : 0xFFFFFFu;
    struct Saved {
        int index;
        uint32_t value;
    } saved[16];
    int count = 0;
    auto paint = [&](int x, int y) {
        const int index = y * 130 + x;
        saved[count++] = {index, ownerDraw.square[index]};
        ownerDraw.square[index] = marker;
    };
    for (int d = 1; d <= 4; ++d) {
        if (cx - d >= 1) paint(cx - d, cy);
        if (cx + d <= 128) paint(cx + d, cy);
        if (cy - d >= 1) paint(cx, cy - d);
        if (cy + d <= 128) paint(cx, cy + d);
    }
    copyImage(item, ownerDraw.square, 130, 130);
    while (count > 0) {
        --count;
        ownerDraw.square[saved[count].index] = saved[count].value;
    }
}

void drawSwatch(DrawItem& item) { fill(item, pixel(currentColor())); }

void drawPartItem(DrawItem& item, std::vector<TextRun>& text) {
    const int p = item.index;
    if (p < 0 || p >= model.header.numParts) {
        fill(item, 0xE0E0E0);
        return;
    }
    const uint32_t flags = model.partFlags[p];
    int column = ICON_EYE_CLOSED_COLUMN + ((flags & PART_VISIBLE) ? 16 : 0);
    uint32_t background = 0xE0E0E0, ink = 0x000000;
    if (flags & PART_SELECTED) {
        background = ownerDraw.highlightColour;
        ink = 0xFFFFFF;
        column -= 32;
    }
    fill(item, background);
    if (frame.frameBits) {
        for (int y = 0; y < 16 && y < item.height; ++y)
            for (int x = 0; x < 16 && x < item.width; ++x)
                item.pixels[y * item.width + x] =
                    *pixelAt(frame.screenWidth + column + x, ICON_EYE_ROW + y);
    }
    text.push_back({20, 0, ink, LOOK_PANEL, nameText(model.header.partNames[p])});
}

void drawFlagItem(DrawItem& item, std::vector<TextRun>& text) {
    const int k = item.index;
    if (k < 0 || k >= 11) {
        fill(item, 0xE0E0E0);
        return;
    }
    const std::string& entry = ownerDraw.flagEntries[k];
    const char marker = entry.empty() ? FLAG_MARKER_NONE : entry[0];
    uint32_t background, ink = 0xFFFFFF;
    if (marker == FLAG_MARKER_NONE) {
        background = 0xE0E0E0;
        ink = 0x000000;
    } else if (marker == FLAG_MARKER_ALL) {
        background = ownerDraw.highlightColour;
    } else {
        background = 0x94AAD6; // light blue: red 0x94, green 0xAA, blue 0xD6
    }
    fill(item, background);
    text.push_back({4, 0, ink, LOOK_PANEL, entry.size() > 2 ? entry.substr(2) : std::string()});
}
