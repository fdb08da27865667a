// The view transform and the two projections, over arrays of points.
#pragma once

#include "model/fce_types.h"

// Screen coordinate given to a point at or behind the camera plane, so that
// clipping discards or cuts whatever uses it.
constexpr float SCREEN_FAR = 10000000.0f;

// Camera-space coordinates of count points: (P + offset - C) * viewMatrix -
// (panX, panY, distance), C the selected part's position when the camera is
// centred on it. src and dst may be the same array.
void transformPoints(const Vec3* src, Vec3* dst, int count, Vec3 offset);

// Screen x and y of count camera-space points, two floats per point, leaving
// `skip` floats of dst untouched after each pair (1 projects in place over
// the points themselves and keeps their camera z).
void projectPoints(const Vec3* src, float* dst, int count, int skip);
