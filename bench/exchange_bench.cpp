// Exporting and importing a part of 21845 triangles in each exchange format.
//   build/release/bench/exchange_bench --benchmark_repetitions=10
//   --benchmark_report_aggregates_only=true
#include "editing/rebuild.h"
#include "exchange/part_exchange.h"
#include "largest_part.h"
#include "model/car_model.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// The largest part, shared by the rebuild, with two groups and flags.
void buildSharedSheet() {
    freeModel(false);
    model = CarModel{};
    buildSheet();
    std::snprintf(model.header.partNames[0], NAME_SIZE, ":HB");
    model.groupCount[0] = 2, model.groups[0][1] = {8, 30};
    for (int t = 0; t < MAX_TRIANGLES; ++t)
        model.triangles[t].groupAndBase = t % 3 ? 0 : 8u << 16, model.triangles[t].flags = uint32_t(t % 7);
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
    buildSharedSheet();
    for (auto _ : state)
        if (!exportPart(0, format, fileFor(format), "car00.tga")) std::abort();
    state.counters["bytes"] = double(std::filesystem::file_size(fileFor(format)));
}
BENCHMARK(exportLargestPart)->DenseRange(1, 3)->Unit(benchmark::kMillisecond);

void importLargestPart(benchmark::State& state) {
    const auto format = ExchangeFormat(state.range(0));
    buildSharedSheet();
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
