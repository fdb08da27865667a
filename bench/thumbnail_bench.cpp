// vornix-cli thumbnail in one process: reading the sample car and its
// texture, drawing the start view, fitting it into the square and writing the
// PNG. Argument: the thumbnail's side in pixels.
//   build/release/bench/thumbnail_bench --benchmark_repetitions=10
#include "cli/render_command.h"
#include "model/car_model.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

void thumbnail(benchmark::State& state) {
    const auto out = std::filesystem::temp_directory_path() / "vornix-bench-thumbnail.png";
    for (auto _ : state)
        if (!thumbnailToPng(VORNIX_SOURCE_DIR "/data/sample/car.fce", out.string(),
                            int(state.range(0))))
            state.SkipWithError("no thumbnail");
    std::filesystem::remove(out);
    state.counters["textured"] = model.textureLoaded;
}
BENCHMARK(thumbnail)->Arg(32)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
