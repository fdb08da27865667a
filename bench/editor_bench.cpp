// The editor on the offscreen Qt platform: one idle frame of continuous
// motion (stepMotion, prepareFrame, drawFrame, presenting into the window)
// at the default window size with the sample car, and start-up until the
// first frame is presented.
//   QT_QPA_PLATFORM=offscreen build/release/bench/editor_bench --benchmark_repetitions=10
#include "app/app_state.h"
#include "app/main_window.h"
#include "model/car_model.h"
#include "platform/qt/qt_window_system.h"
#include "render/render.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

StartOptions sampleOptions() {
    StartOptions options;
    options.appDir = VORNIX_SOURCE_DIR "/data";
    options.configPath = (std::filesystem::temp_directory_path() / "vornix-bench.cfg").string();
    std::filesystem::remove(options.configPath);
    options.openFile = VORNIX_SOURCE_DIR "/data/sample/car.fce";
    return options;
}

void idleFrame(benchmark::State& state) {
    auto ws = std::make_unique<QtWindowSystem>();
    if (!startEditor(*ws, sampleOptions())) std::abort();
    QApplication::processEvents();
    motion.motionFlags = MOTION_YAW;
    motion.yawStep = 4;
    for (auto _ : state) {
        stepMotion();
        prepareFrame();
        drawFrame();
        presentView();
        QApplication::processEvents(); // the window repaints from the frame
    }
    state.counters["view_width"] = frame.viewWidth;
    state.counters["view_height"] = frame.viewHeight;
    motion = MotionState{};
    shutDownEditor();
}
BENCHMARK(idleFrame)->Unit(benchmark::kMillisecond);

void startUpToFirstFrame(benchmark::State& state) {
    for (auto _ : state) {
        auto ws = std::make_unique<QtWindowSystem>();
        if (!startEditor(*ws, sampleOptions())) std::abort();
        presentView();
        QApplication::processEvents();
        state.PauseTiming();
        shutDownEditor();
        ws.reset();
        model = CarModel{};
        app = AppState{};
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(startUpToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
