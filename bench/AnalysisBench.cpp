// What the curve on the panel is: the analysis the window 曲線の性質 and 補助線 run at every change
// of the panel, for a fixed kind, a typed parametric curve and an equation traced over the square.
#include <benchmark/benchmark.h>

#include <string>

#include "analysis/CurveProperties.h"
#include "curves/Codec.h"

namespace {

void Analyse(benchmark::State& state, int kind, const std::string& formula) {
    CurveEntry entry;
    entry.Id = kind;
    const std::size_t split = formula.find(';');
    if (kind == 26) {
        entry.XFormula = Utf8ToCp932(formula.substr(0, split));
        entry.YFormula = Utf8ToCp932(formula.substr(split + 1));
    } else if (kind == 28) {
        entry.XFormula = Utf8ToCp932(formula);
    }
    const PanelCurve curve{&entry, 3, 2, 1, 0, 2, 4};
    for (auto _ : state) benchmark::DoNotOptimize(AnalyseCurve(curve));
}

void BM_AnalyseFixedEllipse(benchmark::State& state) { Analyse(state, 23, ""); }
void BM_AnalyseTypedEllipse(benchmark::State& state) { Analyse(state, 26, "x=2+3cos t;y=-1+2sin t"); }
void BM_AnalyseEquationHyperbola(benchmark::State& state) { Analyse(state, 28, "(x-2)^2/4-(y+1)^2/9=1"); }
void BM_AnalyseEquationSmallEllipse(benchmark::State& state) { Analyse(state, 28, "x^2+xy+y^2=3"); }
BENCHMARK(BM_AnalyseFixedEllipse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalyseTypedEllipse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalyseEquationHyperbola)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalyseEquationSmallEllipse)->Unit(benchmark::kMillisecond);

}  // namespace
