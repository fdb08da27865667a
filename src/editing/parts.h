// Operations on whole parts: insert an empty part, copy, delete, mirror,
// centre. Inserting and deleting give the model a geometry store of the new
// size; the old store stays until everything is copied over, so a failed
// allocation ("Out of memory!") leaves the model exactly as it was.
#pragma once

#include "model/fce_types.h"

// Inserts an empty part at `index` (0..part count); the parts from `index`
// on move up by one. The new part is current, visible and selected, and its
// slots, triangles, name, position and group table start clean (one base
// group). Refused with a message at 64 parts or past the triangle limit.
bool insertPart(int index, int triangleCount, int vertexCount);
// Inserts a copy of part `index` in front of it, named "<name> Copy".
bool copyPart(int index);
// Deletes part `index`; the only part is never deleted. The part that took
// its index (or the new last part) becomes current.
bool deletePart(int index);
// Mirrors part `index` along axis 0, 1 or 2 (X, Y, Z), keeping its winding
// and texture mapping.
void mirrorPart(int index, int axis);
// Gives part `index` a new position. With moveOrigin its vertices keep their
// place in the model (only the origin moves); else the geometry goes along.
void setPartPosition(int index, Vec3 position, bool moveOrigin);
// moveOrigin false: moves the geometry so that its box centre lies on the
// part's origin. true: moves the origin to the box centre, the geometry
// staying where it is in the model.
void centrePart(int index, bool moveOrigin);
