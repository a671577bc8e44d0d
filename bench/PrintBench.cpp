// Printing the start picture on A4 through the print dialog's command: the preview page fitted to
// the printable area and drawn again at the printer's resolution, piece by piece. The scripted
// printer keeps no pixels, so the figures are those of drawing the page.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "app/Main.h"
#include "ui/ScriptedPlatform.h"

namespace {

// The printable area of A4 with 0.17-inch margins, at state.range(0) dots per inch.
void BM_PrintStartPictureA4(benchmark::State& state) {
    const std::filesystem::path saved = std::filesystem::current_path();
    ScriptedPlatform platform;
    TfrmMain form(platform, std::string(QUORBEL_SOURCE_DIR) + "/data/");
    form.FormShow();
    std::filesystem::current_path(saved);
    const double dotsPerInch = static_cast<double>(state.range(0));
    platform.printerPage = {static_cast<int>((8.27 - 0.34) * dotsPerInch), static_cast<int>((11.69 - 0.34) * dotsPerInch)};
    platform.keepPrintedPixels = false;
    platform.ShowModal(form.frmPrint);  // shows the preview; closed at once
    std::size_t pieces = 0;
    for (auto _ : state) {
        platform.printAnswers.push_back(1);
        platform.printed.clear();
        form.frmPrint.btnPrint.Click();
        pieces = platform.printed.at(0).size();
    }
    state.counters["pieces"] = static_cast<double>(pieces);
}
BENCHMARK(BM_PrintStartPictureA4)->Arg(300)->Arg(600)->Arg(1200)->Unit(benchmark::kMillisecond);

}  // namespace
