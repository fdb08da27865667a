// The vertex rebuild: which triangles of a part share a vertex, by the
// smoothing rules, and the vertex normals that follow.
//
// Corners are taken triangle by triangle. A corner joins an earlier output
// vertex (the first 32 candidates within the weld tolerance, in creation
// order) when a triangle already using that vertex is smooth with its own:
// in one group when the faces meet within the group's angle (91 and more:
// always); across a group border only where the grouped side carries the
// cross-group mark. A candidate must also lie within the tolerance in its
// damaged position and have the same vertex flag, so that a crash shape or
// the driver's moving vertices are never merged away. Otherwise the corner
// gets a vertex of its own.
#pragma once

#include <cstdint>

struct EditSettings {
    float weldTolerance = 0.002f; // vertices closer than this in x, y and z count as one
};
extern EditSettings editSettings;

// A weld tolerance the rebuild accepts: finite and within (0, 0.1].
bool usableWeldTolerance(float tolerance);

// Rebuilds part `part`, or every part when `part` < 0; sets PART_NORMALS_READY.
void rebuildPartVertices(int part);

// The angle of the current part's group with this group word; 100 (no
// limit) when the table has no such group.
int groupAngle(uint32_t groupWord);
// Whether the faces of triangles a (being joined) and b (already using the
// vertex) are shaded smoothly across the vertex.
bool smoothBetween(uint32_t wordA, uint32_t wordB, double dot, int part);
