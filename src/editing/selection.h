// Selecting triangles of the current part: by a click in the view, by a
// rectangle, by smoothing group, by surface flags, and clearing. The view
// operations work on what the last frame drew (its draw list and screen
// points), in view coordinates; only drawn triangles can be picked.
//
// During a rectangle drag an entry's sort key doubles as a preview mark:
// exactly 1.0 shows the triangle selected, exactly 0.0 not selected (real
// keys are negative). The marks last until the draw list is rebuilt.
#pragma once

#include "model/fce_types.h"

// Key-state bits the view's mouse handlers pass on.
constexpr int SELECT_LEFT = 1;
constexpr int SELECT_RIGHT = 2;
constexpr int SELECT_CONTROL = 8;

// The nearest drawn triangle of the current part under (x, y), or null.
ModelTriangle* pickTriangle(float x, float y);
// A click (or a drag step) with `keys`: the left button selects, the right
// one deselects, Control makes the triangle's group current instead. True
// when the selection changed (a right click always says so).
bool clickSelect(int x, int y, int keys);
// Phases of a rectangle drag.
constexpr int RECTANGLE_MOVE = 0;
constexpr int RECTANGLE_START = 1;
constexpr int RECTANGLE_END = 2;
// A rectangle drag: tool 1 takes triangles with all corners inside, tool 2
// those with any. True when the view must be drawn again.
bool rectangleSelect(int x, int y, int keys, int phase, int tool);

// Selects exactly the triangles of the current part's current group.
void selectGroup();
void deselectAll();
// Selects exactly the triangles with a surface flag in `mask` (bits 0..10);
// false, changing nothing, when none has one.
bool selectByFlags(uint32_t mask);
// The index of the group table entry of the current part for a group word;
// 0 when there is none.
int groupIndexOf(uint32_t groupWord);
