// Colour conversions and tinting of the texture by a colour preset.
//
// A car's paint is not in its texture: the texture carries grey shading and
// its alpha byte names the colour layer of each texel. Tinting multiplies
// the shading by the layer's colour, always starting from the pristine copy,
// so tinting never accumulates. Everything is computed in single precision.
#include "texture/tint.h"

#include "model/car_model.h"
#include "texture/texture.h"

namespace {

// Hue (0..6 sextants), saturation and value to red, green, blue.
RgbColor hsvToRgb(float h, float s, float v) {
    if (s == 0.0f) return {v, v, v};
    int k = int(h);
    if (k > 5) k = 5;
    const float f = h - float(k);
    const float p = v * (1.0f - s);
    const float q = v * (1.0f - s * f);
    const float t = v * (1.0f - s * (1.0f - f));
    switch (k) {
    case 0:
        return {v, t, p};
    case 1:
        return {q, v, p};
    case 2:
        return {p, v, t};
    case 3:
        return {p, q, v};
    case 4:
        return {t, p, v};
    default:
        return {v, p, q};
    }
}

float hueSextant(uint8_t hue) {
    float h = float(hue) / 180.0f * 6.0f;
    if (h >= 6.0f) h -= 6.0f;
    return h;
}

// Colours come from files and editing in range; a stray byte above it must
// still give a byte, not wrap around.
uint8_t toByte(float value) {
    const int truncated = int(value);
    return uint8_t(truncated < 0 ? 0 : truncated > 255 ? 255 : truncated);
}

uint8_t tintChannel(uint8_t channel, float factor) {
    const float share = float(channel) / 255.0f;
    const float product = share * factor;
    return toByte(255.0f * product);
}

} // namespace

int tintLayerOfAlpha(uint8_t alpha) {
    if (alpha >= 192 && alpha <= 240) return 0;
    if (alpha >= 128 && alpha <= 191) return 1;
    if (alpha >= 64 && alpha <= 127) return 2;
    if (alpha >= 16 && alpha <= 63) return 3;
    return TINT_NO_LAYER;
}

RgbColor hsbToRgb(HsbColor color) {
    float v = 1.5f * float(color.brightness) / 127.0f;
    if (v > 1.0f) v = 1.0f;
    return hsvToRgb(hueSextant(color.hue), float(color.saturation) / 127.0f, v);
}

uint32_t hsbToPixel(HsbColor color) {
    const float v = float(color.brightness) / 127.0f;
    const RgbColor c = hsvToRgb(hueSextant(color.hue), float(color.saturation) / 127.0f, v);
    return uint32_t(toByte(255.0f * c.b)) | uint32_t(toByte(255.0f * c.g)) << 8 |
           uint32_t(toByte(255.0f * c.r)) << 16 | uint32_t(color.extra) << 24;
}

void tintTexture(int preset) {
    if (!model.textureLoaded || !model.textureImage) return;
    if (preset < 0 || preset >= MAX_COLORS) return;
    RgbColor layers[COLOR_LAYERS];
    for (int layer = 0; layer < COLOR_LAYERS; ++layer)
        layers[layer] = hsbToRgb(model.colorLayers[layer][preset]);

    const uint8_t* in = pristineTexture();
    uint8_t* out = workingTexture();
    for (size_t i = 0; i < TEXTURE_COPY_BYTES; i += 4) {
        const int layer = tintLayerOfAlpha(in[i + 3]);
        if (layer == TINT_NO_LAYER) {
            out[i] = in[i];
            out[i + 1] = in[i + 1];
            out[i + 2] = in[i + 2];
        } else {
            const RgbColor& c = layers[layer];
            out[i] = tintChannel(in[i], c.b);
            out[i + 1] = tintChannel(in[i + 1], c.g);
            out[i + 2] = tintChannel(in[i + 2], c.r);
        }
        out[i + 3] = in[i + 3];
    }
}
