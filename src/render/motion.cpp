// One frame of continuous motion, and the driver swing's saved positions.
#include "render/motion.h"

#include "model/alloc.h"
#include "model/car_model.h"
#include "render/camera.h"
#include "render/light.h"

#include <cmath>
#include <cstring>

MotionState motion;

namespace {
// The integer part of a swing step; a step no command would set (huge or
// not a number) must not turn into an undefined conversion.
int32_t truncatedAngle(double angle) {
    if (!(angle > -1e6 && angle < 1e6)) return 0;
    return int32_t(angle);
}

bool swingRangeInStore() {
    return motion.swingSaved && motion.swingFirstSlot >= 0 && motion.swingSlotCount >= 0 &&
           motion.swingFirstSlot + motion.swingSlotCount <= 3 * model.storeTriangles;
}
} // namespace

void stepMotion() {
    ViewCamera& v = camera.live;
    const uint32_t flags = motion.motionFlags;
    if (flags & MOTION_YAW) {
        v.yaw = wrapAngle(v.yaw + motion.yawStep);
        updateOrbitOffset();
    }
    if (flags & MOTION_PITCH) {
        v.pitch = wrapAngle(v.pitch + motion.pitchStep);
        updateOrbitOffset();
    }
    if (flags & MOTION_ZOOM) {
        float d = v.distance + motion.zoomStep;
        if (d > ZOOM_FARTHEST) d = ZOOM_FARTHEST;
        if (d < ZOOM_NEAREST) d = ZOOM_NEAREST;
        v.distance = d;
        updateOrbitOffset();
    }
    if (flags & MOTION_ORBIT) {
        v.yaw = wrapAngle(v.yaw + 4);
        // The pitch is not held in bounds: the step turns round from the
        // next frame, so the pitch may go one step beyond.
        v.pitch = wrapAngle(v.pitch + motion.pitchStep);
        if (v.pitch < 1260 || v.pitch > 1436) motion.pitchStep = -motion.pitchStep;
        updateOrbitOffset();
    }
    if (flags & MOTION_LIGHT_ORBIT) {
        light.lightYaw = wrapAngle(light.lightYaw - 4);
        light.lightPitch = wrapAngle(light.lightPitch + motion.yawStep);
        if (light.lightPitch > 240 || light.lightPitch < 0) motion.yawStep = -motion.yawStep;
        updateLightDirection();
    }
    if (flags & MOTION_DRIVER) {
        motion.driverAngle = truncatedAngle(double(motion.zoomStep) + motion.driverAngle);
        if (motion.driverAngle > DRIVER_SWING_LIMIT || motion.driverAngle < -DRIVER_SWING_LIMIT)
            motion.zoomStep = -motion.zoomStep;
    }
}

bool startDriverSwing() {
    stopDriverSwing();
    if (!selectedPartValid() || !model.vertices) return false;
    const int part = int(model.selectedPart);
    const int first = partSlot(part), count = model.header.partVertexCount[part];
    if (first < 0 || count < 0 || first + count > 3 * model.storeTriangles) return false;
    motion.swingSaved = static_cast<Vec3*>(allocBlock(sizeof(Vec3) * size_t(count)));
    if (!motion.swingSaved) return false;
    motion.swingFirstSlot = first;
    motion.swingSlotCount = count;
    std::memcpy(motion.swingSaved, model.vertices + first, sizeof(Vec3) * size_t(count));
    return true;
}

void stopDriverSwing() {
    if (swingRangeInStore() && model.vertices)
        std::memcpy(model.vertices + motion.swingFirstSlot, motion.swingSaved,
                    sizeof(Vec3) * size_t(motion.swingSlotCount));
    releaseBlock(motion.swingSaved);
    motion.swingFirstSlot = motion.swingSlotCount = 0;
}

void applyDriverSwing() {
    if (!swingRangeInStore() || !model.vertices) return;
    int a = motion.driverAngle;
    if (a < 0) a += 1440;
    composeRotation(0, 0, a);
    const Matrix3& m = camera.viewMatrix;
    for (int i = 0; i < motion.swingSlotCount; ++i) {
        const Vec3& p = motion.swingSaved[i];
        const int slot = motion.swingFirstSlot + i;
        if (model.vertexFlags[slot] & VERTEX_FIXED) {
            model.vertices[slot] = p;
            continue;
        }
        model.vertices[slot] = {float(p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0]),
                                float(p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1]),
                                float(p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2])};
    }
}
