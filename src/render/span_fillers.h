// The three span fillers: shaded (grey Gouraud), textured (texel times
// shade) and glass (tinted copy of what lies behind). Each walks rows
// firstRow..lastRow of the span table, steps its attributes linearly across
// the row and writes a pixel where the new depth is strictly nearer than the
// z-buffer. The colour masks the computed pixel: 0xFFFFFF leaves it alone.
#pragma once

#include <cstdint>

void fillShadedSpans(int firstRow, int lastRow, uint32_t colour);
// texture: the 512 x 512 working copy, 4 bytes a texel (blue, green, red,
// alpha). A texel with alpha 0 is a hole: neither pixel nor depth is written.
void fillTexturedSpans(int firstRow, int lastRow, const uint8_t* texture, uint32_t colour);
void fillGlassSpans(int firstRow, int lastRow, uint32_t colour);

// trunc(shade) as a grey level. A shade that is not a number or too large for
// an int (interpolated from points sent far away) counts as 0.
inline int shadeLevel(float shade) {
    return shade > -2147483520.0f && shade < 2147483520.0f ? int(shade) : 0;
}
