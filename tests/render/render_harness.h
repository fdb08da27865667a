// Helpers of the renderer tests: a renderer put back to start-up on a screen
// of a given size, small models built from explicit triangles, an axis camera
// that maps model units to pixels one to one, a procedural ring model with
// texture coordinates, and a hash of the view's pixels for golden-frame tests.
#pragma once

#include "model/fce_types.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

// Every renderer record fresh, a frame buffer for the screen and the view for
// the client size (the view is the client less 192 x 48). Frees any model.
void resetRenderer(int screenWidth = 1024, int screenHeight = 768, int clientWidth = 800,
                   int clientHeight = 600);
// Frees the frame buffer, the driver swing copy, the model and its texture.
void shutdownRenderer();

struct TestTriangle {
    Vec3 corner[3];
    uint32_t flags = 0;
    float u[3] = {0, 0, 0};
    float v[3] = {0, 0, 0};
    uint16_t groupWord = 0;
};

// A model of one part per list, every triangle with its own three vertices
// (part position 0). Face normals are computed; every vertex normal is
// `normal`. All parts visible; halfSize from the extent of the corners.
void buildTriangleModel(const std::vector<std::vector<TestTriangle>>& parts,
                        Vec3 normal = {0.0f, 0.0f, 1.0f});

// The axis view that looks along -z with identity rotation (pitch 0, yaw 0):
// a model point (x, y) lands on pixel (viewCentreX + x, viewCentreY - y) at
// `scale` 1, and camera z is model z minus 100.
void useFrontAxisCamera(float scale = 1.0f);

// A clockwise (front-facing) triangle given in pixel offsets from the view
// centre (x right, y down), at model depth z, for the front axis camera.
TestTriangle screenTriangle(float x0, float y0, float x1, float y1, float x2, float y2,
                            float z = 0.0f, uint32_t flags = 0);

// A closed ring (torus) of about `triangles` triangles in one part, with
// texture coordinates wrapping once around each direction.
void buildRingModel(int triangles);

// A 512 x 512 texture of `texel` everywhere (blue, green, red, alpha bytes as
// 0xAARRGGBB), loaded into the model.
void fillTexture(uint32_t texel);
void setTexel(int column, int row, uint32_t texel);

// prepareFrame and drawFrame.
void renderFrame();

// Renders the current model from the start-up perspective camera, fitted, at
// the given view size (screen and client sized to fit it), and returns the
// view's pixels row by row.
std::vector<uint32_t> renderView(int viewWidth, int viewHeight);

// FNV-1a (64 bit) over the view rectangle's pixels, row by row, each pixel
// as its four little-endian bytes.
uint64_t hashFrame();

uint32_t pixel(int x, int y);
float depth(int x, int y);
// Pixels of the view equal to `colour`.
int countPixels(uint32_t colour);
// Pixels of the view other than `colour` in rows y0..y1, columns x0..x1.
int countOther(uint32_t colour, int x0, int y0, int x1, int y1);
// Non-black pixels of the view, not counting the corner icons.
int countDrawn();

// A renderer at start-up on a 1024 x 768 screen with an 800 x 600 client
// (view 608 x 552), torn down after each test.
class RendererTest : public ::testing::Test {
  protected:
    void SetUp() override { resetRenderer(); }
    void TearDown() override { shutdownRenderer(); }
};
