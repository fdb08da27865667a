// One frame's transform and projection.
#include "render/prepare_frame.h"

#include "model/car_model.h"
#include "render/camera.h"
#include "render/draw_list.h"
#include "render/frame_buffer.h"
#include "render/light.h"
#include "render/motion.h"
#include "render/overlays.h"
#include "render/render_state.h"
#include "render/shading.h"
#include "render/transform.h"

#include <algorithm>

namespace {
constexpr Vec3 NO_OFFSET{0.0f, 0.0f, 0.0f};

bool lightSymbolShown() {
    return render.page == PAGE_CAMERA_LIGHT && render.lightMode;
}

// The part's vertex slots, when they lie inside the store.
bool partSlots(int p, int& first, int& count) {
    first = model.header.partFirstVertex[p];
    count = model.header.partVertexCount[p];
    return first >= 0 && count >= 0 && first <= 3 * model.storeTriangles - count;
}

float* asFloats(void* points) {
    return static_cast<float*>(points);
}

void followCamera() {
    const ViewCamera& v = camera.live;
    light.lightPitch = 1440 - v.pitch;
    if (light.lightPitch >= 1440) light.lightPitch -= 1440;
    light.lightYaw = v.yaw + 720;
    if (light.lightYaw >= 1440) light.lightYaw -= 1440;
    updateLightDirection();
}

void transformParts(int parts) {
    for (int p = 0; p < parts; ++p) {
        int first, count;
        if (!partSlots(p, first, count)) continue;
        transformPoints(model.vertices + first, model.viewVertices + first, count,
                        model.header.partPos[p]);
        projectPoints(model.viewVertices + first, asFloats(model.screenPoints + first), count, 0);
    }
}

void transformOverlays() {
    if (lightSymbolShown()) {
        transformPoints(overlays.lightPoints, overlays.lightView, LIGHT_SYMBOL_POINTS, NO_OFFSET);
        projectPoints(overlays.lightView, asFloats(overlays.lightScreen), LIGHT_SYMBOL_POINTS, 0);
    }
    if (render.page == PAGE_PARTS || render.page == PAGE_DUMMIES) {
        transformPoints(overlays.axisPoints, overlays.axisView, AXIS_POINTS, NO_OFFSET);
        projectPoints(overlays.axisView, asFloats(overlays.axisScreen), AXIS_POINTS, 0);
    }
    if (render.page == PAGE_DUMMIES) {
        for (int k = 0; k < std::clamp(model.header.numDummies, 0, MAX_DUMMIES); ++k) {
            DummySymbol& s = overlays.dummySymbols[k];
            const int points = 2 * int(std::min<uint32_t>(s.lineCount, DUMMY_SYMBOL_LINES));
            transformPoints(s.points, s.viewPoints, points, NO_OFFSET);
            projectPoints(s.viewPoints, asFloats(s.screenPoints), points, 0);
        }
    }
}

void transformNormalLines(int parts) {
    if (!frame.normalEnds || 3 * model.storeTriangles > NORMAL_END_SLOTS) return;
    computeNormalLineEnds();
    for (int p = 0; p < parts; ++p) {
        int first, count;
        if (!partSlots(p, first, count)) continue;
        Vec3* ends = frame.normalEnds + first;
        transformPoints(ends, ends, count, model.header.partPos[p]);
        projectPoints(ends, asFloats(ends), count, 1);
    }
}
} // namespace

void prepareFrame() {
    if (light.lightFollowsCamera) followCamera();
    if (!model.renderCacheValid) computeVertexShades();
    if (lightSymbolShown()) buildLightSymbol();
    if (motion.motionFlags & MOTION_DRIVER) applyDriverSwing();

    const ViewCamera& v = camera.live;
    camera.viewMatrix =
        multiply(multiply(identityMatrix(), rotationY(1440 - v.yaw)), rotationX(1440 - v.pitch));

    const int parts = model.vertices ? std::clamp(model.header.numParts, 0, MAX_PARTS) : 0;
    transformParts(parts);
    transformOverlays();
    if (render.viewFlags & VIEW_NORMALS) transformNormalLines(parts);
    computeEyePoint();
    buildDrawList();
}
