// The side panel's pages: showing and hiding a page's controls, filling the
// panel lists after a model is loaded, and the routines that bring a page's
// lists and fields up to date with the model after an edit.
#pragma once

#include "model/fce_types.h"

#include <string>

// Shows (after laying it out and refreshing it from the model) or hides page
// `page`.
void showPage(int page, bool show);

// Creates the panel's list boxes (hidden) on the first successful load.
void createPanelLists();
// After every successful load: creates the lists if needed and fills them
// from the model; selects in the part list the parts marked selected.
void fillPanelLists();

// Parts page: the part list, the selected part's name, position and counts,
// the axis-lock and origin buttons, and the axis cross.
// A number as the fields show it: three decimals.
std::string format3(float value);
// The X, Y and Z fields (empty for null).
void setPositionFields(const Vec3* position);
void refreshPartFields();
// Colors page: the preset list and the saturation/brightness square for the
// current colour; with `repaint` the hue bar, square and swatch are redrawn.
void refreshColorPresets(bool repaint);
// Dummies page: the dummy list (with `refillList`), the position fields and,
// with `showDetails`, the light or special-name lists that fit the name.
void refreshDummyFields(bool refillList, bool showDetails);
// Surfaces page: the selected part's smoothing groups and the angle field.
void refreshGroupList();
// The angle field and the slider for the current group's smoothing angle.
void refreshAngleField(bool redraw);
// The surface-flag markers of the selected triangles and the driver check box.
void refreshSurfaceFlags();

// The selected part, or -1 when the model has none to select.
int selectedPartIndex();

// The lowest client row the tallest page needs: the bottom of its lowest
// control and below it the margin the panel keeps right of its widest one.
int panelMinimumHeight();
