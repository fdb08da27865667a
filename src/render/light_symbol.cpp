// The light symbol: a circle that turns with the light, a fixed horizontal
// circle, and a line from the turned circle to the centre along the light's
// axis, all sized to the model's length.
#include "model/car_model.h"
#include "render/camera.h"
#include "render/light.h"
#include "render/lines.h"
#include "render/overlays.h"

#include <array>

namespace {
constexpr uint32_t CIRCLE_COLOR = 0x7F7F00, AXIS_COLOR = 0xFFFF00;
constexpr int CIRCLE_POINTS = 24;
constexpr int CENTRE_A = 24, FIRST_B = 25, CENTRE_B = 49;
constexpr int AXIS_START = 12; // the turned circle's point that starts at (0, 0, -1)

// Twice sin and cos of 15 degrees times k, to three decimals: the circles
// carry this rounding.
constexpr float CIRCLE_TWICE[CIRCLE_POINTS][2] = {
    {0, 2.0f},        {0.518f, 1.932f},   {1.0f, 1.732f},   {1.414f, 1.414f},
    {1.732f, 1.0f},   {1.932f, 0.518f},   {2.0f, 0},        {1.932f, -0.518f},
    {1.732f, -1.0f},  {1.414f, -1.414f},  {1.0f, -1.732f},  {0.518f, -1.932f},
    {0, -2.0f},       {-0.518f, -1.932f}, {-1.0f, -1.732f}, {-1.414f, -1.414f},
    {-1.732f, -1.0f}, {-1.932f, -0.518f}, {-2.0f, 0},       {-1.932f, 0.518f},
    {-1.732f, 1.0f},  {-1.414f, 1.414f},  {-1.0f, 1.732f},  {-0.518f, 1.932f}};

// Group A (points 0..24) circles in the yz plane and turns with the light;
// group B (25..49) lies in the xz plane. Each ends with its centre.
std::array<Vec3, LIGHT_SYMBOL_POINTS> unitSymbol() {
    std::array<Vec3, LIGHT_SYMBOL_POINTS> p{};
    for (int k = 0; k < CIRCLE_POINTS; ++k) {
        const float s = CIRCLE_TWICE[k][0] * 0.5f, c = CIRCLE_TWICE[k][1] * 0.5f;
        p[k] = {0.0f, -s, c};
        p[FIRST_B + k] = {s, 0.0f, c};
    }
    return p; // the centres stay at the origin
}

const std::array<Vec3, LIGHT_SYMBOL_POINTS> symbolPoints = unitSymbol();

void line(int a, int b, uint32_t colour) {
    drawLine(overlays.lightScreen[a][0], overlays.lightScreen[a][1], overlays.lightView[a].z,
             overlays.lightScreen[b][0], overlays.lightScreen[b][1], overlays.lightView[b].z,
             colour);
}
} // namespace

void buildLightSymbol() {
    composeRotation(light.lightPitch, light.lightYaw, 0);
    const Matrix3& m = camera.viewMatrix;
    Vec3* out = overlays.lightPoints;
    for (int i = 0; i <= CENTRE_A; ++i) {
        const Vec3& p = symbolPoints[i];
        out[i] = {float(p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0]),
                  float(p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1]),
                  float(p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2])};
    }
    for (int i = FIRST_B; i <= CENTRE_B; ++i) out[i] = symbolPoints[i];
    const double scale = 0.5 + model.header.halfSize.z;
    for (Vec3& p : overlays.lightPoints)
        p = {float(p.x * scale), float(p.y * scale), float(p.z * scale)};
}

void drawLightSymbol() {
    for (int k = 0; k < CIRCLE_POINTS; ++k) line(k, (k + 1) % CIRCLE_POINTS, CIRCLE_COLOR);
    for (int k = 0; k < CIRCLE_POINTS; ++k)
        line(FIRST_B + k, FIRST_B + (k + 1) % CIRCLE_POINTS, CIRCLE_COLOR);
    line(AXIS_START, CENTRE_A, AXIS_COLOR);
}
