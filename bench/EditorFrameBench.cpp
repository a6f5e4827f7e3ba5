// What the editor's frames cost, phase by phase: evaluating the views, laying them out,
// drawing (the render tree and its recording) and rasterising the recording into pixels.
#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>

#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/RasterCache.hpp"
#include "Dispatch/Clock.hpp"
#include "Dispatch/RunLoop.hpp"
#include "SwiftUI/SwiftUI.hpp"
#include "Vantrel_Zellow_Extension/Editor/MainView.hpp"
#include "Vantrel_Zellow_Extension/Engine/Settings.hpp"

namespace {

using Vantrel_Zellow_Extension::MainView;
using Vantrel_Zellow_Extension::Settings;

// This thread's processor time, as the graph times its phases: figures that other programs
// on a shared machine do not inflate.
double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

void drain() { Dispatch::RunLoop::main().runUntilIdle(); }

std::shared_ptr<Settings> editorSettings() {
    Dispatch::Clock::shared().useVirtualTime(1000.0);
    Settings::setDefaultUpdateFeedURL(std::nullopt);
    static auto settings = Settings::make();
    return settings;
}

SwiftUI::AnyView editorView(const std::shared_ptr<Settings>& settings) {
    return SwiftUI::AnyView(MainView([](int lower, int) { return lower; })).environment(settings);
}

// Per-phase sums over a run, reported per frame in milliseconds of processor time (the
// benchmark's CPU column is the whole frame's).
struct Phases {
    double evaluate = 0, layout = 0, draw = 0, raster = 0;

    void addUpdate(const SwiftUI::ViewGraph& g) {
        evaluate += g.lastPhaseTimes().evaluate;
        layout += g.lastPhaseTimes().layout;
        draw += g.lastPhaseTimes().renderTree;
    }
    // Draws the graph's render tree and rasterises it: all of it, or as a window does, only
    // what changed since the frame before.
    void drawAndRaster(SwiftUI::ViewGraph& g, CoreGraphics::RasterCache* frames = nullptr) {
        double start = cpuSeconds();
        CoreGraphics::CGContext context(g.size(), true, 1);
        g.renderTree().draw(context);
        draw += cpuSeconds() - start;
        start = cpuSeconds();
        if (frames) benchmark::DoNotOptimize(frames->render(context.displayList(), g.size(), 1, true));
        else benchmark::DoNotOptimize(context.makeImage());
        raster += cpuSeconds() - start;
    }
    void report(benchmark::State& state) const {
        auto perFrame = [&](double s) {
            return benchmark::Counter(s * 1e3 / double(state.iterations()));
        };
        state.counters["evaluate_ms"] = perFrame(evaluate);
        state.counters["layout_ms"] = perFrame(layout);
        state.counters["draw_ms"] = perFrame(draw);
        state.counters["raster_ms"] = perFrame(raster);
    }
};

SwiftUI::CGSize sizeOf(const benchmark::State& state) { return {double(state.range(0)), double(state.range(0)) * 3 / 4}; }

// A whole frame of a running editor: every view evaluated again from the root, the whole
// layout, the whole picture drawn and rasterised (a new root view, a new window size).
void BM_FullFrame(benchmark::State& state) {
    auto settings = editorSettings();
    SwiftUI::ViewGraph g(editorView(settings), sizeOf(state));
    g.update();
    drain();
    Phases phases;
    for (auto _ : state) {
        g.setRootView(editorView(settings));
        g.update();
        phases.addUpdate(g);
        phases.drawAndRaster(g);
        state.PauseTiming();
        drain();
        state.ResumeTiming();
    }
    phases.report(state);
}

// The first frame: a new graph, its nodes made, evaluated, laid out, drawn and rasterised.
void BM_FirstFrame(benchmark::State& state) {
    auto settings = editorSettings();
    const auto size = sizeOf(state);
    Phases phases;
    for (auto _ : state) {
        auto g = std::make_unique<SwiftUI::ViewGraph>(editorView(settings), size);
        g->update();
        phases.addUpdate(*g);
        phases.drawAndRaster(*g);
        state.PauseTiming();
        drain();  // what the frame queued (appear handlers) is not the next frame's cost
        g.reset();
        state.ResumeTiming();
    }
    phases.report(state);
}

// A dial held under the pointer: each frame follows one drag step of it. The second
// argument rasterises only what changed (1), as the window does, or all of it (0).
void BM_FrameAfterDialMoves(benchmark::State& state) {
    auto settings = editorSettings();
    const auto size = sizeOf(state);
    SwiftUI::ViewGraph g(editorView(settings), size);
    g.update();
    drain();
    const double k = size.width / MainView::width;
    const SwiftUI::CGPoint dial{65 * k, 120 * k};  // the delay dial
    g.mouseDown(dial);
    drain();
    Phases phases;
    CoreGraphics::RasterCache frames;
    const bool partial = state.range(1) != 0;
    phases.drawAndRaster(g, partial ? &frames : nullptr);  // the frame before the first
    phases = {};
    int step = 0;
    for (auto _ : state) {
        // Up and down by turns, so the value keeps changing without reaching an end.
        g.mouseDragged({dial.x, dial.y - (++step % 2 ? 20 : 0) * k});
        g.update();
        phases.addUpdate(g);
        phases.drawAndRaster(g, partial ? &frames : nullptr);
        state.PauseTiming();
        drain();
        state.ResumeTiming();
    }
    g.mouseUp(dial);
    drain();
    phases.report(state);
}

}  // namespace

BENCHMARK(BM_FullFrame)->Arg(640)->Arg(1280)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstFrame)->Arg(640)->Arg(1280)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameAfterDialMoves)->ArgsProduct({{640, 1280}, {0, 1}})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
