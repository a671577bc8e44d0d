// Benchmarks of the typed-formula kinds, driven through the main window as a user would, on the
// demonstration settings of PlotBench.cpp (zoom 3, black picture, background item 0): the
// hypotrochoid typed as its formula (the kind table's) drawn with 表示 over θ 0 to 6π, to set
// beside BM_B1_DemoPlotFirst; its worst repeat (c from 1 to 100 over θ −100π to 100π); and
// equations traced at zoom 4.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "app/Main.h"
#include "plot/CurveKinds.h"
#include "ui/ScriptedPlatform.h"

namespace {

struct TypedSession {
    ScriptedPlatform platform;
    std::unique_ptr<TfrmMain> form = std::make_unique<TfrmMain>(platform, std::filesystem::temp_directory_path().string());

    // The panel as the demonstration leaves it, then the formula put there as the dialog does.
    TypedSession(int kind, const std::string& line3, const std::string& line4, const std::string& line5, int zoom) {
        TfrmMain& f = *form;
        f.colors.CurrentBackColor = clBlack;
        f.colors.SetAxisColorFromBack();
        f.colors.CurrentLineColor = RGB(255, 255, 0);
        Type(f.updA, 13);
        Type(f.updB, 3);
        Type(f.updC, 11);
        Type(f.updStart, 0);
        Type(f.updSend, 6);
        Type(f.updKakudai, zoom);
        f.cmbStep.UserSelect(0);
        f.cmbHaikei.UserSelect(0);
        if (!f.ShowFormulaCurve(f.FormulaCurveRecord(kind, "", line3, line4, line5))) std::abort();
    }
    static void Type(TUpDown& spin, int value) {
        spin.UserTypeText(std::to_string(value));
        spin.UserLeave();
    }
};

TypedSession Hypotrochoid() {
    const CurveKind& kind = *FindCurveKind(3);
    return TypedSession(kind.TypedKind, "", kind.TypedLines[1], kind.TypedLines[2], 3);
}

void BM_B8_TypedHypotrochoid(benchmark::State& state) {
    TypedSession session = Hypotrochoid();
    for (auto _ : state) {
        session.form->btnDraw.Click();
        benchmark::DoNotOptimize(session.form->view.canvas().Pixel(300, 300));
    }
}
BENCHMARK(BM_B8_TypedHypotrochoid)->Unit(benchmark::kMillisecond);

void BM_B8_TypedWorstRepeat(benchmark::State& state) {
    TypedSession session = Hypotrochoid();
    TfrmMain& f = *session.form;
    TypedSession::Type(f.updStart, -100);
    TypedSession::Type(f.updSend, 100);
    f.radC.UserClick();
    TypedSession::Type(f.updRpStart, 1);
    TypedSession::Type(f.updRpEnd, 100);
    for (auto _ : state) {
        f.btnHanpuku.Click();
        benchmark::DoNotOptimize(f.view.canvas().Pixel(300, 300));
    }
}
BENCHMARK(BM_B8_TypedWorstRepeat)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void EquationAtZoom4(benchmark::State& state, const char* equation) {
    TypedSession session(EquationFormulaKind, "", equation, "", 4);
    for (auto _ : state) {
        session.form->btnDraw.Click();
        benchmark::DoNotOptimize(session.form->view.canvas().Pixel(300, 300));
    }
}
BENCHMARK_CAPTURE(EquationAtZoom4, BM_B8_TranslatedHyperbola, "(x-2)^2/4-(y+1)^2/9=1")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EquationAtZoom4, BM_B8_RotatedEllipse, "x^2+xy+y^2=3")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EquationAtZoom4, BM_B8_Tangent, "y=tan x")->Unit(benchmark::kMillisecond);

}  // namespace
