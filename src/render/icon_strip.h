// The icon strip: small greyscale pictures kept in the frame buffer's
// rightmost 96 columns of rows 0..39, beyond any view. The view's corner
// overlay ORs the navigation and texture-size icons from there, and the part
// list copies the eye icons. Columns are counted back from screenWidth.
#pragma once

#include <cstdint>

constexpr int ICON_STRIP_WIDTH = 96;
constexpr int ICON_STRIP_ROWS = 40;
constexpr int ICON_ROWS = 24; // the 24 x 24 icons in rows 0..23

constexpr int ICON_NAVIGATION_COLUMN = -48; // four-way arrows then circular arrows, 48 x 24
constexpr int ICON_SHRINK_COLUMN = -96;     // double arrow left: texture panel is 512
constexpr int ICON_GROW_COLUMN = -72;       // double arrow right: texture panel is 256
constexpr int ICON_EYE_ROW = 24;            // 16 x 16 eyes in rows 24..39
constexpr int ICON_EYE_OPEN_COLUMN = -16;
constexpr int ICON_EYE_CLOSED_COLUMN = -32;
constexpr int ICON_EYE_OPEN_HIGHLIGHT_COLUMN = -48;
constexpr int ICON_EYE_CLOSED_HIGHLIGHT_COLUMN = -64;

// Draws every icon into the strip; once, after the frame buffer is created.
void fillIconStrip();

// The highlight look of a grey level: light on the selection's dark blue.
uint32_t highlightPixel(uint8_t grey);
