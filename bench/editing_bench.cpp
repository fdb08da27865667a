// Editing the largest models: the vertex rebuild of a 21845-triangle part,
// copying and deleting a part, one undo or redo step on each page that keeps
// snapshots, and a surface-flag change up to its snapshot.
//   build/release/bench/editing_bench --benchmark_repetitions=10
//   --benchmark_report_aggregates_only=true
#include "cli/sample_car.h"
#include "largest_part.h"
#include "editing/dummies.h"
#include "editing/mapping.h"
#include "editing/parts.h"
#include "editing/rebuild.h"
#include "editing/surfaces.h"
#include "model/car_model.h"
#include "model/fce_file.h"
#include "texture/texture.h"
#include "texture/tint.h"
#include "undo/undo_store.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

void rebuildLargestPart(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        buildSheet();
        state.ResumeTiming();
        rebuildPartVertices(0);
    }
    state.counters["vertices"] = model.header.partVertexCount[0];
}
BENCHMARK(rebuildLargestPart)->Unit(benchmark::kMillisecond);

std::string samplePath(int triangles) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("vornix-bench-" + std::to_string(triangles));
    std::filesystem::create_directories(dir);
    if (!std::filesystem::exists(dir / "car.fce") && !writeSampleCar(dir.string(), triangles))
        std::abort();
    return (dir / "car.fce").string();
}

void loadSample(int triangles) {
    if (!loadFceFile(samplePath(triangles), false)) std::abort();
}

// A wheel copied in front of itself on a model near the limit, and the copy
// deleted again.
void copyPartOfLargeModel(benchmark::State& state) {
    loadSample(MAX_TRIANGLES - 200);
    for (auto _ : state) {
        if (!copyPart(1)) state.SkipWithError("copy failed");
        state.PauseTiming();
        deletePart(1);
        state.ResumeTiming();
    }
    state.counters["triangles"] = model.header.numTriangles;
}
BENCHMARK(copyPartOfLargeModel)->Unit(benchmark::kMillisecond);

void deletePartOfLargeModel(benchmark::State& state) {
    loadSample(MAX_TRIANGLES - 200);
    for (auto _ : state) {
        state.PauseTiming();
        copyPart(1);
        state.ResumeTiming();
        if (!deletePart(1)) state.SkipWithError("delete failed");
    }
    state.counters["triangles"] = model.header.numTriangles;
}
BENCHMARK(deletePartOfLargeModel)->Unit(benchmark::kMillisecond);

// Alternating undo and redo steps between two snapshots of the page.
void undoStepOfLargestModel(benchmark::State& state) {
    loadSample(MAX_TRIANGLES);
    const auto folder = std::filesystem::temp_directory_path() / "vornix-bench-undo";
    std::filesystem::create_directories(folder);
    setUndoFolder(folder.string());
    beginUndoHistory(int(state.range(0)));
    takeSnapshot(true);
    model.triangles[0].flags ^= 1, model.header.dummyPos[0].x += 1,
        model.colorLayers[0][0].hue ^= 1;
    takeSnapshot(false);
    bool back = true;
    for (auto _ : state) {
        if (!(back ? undoStep() : redoStep())) state.SkipWithError("step failed");
        back = !back;
    }
    endUndoHistory();
}
BENCHMARK(undoStepOfLargestModel)->DenseRange(1, 5)->Unit(benchmark::kMillisecond);

// The Surfaces page's flag list clicked with the whole body selected: the
// flags set, the list's states worked out again, the snapshot stored.
void surfaceFlagChange(benchmark::State& state) {
    loadSample(MAX_TRIANGLES);
    const auto folder = std::filesystem::temp_directory_path() / "vornix-bench-undo";
    std::filesystem::create_directories(folder);
    setUndoFolder(folder.string());
    beginUndoHistory(2);
    takeSnapshot(true);
    for (int t = 0; t < model.header.partTriangleCount[0]; ++t)
        model.triangles[t].flags |= TRI_SELECTED;
    uint32_t chosen = 1;
    for (auto _ : state) {
        applySurfaceFlags(chosen ^= 1);
        benchmark::DoNotOptimize(surfaceState());
        if (!takeSnapshot(false)) state.SkipWithError("snapshot failed");
    }
    endUndoHistory();
}
BENCHMARK(surfaceFlagChange)->Unit(benchmark::kMillisecond);

// One step of each mapping tool on the 21845-triangle part, all selected.
void mappingDragStep(benchmark::State& state) {
    buildSheet();
    for (int t = 0; t < MAX_TRIANGLES; ++t) model.triangles[t].flags |= TRI_SELECTED;
    mapping.tool = int(state.range(0));
    float step = 1;
    for (auto _ : state) {
        step = -step; // back and forth, so that the coordinates stay where they were
        dragUvs(step, step, 0, 512);
    }
}
BENCHMARK(mappingDragStep)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The live tint of the sample's 512 x 512 texture after a colour pick.
void tintAfterPick(benchmark::State& state) {
    if (!loadFceFile(samplePath(SAMPLE_DEFAULT_TRIANGLES), false) || !findAndLoadTexture())
        std::abort();
    model.colorLayer = 0;
    int y = 0;
    for (auto _ : state) {
        pickHue(y = (y + 37) % 182);
        tintTexture(0);
    }
}
BENCHMARK(tintAfterPick)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
