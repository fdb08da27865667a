// Exporting and importing a part of 21845 triangles in each exchange format.
//   build/release/bench/exchange_bench --benchmark_repetitions=10
//   --benchmark_report_aggregates_only=true
#include "editing/rebuild.h"
#include "exchange/part_exchange.h"
#include "model/car_model.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// The largest part there can be: a bumpy sheet of 2 triangles per cell,
// shared by the rebuild, with texture coordinates, groups and flags.
void buildSheet() {
    constexpr int W = 109;
    const int T = MAX_TRIANGLES;
    freeModel(false);
    model = CarModel{};
    if (!allocateStore(T)) std::abort();
    FceHeader& h = model.header;
    h.numParts = 1, h.numTriangles = T, h.partTriangleCount[0] = T, h.partVertexCount[0] = 3 * T;
    std::snprintf(h.partNames[0], NAME_SIZE, ":HB");
    model.groupCount[0] = 2, model.groups[0][0] = {0, 60}, model.groups[0][1] = {8, 30};
    auto point = [](int i, int j) {
        return Vec3{0.05f * float(i), 0.01f * float((i * 7 + j * 3) % 5), 0.05f * float(j)};
    };
    for (int t = 0; t < T; ++t) {
        const int cell = t / 2, i = cell % W, j = cell / W;
        const Vec3 c[4] = {point(i, j), point(i + 1, j), point(i, j + 1), point(i + 1, j + 1)};
        const Vec3 corners[3] = {c[0], t % 2 ? c[3] : c[1], t % 2 ? c[2] : c[3]};
        ModelTriangle& tri = model.triangles[t];
        tri.groupAndBase = t % 3 ? 0 : 8u << 16, tri.flags = uint32_t(t % 7);
        for (int k = 0; k < 3; ++k) {
            model.vertices[3 * t + k] = model.damagedVertices[3 * t + k] = corners[k];
            tri.v[k] = uint32_t(3 * t + k);
            tri.texU[k] = corners[k].x / 6.0f, tri.texV[k] = corners[k].z / 6.0f;
        }
    }
    computeFaceNormals(model.vertices, 3 * T, 0, T);
    rebuildPartVertices(0);
}

// A model with no parts, ready to take the largest part.
void emptyModel() {
    freeModel(false);
    model = CarModel{};
    if (!allocateStore(1)) std::abort();
    model.modelLoaded = true;
}

std::string fileFor(ExchangeFormat format) {
    return (std::filesystem::temp_directory_path() / "vornix-exchange-bench").string() +
           exchangeExtension(format);
}

void exportLargestPart(benchmark::State& state) {
    const auto format = ExchangeFormat(state.range(0));
    buildSheet();
    for (auto _ : state)
        if (!exportPart(0, format, fileFor(format), "car00.tga")) std::abort();
    state.counters["bytes"] = double(std::filesystem::file_size(fileFor(format)));
}
BENCHMARK(exportLargestPart)->DenseRange(1, 3)->Unit(benchmark::kMillisecond);

void importLargestPart(benchmark::State& state) {
    const auto format = ExchangeFormat(state.range(0));
    buildSheet();
    if (!exportPart(0, format, fileFor(format), "car00.tga")) std::abort();
    for (auto _ : state) {
        state.PauseTiming();
        emptyModel();
        state.ResumeTiming();
        if (!importPart(0, format, fileFor(format))) std::abort();
    }
    state.counters["triangles"] = model.header.numTriangles;
    std::filesystem::remove(fileFor(format));
}
BENCHMARK(importLargestPart)->DenseRange(1, 3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
