// Frame times of the software renderer on a reproducible scene: a closed,
// stretched ring of 21800 triangles (the most a model holds is 21845) with
// texture coordinates and a band of window glass, filling most of the view,
// seen from the start-up camera. Measured: prepareFrame + drawFrame in solid,
// textured and wireframe views at 1920 x 1080 and 608 x 552, and the vertex
// lighting alone.
#include "cli/sample_car.h"
#include "model/alloc.h"
#include "model/fce_file.h"
#include "texture/texture.h"
#include "model/car_model.h"
#include "render/render.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

constexpr int AROUND = 109, ACROSS = 100; // 2 * 109 * 100 = 21800 triangles

void buildScene() {
    freeModel(false);
    model = CarModel{};
    const int total = 2 * AROUND * ACROSS, vertices = AROUND * ACROSS;
    if (!allocateStore(total)) std::abort();
    FceHeader& h = model.header;
    h.numTriangles = total;
    h.numParts = 1;
    h.partTriangleCount[0] = total;
    h.partVertexCount[0] = vertices;
    model.partFlags[0] = PART_VISIBLE | PART_SELECTED;
    model.groupCount[0] = 1;
    const double pi = 3.14159265358979, major = 2.0, minor = 1.3, stretch = 1.7;
    for (int i = 0; i < AROUND; ++i)
        for (int j = 0; j < ACROSS; ++j) {
            const double a = 2 * pi * i / AROUND, b = 2 * pi * j / ACROSS;
            const double r = major + minor * std::cos(b);
            model.vertices[i * ACROSS + j] = {float(stretch * r * std::cos(a)),
                                              float(minor * std::sin(b)), float(r * std::sin(a))};
        }
    int t = 0;
    for (int i = 0; i < AROUND; ++i)
        for (int j = 0; j < ACROSS; ++j) {
            const uint32_t q[4] = {uint32_t(i * ACROSS + j),
                                   uint32_t((i + 1) % AROUND * ACROSS + j),
                                   uint32_t((i + 1) % AROUND * ACROSS + (j + 1) % ACROSS),
                                   uint32_t(i * ACROSS + (j + 1) % ACROSS)};
            const float u[4] = {float(i) / AROUND, float(i + 1) / AROUND, float(i + 1) / AROUND,
                                float(i) / AROUND};
            const float v[4] = {float(j) / ACROSS, float(j) / ACROSS, float(j + 1) / ACROSS,
                                float(j + 1) / ACROSS};
            const int corners[2][3] = {{0, 1, 2}, {0, 2, 3}};
            for (const auto& c : corners) {
                ModelTriangle& tri = model.triangles[t++];
                for (int k = 0; k < 3; ++k) {
                    tri.v[k] = q[c[k]];
                    tri.texU[k] = u[c[k]];
                    tri.texV[k] = v[c[k]];
                }
                if (j >= 20 && j < 26) tri.flags = TRI_ALL_WINDOWS; // a band of glass
            }
        }
    computeFaceNormals(model.vertices, vertices, 0, total);
    computeVertexNormals(0, model.normals, total, vertices);
    h.halfSize = {float(stretch * (major + minor)), float(minor), float(major + minor)};

    model.textureImage = static_cast<uint8_t*>(allocBlock(2 * 1024 * 1024));
    for (int row = 0; row < 512; ++row)
        for (int column = 0; column < 512; ++column) {
            uint8_t* texel = model.textureImage + 4 * (row * 512 + column);
            const bool light = ((row >> 5) ^ (column >> 5)) & 1;
            texel[0] = uint8_t(light ? 220 : column / 2);
            texel[1] = uint8_t(light ? 200 : row / 2);
            texel[2] = uint8_t(light ? 180 : 90);
            texel[3] = 255;
        }
    model.textureLoaded = true;
    model.modelLoaded = true;
    model.renderCacheValid = false;
}

// A fresh frame buffer of a screen whose window has a view of this size.
void setUpFrame(int viewWidth, int viewHeight) {
    freeFrameBuffer();
    camera = CameraState{};
    light = LightState{};
    render = RenderState{};
    if (!createFrameBuffer(viewWidth + PANEL_WIDTH, viewHeight + STRIP_HEIGHT)) std::abort();
    fillIconStrip();
    setViewSize(viewWidth + PANEL_WIDTH, viewHeight + STRIP_HEIGHT);
}

void setUpView(int viewWidth, int viewHeight) {
    setUpFrame(viewWidth, viewHeight);
    buildScene();
    resetCamera();
    // Long side across the view, looking down a little, close enough that
    // the ring fills most of the picture.
    camera.live.yaw = 0;
    camera.live.pitch = 1310;
    camera.live.distance *= 0.5f;
    updateOrbitOffset();
}

void frameBenchmark(benchmark::State& state, uint32_t viewFlags) {
    setUpView(int(state.range(0)), int(state.range(1)));
    render.viewFlags = viewFlags;
    for (auto _ : state) {
        prepareFrame();
        drawFrame();
        benchmark::DoNotOptimize(frame.frameBits[0]);
    }
    state.counters["triangles drawn"] = render.drawCount;
}

void BM_FrameSolid(benchmark::State& state) {
    frameBenchmark(state, VIEW_SOLID | VIEW_WINDOWS | VIEW_WINDOWS_TRANSPARENT);
}
void BM_FrameTextured(benchmark::State& state) {
    frameBenchmark(state, VIEW_TEXTURES | VIEW_WINDOWS | VIEW_WINDOWS_TRANSPARENT);
}
void BM_FrameWireframe(benchmark::State& state) {
    frameBenchmark(state, VIEW_WIREFRAME);
}

void BM_VertexShades(benchmark::State& state) {
    setUpView(1920, 1080);
    for (auto _ : state) {
        computeVertexShades();
        benchmark::DoNotOptimize(model.vertexShades[0]);
    }
}

} // namespace

// The sample car at its largest, long side across the view, close enough to
// fill most of it. Reports the share of the view it covers.
void setUpSampleCar(int viewWidth, int viewHeight) {
    static std::string path;
    if (path.empty()) {
        const auto folder = std::filesystem::temp_directory_path() / "vornix-render-bench";
        std::filesystem::create_directories(folder);
        if (!writeSampleCar(folder.string(), MAX_TRIANGLES)) std::abort();
        path = (folder / "car.fce").string();
    }
    setUpFrame(viewWidth, viewHeight);
    if (!loadFceFile(path, false) || !findAndLoadTexture()) std::abort();
    convertColorsAfterRead();
    resetCamera();
    camera.live.yaw = 1180;
    camera.live.pitch = 1380;
    camera.live.distance *= 0.45f;
    updateOrbitOffset();
}

void sampleCarBenchmark(benchmark::State& state, uint32_t viewFlags) {
    setUpSampleCar(int(state.range(0)), int(state.range(1)));
    render.viewFlags = viewFlags;
    for (auto _ : state) {
        prepareFrame();
        drawFrame();
        benchmark::DoNotOptimize(frame.frameBits[0]);
    }
    long covered = 0;
    for (int y = 0; y < frame.viewHeight; ++y)
        for (int x = 0; x < frame.viewWidth; ++x) covered += (*pixelAt(x, y) & 0xFFFFFF) != 0;
    state.counters["triangles"] = model.header.numTriangles;
    state.counters["covered"] = double(covered) / (double(frame.viewWidth) * frame.viewHeight);
}

void BM_SampleCarSolid(benchmark::State& state) {
    sampleCarBenchmark(state, VIEW_SOLID | VIEW_WINDOWS | VIEW_WINDOWS_TRANSPARENT);
}
void BM_SampleCarTextured(benchmark::State& state) {
    sampleCarBenchmark(state, VIEW_TEXTURES | VIEW_WINDOWS | VIEW_WINDOWS_TRANSPARENT);
}
void BM_SampleCarWireframe(benchmark::State& state) { sampleCarBenchmark(state, VIEW_WIREFRAME); }

BENCHMARK(BM_SampleCarSolid)->Args({1920, 1080})->Args({608, 552})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SampleCarTextured)->Args({1920, 1080})->Args({608, 552})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SampleCarWireframe)->Args({1920, 1080})->Args({608, 552})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameSolid)->Args({1920, 1080})->Args({608, 552})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameTextured)->Args({1920, 1080})->Args({608, 552})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameWireframe)->Args({1920, 1080})->Args({608, 552})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VertexShades)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
