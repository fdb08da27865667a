// The Dummies and Colors pages' tables: dummies (a name and a position each)
// and colour presets (four layers each), at most 16 of either, and how a
// light dummy's name is composed and a preset's colour picked.
#pragma once

#include <cstdint>

// Inserts a copy of entry `index` in front of it, so that the selected index
// designates the copy; an empty table gets a fresh entry 0. At 16 entries:
// "Maximal number of dummies is 16!" (or "... color presets ..."), false.
bool insertDummy(int index);
bool insertColorPreset(int index);
// Deletes entry `index`; false, changing nothing, when there is no such
// entry. The selection stays a valid index (0 for an empty table).
bool deleteDummy(int index);
bool deleteColorPreset(int index);

// The selected dummy's name: one code character at `position` (1 = the
// first; the rest of the name stays), a special name, or a whole light name
// from the code lists' indices (kind, colour, flash, three digits).
bool setLightNameChar(int position, char code);
bool setSpecialName(int entry);
bool composeLightName(int kind, int colour, int flash, int d1, int d2, int d3);

// The current layer's colour of the selected preset, from a click at y on
// the hue bar or at (x, y) in the saturation/brightness square (control
// coordinates). False when there is no preset.
bool pickHue(int y);
bool pickSaturationBrightness(int x, int y);
