// Triangle selection and the hit test.
#include "editing/selection.h"

#include "model/car_model.h"
#include "render/render.h"

#include <algorithm>

namespace {

// Whether a drawn triangle belongs to the current part: its slot base lies
// among the part's vertex slots.
bool ofCurrentPart(const ModelTriangle& tri) {
    const FceHeader& h = model.header;
    const int p = int(model.selectedPart);
    const int base = int(tri.groupAndBase & 0xFFFF), first = h.partFirstVertex[p];
    return base >= first && base < first + h.partVertexCount[p];
}

// The draw list's entries of the current part, with their triangle.
template <class Visit> void forEachDrawnOfPart(Visit visit) {
    int first, end;
    if (!currentPartTriangles(first, end) || !model.triangleWork) return;
    for (int i = 0; i < render.drawCount; ++i) {
        DrawEntry& e = model.triangleWork[i];
        if (e.triangle < uint32_t(model.storeTriangles) &&
            ofCurrentPart(model.triangles[e.triangle]))
            visit(e, model.triangles[e.triangle]);
    }
}

// The three screen points of a drawn triangle; false when a corner lies
// outside the store.
bool cornersOf(const ModelTriangle& tri, ScreenPoint p[3]) {
    for (int c = 0; c < 3; ++c) {
        const uint32_t slot = (tri.groupAndBase & 0xFFFF) + tri.v[c];
        if (slot >= 3 * uint32_t(model.storeTriangles)) return false;
        p[c] = model.screenPoints[slot];
    }
    return true;
}

bool hits(const ModelTriangle& tri, float px, float py) {
    ScreenPoint p[3];
    if (!cornersOf(tri, p)) return false;
    const float e1x = p[1].x - p[0].x, e1y = p[1].y - p[0].y;
    const float e2x = p[2].x - p[0].x, e2y = p[2].y - p[0].y;
    const float det = e1x * e2y - e1y * e2x;
    if (det == 0.0f) return false;
    const float t = (e1x * (py - p[0].y) - e1y * (px - p[0].x)) / det;
    if (!(t >= 0.0f && t <= 1.0f)) return false;
    const float s = e1x == 0.0f ? ((py - p[0].y) - t * e2y) / e1y : ((px - p[0].x) - t * e2x) / e1x;
    return s >= 0.0f && s <= 1.0f && s + t <= 1.0f;
}

void markRectangle(int keys, int tool) {
    const int x0 = std::min(render.bandX0, render.bandX1),
              x1 = std::max(render.bandX0, render.bandX1);
    const int y0 = std::min(render.bandY0, render.bandY1),
              y1 = std::max(render.bandY0, render.bandY1);
    const bool left = keys & SELECT_LEFT;
    forEachDrawnOfPart([&](DrawEntry& e, const ModelTriangle& tri) {
        ScreenPoint p[3];
        if (!cornersOf(tri, p)) return;
        int inside = 0;
        for (const ScreenPoint& q : p)
            inside += q.x >= float(x0) && q.x <= float(x1) && q.y >= float(y0) && q.y <= float(y1);
        const bool in = tool == 1 ? inside == 3 : inside > 0;
        const bool selected = tri.flags & TRI_SELECTED;
        if (in && left)
            e.depth = 1.0f;
        else if (in && selected)
            e.depth = 0.0f;
        else if (!in && !left && e.depth == 0.0f)
            e.depth = 1.0f;
        else if (!in && left && !selected)
            e.depth = 0.0f;
    });
}

} // namespace

ModelTriangle* pickTriangle(float x, float y) {
    int first, end;
    if (!currentPartTriangles(first, end) || !model.triangleWork || !model.screenPoints)
        return nullptr;
    for (int i = render.drawCount - 1; i >= 0; --i) {
        const uint32_t t = model.triangleWork[i].triangle;
        if (t < uint32_t(model.storeTriangles) && ofCurrentPart(model.triangles[t]) &&
            hits(model.triangles[t], x, y))
            return &model.triangles[t];
    }
    return nullptr;
}

bool clickSelect(int x, int y, int keys) {
    ModelTriangle* tri = pickTriangle(float(x), float(y));
    if (!tri) return false;
    if (keys & SELECT_CONTROL) {
        model.currentGroup[model.selectedPart] = uint16_t(groupIndexOf(tri->groupAndBase >> 16));
        return false;
    }
    if (keys & SELECT_LEFT) {
        if (tri->flags & TRI_SELECTED) return false;
        tri->flags |= TRI_SELECTED;
        return true;
    }
    tri->flags &= ~TRI_SELECTED;
    return true;
}

bool rectangleSelect(int x, int y, int keys, int phase, int tool) {
    if (phase == RECTANGLE_START) {
        render.bandX0 = x, render.bandY0 = y, render.bandX1 = render.bandY1 = 0;
        return false;
    }
    if (phase == RECTANGLE_MOVE) {
        if (x == render.bandX0 || x == render.bandX1 || y == render.bandY0 || y == render.bandY1)
            return false;
        render.bandX1 = x, render.bandY1 = y;
        markRectangle(keys, tool);
        return true;
    }
    render.bandX1 = x, render.bandY1 = y;
    markRectangle(keys, tool);
    const bool left = keys & SELECT_LEFT;
    forEachDrawnOfPart([&](DrawEntry& e, ModelTriangle& tri) {
        if (e.depth == 1.0f && left) tri.flags |= TRI_SELECTED;
        if (e.depth == 0.0f && !left) tri.flags &= ~TRI_SELECTED;
    });
    render.bandX0 = render.bandY0 = render.bandX1 = render.bandY1 = 0;
    return true;
}

namespace {
// Sets the selection of every triangle of the current part by `pick`.
template <class Pick> void selectWhere(Pick pick) {
    int first, end;
    if (!currentPartTriangles(first, end)) return;
    for (int t = first; t < end; ++t) {
        ModelTriangle& tri = model.triangles[t];
        tri.flags = pick(tri) ? tri.flags | TRI_SELECTED : tri.flags & ~TRI_SELECTED;
    }
}
} // namespace

void selectGroup() {
    const uint32_t p = model.selectedPart;
    if (p >= uint32_t(MAX_PARTS) || model.currentGroup[p] >= MAX_GROUPS) return;
    const uint32_t id = model.groups[p][model.currentGroup[p]].groupId;
    selectWhere([id](const ModelTriangle& t) { return (t.groupAndBase >> 16 & 0xFFF8) == id; });
}

void deselectAll() {
    selectWhere([](const ModelTriangle&) { return false; });
}

bool selectByFlags(uint32_t mask) {
    mask &= 0x7FF;
    int first, end;
    if (!currentPartTriangles(first, end) ||
        std::none_of(model.triangles + first, model.triangles + end,
                     [mask](const ModelTriangle& t) { return t.flags & mask; }))
        return false;
    selectWhere([mask](const ModelTriangle& t) { return (t.flags & mask) != 0; });
    return true;
}

int groupIndexOf(uint32_t groupWord) {
    const uint32_t p = model.selectedPart;
    if (p >= uint32_t(MAX_PARTS)) return 0;
    for (int g = 0; g < std::min<int>(model.groupCount[p], MAX_GROUPS); ++g)
        if (model.groups[p][g].groupId == (groupWord & 0xFFF8)) return g;
    return 0;
}
