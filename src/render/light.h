// The one directional light: its angles, direction, diffuse and ambient
// terms, and whether it follows the camera. The one record `light`;
// assigning a fresh LightState puts the light back to start-up.
#pragma once

#include "render/angles.h"

#include <cstdint>

struct LightState {
    int32_t lightPitch = 180; // quarter degrees
    int32_t lightYaw = 180;
    Direction lightDir = direction(180, 180, 1.0f);
    double lightDiffuse = 0.75;
    double lightAmbient = 0.25;
    bool lightFollowsCamera = false; // light comes from the viewer's side
};

extern LightState light;

void resetLight();

// lightDir from the current angles; the vertex shades are recomputed next frame.
void updateLightDirection();
