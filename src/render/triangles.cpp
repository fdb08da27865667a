// Triangle set-up: vertex records from the projected points, the winding of
// two-sided triangles seen from behind, and the hand-over to the fillers.
#include "render/triangles.h"

#include "model/car_model.h"
#include "render/draw_list.h"
#include "render/edge_walker.h"
#include "render/frame_buffer.h"
#include "render/lines.h"
#include "render/span_fillers.h"

#include <utility>

namespace {
// Corner order: a two-sided triangle seen from behind is walked with its
// second and third corners exchanged, so that it winds like a front face.
void cornerOrder(const ModelTriangle& tri, int order[3]) {
    const bool flip = (tri.flags & TRI_NO_CULL) && (tri.flags & TRI_SEEN_FROM_BEHIND);
    order[0] = 0;
    order[1] = flip ? 2 : 1;
    order[2] = flip ? 1 : 2;
}

// Shaded and glass triangles: records (x, y, shade, z), first repeated.
bool walkShaded(const ModelTriangle& tri, EdgeRows& rows) {
    uint32_t slot[3];
    if (!frame.frameBits || !triangleSlots(tri, slot)) return false;
    int order[3];
    cornerOrder(tri, order);
    float v[4][4];
    for (int k = 0; k < 3; ++k) {
        const uint32_t s = slot[order[k]];
        v[k][0] = model.screenPoints[s].x;
        v[k][1] = model.screenPoints[s].y;
        v[k][2] = model.vertexShades[s];
        v[k][3] = model.viewVertices[s].z;
    }
    for (int j = 0; j < 4; ++j) v[3][j] = v[0][j];
    rows = walkEdges(&v[0][0], 3, SHADED_ATTRIBUTES);
    return rows.visible;
}
} // namespace

void drawShadedTriangle(const ModelTriangle& tri, uint32_t colour) {
    EdgeRows rows;
    if (walkShaded(tri, rows)) fillShadedSpans(rows.firstRow, rows.lastRow, colour);
}

void drawGlassTriangle(const ModelTriangle& tri, uint32_t colour) {
    EdgeRows rows;
    if (walkShaded(tri, rows)) fillGlassSpans(rows.firstRow, rows.lastRow, colour);
}

void drawTexturedTriangle(const ModelTriangle& tri, uint32_t colour) {
    uint32_t slot[3];
    if (!frame.frameBits || !model.textureLoaded || !model.textureImage ||
        !triangleSlots(tri, slot))
        return;
    int order[3];
    cornerOrder(tri, order);
    float v[4][6];
    for (int k = 0; k < 3; ++k) {
        const int c = order[k];
        const uint32_t s = slot[c];
        v[k][0] = model.screenPoints[s].x;
        v[k][1] = model.screenPoints[s].y;
        v[k][2] = float(tri.texU[c] * 511.0);
        v[k][3] = float(tri.texV[c] * 511.0);
        v[k][4] = model.vertexShades[s];
        v[k][5] = model.viewVertices[s].z;
    }
    for (int j = 0; j < 6; ++j) v[3][j] = v[0][j];
    const EdgeRows rows = walkEdges(&v[0][0], 3, TEXTURED_ATTRIBUTES);
    if (rows.visible) fillTexturedSpans(rows.firstRow, rows.lastRow, model.textureImage, colour);
}

void drawWireTriangle(const ModelTriangle& tri, uint32_t colour) {
    uint32_t slot[3];
    if (!triangleSlots(tri, slot)) return;
    float x[3], y[3], z[3];
    for (int k = 0; k < 3; ++k) {
        x[k] = model.screenPoints[slot[k]].x;
        y[k] = model.screenPoints[slot[k]].y;
        z[k] = float(model.viewVertices[slot[k]].z + WIRE_DEPTH_OFFSET);
    }
    drawLine(x[0], y[0], z[0], x[1], y[1], z[1], colour);
    drawLine(x[1], y[1], z[1], x[2], y[2], z[2], colour);
    drawLine(x[2], y[2], z[2], x[0], y[0], z[0], colour);
}

void drawNormalLines(const ModelTriangle& tri) {
    uint32_t slot[3];
    if (!frame.normalEnds || !triangleSlots(tri, slot)) return;
    for (uint32_t s : slot) {
        const Vec3& end = frame.normalEnds[s]; // screen x, screen y, camera z
        drawLine(model.screenPoints[s].x, model.screenPoints[s].y, model.viewVertices[s].z, end.x,
                 end.y, end.z, NORMAL_LINE_COLOR);
    }
}
