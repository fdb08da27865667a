// The project's own sample car, built by code: a recognisable car with every
// kind of data the editor shows (parts with the naming conventions, window
// triangles, a driver part, light and plate dummies, colour presets,
// smoothing groups, texture coordinates) and its 256x256 texture.
#pragma once

#include <string>

constexpr int SAMPLE_DEFAULT_TRIANGLES = 3000;
// The coarsest car (every part at its least detail) needs about 2200.
constexpr int SAMPLE_MIN_TRIANGLES = 2400;

// Builds the sample car into the global model (replacing what is there) with
// as many triangles as fit into `triangles`, never more. Requests outside
// SAMPLE_MIN_TRIANGLES..MAX_TRIANGLES are refused with a message.
bool buildSampleCar(int triangles);

// Writes DIR/car.fce and DIR/car00.tga. False after a message on failure.
bool writeSampleCar(const std::string& folder, int triangles);
