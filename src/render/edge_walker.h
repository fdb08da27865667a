// The edge walker: scan-converts a polygon's edges into the span table, one
// row at a time, left edges into the left half of a row and right edges into
// the right half. Vertices are records of x, y and then the attributes (shade
// and z; or u, v, shade and z), with the first vertex repeated at the end.
//
// A span-table row holds, for each side, x and the attributes: 2 *
// attributeCount floats, attributeCount being the number of values per side
// (3 for shaded and glass, 5 for textured).
#pragma once

#include "render/frame_buffer.h"

constexpr int SHADED_ATTRIBUTES = 3;   // x, shade, z
constexpr int TEXTURED_ATTRIBUTES = 5; // x, u, v, shade, z

struct EdgeRows {
    bool visible;
    int firstRow, lastRow; // rows the fillers visit, inside the clip rectangle
};

EdgeRows walkEdges(const float* vertices, int edgeCount, int attributeCount);

// Row `row` of the span table for polygons of attributeCount values per side.
inline float* spanRow(int row, int attributeCount) {
    return frame.spanTable + row * 2 * attributeCount;
}
