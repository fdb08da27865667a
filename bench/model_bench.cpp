// Reading and writing the 21845-triangle sample car.
//   build/release/bench/model_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include "cli/sample_car.h"
#include "model/car_model.h"
#include "model/fce_file.h"
#include "model/file_io.h"
#include "model/fce_types.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

std::string largeSamplePath() {
    static std::string path;
    if (path.empty()) {
        auto dir = std::filesystem::temp_directory_path() / "vornix-bench";
        std::filesystem::create_directories(dir);
        if (!writeSampleCar(dir.string(), MAX_TRIANGLES)) std::abort();
        path = (dir / "car.fce").string();
    }
    return path;
}

void readLargeCar(benchmark::State& state) {
    const std::string path = largeSamplePath();
    for (auto _ : state) {
        if (!loadFceFile(path, false)) state.SkipWithError("read failed");
    }
    state.counters["triangles"] = model.header.numTriangles;
}
BENCHMARK(readLargeCar)->Unit(benchmark::kMillisecond);

void writeLargeCar(benchmark::State& state) {
    const std::string path = largeSamplePath();
    if (!loadFceFile(path, false)) std::abort();
    const std::string out = path + ".out";
    for (auto _ : state) {
        if (!beginSafeSave(out) || !finishSafeSave(writeFceFile()))
            state.SkipWithError("write failed");
    }
    state.counters["triangles"] = model.header.numTriangles;
}
BENCHMARK(writeLargeCar)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
