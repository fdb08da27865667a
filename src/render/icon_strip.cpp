// Filling the icon strip.
#include "render/icon_strip.h"

#include "render/frame_buffer.h"
#include "render/icon_pictures.h"

uint32_t highlightPixel(uint8_t grey) {
    const uint32_t inverse = 255u - grey;
    return inverse << 16 | inverse << 8 | ((inverse >> 1) + 128);
}

namespace {
enum class Look { PLAIN, HIGHLIGHT, MIRRORED };

void putIcon(const char* const* picture, int size, int column, int row, Look look) {
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int source = look == Look::MIRRORED ? size - 1 - x : x;
            const uint8_t grey = iconGrey(picture[y][source]);
            *pixelAt(frame.screenWidth + column + x, row + y) =
                look == Look::HIGHLIGHT ? highlightPixel(grey) : grey * 0x010101u;
        }
}
} // namespace

void fillIconStrip() {
    if (!frame.frameBits || frame.screenWidth < ICON_STRIP_WIDTH ||
        frame.screenHeight < ICON_STRIP_ROWS)
        return;
    putIcon(fourWayArrows, ICON_SIZE, ICON_NAVIGATION_COLUMN, 0, Look::PLAIN);
    putIcon(circularArrows, ICON_SIZE, ICON_NAVIGATION_COLUMN + ICON_SIZE, 0, Look::PLAIN);
    putIcon(doubleArrowLeft, ICON_SIZE, ICON_SHRINK_COLUMN, 0, Look::PLAIN);
    putIcon(doubleArrowLeft, ICON_SIZE, ICON_GROW_COLUMN, 0, Look::MIRRORED);
    putIcon(openEye, EYE_SIZE, ICON_EYE_OPEN_COLUMN, ICON_EYE_ROW, Look::PLAIN);
    putIcon(closedEye, EYE_SIZE, ICON_EYE_CLOSED_COLUMN, ICON_EYE_ROW, Look::PLAIN);
    putIcon(openEye, EYE_SIZE, ICON_EYE_OPEN_HIGHLIGHT_COLUMN, ICON_EYE_ROW, Look::HIGHLIGHT);
    putIcon(closedEye, EYE_SIZE, ICON_EYE_CLOSED_HIGHLIGHT_COLUMN, ICON_EYE_ROW, Look::HIGHLIGHT);
}
