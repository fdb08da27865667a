// Helpers of the renderer tests.
#include "render/render_harness.h"

#include "model/alloc.h"
#include "model/car_model.h"
#include "render/render.h"
#include "support/test_support.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

void shutdownRenderer() {
    stopDriverSwing();
    freeFrameBuffer();
    resetModel();
}

void resetRenderer(int screenWidth, int screenHeight, int clientWidth, int clientHeight) {
    shutdownRenderer();
    camera = CameraState{};
    light = LightState{};
    motion = MotionState{};
    render = RenderState{};
    overlays = OverlayState{};
    if (!createFrameBuffer(screenWidth, screenHeight))
        throw std::runtime_error("createFrameBuffer failed");
    fillIconStrip();
    setViewSize(clientWidth, clientHeight);
    camera.live.focalLength = focalFromFov(camera.live.fovDegrees);
    camera.cameraSlots[0] = camera.live;
    clearView();
}

void buildTriangleModel(const std::vector<std::vector<TestTriangle>>& parts, Vec3 normal) {
    resetModel();
    int total = 0;
    for (const auto& p : parts) total += int(p.size());
    if (!allocateStore(total)) throw std::runtime_error("allocateStore failed");
    FceHeader& h = model.header;
    h.numTriangles = total;
    h.numParts = int(parts.size());
    float lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
    int first = 0;
    for (size_t p = 0; p < parts.size(); ++p) {
        const int count = int(parts[p].size());
        h.partFirstTriangle[p] = first;
        h.partTriangleCount[p] = count;
        h.partFirstVertex[p] = 3 * first;
        h.partVertexCount[p] = 3 * count;
        model.partFlags[p] = PART_VISIBLE;
        model.groupCount[p] = 1;
        for (int k = 0; k < count; ++k) {
            const TestTriangle& src = parts[p][k];
            ModelTriangle& tri = model.triangles[first + k];
            tri.groupAndBase = uint32_t(src.groupWord) << 16 | uint32_t(3 * first);
            tri.flags = src.flags;
            for (int c = 0; c < 3; ++c) {
                const int slot = 3 * first + 3 * k + c;
                tri.v[c] = uint32_t(3 * k + c);
                tri.texU[c] = src.u[c];
                tri.texV[c] = src.v[c];
                model.vertices[slot] = src.corner[c];
                model.normals[slot] = normal;
                const float xyz[3] = {src.corner[c].x, src.corner[c].y, src.corner[c].z};
                for (int a = 0; a < 3; ++a) {
                    lo[a] = std::min(lo[a], xyz[a]);
                    hi[a] = std::max(hi[a], xyz[a]);
                }
            }
        }
        computeFaceNormals(model.vertices + 3 * first, 3 * count, first, count);
        first += count;
    }
    h.halfSize = {(hi[0] - lo[0]) / 2, (hi[1] - lo[1]) / 2, (hi[2] - lo[2]) / 2};
    model.partFlags[0] |= PART_SELECTED;
    model.modelLoaded = true;
    model.renderCacheValid = false;
}

void useFrontAxisCamera(float scale) {
    camera.currentCamera = 4;
    camera.live = CameraState::axisView(4, 0, 0);
    camera.live.orthoScale = scale;
    computeEyePoint();
}

TestTriangle screenTriangle(float x0, float y0, float x1, float y1, float x2, float y2, float z,
                            uint32_t flags) {
    TestTriangle t;
    t.corner[0] = {x0, -y0, z};
    t.corner[1] = {x1, -y1, z};
    t.corner[2] = {x2, -y2, z};
    t.flags = flags;
    return t;
}

void buildRingModel(int triangles) {
    resetModel();
    const int around = std::max(3, int(std::sqrt(triangles / 2.0) * 1.1));
    const int across = std::max(3, triangles / (2 * around));
    const int total = 2 * around * across;
    if (!allocateStore(total)) throw std::runtime_error("allocateStore failed");
    FceHeader& h = model.header;
    h.numTriangles = total;
    h.numParts = 1;
    h.partTriangleCount[0] = total;
    h.partVertexCount[0] = around * across;
    model.partFlags[0] = PART_VISIBLE | PART_SELECTED;
    model.groupCount[0] = 1;
    const double major = 2.0, minor = 0.8, pi = 3.14159265358979;
    for (int i = 0; i < around; ++i)
        for (int j = 0; j < across; ++j) {
            const double a = 2 * pi * i / around, b = 2 * pi * j / across;
            const double r = major + minor * std::cos(b);
            model.vertices[i * across + j] = {float(r * std::cos(a)), float(minor * std::sin(b)),
                                              float(r * std::sin(a))};
        }
    int t = 0;
    for (int i = 0; i < around; ++i)
        for (int j = 0; j < across; ++j) {
            const uint32_t a = uint32_t(i * across + j);
            const uint32_t b = uint32_t(((i + 1) % around) * across + j);
            const uint32_t c = uint32_t(((i + 1) % around) * across + (j + 1) % across);
            const uint32_t d = uint32_t(i * across + (j + 1) % across);
            const float u0 = float(i) / around, u1 = float(i + 1) / around;
            const float v0 = float(j) / across, v1 = float(j + 1) / across;
            ModelTriangle& first = model.triangles[t++];
            first.v[0] = a, first.v[1] = b, first.v[2] = c;
            first.texU[0] = u0, first.texU[1] = u1, first.texU[2] = u1;
            first.texV[0] = v0, first.texV[1] = v0, first.texV[2] = v1;
            ModelTriangle& second = model.triangles[t++];
            second.v[0] = a, second.v[1] = c, second.v[2] = d;
            second.texU[0] = u0, second.texU[1] = u1, second.texU[2] = u0;
            second.texV[0] = v0, second.texV[1] = v1, second.texV[2] = v1;
        }
    computeFaceNormals(model.vertices, around * across, 0, total);
    computeVertexNormals(0, model.normals, total, around * across);
    h.halfSize = {float(major + minor), float(minor), float(major + minor)};
    model.modelLoaded = true;
    model.renderCacheValid = false;
}

void fillTexture(uint32_t texel) {
    if (!model.textureImage)
        model.textureImage = static_cast<uint8_t*>(allocBlock(2 * 1024 * 1024));
    for (int i = 0; i < 512 * 512; ++i) std::memcpy(model.textureImage + 4 * i, &texel, 4);
    model.textureLoaded = true;
}

void setTexel(int column, int row, uint32_t texel) {
    std::memcpy(model.textureImage + 4 * (row * 512 + column), &texel, 4);
}

void renderFrame() {
    prepareFrame();
    drawFrame();
}

std::vector<uint32_t> renderView(int viewWidth, int viewHeight) {
    const int clientWidth = viewWidth + PANEL_WIDTH, clientHeight = viewHeight + STRIP_HEIGHT;
    if (frame.screenWidth < clientWidth || frame.screenHeight < clientHeight) {
        if (!createFrameBuffer(clientWidth, clientHeight))
            throw std::runtime_error("createFrameBuffer failed");
        fillIconStrip();
    }
    setViewSize(clientWidth, clientHeight);
    camera.currentCamera = 0;
    camera.live = ViewCamera{};
    resetCamera();
    renderFrame();
    std::vector<uint32_t> pixels;
    for (int y = 0; y < frame.viewHeight; ++y)
        pixels.insert(pixels.end(), pixelAt(0, y), pixelAt(0, y) + frame.viewWidth);
    return pixels;
}

uint64_t hashFrame() {
    uint64_t hash = 14695981039346656037ull;
    for (int y = 0; y < frame.viewHeight; ++y)
        for (int x = 0; x < frame.viewWidth; ++x) {
            const uint32_t p = *pixelAt(x, y);
            for (int b = 0; b < 4; ++b) {
                hash ^= (p >> (8 * b)) & 0xFF;
                hash *= 1099511628211ull;
            }
        }
    return hash;
}

uint32_t pixel(int x, int y) {
    return *pixelAt(x, y);
}
float depth(int x, int y) {
    return *depthAt(x, y);
}

int countPixels(uint32_t colour) {
    int n = 0;
    for (int y = 0; y < frame.viewHeight; ++y)
        for (int x = 0; x < frame.viewWidth; ++x) n += *pixelAt(x, y) == colour;
    return n;
}

int countOther(uint32_t colour, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) n += *pixelAt(x, y) != colour;
    return n;
}

int countDrawn() {
    int n = 0;
    for (int y = 0; y < frame.viewHeight; ++y)
        for (int x = 0; x < frame.viewWidth; ++x) {
            const bool icon = y < 24 && x >= frame.viewWidth - 48;
            n += !icon && *pixelAt(x, y) != 0;
        }
    return n;
}
