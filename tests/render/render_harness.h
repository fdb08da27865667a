// Helpers of the renderer tests: a renderer put back to start-up for each
// test, small models built from explicit triangles, an axis camera that maps
// model units to pixels one to one, textures filled by hand and a marker
// around the view that shows any pixel written outside it.
#pragma once

#include "model/alloc.h"
#include "model/car_model.h"
#include "render/render.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <vector>

struct TestTriangle {
    Vec3 corner[3];
    uint32_t flags = 0;
    float u[3] = {0, 0, 0}, v[3] = {0, 0, 0};
    uint16_t groupWord = 0;
};

// A model of one part per list, every triangle with its own three vertices
// (part position 0). Face normals are computed; every vertex normal is
// (0, 0, 1). All parts visible, part 0 selected, half size 0, no shades yet.
inline void buildTriangleModel(const std::vector<std::vector<TestTriangle>>& parts) {
    resetModel();
    int total = 0;
    for (const auto& p : parts) total += int(p.size());
    ASSERT_TRUE(allocateStore(total));
    FceHeader& h = model.header;
    h.numParts = int(parts.size());
    for (int p = 0, first = 0; p < h.numParts; first += int(parts[p++].size())) {
        const int count = int(parts[p].size());
        h.partFirstTriangle[p] = first, h.partTriangleCount[p] = count;
        h.partFirstVertex[p] = 3 * first, h.partVertexCount[p] = 3 * count;
        model.partFlags[p] = PART_VISIBLE;
        for (int k = 0; k < count; ++k) {
            const TestTriangle& src = parts[p][k];
            ModelTriangle& tri = model.triangles[first + k];
            tri.groupAndBase = uint32_t(src.groupWord) << 16 | uint32_t(3 * first);
            tri.flags = src.flags;
            for (int c = 0; c < 3; ++c) {
                tri.v[c] = uint32_t(3 * k + c), tri.texU[c] = src.u[c], tri.texV[c] = src.v[c];
                model.vertices[3 * (first + k) + c] = src.corner[c];
                model.normals[3 * (first + k) + c] = {0.0f, 0.0f, 1.0f};
            }
        }
        computeFaceNormals(model.vertices + 3 * first, 3 * count, first, count);
    }
}

// The axis view that looks along -z with identity rotation (pitch 0, yaw 0):
// a model point (x, y) lands on pixel (viewCentreX + x, viewCentreY - y) at
// `scale` 1, and camera z is model z minus 100.
inline void useFrontAxisCamera(float scale = 1.0f) {
    camera.currentCamera = 4, camera.live = CameraState::axisView(4, 0, 0);
    camera.live.orthoScale = scale;
}

// A triangle given in pixel offsets from the view centre (x right, y down) at
// model depth z, for the front axis camera; clockwise corners face the camera.
inline TestTriangle screenTriangle(float x0, float y0, float x1, float y1, float x2, float y2,
                                   float z = 0.0f, uint32_t flags = 0, uint16_t group = 0) {
    return {{{x0, -y0, z}, {x1, -y1, z}, {x2, -y2, z}}, flags, {}, {}, group};
}

// A 512 x 512 texture loaded into the model: texel(column, row) as 0xAARRGGBB
// (blue, green, red and alpha bytes).
template <class Texel> void fillTexture(Texel texel) {
    if (!model.textureImage) model.textureImage = static_cast<uint8_t*>(allocBlock(2 << 20));
    auto* texels = reinterpret_cast<uint32_t*>(model.textureImage);
    for (int i = 0; i < 512 * 512; ++i) texels[i] = texel(i % 512, i / 512);
    model.textureLoaded = true;
}

// Expects each {x, y, colour} of the table.
template <size_t N> void expectPixels(const int (&pixels)[N][3]) {
    for (const auto& p : pixels)
        EXPECT_EQ(*pixelAt(p[0], p[1]), uint32_t(p[2])) << p[0] << "," << p[1];
}

// Pixels other than `colour` in rows y0..y1, columns x0..x1.
inline int countOther(uint32_t colour, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) n += *pixelAt(x, y) != colour;
    return n;
}

// Frame pixels outside the view that are not MARKER. With `mark`, first gives
// every pixel there MARKER and every depth the farthest value, so that no
// filler or line would leave one alone.
constexpr uint32_t MARKER = 0x123456;
inline int changedOutsideView(bool mark = false) {
    int n = 0;
    for (int y = 0; y < frame.screenHeight; ++y)
        for (int x = frame.viewWidth * (y < frame.viewHeight); x < frame.screenWidth; ++x) {
            if (mark) *pixelAt(x, y) = MARKER, *depthAt(x, y) = -FLT_MAX;
            n += *pixelAt(x, y) != MARKER;
        }
    return n;
}

// A renderer at start-up on a 1024 x 768 screen with an 800 x 600 client
// (view 608 x 552, centre 304, 276): every record fresh, the icon strip
// filled, the view cleared. Torn down (frame buffer, driver swing copy, model
// and texture freed) after each test.
class RendererTest : public ::testing::Test {
  protected:
    void SetUp() override {
        camera = {}, light = {}, motion = {}, render = {}, overlays = {};
        ASSERT_TRUE(createFrameBuffer(1024, 768));
        fillIconStrip(), setViewSize(800, 600), clearView();
    }
    void TearDown() override { stopDriverSwing(), freeFrameBuffer(), resetModel(); }
};
