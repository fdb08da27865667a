// The light parameters and their reset.
#include "render/light.h"

#include "model/car_model.h"

LightState light;

void updateLightDirection() {
    model.renderCacheValid = false;
    light.lightDir = direction(light.lightPitch, light.lightYaw, 1.0f);
}

void resetLight() {
    light.lightYaw = light.lightPitch = 180;
    updateLightDirection();
    light.lightDiffuse = 0.75;
    light.lightAmbient = 0.25;
}
