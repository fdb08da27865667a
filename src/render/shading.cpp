// Per-vertex shades and normal-line end points.
#include "render/shading.h"

#include "model/car_model.h"
#include "render/frame_buffer.h"
#include "render/light.h"
#include "render/render_state.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {
// Calls visit(slot) for every used vertex slot of every part inside the store.
template <class Visit> void forEachVertexSlot(Visit visit) {
    const FceHeader& h = model.header;
    const int parts = std::clamp(h.numParts, 0, MAX_PARTS);
    for (int p = 0; p < parts; ++p) {
        const int first = h.partFirstVertex[p], count = h.partVertexCount[p];
        if (first < 0 || count < 0 || first > 3 * model.storeTriangles - count) continue;
        for (int i = first; i < first + count; ++i) visit(i);
    }
}
} // namespace

void computeVertexShades() {
    if (!model.normals || !model.vertexShades) return;
    const double scale = shadeScale();
    const double lx = light.lightDir[0], ly = light.lightDir[1], lz = light.lightDir[2];
    const double ambient = scale * light.lightAmbient;
    forEachVertexSlot([&](int i) {
        const Vec3& n = model.normals[i];
        const double d = lx * n.x + ly * n.y + lz * n.z;
        double shade = d < 0 ? scale * (light.lightAmbient + light.lightDiffuse * -d) : ambient;
        // A normal read as garbage (huge or infinite) lights its vertex like an
        // unlit one rather than storing a shade no float can hold.
        if (!(std::fabs(shade) <= FLT_MAX)) shade = ambient;
        model.vertexShades[i] = float(shade);
    });
    model.renderCacheValid = true;
}

void computeNormalLineEnds() {
    if (!model.vertices || !frame.normalEnds || 3 * model.storeTriangles > NORMAL_END_SLOTS) return;
    forEachVertexSlot([](int i) {
        const Vec3& p = model.vertices[i];
        const Vec3& n = model.normals[i];
        frame.normalEnds[i] = {float(p.x + NORMAL_LINE_LENGTH * n.x),
                               float(p.y + NORMAL_LINE_LENGTH * n.y),
                               float(p.z + NORMAL_LINE_LENGTH * n.z)};
    });
}
