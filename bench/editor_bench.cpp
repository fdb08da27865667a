// The editor on the offscreen Qt platform: one idle frame of continuous
// motion (stepMotion, prepareFrame, drawFrame, presenting into the window)
// at the default window size with the sample car, and start-up until the
// first frame is presented, and one step of each kind of mouse drag in the
// view, from the Qt mouse event to the repainted window.
//   QT_QPA_PLATFORM=offscreen build/release/bench/editor_bench --benchmark_repetitions=10
#include "app/app_state.h"
#include "app/main_window.h"
#include "app/panel_commands.h"
#include "model/car_model.h"
#include "platform/qt/qt_window_system.h"
#include "render/render.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

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

void sendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, target->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// One mouse move of a left-button drag in the view on page 0 (orbit), 1
// (part drag), 3 (dummy drag) or 5 (mapping edit of the whole body). The
// window handles a move completely, drawing and repainting, before it
// takes the next one: nothing queues up as long as a step is shorter than
// the time between two mouse moves.
void dragStep(benchmark::State& state) {
    const int page = int(state.range(0));
    auto ws = std::make_unique<QtWindowSystem>();
    if (!startEditor(*ws, sampleOptions())) std::abort();
    QWidget* client = ws->clientWidget();
    QApplication::processEvents();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_F5 + page, Qt::NoModifier);
    QApplication::sendEvent(client->window(), &key);
    QApplication::processEvents();
    if (render.page != page) std::abort();
    if (page == 5) {
        for (int t = 0; t < model.header.partTriangleCount[0]; ++t)
            model.triangles[t].flags |= TRI_SELECTED;
        if (!handlePanelCommand(1228, 0, 0)) std::abort();
    }
    QApplication::processEvents();
    const QPoint centre(192 + frame.viewWidth / 2, 48 + frame.viewHeight / 2);
    sendMouse(client, QEvent::MouseButtonPress, centre, Qt::LeftButton);
    int step = 0;
    for (auto _ : state)
        sendMouse(client, QEvent::MouseMove, centre + QPoint(++step % 2 ? 3 : -3, 2),
                  Qt::LeftButton);
    sendMouse(client, QEvent::MouseButtonRelease, centre, Qt::NoButton);
    if (page == 5) handlePanelCommand(1227, 0, 0); // Cancel
    model.modelModified = false;
    shutDownEditor();
    ws.reset();
    model = CarModel{}, app = AppState{}, render = RenderState{};
}
BENCHMARK(dragStep)->Arg(0)->Arg(1)->Arg(3)->Arg(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
