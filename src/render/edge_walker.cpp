// Edge walking into the span table.
//
// A triangle wound clockwise on screen (y grows downwards) has its right edges
// running down and its left edges running up. Wound the other way, every row
// gets a left x right of its right x and the fillers draw nothing: the walker
// itself rejects back faces.
//
// Rows are clipped before they are written: only rows inside the clip
// rectangle are ever written or reported, so the fillers never visit a row
// this triangle did not write, and points sent far away (behind the camera)
// cost no more than the rows of the view.
//
// An edge's rows are counted out as whole numbers: from a start at or below
// the clip rectangle's top (never negative) that visits exactly the rows a
// float row counter stepped by 1.0 would.
#include "render/edge_walker.h"

#include "render/frame_buffer.h"

#include <algorithm>

namespace {
// Attribute j of vertex record v: x is at 0, the rest follow y.
inline float attribute(const float* v, int j) {
    return j == 0 ? v[0] : v[j + 1];
}

// One walker per record size, so that the per-row copies are plain stores.
template <int N> EdgeRows walk(const float* vertices, int edgeCount) {
    constexpr int stride = N + 1;
    const float clipTop = frame.clipTop, clipBottom = frame.clipBottom;
    float lowest = 1e30f, highest = -1e30f; // rows written
    float value[N], step[N];
    for (int e = 0; e < edgeCount; ++e) {
        const float* p = vertices + e * stride;
        const float* q = p + stride;
        const double dy = double(q[1]) - p[1];
        float row, end;
        if (dy > 0) { // right edge, walked downwards
            for (int j = 0; j < N; ++j) {
                value[j] = attribute(p, j);
                step[j] = float((double(attribute(q, j)) - attribute(p, j)) / dy);
            }
            row = p[1];
            if (row < clipTop) {
                const double advance = double(clipTop) - row;
                for (int j = 0; j < N; ++j) value[j] = float(value[j] + advance * step[j]);
                row = clipTop;
            }
            end = std::min(q[1], clipBottom);
            if (!(row <= end)) continue;
            lowest = std::min(lowest, row);
            highest = std::max(highest, end);
            float* side = spanRow(int(row), N) + N;
            for (int rows = int(double(end) - row) + 1; rows > 0; --rows, side += 2 * N) {
                for (int j = 0; j < N; ++j) {
                    side[j] = value[j];
                    value[j] += step[j];
                }
            }
        } else if (dy < 0) { // left edge, walked upwards from its lower end
            for (int j = 0; j < N; ++j) {
                value[j] = attribute(p, j);
                step[j] = float((double(attribute(p, j)) - attribute(q, j)) / dy);
            }
            row = p[1];
            if (row > clipBottom) {
                const double advance = double(row) - clipBottom;
                for (int j = 0; j < N; ++j) value[j] = float(value[j] + advance * step[j]);
                row = clipBottom;
            }
            end = std::max(q[1], clipTop);
            if (!(row >= end)) continue;
            lowest = std::min(lowest, end);
            highest = std::max(highest, row);
            float* side = spanRow(int(row), N);
            for (int rows = int(double(row) - end) + 1; rows > 0; --rows, side -= 2 * N) {
                for (int j = 0; j < N; ++j) {
                    side[j] = value[j];
                    value[j] += step[j];
                }
            }
        }
        // dy = 0 (or not a number): a flat edge adds no rows.
    }
    if (lowest > highest || lowest >= clipBottom || highest <= clipTop) return {false, 0, -1};
    return {true, int(lowest), int(highest)};
}
} // namespace

EdgeRows walkEdges(const float* vertices, int edgeCount, int attributeCount) {
    if (attributeCount == SHADED_ATTRIBUTES) return walk<SHADED_ATTRIBUTES>(vertices, edgeCount);
    if (attributeCount == TEXTURED_ATTRIBUTES)
        return walk<TEXTURED_ATTRIBUTES>(vertices, edgeCount);
    return {false, 0, -1};
}
