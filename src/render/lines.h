// Depth-tested lines for wireframes, normals and overlays. A line never
// writes depth, and its test accepts equal depth, so an edge drawn at its own
// surface's depth stays visible.
#pragma once

#include <cstdint>

void drawLine(float x0, float y0, float z0, float x1, float y1, float z1, uint32_t colour);
