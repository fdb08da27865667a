// Colour presets applied to the texture: the hue/saturation/brightness
// conversions and the tinting of the working copy by the four colour layers
// of a preset.
#pragma once

#include "model/fce_types.h"

#include <cstdint>

struct RgbColor {
    float r, g, b; // 0..1
};

// The alpha byte of a texel chooses the colour layer that tints it.
constexpr int TINT_NO_LAYER = -1;
int tintLayerOfAlpha(uint8_t alpha);

// The tint a texture receives: brightness counts one and a half times, up to
// full value at brightness 85.
RgbColor hsbToRgb(HsbColor color);

// The colour the Colors page shows: brightness / 127 without the gain. Blue in
// the low byte, then green, red, and the colour's extra byte on top.
uint32_t hsbToPixel(HsbColor color);

// Rebuilds the whole working copy from the pristine one in the colours of
// preset `preset` (0..15). Does nothing without a texture.
void tintTexture(int preset);
