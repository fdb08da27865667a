// The draw passes. The list runs far to near and the fillers test depth, so
// window glass, drawn after every opaque triangle, tints what lies behind it.
#include "render/draw_frame.h"

#include "model/car_model.h"
#include "render/camera.h"
#include "render/frame_buffer.h"
#include "render/overlays.h"
#include "render/render_state.h"
#include "render/texture_view.h"
#include "render/triangles.h"

namespace {
using TriangleDrawer = void (*)(const ModelTriangle&, uint32_t);

bool isWindow(const ModelTriangle& tri) {
    return tri.flags & TRI_WINDOW_MASK;
}

// Whether an entry shows its triangle selected: a rectangle drag's preview
// mark (a key of exactly 1.0 or 0.0, which no real depth is) wins over the
// triangle's own mark.
bool shownSelected(const DrawEntry& e, const ModelTriangle& tri) {
    return e.depth == 1.0f || (e.depth != 0.0f && (tri.flags & TRI_SELECTED));
}

// Calls visit(triangle, shown selected) for each entry of the draw list, far
// to near.
template <class Visit> void forEachEntry(Visit visit) {
    for (int i = 0; i < render.drawCount; ++i) {
        const DrawEntry& e = model.triangleWork[i];
        if (e.triangle < uint32_t(model.storeTriangles))
            visit(model.triangles[e.triangle], shownSelected(e, model.triangles[e.triangle]));
    }
}

// Runs `draw` over the draw list's window or non-window entries in one colour.
void pass(TriangleDrawer draw, bool windows, uint32_t colour) {
    forEachEntry([&](const ModelTriangle& tri, bool) {
        if (isWindow(tri) == windows) draw(tri, colour);
    });
}

void wirePass(uint32_t colour) {
    forEachEntry([&](const ModelTriangle& tri, bool) { drawWireTriangle(tri, colour); });
}

void normalsPass() {
    forEachEntry([](const ModelTriangle& tri, bool) { drawNormalLines(tri); });
}

TriangleDrawer windowDrawer() {
    return render.viewFlags & VIEW_WINDOWS_TRANSPARENT ? drawGlassTriangle : drawShadedTriangle;
}

// The Surfaces and Textures pages: the current smoothing group in yellow,
// selected triangles with red taken out.
struct GroupColours {
    uint32_t currentKey;
    bool inGroup(const ModelTriangle& tri) const {
        return (tri.groupAndBase >> 16 & 0xFFF8) == currentKey;
    }
    uint32_t colour(const ModelTriangle& tri, bool selected) const {
        uint32_t c = inGroup(tri) ? COLOR_CURRENT_GROUP : COLOR_WHITE;
        return selected ? c & SELECTED_MASK : c;
    }
};

GroupColours groupColours() {
    const uint32_t part = model.selectedPart;
    if (!selectedPartValid()) return {0xFFFF};
    const uint16_t current = model.currentGroup[part];
    // The base group is never highlighted: no triangle's key is 0xFFFF.
    if (current == 0 || current >= MAX_GROUPS) return {0xFFFF};
    return {uint32_t(model.groups[part][current].groupId & 0xFFF8)};
}

// Runs `draw` over the entries `pick` accepts, each in the colour `paint` gives it.
template <class Pick, class Paint> void colouredPass(TriangleDrawer draw, Pick pick, Paint paint) {
    forEachEntry([&](const ModelTriangle& tri, bool selected) {
        if (pick(tri, selected)) draw(tri, paint(tri, selected));
    });
}

void drawSurfacePage() {
    const uint32_t flags = render.viewFlags;
    const GroupColours g = groupColours();
    auto opaque = [](const ModelTriangle& t, bool) { return !isWindow(t); };
    auto window = [](const ModelTriangle& t, bool) { return isWindow(t); };
    auto own = [&](const ModelTriangle& t, bool selected) { return g.colour(t, selected); };
    auto white = [](const ModelTriangle&, bool) { return COLOR_WHITE; };
    if (flags & VIEW_TEXTURES) colouredPass(drawTexturedTriangle, opaque, own);
    if (flags & VIEW_SOLID) colouredPass(drawShadedTriangle, opaque, own);
    if (flags & VIEW_WINDOWS) colouredPass(windowDrawer(), window, own);
    if (flags & VIEW_WIREFRAME) {
        if (flags & (VIEW_SOLID | VIEW_TEXTURES)) {
            wirePass(COLOR_GREY_WIRE);
        } else {
            // Plain edges first, then the current group's, then the selection's
            // on top of both.
            colouredPass(
                drawWireTriangle,
                [&](const ModelTriangle& t, bool selected) { return !g.inGroup(t) && !selected; },
                white);
            colouredPass(
                drawWireTriangle, [&](const ModelTriangle& t, bool) { return g.inGroup(t); },
                [](const ModelTriangle&, bool) { return COLOR_CURRENT_GROUP; });
            colouredPass(
                drawWireTriangle, [](const ModelTriangle&, bool selected) { return selected; },
                own);
        }
    }
    if (flags & VIEW_NORMALS) normalsPass();
    if (render.selectionMode == SELECTION_RECTANGLE_ADD ||
        render.selectionMode == SELECTION_RECTANGLE_REMOVE)
        drawRubberBand();
}

void drawOtherPage() {
    const uint32_t flags = render.viewFlags;
    if (flags & VIEW_SOLID) pass(drawShadedTriangle, false, COLOR_WHITE);
    if (flags & VIEW_TEXTURES) pass(drawTexturedTriangle, false, COLOR_WHITE);
    if ((flags & VIEW_WINDOWS) && (flags & (VIEW_SOLID | VIEW_TEXTURES)))
        pass(windowDrawer(), true, COLOR_WHITE);
    if (flags & VIEW_WIREFRAME) {
        const bool dim = render.page == PAGE_DUMMIES || render.page == PAGE_COLORS;
        wirePass(dim ? COLOR_GREY_WIRE : COLOR_WHITE);
    }
    if (flags & VIEW_NORMALS) normalsPass();
    if (render.page == PAGE_CAMERA_LIGHT && render.lightMode) drawLightSymbol();
    if (render.page == PAGE_PARTS || render.page == PAGE_DUMMIES) drawAxisCross();
    if (render.page == PAGE_DUMMIES) drawDummySymbols();
}
} // namespace

void drawFrame() {
    if (!frame.frameBits) return;
    clearView();
    // A list left from another model must not index past this one's arrays.
    if (!model.triangles || !model.triangleWork) render.drawCount = 0;
    if (render.drawCount > model.storeTriangles) render.drawCount = model.storeTriangles;
    if (render.page == PAGE_SURFACES || render.page == PAGE_TEXTURES)
        drawSurfacePage();
    else
        drawOtherPage();
    if (render.textureMappingActive) drawTextureMappingView();
    if (render.cornerIcons) overlayCornerIcons();
}
