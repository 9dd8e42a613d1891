// The clock's hot paths on the fake host: the 100 ms tick, a full repaint of every glyph,
// composing the whole window, and recolouring the six glyph maps.
#include "app/MainWindow.h"
#include "app/MainWindowParts.h"
#include "display/ClockFace.h"
#include "display/GlyphMaps.h"
#include "tests/support/FakeHost.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

namespace diglux {
namespace {

struct RunningClock {
    RunningClock() : window(std::make_unique<MainWindow>(host.Bundle())) {
        host.clock.now = {2024, 3, 1, 9, 5, 7};
        if (window->Load().outcome != StartupResult::Outcome::Running) {
            throw std::runtime_error("the clock did not start");
        }
    }
    // One tick as Timer1 runs it: the handler, then the changed areas pushed to the window.
    void Tick() {
        window->Inside().tick.Timer1_Timer();
        window->Inside().face.Present(host.window);
        host.window.refreshed.clear();
        host.log.clear();
    }
    test::FakeHost host;
    std::unique_ptr<MainWindow> window;
};

// Ten ticks make a second: one notices the new second, two redraw (the second digits,
// and the colons when they blink), seven find nothing to do. Reported per tick.
void BM_NormalTick(benchmark::State& state) {
    RunningClock clock;
    clock.window->Inside().settings.Blink = state.range(0) != 0;
    int tickInSecond = 0;
    for (auto _ : state) {
        if (tickInSecond == 0) {
            clock.host.clock.AdvanceSeconds(1);
        }
        clock.Tick();
        tickInSecond = (tickInSecond + 1) % 10;
    }
}
BENCHMARK(BM_NormalTick)->Arg(0)->Arg(1)->ArgNames({"blink"});

// The busiest regular tick: the redraw right after a new second.
void BM_RedrawTick(benchmark::State& state) {
    RunningClock clock;
    for (auto _ : state) {
        state.PauseTiming();
        clock.host.clock.AdvanceSeconds(1);
        clock.Tick(); // notices the second change, draws nothing
        state.ResumeTiming();
        clock.Tick();
    }
}
BENCHMARK(BM_RedrawTick);

// Every glyph of the face redrawn with the current tint, and the window recomposed.
void BM_FullRepaint(benchmark::State& state) {
    RunningClock clock;
    for (auto _ : state) {
        MainWindow::Parts& parts = clock.window->Inside();
        parts.time.Invalidate();
        parts.time.DrawTime(clock.host.clock.now);
        parts.face.Form().MarkDirty({0, 0, ClockFace::kWidth, ClockFace::kHeight});
        parts.face.Present(clock.host.window);
        clock.host.window.refreshed.clear();
    }
}
BENCHMARK(BM_FullRepaint);

// A colour change: the six glyph maps tinted anew from their masters.
void BM_RecolorSixMaps(benchmark::State& state) {
    test::FakeResources resources;
    LibPngDecoder decoder;
    GlyphMaps maps;
    std::string error;
    if (!maps.LoadMasters(resources, decoder, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    std::uint8_t step = 0;
    for (auto _ : state) {
        maps.Recolor({static_cast<std::uint8_t>(95 + step), 255, 47});
        ++step;
        benchmark::DoNotOptimize(maps.ColorAt(MapId::PicMap7B, 40, 60));
    }
}
BENCHMARK(BM_RecolorSixMaps)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace diglux

BENCHMARK_MAIN();
