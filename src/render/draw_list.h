// The draw list: the triangles facing the eye, in front of the camera, sorted
// far to near into the model's triangleWork buffer.
#pragma once

#include "model/fce_types.h"

#include <cstdint>

// The three vertex slots of a triangle's corners; false when a corner names
// a slot outside the store (the triangle is then never drawn).
bool triangleSlots(const ModelTriangle& tri, uint32_t slots[3]);

// Fills model.triangleWork and render.drawCount. Marks TRI_SEEN_FROM_BEHIND
// on the two-sided triangles it examines.
void buildDrawList();
