// The line rasterizer: one pixel per column (mostly horizontal lines) or per
// row (the rest), stepped linearly and clipped to the clip rectangle before
// any coordinate becomes a pixel index.
#include "render/lines.h"

#include "render/frame_buffer.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {
void drawMostlyHorizontal(float x0, float y0, float z0, float x1, float y1, float z1, double dx,
                          double dy, uint32_t colour) {
    if (dx < 0) {
        std::swap(x0, x1), std::swap(y0, y1), std::swap(z0, z1);
        dx = -dx, dy = -dy;
    }
    const FrameState& f = frame;
    if (!(x0 < f.clipRight && f.clipLeft < x1)) return;
    const float yStep = float(dy / dx), zStep = float((double(z1) - z0) / dx);
    float y = y0, z = z0;
    if (x0 < f.clipLeft) {
        const double advance = double(f.clipLeft) - x0;
        y = float(y + advance * yStep);
        z = float(z + advance * zStep);
        x0 = f.clipLeft;
    }
    if (x1 > f.clipRight) x1 = f.clipRight;
    const int column = int(x0);
    const int count = std::min(int(double(x1) - x0) + 1, int(f.clipRight) - column + 1);
    for (int i = 0; i < count; ++i) {
        if (f.clipTop <= y && y <= f.clipBottom) {
            const int row = int(y);
            if (*depthAt(column + i, row) <= z) *pixelAt(column + i, row) = colour;
        }
        z += zStep;
        y += yStep;
    }
}

void drawMostlyVertical(float x0, float y0, float z0, float x1, float y1, float z1, double dx,
                        double dy, uint32_t colour) {
    if (dy == 0) return; // a line of no length draws nothing
    if (dy < 0) {
        std::swap(x0, x1), std::swap(y0, y1), std::swap(z0, z1);
        dx = -dx, dy = -dy;
    }
    const FrameState& f = frame;
    if (!(y0 < f.clipBottom && f.clipTop < y1)) return;
    const float xStep = float(dx / dy), zStep = float((double(z1) - z0) / dy);
    float x = x0, z = z0;
    if (y0 < f.clipTop) {
        const double advance = double(f.clipTop) - y0;
        x = float(x + advance * xStep);
        z = float(z + advance * zStep);
        y0 = f.clipTop;
    }
    if (y1 > f.clipBottom) y1 = f.clipBottom;
    const int row = int(y0);
    const int count = std::min(int(double(y1) - y0) + 1, int(f.clipBottom) - row + 1);
    for (int i = 0; i < count; ++i) {
        if (f.clipLeft <= x && x <= f.clipRight) {
            const int column = int(x);
            if (*depthAt(column, row + i) <= z) *pixelAt(column, row + i) = colour;
        }
        z += zStep;
        x += xStep;
    }
}
} // namespace

void drawLine(float x0, float y0, float z0, float x1, float y1, float z1, uint32_t colour) {
    if (!frame.frameBits) return;
    const double dx = double(x1) - x0, dy = double(y1) - y0;
    if (std::fabs(dy) < std::fabs(dx))
        drawMostlyHorizontal(x0, y0, z0, x1, y1, z1, dx, dy, colour);
    else
        drawMostlyVertical(x0, y0, z0, x1, y1, z1, dx, dy, colour);
}
