// Drawing one frame from what prepareFrame built: the passes over the draw
// list for the current page and view flags, the overlays, the texture-mapping
// view and the corner icons.
#pragma once

#include <cstdint>

constexpr uint32_t COLOR_WHITE = 0xFFFFFF;
constexpr uint32_t COLOR_CURRENT_GROUP = 0xFFFF00; // yellow
constexpr uint32_t COLOR_GREY_WIRE = 0x808080;
constexpr uint32_t SELECTED_MASK = 0x00FFFF; // white turns cyan, yellow green

void drawFrame();
