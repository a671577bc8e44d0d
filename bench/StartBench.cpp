// The start sequence as the program runs it when its window is first shown: FormShow over the
// shipped data folder opens the catalog, draws the built-in hypotrochoid as the repeat display
// of c from 1 to 11, and chooses it once more for the monochrome switch. A fresh main window is
// made outside the timing for every run, as every start has one.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/Main.h"
#include "ui/ScriptedPlatform.h"

namespace {

void BM_B5_StartSequence(benchmark::State& state) {
    const std::string data = std::string(QUORBEL_SOURCE_DIR) + "/data/";
    for (auto _ : state) {
        state.PauseTiming();
        auto platform = std::make_unique<ScriptedPlatform>();
        auto form = std::make_unique<TfrmMain>(*platform, data);
        state.ResumeTiming();

        form->FormShow();

        state.PauseTiming();
        if (!platform->messages.empty() || form->lstShiki.Count() < 2) state.SkipWithError("the start sequence did not open the catalog");
        benchmark::DoNotOptimize(form->view.canvas().Pixel(256, 256));
        form.reset();
        platform.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_B5_StartSequence)->Unit(benchmark::kMillisecond);

}  // namespace
