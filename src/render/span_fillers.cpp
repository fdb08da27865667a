// Span fillers. Every running value is a float stepped by float additions;
// the per-row set-up is evaluated in double and stored as float.
//
// The guards that keep absurd values (a shade too large for an int, texture
// coordinates outside the texture, not-a-number) from becoming pixels are
// checked once per span: a span whose values provably stay in range runs the
// plain loop, any other the guarded one. Both give the same pixels wherever
// the plain loop may run.
#include "render/span_fillers.h"

#include "render/edge_walker.h"
#include "render/frame_buffer.h"
#include "render/window_tint.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int TEXTURE_SIZE = 512;
constexpr float TEXEL_LAST = 511.0f;
constexpr double SHADE_LIMIT = 1e9; // far inside an int, whatever the rounding

// One row's span clipped to the clip rectangle: the first column, the pixel
// count and the attributes after x at the first pixel with their steps.
template <int N> struct Span {
    int column = 0, count = 0;
    float value[N - 1], step[N - 1];
};

// Reads row `row` (N values per side) and clips it; false when nothing shows.
template <int N> bool clipSpan(int row, Span<N>& span) {
    const float* left = spanRow(row, N);
    const float* right = left + N;
    float xl = left[0], xr = right[0];
    const float clipLeft = frame.clipLeft, clipRight = frame.clipRight;
    if (!(xl < clipRight && clipLeft < xr)) return false;
    const double width = double(xr) - xl;
    for (int j = 0; j < N - 1; ++j) {
        span.value[j] = left[j + 1];
        span.step[j] = xl == xr ? 0.0f : float((double(right[j + 1]) - left[j + 1]) / width);
    }
    if (xl < clipLeft) {
        const double advance = double(clipLeft) - xl;
        for (int j = 0; j < N - 1; ++j)
            span.value[j] = float(span.value[j] + advance * span.step[j]);
        xl = clipLeft;
    }
    if (xr > clipRight) xr = clipRight;
    span.column = int(xl);
    span.count = std::min(int(double(xr) - xl) + 1, int(clipRight) - span.column + 1);
    return span.count > 0;
}

// Whether a value stepped `count` times from `start` stays within
// [low, high]: both ends are checked, and the running sum's rounding (under
// half a unit over the longest row, for values up to 512) keeps every value
// within half a unit of the straight line between them.
inline bool staysWithin(float start, float step, int count, double low, double high) {
    const double end = start + double(step) * (count - 1);
    return start >= low && start <= high && end >= low && end <= high;
}

// Texel row or column: truncated and kept inside the texture, whatever the
// coordinates (outside 0..1, or not a number).
inline int texelIndex(float t) {
    const float clamped = t >= 0.0f ? (t <= TEXEL_LAST ? t : TEXEL_LAST) : 0.0f;
    return int(clamped);
}

template <bool GUARDED>
void shadedRun(uint32_t* pixel, float* depth, int count, float shade, float shadeStep, float z,
               float zStep, uint32_t colour) {
    for (int i = 0; i < count; ++i) {
        if (depth[i] < z) {
            const int level = GUARDED ? shadeLevel(shade) : int(shade);
            pixel[i] = (uint32_t(level) * 0x010101u) & colour;
            depth[i] = z;
        }
        shade += shadeStep;
        z += zStep;
    }
}

template <bool GUARDED>
void texturedRun(uint32_t* pixel, float* depth, const Span<TEXTURED_ATTRIBUTES>& span,
                 const uint8_t* texture, uint32_t colour) {
    float u = span.value[0], v = span.value[1], shade = span.value[2], z = span.value[3];
    const float uStep = span.step[0], vStep = span.step[1];
    const float shadeStep = span.step[2], zStep = span.step[3];
    for (int i = 0; i < span.count; ++i) {
        if (depth[i] < z) {
            const int column = GUARDED ? texelIndex(u) : int(u);
            const int row = GUARDED ? texelIndex(v) : int(v);
            uint32_t texel; // blue, green, red, alpha: 0xAARRGGBB
            std::memcpy(&texel, texture + (column + row * TEXTURE_SIZE) * 4, 4);
            if (texel >> 24) {
                const uint32_t level = uint32_t(GUARDED ? shadeLevel(shade) : int(shade));
                if (level <= 256) {
                    // Red and blue scale in one product: a channel times a
                    // level of at most 256 stays below 1 << 16, so they never meet.
                    const uint32_t redBlue = (((texel & 0xFF00FFu) * level) >> 8) & 0xFF00FFu;
                    const uint32_t green = (((texel & 0xFF00u) * level) >> 8) & 0xFF00u;
                    pixel[i] = (redBlue | green) & colour;
                } else { // a light brighter than full, as a settings file may ask for
                    const uint32_t r = ((texel >> 16 & 0xFF) * level) >> 8;
                    const uint32_t g = ((texel >> 8 & 0xFF) * level) >> 8;
                    const uint32_t b = ((texel & 0xFF) * level) >> 8;
                    pixel[i] = ((r << 16) | (g << 8) | b) & colour;
                }
                depth[i] = z;
            }
        }
        u += uStep;
        v += vStep;
        shade += shadeStep;
        z += zStep;
    }
}

template <bool GUARDED>
void glassRun(uint32_t* pixel, float* depth, int count, float shade, float shadeStep, float z,
              float zStep, uint32_t colour) {
    for (int i = 0; i < count; ++i) {
        if (depth[i] < z) {
            // Brighter than full light would index past the table.
            const uint32_t level =
                uint32_t(GUARDED ? std::clamp(shadeLevel(shade), 0, 256) : int(shade));
            const uint32_t behind = pixel[i];
            const uint32_t r = (((behind >> 16) & 0xFF) * level) >> 8;
            const uint32_t g = (((behind >> 8) & 0xFF) * level) >> 8;
            const uint32_t b = ((behind & 0xFF) * level) >> 8;
            pixel[i] = ((windowTint[r] & 0xFF0000) | (windowTint[g] & 0x00FF00) |
                        (windowTint[b] & 0x0000FF)) &
                       colour;
            depth[i] = z;
        }
        shade += shadeStep;
        z += zStep;
    }
}
} // namespace

void fillShadedSpans(int firstRow, int lastRow, uint32_t colour) {
    for (int row = firstRow; row <= lastRow; ++row) {
        Span<SHADED_ATTRIBUTES> span;
        if (!clipSpan(row, span)) continue;
        uint32_t* pixel = pixelAt(span.column, row);
        float* depth = depthAt(span.column, row);
        const float shade = span.value[0], shadeStep = span.step[0];
        if (staysWithin(shade, shadeStep, span.count, -SHADE_LIMIT, SHADE_LIMIT))
            shadedRun<false>(pixel, depth, span.count, shade, shadeStep, span.value[1],
                             span.step[1], colour);
        else
            shadedRun<true>(pixel, depth, span.count, shade, shadeStep, span.value[1], span.step[1],
                            colour);
    }
}

void fillTexturedSpans(int firstRow, int lastRow, const uint8_t* texture, uint32_t colour) {
    for (int row = firstRow; row <= lastRow; ++row) {
        Span<TEXTURED_ATTRIBUTES> span;
        if (!clipSpan(row, span)) continue;
        uint32_t* pixel = pixelAt(span.column, row);
        float* depth = depthAt(span.column, row);
        const int n = span.count;
        const bool plain = staysWithin(span.value[0], span.step[0], n, 0.0, TEXEL_LAST) &&
                           staysWithin(span.value[1], span.step[1], n, 0.0, TEXEL_LAST) &&
                           staysWithin(span.value[2], span.step[2], n, -SHADE_LIMIT, SHADE_LIMIT);
        if (plain)
            texturedRun<false>(pixel, depth, span, texture, colour);
        else
            texturedRun<true>(pixel, depth, span, texture, colour);
    }
}

void fillGlassSpans(int firstRow, int lastRow, uint32_t colour) {
    for (int row = firstRow; row <= lastRow; ++row) {
        Span<SHADED_ATTRIBUTES> span;
        if (!clipSpan(row, span)) continue;
        uint32_t* pixel = pixelAt(span.column, row);
        float* depth = depthAt(span.column, row);
        const float shade = span.value[0], shadeStep = span.step[0];
        if (staysWithin(shade, shadeStep, span.count, 0.0, 255.0))
            glassRun<false>(pixel, depth, span.count, shade, shadeStep, span.value[1], span.step[1],
                            colour);
        else
            glassRun<true>(pixel, depth, span.count, shade, shadeStep, span.value[1], span.step[1],
                           colour);
    }
}
