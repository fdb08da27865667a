// The panel elements the program paints itself: part-list and flag-list
// items, the hue bar, the saturation/brightness square and the colour swatch.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct DrawItem;
struct TextRun;

struct OwnerDrawState {
    uint32_t hueBar[24 * 182] = {};
    uint32_t square[130 * 130] = {};
    uint32_t highlightColour = 0x3060C0; // the desktop's selection colour
    // The surface-flag list's entries: a marker byte, a blank, the label.
    std::string flagEntries[11];
};

extern OwnerDrawState ownerDraw;

// Markers of the surface-flag entries (single bytes as the entries keep them).
constexpr char FLAG_MARKER_ALL = 0x2B;                  // '+': set in all selected triangles
constexpr char FLAG_MARKER_SOME = char(0xB1);           // plus-minus: set in some
constexpr char FLAG_MARKER_NONE = char(0x96);           // en dash: set in none

void resetFlagEntries();

void fillHueBar();
void fillSquare(int hue);
void drawHueBar(DrawItem& item);
void drawSquare(DrawItem& item);
void drawSwatch(DrawItem& item);
void drawPartItem(DrawItem& item, std::vector<TextRun>& text);
void drawFlagItem(DrawItem& item, std::vector<TextRun>& text);

// The colour the Colors page edits: layer colorLayer of the selected preset.
struct HsbColor& currentColor();
