// Culling against the eye point and the far-to-near sort.
//
// Entries of equal depth keep their stored order: the sort breaks ties by
// triangle index, and triangles enter the list in index order. That keeps
// frames identical between builds without a stable sort's scratch memory.
#include "render/draw_list.h"

#include "model/car_model.h"
#include "render/camera.h"
#include "render/render_state.h"

#include <algorithm>

bool triangleSlots(const ModelTriangle& tri, uint32_t slots[3]) {
    const uint64_t limit = 3 * uint64_t(model.storeTriangles);
    const uint64_t base = tri.groupAndBase & 0xFFFF;
    for (int k = 0; k < 3; ++k) {
        const uint64_t slot = base + tri.v[k];
        if (slot >= limit) return false;
        slots[k] = uint32_t(slot);
    }
    return true;
}

namespace {
// Appends the part's front-facing triangles in front of the camera.
int addPart(int part, int count) {
    const FceHeader& h = model.header;
    const int first = h.partFirstTriangle[part], triangles = h.partTriangleCount[part];
    if (first < 0 || triangles < 0 || first > model.storeTriangles - triangles) return count;
    const bool windowsShown = render.viewFlags & VIEW_WINDOWS;
    const Vec3 eye = camera.eyePoint;
    for (int t = first; t < first + triangles; ++t) {
        ModelTriangle& tri = model.triangles[t];
        if (!windowsShown && (tri.flags & TRI_WINDOW_MASK)) continue;
        uint32_t s[3];
        if (!triangleSlots(tri, s)) continue;
        const Vec3& p0 = model.vertices[s[0]];
        const Vec3& n = tri.faceNormal;
        double d = (double(eye.x) - p0.x) * n.x + (double(eye.y) - p0.y) * n.y +
                   (double(eye.z) - p0.z) * n.z;
        if (tri.flags & TRI_NO_CULL) {
            if (d < 0) {
                tri.flags &= ~TRI_SEEN_FROM_BEHIND;
            } else {
                tri.flags |= TRI_SEEN_FROM_BEHIND;
                d = -1.0;
            }
        }
        if (!(d < 0)) continue;
        const double depth = (double(model.viewVertices[s[0]].z) + model.viewVertices[s[1]].z +
                              model.viewVertices[s[2]].z) /
                             3;
        // Parts overlapping in the array could list a triangle twice; the
        // list never grows past the buffer.
        if (depth < 0 && count < model.storeTriangles)
            model.triangleWork[count++] = {float(depth), uint32_t(t)};
    }
    return count;
}
} // namespace

void buildDrawList() {
    int count = 0;
    if (model.triangles && model.triangleWork) {
        const bool onePart = render.page == PAGE_SURFACES || render.page == PAGE_TEXTURES;
        const int parts = std::clamp(model.header.numParts, 0, MAX_PARTS);
        for (int p = 0; p < parts; ++p) {
            if (onePart && uint32_t(p) != model.selectedPart) continue;
            if (!(model.partFlags[p] & PART_VISIBLE)) continue;
            count = addPart(p, count);
        }
    }
    render.drawCount = count;
    if (count > 1)
        std::sort(model.triangleWork, model.triangleWork + count,
                  [](const DrawEntry& a, const DrawEntry& b) {
                      return a.depth < b.depth || (a.depth == b.depth && a.triangle < b.triangle);
                  });
}
