// Camera slots, reset and fit, focal length and the eye point.
#include "render/camera.h"

#include "model/car_model.h"
#include "render/frame_buffer.h"

#include <algorithm>
#include <cmath>

CameraState camera;

ViewCamera CameraState::axisView(int slot, int pitch, int yaw) {
    ViewCamera v;
    v.distance = 100.0f;
    v.pitch = pitch;
    v.yaw = yaw;
    v.orbitOffset = direction(pitch, yaw, 100.0f);
    v.fovDegrees = 0;
    v.focalLength = 0.0f;
    v.viewIndex = slot;
    return v;
}

float focalFromFov(int fovDegrees) {
    if (fovDegrees >= 180 || fovDegrees <= 0) return 0.0f;
    const double h = 3.141592654 * fovDegrees / 360;
    const int half = std::min(frame.viewWidth, frame.viewHeight) >> 1;
    return float(-(half / std::sin(h)) * std::cos(h));
}

void composeRotation(int a, int b, int c) {
    Matrix3 m = multiply(identityMatrix(), rotationZ(c));
    m = multiply(m, rotationX(a));
    camera.viewMatrix = multiply(m, rotationY(b));
}

void updateOrbitOffset() {
    ViewCamera& v = camera.live;
    v.orbitOffset = direction(v.pitch, v.yaw, v.distance);
}

bool selectedPartValid() {
    return model.selectedPart < uint32_t(std::clamp(model.header.numParts, 0, MAX_PARTS));
}

void selectCamera(int slot) {
    if (slot < 0 || slot >= CAMERA_SLOTS) return;
    camera.cameraSlots[camera.currentCamera] = camera.live;
    camera.live = camera.cameraSlots[slot];
    camera.currentCamera = slot;
    if (slot >= 1 && camera.live.orthoScale == 0.0f)
        resetCamera();
    else if (camera.partCentred)
        fitCamera();
}

void resetCamera() {
    ViewCamera& v = camera.live;
    if (camera.currentCamera == 0) {
        v.yaw = 900;
        v.pitch = 1260;
        v.focalLength = focalFromFov(v.fovDegrees);
    }
    v.panX = v.panY = 0.0f;
    camera.partCentred = false;
    fitCamera();
}

// A model (or part) without extent, or a size read as garbage, would make the
// fit divide by zero; the camera then keeps the scale or distance it had.
void fitCamera() {
    ViewCamera& v = camera.live;
    const Vec3& half = model.header.halfSize;
    double size = std::max({half.x, half.y, half.z});
    if (camera.partCentred)
        size = selectedPartValid() ? model.partHalfWidth[model.selectedPart] : 0.0;
    const bool usable = size > 0.0 && std::isfinite(size);
    v.panX = v.panY = 0.0f;
    if (camera.currentCamera != 0) {
        const int m = frame.viewHeight < frame.viewWidth ? frame.viewHeight : frame.viewWidth;
        const double scale = (m - 16) / (size + size);
        if (usable && std::isfinite(scale) && scale > 0.0) v.orthoScale = float(scale);
    } else {
        const SinCos r = sinCos(v.fovDegrees * 4 / 2);
        double distance = r.cosine * (size / r.sine);
        if (usable && std::isfinite(distance)) {
            if (distance < 0.5) distance = 0.5;
            v.distance = float(distance);
        }
        updateOrbitOffset();
    }
    computeEyePoint();
}

void computeEyePoint() {
    const ViewCamera& v = camera.live;
    const SinCos a = sinCos(1440 - v.yaw), b = sinCos(1440 - v.pitch);
    Vec3 eye{float(v.orbitOffset[0] + v.panX * a.cosine),
             float(v.orbitOffset[1] + v.panY * b.cosine),
             float(v.orbitOffset[2] + v.panX * a.sine + v.panY * b.sine)};
    if (camera.partCentred && selectedPartValid()) {
        const Vec3& p = model.header.partPos[model.selectedPart];
        eye = {eye.x + p.x, eye.y + p.y, eye.z + p.z};
    }
    camera.eyePoint = eye;
}
