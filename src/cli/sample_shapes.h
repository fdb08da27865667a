// The sample car's shape: its dimensions, the projections that map its
// surfaces onto the texture (the texture painter uses the same ones, so that
// painted details land where the geometry expects them), and the builders of
// its parts.
//
// Units are metres. In memory y is up, x is the car's right, and the front of
// the car is at negative z (the file stores z mirrored).
#pragma once

#include "cli/sample_mesh.h"

#include <string>

constexpr double CAR_FRONT_Z = -2.16;   // the nose panel
constexpr double CAR_REAR_Z = 2.16;     // the tail panel
constexpr double CAR_PLAN_LENGTH = 2.2; // half length of the rounded plan outline
constexpr double CAR_HALF_WIDTH = 0.90;
constexpr double CAR_FLOOR_Y = -0.43;

constexpr double CAR_WHEEL_RADIUS = 0.33;
constexpr double CAR_RIM_RADIUS = 0.22;
constexpr double CAR_WHEEL_WIDTH = 0.23;
constexpr double CAR_WHEEL_X = 0.75;
constexpr double CAR_WHEEL_Y = -0.27;
constexpr double CAR_FRONT_AXLE_Z = -1.38;
constexpr double CAR_REAR_AXLE_Z = 1.30;
constexpr double CAR_ARCH_RADIUS = 0.38;

constexpr double CAR_WINDSCREEN_Z = -0.62; // foot of the windscreen
constexpr double CAR_ROOF_FRONT_Z = 0.18;
constexpr double CAR_ROOF_REAR_Z = 1.02;
constexpr double CAR_DECK_Z = 1.62;         // foot of the rear window
constexpr double CAR_PILLAR_FRONT_Z = 0.30; // the pillar between the side windows
constexpr double CAR_PILLAR_REAR_Z = 0.40;
constexpr double CAR_SIDE_WINDOW_FRONT_Z = -0.38; // where the cabin is tall enough for glass
constexpr double CAR_SIDE_WINDOW_REAR_Z = 1.42;

// Texture projections, each giving 0..1 across its atlas rectangle.
constexpr double SIDE_TOP_Y = 0.74;
constexpr double SIDE_BOTTOM_Y = -0.46;
constexpr double FASCIA_TOP_Y = 0.38;
constexpr double FASCIA_BOTTOM_Y = -0.46;

inline double alongCar(double z) {
    return (z - CAR_FRONT_Z) / (CAR_REAR_Z - CAR_FRONT_Z);
}
inline double sideDown(double y) {
    return (SIDE_TOP_Y - y) / (SIDE_TOP_Y - SIDE_BOTTOM_Y);
}
inline double acrossCar(double x) {
    return (x + CAR_HALF_WIDTH) / (2 * CAR_HALF_WIDTH);
}
inline double fasciaDown(double y) {
    return (FASCIA_TOP_Y - y) / (FASCIA_TOP_Y - FASCIA_BOTTOM_Y);
}
// The nose is seen from in front, where the car's right is on the left.
inline double frontAcross(double x) {
    return 1.0 - acrossCar(x);
}

// Smoothing groups of the body.
constexpr uint16_t GROUP_PAINT = 0;
constexpr uint16_t GROUP_UNDER = 8; // floor, wheel wells, arch lips
constexpr uint16_t GROUP_GLASS = 16;
constexpr uint16_t GROUP_NOSE = 24;
constexpr uint16_t GROUP_TAIL = 32;

// How finely the body is cut: segments of each stretch of its cross-section
// (floor, side, the stretch over the shoulder to the roof's centre), the
// number of evenly spread cross-sections besides the ones at feature lines,
// and the extra cross-sections over each wheel arch.
struct BodyDetail {
    int floorSegments = 2;
    int sideSegments = 4;
    int upperSegments = 8;
    int stations = 24;
    int archStations = 5;
    bool arches = true;  // cut wheel arches and wells
    bool windows = true; // glass with window flags
    bool pillars = true; // cross-sections at the pillars and window ends
};

PartMesh buildBody(const std::string& name, const BodyDetail& detail);

// A wheel with `segments` around (a multiple of 4), at the right side of
// the car (outer face towards +x); mirror it for the left side.
PartMesh buildWheel(const std::string& name, int segments);

// The driver: a seated figure holding the steering wheel. `segments` around
// the limbs and head.
PartMesh buildDriver(const std::string& name, int segments);

// The damaged shape: a dent in the front left corner.
DVec3 dentedPoint(DVec3 p);
