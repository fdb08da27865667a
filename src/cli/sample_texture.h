// The sample car's texture: a 256 x 256 atlas painted by code, and the TGA
// file it is stored in.
//
// Tinted areas carry grey shading (tinting multiplies it by the preset's
// colour) and an alpha byte naming their colour layer: body paint layer 0,
// stripes and helmet layer 1, wheel rims layer 2, the driver's suit layer 3.
// Lights, glass, tyres, chrome and black trim keep their own colours.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int SAMPLE_TEXTURE_SIZE = 256;

// Alpha bytes of the painted areas, one per colour layer and two untinted.
// The view enlarges the texture with per-byte averages, alpha included, so
// the texels between two areas get means of their alphas, which may name a
// third layer. The values keep most of those means in one of the two areas'
// own classes: the rim's 124 and the wheel's untinted 12 meet at 68, still
// the rim's (only the quarter mixes, 40, fall into layer 3).
constexpr uint8_t ALPHA_PAINT = 220;  // layer 0
constexpr uint8_t ALPHA_STRIPE = 160; // layer 1
constexpr uint8_t ALPHA_RIM = 124;    // layer 2
constexpr uint8_t ALPHA_SUIT = 40;    // layer 3
constexpr uint8_t ALPHA_OPAQUE = 255; // untinted
constexpr uint8_t ALPHA_TRIM = 8;     // untinted, the low range
constexpr uint8_t ALPHA_WHEEL = 12;   // untinted, beside the rims

// The texels, row 0 at the top, 4 bytes each: blue, green, red, alpha.
std::vector<uint8_t> paintSampleTexture();

// The texture as an uncompressed 32-bit TGA file, stored bottom row first.
std::vector<uint8_t> sampleTextureFile();

// Writes the TGA file (replacing `path` only when it was written whole).
bool writeSampleTexture(const std::string& path);
