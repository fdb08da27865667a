// The editing aids drawn over the car: the axis cross at the selected part or
// dummy, the dummy symbols, the light symbol and the rubber band. Their points
// live in the one record `overlays`, rebuilt when what they show changes and
// transformed and projected by every frame that shows them.
#pragma once

#include "model/fce_types.h"

#include <cstdint>

constexpr int AXIS_POINTS = 6;
constexpr int DUMMY_SYMBOL_LINES = 9;
constexpr int LIGHT_SYMBOL_POINTS = 50;

struct DummySymbol {
    uint32_t lineCount = 0;                   // 0: nothing drawn
    uint32_t color = 0;                       // 0x00RRGGBB of all its lines
    Vec3 points[2 * DUMMY_SYMBOL_LINES] = {}; // line j runs from point 2j to 2j + 1
    Vec3 viewPoints[2 * DUMMY_SYMBOL_LINES] = {};
    float screenPoints[2 * DUMMY_SYMBOL_LINES][2] = {};
};

struct OverlayState {
    // Axis cross: -x, +x, -y, +y, -z, +z around the selected part or dummy.
    Vec3 axisPoints[AXIS_POINTS] = {};
    Vec3 axisView[AXIS_POINTS] = {};
    float axisScreen[AXIS_POINTS][2] = {};

    DummySymbol dummySymbols[MAX_DUMMIES];

    // Light symbol: the working points (turned with the light and scaled to
    // the model), their camera and screen coordinates.
    Vec3 lightPoints[LIGHT_SYMBOL_POINTS] = {};
    Vec3 lightView[LIGHT_SYMBOL_POINTS] = {};
    float lightScreen[LIGHT_SYMBOL_POINTS][2] = {};
};

extern OverlayState overlays;

void buildAxisCross();
void drawAxisCross();

// index: one dummy, or negative for all of them.
void buildDummySymbols(int index);
void drawDummySymbols();

// The dotted selection rectangle, straight into the frame (no depth test).
void drawRubberBand();

// The light symbol: two circles and the light's axis, shown while the
// Camera/Light page moves the light.
void buildLightSymbol();
void drawLightSymbol();
