// Drawing one triangle of the draw list: set-up for the three fillers, its
// wireframe and its normal lines.
#pragma once

#include "model/fce_types.h"

#include <cstdint>

void drawShadedTriangle(const ModelTriangle& tri, uint32_t colour);
void drawTexturedTriangle(const ModelTriangle& tri, uint32_t colour);
void drawGlassTriangle(const ModelTriangle& tri, uint32_t colour);
void drawWireTriangle(const ModelTriangle& tri, uint32_t colour);
void drawNormalLines(const ModelTriangle& tri);

constexpr uint32_t NORMAL_LINE_COLOR = 0xFF0000;
constexpr double WIRE_DEPTH_OFFSET = 0.01;
