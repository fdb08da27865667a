// The project's own sample car, built by code: a recognisable car with every
// kind of data the editor shows (parts with the naming conventions, window
// triangles, a driver part, light and plate dummies, colour presets,
// smoothing groups, texture coordinates) and its 256x256 texture.
#pragma once

#include <string>

constexpr int SAMPLE_DEFAULT_TRIANGLES = 3000;
constexpr int SAMPLE_MIN_TRIANGLES = 500;

// Builds the sample car into the global model (replacing what is there) with
// about `triangles` triangles (never more than the data model holds).
bool buildSampleCar(int triangles);

// Writes DIR/car.fce and DIR/car00.tga. False after a message on failure.
bool writeSampleCar(const std::string& folder, int triangles);
