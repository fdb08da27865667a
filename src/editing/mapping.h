// Texture mapping of the current part's selected triangles: a planar
// projection along one axis, then the mapping edit, in which drags, arrow
// keys and flips move, turn and scale the coordinates until OK keeps them
// (after offering to clamp them into range) or Cancel restores the ones
// saved when the edit began.
#pragma once

#include <cstdint>

struct MappingState {
    float* saved = nullptr; // U0, U1, U2, V0, V1, V2 of each triangle of the part
    int savedPart = -1, savedFirst = 0, savedCount = 0;
    int pivotX = 0, pivotY = 0; // view position of the last press in the edit
    bool mirror = false;        // projection 1: negative x maps as positive
    int tool = 0;               // 0 move, 1 rotate, 2 scale
};
extern MappingState mapping;

// Drag modifiers: the right button's variant, and a nudge by key.
constexpr uint32_t DRAG_CONSTRAINED = 1u << 31;
constexpr uint32_t DRAG_KEY = 1u << 30;

// Projection 1 (along Z), 2 (along X) or 3 (along Y); true when the edit
// began ("Please select triangles you want to map" without a selection).
bool mapPlanar(int projection);
// Begins the edit without changing coordinates.
bool beginUvEdit();
// Puts the saved coordinates back and ends the edit's copy.
void restoreUvs();
void releaseSavedUvs();
// Flips U (axis 0) or V (1) of the selection about the middle of its range.
void flipUvs(int axis);
// Corners of the current part with U or V outside 0..0.9999; and clamping
// them into that range.
int countUvsOutOfRange();
void clampUvs();
// One step of the mapping tool for a move of (dx, dy) pixels at display
// size `size` (512 or 256).
void dragUvs(float dx, float dy, uint32_t modifiers, int size);
