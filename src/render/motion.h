// Continuous motion, advanced once per frame while any motion bit is set:
// keyboard turning and zoom, the demo orbits of camera and light, and the
// driver swing of the selected part. The one record `motion`; assigning a
// fresh MotionState stops everything (after stopDriverSwing, which owns a
// saved copy of positions).
#pragma once

#include "model/fce_types.h"

#include <cstdint>

constexpr uint32_t MOTION_ORBIT = 1;
constexpr uint32_t MOTION_LIGHT_ORBIT = 2;
constexpr uint32_t MOTION_YAW = 4;
constexpr uint32_t MOTION_PITCH = 8;
constexpr uint32_t MOTION_ZOOM = 16;
constexpr uint32_t MOTION_DRIVER = 32;

constexpr float ZOOM_NEAREST = 0.5f;
constexpr float ZOOM_FARTHEST = 50.0f;
constexpr int DRIVER_SWING_LIMIT = 120;

struct MotionState {
    uint32_t motionFlags = 0; // 0: the main loop waits for events
    int32_t yawStep = 0;
    int32_t pitchStep = 0;
    float zoomStep = 0.0f;   // also the driver swing's angular speed
    int32_t driverAngle = 0; // quarter degrees, -120..120

    // The positions of the swinging part as they were when the swing started.
    Vec3* swingSaved = nullptr;
    int swingFirstSlot = 0;
    int swingSlotCount = 0;
};

extern MotionState motion;

void stepMotion();

// Saves the selected part's positions for the swing (false when there is no
// part or no memory). stopDriverSwing writes them back and frees the copy.
bool startDriverSwing();
void stopDriverSwing();

// Frame preparation: the swinging part's positions for driverAngle.
void applyDriverSwing();
