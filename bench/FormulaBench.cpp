// The formula language: reading a formula of 200 characters, evaluating the hypotrochoid typed as
// a formula point by point, and the evaluations of the worst repeat display of a typed formula
// (c from 1 to 100, θ from −100π to 100π in steps of π/360: 7.2 million points, x and y each).
#include <benchmark/benchmark.h>

#include <numbers>
#include <string>

#include "formula/Expression.h"
#include "formula/FormulaCaption.h"
#include "picture/Canvas.h"

namespace {

// 200 characters of what a pupil types: functions without brackets, exponents, fractions.
std::string Formula200() {
    std::string text = "(a-b)cosθ+c cos((a-b)/b θ) + sin²θ/2 - 3cos2θ + e^-θ·√(1+θ²) - |θ-1| + log(2+θ²) + a θ^3/6";
    while (text.size() < 200) text += " + θ/3";
    return text.substr(0, 200);
}

void BM_ReadFormula200(benchmark::State& state) {
    const std::string text = Formula200();
    for (auto _ : state) {
        auto result = ReadExpression(text, fsA | fsB | fsC | fsTheta);
        benchmark::DoNotOptimize(result);
    }
    state.SetLabel(std::to_string(text.size()) + " bytes");
}
BENCHMARK(BM_ReadFormula200)->Unit(benchmark::kMicrosecond);

CurveFormula Hypotrochoid() {
    auto result = ReadCurveFormula(26, "", "x=(a-b)cosθ+c cos((a-b)/b θ)", "y=(a-b)sinθ-c sin((a-b)/b θ)");
    return std::get<CurveFormula>(result);
}

// The x and y of one point; a, b and c are folded into the program as a plot does once per curve.
void BM_EvaluateHypotrochoidPoint(benchmark::State& state) {
    const CurveFormula formula = Hypotrochoid();
    const Expression x = formula.x.WithParameters(13, 3, 11), y = formula.y.WithParameters(13, 3, 11);
    FormulaValues values;
    double theta = 0, sum = 0;
    for (auto _ : state) {
        values.theta = theta;
        sum += x.Evaluate(values) + y.Evaluate(values);
        theta += std::numbers::pi / 360;
    }
    benchmark::DoNotOptimize(sum);
}
BENCHMARK(BM_EvaluateHypotrochoidPoint);

// The same without folding the parameters: every evaluation computes (a − b)/b again.
void BM_EvaluateHypotrochoidPointUnfolded(benchmark::State& state) {
    const CurveFormula formula = Hypotrochoid();
    FormulaValues values{.a = 13, .b = 3, .c = 11};
    double theta = 0, sum = 0;
    for (auto _ : state) {
        values.theta = theta;
        sum += formula.x.Evaluate(values) + formula.y.Evaluate(values);
        theta += std::numbers::pi / 360;
    }
    benchmark::DoNotOptimize(sum);
}
BENCHMARK(BM_EvaluateHypotrochoidPointUnfolded);

void BM_TypedWorstRepeatEvaluations(benchmark::State& state) {
    const CurveFormula formula = Hypotrochoid();
    constexpr int Steps = 72000;  // −100π to 100π in steps of π/360
    for (auto _ : state) {
        double sum = 0;
        for (int c = 1; c <= 100; ++c) {
            const Expression x = formula.x.WithParameters(13, 3, c), y = formula.y.WithParameters(13, 3, c);
            FormulaValues values;
            for (int i = 0; i <= Steps; ++i) {
                values.theta = -100 * std::numbers::pi + i * (std::numbers::pi / 360);
                sum += x.Evaluate(values) + y.Evaluate(values);
            }
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_TypedWorstRepeatEvaluations)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

namespace {

// The caption of a typed formula, drawn once for every curve of a repeat display.
void BM_TypedCaption(benchmark::State& state) {
    FormulaCaption caption;
    caption.name = "平行移動した双曲線";
    caption.kind = 28;
    caption.line4 = "(x-2)^2/4-(y+1)^2/a^2=1 (-3<=y<=π)";
    caption.a = 3;
    Canvas strip(CaptionStripWidth, CaptionStripHeight);
    for (auto _ : state) DrawFormulaCaption(strip, caption, 0);
}
BENCHMARK(BM_TypedCaption)->Unit(benchmark::kMicrosecond);

}  // namespace
