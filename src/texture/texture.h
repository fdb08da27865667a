// The model's texture: the layout of the 2 MB texture block, loading a TGA
// file into it, finding the file that belongs to the open model, and putting
// the untinted texels back.
//
// The block holds two 512 x 512 images of 4-byte texels (blue, green, red,
// alpha), row 0 at the top: first the working copy that the view samples,
// then the pristine copy as loaded, which only tinting and restoring read.
#pragma once

#include "model/car_model.h"

#include <cstddef>
#include <cstdint>
#include <string>

constexpr int TEXTURE_SIZE = 512;
constexpr size_t TEXTURE_COPY_BYTES = size_t(TEXTURE_SIZE) * TEXTURE_SIZE * 4;
constexpr size_t TEXTURE_BLOCK_BYTES = 2 * TEXTURE_COPY_BYTES;

inline uint8_t* workingTexture() {
    return model.textureImage;
}
inline uint8_t* pristineTexture() {
    return model.textureImage + TEXTURE_COPY_BYTES;
}

// Decodes the TGA file open as the current handle into model.textureImage and
// closes it. Accepted: uncompressed 32-bit true colour, square, 256 or 512
// wide. On any failure no texture stays loaded (textureLoaded false, block
// freed); format errors are reported, short pixel data is not.
bool loadTexture();

// Derives model.texturePath from model.fcePath ("car.fce" -> "car00.tga"),
// asks the user for another file when it is missing, and loads it. Returns
// whether a texture is loaded afterwards.
bool findAndLoadTexture();

// Copies the pristine texels over the working copy (when a texture is loaded).
void restoreTexture();

// Frees the texture block: the model has no texture afterwards.
void dropTexture();

// The texture name that belongs to a model file: the path without its last
// four characters, followed by "00.tga".
std::string texturePathFor(const std::string& fcePath);

// `path` itself when that file exists, otherwise the one file in the same
// folder whose name equals its name ignoring case. `preferred` breaks ties
// when several do: the candidate that differs from it in the fewest letters
// wins, then the smallest name byte by byte. Returns `path` when nothing
// matches.
std::string matchFileIgnoringCase(const std::string& path, const std::string& preferred);
