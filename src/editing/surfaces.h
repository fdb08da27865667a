// The Surfaces page's operations on the current part: smoothing groups, the
// cross-group mark, surface flags and the driver-movement flag. Each group
// edit rebuilds the part's vertices (editing/rebuild.h).
#pragma once

#include <cstdint>

constexpr int SURFACE_FLAG_COUNT = 11;

// What the selected triangles of the current part have in common.
struct SurfaceState {
    // Per surface flag: 0 nothing selected, 1 every selected triangle has
    // it, 2 none has it, 3 some have it.
    int flags[SURFACE_FLAG_COUNT];
    // The driver-movement box: 0 unchecked (every selected corner fixed, or
    // nothing selected), 1 checked (every one moves), 2 mixed.
    int driverMovement;
    bool anySelected;
};
SurfaceState surfaceState();

// Results of the group edits: nothing done (no selected triangle, or no room
// for another group), done, and done with empty groups removed.
constexpr int GROUP_NOTHING = -1;
constexpr int GROUP_DONE = 0;
constexpr int GROUP_DONE_REMOVED = 1;

int newGroup();
int addToGroup(int group);
int moveToBase();
void deleteGroup(int group);
bool removeEmptyGroups();
// The smallest multiple of 8 from 8 up that neither a triangle of the part
// nor an entry of its group table uses; 32768 when none is left.
int findFreeGroupId(int part);
// Sets the current group's smoothing angle, without rebuilding.
void setGroupAngle(int angle);

// Sets or clears the cross-group mark on the current group's triangles.
void markGroup(bool set);
// The mark on the grouped triangle under a view point; false when there is
// none there.
bool clickMark(int x, int y, bool set);

// Applies the flag list: `chosen` holds the list items selected now. An item
// selected sets its flag on every selected triangle; an item that showed
// "every one" and is no longer selected clears it; an item that showed
// "some" and is not selected leaves each triangle's own value. Bits beyond
// the list stay. False when no triangle is selected.
bool applySurfaceFlags(uint32_t chosen);
// The vertex flags of the selected triangles' corners: moving (checked) or
// fixed. False when no triangle is selected.
bool setDriverMovement(bool moving);
