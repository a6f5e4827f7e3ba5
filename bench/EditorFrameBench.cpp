// What the editor's frames cost, phase by phase: evaluating the views, laying them out,
// drawing (the render tree and its recording) and rasterising the recording into pixels.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "CoreGraphics/CGContext.hpp"
#include "Dispatch/Clock.hpp"
#include "Dispatch/RunLoop.hpp"
#include "SwiftUI/SwiftUI.hpp"
#include "Vantrel_Zellow_Extension/Editor/MainView.hpp"
#include "Vantrel_Zellow_Extension/Engine/Settings.hpp"

namespace {

using Clock = std::chrono::steady_clock;
using Vantrel_Zellow_Extension::MainView;
using Vantrel_Zellow_Extension::Settings;

double seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

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

// Per-phase sums over a run, reported per frame in milliseconds.
struct Phases {
    double evaluate = 0, layout = 0, draw = 0, raster = 0;

    void addUpdate(const SwiftUI::ViewGraph& g) {
        evaluate += g.lastPhaseTimes().evaluate;
        layout += g.lastPhaseTimes().layout;
        draw += g.lastPhaseTimes().renderTree;
    }
    // Draws the graph's render tree and rasterises it, as a window shows a frame.
    void drawAndRaster(SwiftUI::ViewGraph& g) {
        auto start = Clock::now();
        CoreGraphics::CGContext context(g.size(), true, 1);
        g.renderTree().draw(context);
        draw += seconds(start);
        start = Clock::now();
        benchmark::DoNotOptimize(context.makeImage());
        raster += seconds(start);
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

// Everything from nothing: a new graph evaluated, laid out, drawn and rasterised.
void BM_FullFrame(benchmark::State& state) {
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

// A dial held under the pointer: each frame follows one drag step of it.
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
    int step = 0;
    for (auto _ : state) {
        // Up and down by turns, so the value keeps changing without reaching an end.
        g.mouseDragged({dial.x, dial.y - (++step % 2 ? 20 : 0) * k});
        g.update();
        phases.addUpdate(g);
        phases.drawAndRaster(g);
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
BENCHMARK(BM_FrameAfterDialMoves)->Arg(640)->Arg(1280)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
