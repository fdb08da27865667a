// The orbit camera: the live camera record, the seven stored slots (one
// perspective camera, six orthographic axis views), the view matrix and the
// eye point. All of it is the one record `camera`; assigning a fresh
// CameraState puts the camera back to its start-up state.
#pragma once

#include "model/fce_types.h"
#include "render/angles.h"

#include <cstdint>

constexpr int CAMERA_SLOTS = 7;

struct ViewCamera {
    float panX = 0.0f;      // sideways shift in view space
    float panY = 0.0f;      // vertical shift in view space
    float distance = 20.0f; // from the orbit centre (perspective camera)
    int32_t pitch = 1260;   // quarter degrees
    int32_t yaw = 900;      // quarter degrees
    Direction orbitOffset = direction(1260, 900, 20.0f); // eye minus orbit centre
    int32_t fovDegrees = 46;                             // 0 for the axis views
    float focalLength = 0.0f;                            // negative; 0 for the axis views
    int32_t viewIndex = 0;                               // 0 perspective, 1..6 axis views
    float orthoScale = 0.0f; // pixels per model unit; 0 until first fitted
};

struct CameraState {
    ViewCamera live;
    ViewCamera cameraSlots[CAMERA_SLOTS] = {
        ViewCamera{},      axisView(1, 0, 720), axisView(2, 0, 1080), axisView(3, 1080, 720),
        axisView(4, 0, 0), axisView(5, 0, 360), axisView(6, 360, 0)};
    int currentCamera = 0;
    bool partCentred = false; // orbit around the selected part, not the model origin
    Matrix3 viewMatrix = identityMatrix();
    Vec3 eyePoint{}; // camera position in model coordinates

    static ViewCamera axisView(int slot, int pitch, int yaw);
};

extern CameraState camera;

// The projection constant for a field of view, from the current view size.
float focalFromFov(int fovDegrees);

// viewMatrix = identity * rotationZ(c) * rotationX(a) * rotationY(b).
void composeRotation(int a, int b, int c);

void selectCamera(int slot);
void resetCamera();
void fitCamera();
void computeEyePoint();

// orbitOffset = direction(pitch, yaw, distance) of the live camera.
void updateOrbitOffset();

// The selected part, when it names one of the model's parts.
bool selectedPartValid();
