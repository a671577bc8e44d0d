// Drawing benchmarks. Each drives a TfrmMain on a ScriptedPlatform the way a user would: the
// demonstration hypotrochoid (kind 3, a = 13, b = 3, c = 11, θ 0 to 6π, zoom 3, black picture,
// background item 0) is put on the panel and drawn with 表示 or 反復. BM_B3_BareLoop is the floor
// B3 is measured against: the same points evaluated in long double and joined by a plain
// Bresenham into a pixel buffer, with nothing of the program around it.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "app/Main.h"
#include "plot/CurveEval.h"
#include "plot/FastMath.h"
#include "ui/ScriptedPlatform.h"

namespace {

struct Session {
    ScriptedPlatform platform;
    std::unique_ptr<TfrmMain> form;

    Session() {
        form = std::make_unique<TfrmMain>(platform, std::filesystem::temp_directory_path().string());
        TfrmMain& f = *form;
        f.curveTable.Count = 1;
        CurveEntry& demo = f.curveTable[0];
        demo.Id = 3;
        demo.ParamA = 13, demo.ParamB = 3, demo.ParamC = 11;
        demo.ThetaStart = 0, demo.ThetaEnd = 6;
        demo.Zoom = 3;
        demo.Background = 0;
        demo.BackColorValue = static_cast<std::int32_t>(clBlack);
        demo.LineColor = static_cast<std::int32_t>(RGB(255, 255, 0));
        f.CurrentCurve = 0;
        f.colors.CurrentBackColor = clBlack;
        f.colors.SetAxisColorFromBack();
        f.colors.CurrentLineColor = RGB(255, 255, 0);
        Type(f.updA, 13);
        Type(f.updB, 3);
        Type(f.updC, 11);
        Type(f.updStart, 0);
        Type(f.updSend, 6);
        Type(f.updKakudai, 3);
        f.cmbStep.UserSelect(0);
        f.cmbHaikei.UserSelect(0);
    }
    // The user types a value and leaves the field.
    static void Type(TUpDown& spin, int value) {
        spin.UserTypeText(std::to_string(value));
        spin.UserLeave();
    }
};

void BM_B1_DemoPlot(benchmark::State& state) {
    Session session;
    for (auto _ : state) {
        session.form->btnDraw.Click();
        benchmark::DoNotOptimize(session.form->view.canvas().Pixel(300, 300));
    }
    state.counters["points"] = benchmark::Counter(2161, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_B1_DemoPlot)->Unit(benchmark::kMillisecond);

// B1 as the first plot of its θ walk: the sines and cosines kept from the plot before are
// dropped, so every point computes its angles.
void BM_B1_DemoPlotFirst(benchmark::State& state) {
    Session session;
    for (auto _ : state) {
        session.form->sinCosMemo = SinCosMemo{};
        session.form->btnDraw.Click();
        benchmark::DoNotOptimize(session.form->view.canvas().Pixel(300, 300));
    }
    state.counters["points"] = benchmark::Counter(2161, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_B1_DemoPlotFirst)->Unit(benchmark::kMillisecond);

void BM_B2_DemoRepeat(benchmark::State& state) {
    Session session;
    TfrmMain& f = *session.form;
    f.radC.UserClick();
    Session::Type(f.updRpStart, 1);
    Session::Type(f.updRpEnd, 11);
    for (auto _ : state) {
        f.btnHanpuku.Click();
        benchmark::DoNotOptimize(f.view.canvas().Pixel(300, 300));
    }
}
BENCHMARK(BM_B2_DemoRepeat)->Unit(benchmark::kMillisecond);

// 反復 of `target` from 1 to 100 with θ from −100π to 100π: 7.2 million points.
void WorstRepeatOver(benchmark::State& state, TRadioButton TfrmMain::*target) {
    Session session;
    TfrmMain& f = *session.form;
    Session::Type(f.updStart, -100);
    Session::Type(f.updSend, 100);
    (f.*target).UserClick();
    Session::Type(f.updRpStart, 1);
    Session::Type(f.updRpEnd, 100);
    for (auto _ : state) {
        f.btnHanpuku.Click();
        benchmark::DoNotOptimize(f.view.canvas().Pixel(300, 300));
    }
    state.counters["points"] = benchmark::Counter(100.0 * 72001, benchmark::Counter::kIsIterationInvariantRate);
    // What the picture keeps of its drawing for the other targets.
    state.counters["kept_MB"] = f.view.drawing.PointBytes() / 1e6;
}

void BM_B3_WorstRepeat(benchmark::State& state) { WorstRepeatOver(state, &TfrmMain::radC); }
BENCHMARK(BM_B3_WorstRepeat)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// B3 repeated over a instead of c: the rolling angle (a − b)·θ/b changes from curve to curve, so
// only the sine and cosine of θ itself come from the plot before.
void BM_B3_WorstRepeatOverA(benchmark::State& state) { WorstRepeatOver(state, &TfrmMain::radA); }
BENCHMARK(BM_B3_WorstRepeatOverA)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_B4_Backgrounds(benchmark::State& state) {
    Session session;
    TfrmMain& f = *session.form;
    Session::Type(f.updKakudai, 4);
    for (auto _ : state) {
        for (int item = 0; item < static_cast<int>(BackgroundItems.size()); ++item) {
            f.cmbHaikei.UserSelect(item);
            f.DrawBackground(0);
        }
        benchmark::DoNotOptimize(f.view.canvas().Pixel(300, 300));
    }
}
BENCHMARK(BM_B4_Backgrounds)->Unit(benchmark::kMillisecond);

// A 513 × 640 pixel buffer and a Bresenham line that checks every pixel against its edges.
struct PixelBuffer {
    static constexpr int Width = PlotView::PictureWidth;
    static constexpr int Height = PlotView::PictureHeight;
    std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(Width * Height, 0);

    void Line(int x0, int y0, int x1, int y1, std::uint32_t color) {
        const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
        const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
        int error = dx + dy;
        while (x0 != x1 || y0 != y1) {
            if (x0 >= 0 && x0 < Width && y0 >= 0 && y0 < Height) pixels[y0 * Width + x0] = color;
            const int e2 = 2 * error;
            if (e2 >= dy) error += dy, x0 += sx;
            if (e2 <= dx) error += dx, y0 += sy;
        }
    }
};

void BM_B3_BareLoop(benchmark::State& state) {
    PixelBuffer buffer;
    const double step = static_cast<double>(PiL / 360);
    const int scale = 8, originX = 256, originY = 256;
    const int a = 13, b = 3;
    for (auto _ : state) {
        std::fill(buffer.pixels.begin(), buffer.pixels.end(), 0);
        for (int c = 1; c <= 100; ++c) {
            double theta = static_cast<double>(-100 * PiL);
            int lastX = 0, lastY = 0;
            for (int i = 0; i <= 72000; ++i) {
                if (i > 0) theta += step;
                const long double t = theta, difference = a - b;
                long double s1, c1, s2, c2;
                SinCosL(t, s1, c1);
                SinCosL(difference * t / b, s2, c2);
                const double x = static_cast<double>(difference * c1 + c * c2);
                const double y = static_cast<double>(difference * s1 - c * s2);
                const int column = static_cast<int>(std::nearbyint(scale * x)) + originX - 1;
                const int row = originY - static_cast<int>(std::nearbyint(scale * y)) + 1;
                if (i > 0) buffer.Line(lastX, lastY, column, row, 0xFFFF);
                lastX = column, lastY = row;
            }
        }
        benchmark::DoNotOptimize(buffer.pixels.data());
        benchmark::ClobberMemory();
    }
    state.counters["points"] = benchmark::Counter(100.0 * 72001, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_B3_BareLoop)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
