// The walk of the parametric typed kinds: short pieces where the curve bends, no line across a
// pole or a jump, the pen lifted where the curve has no point, and the curve drawn up to where it
// ends.
#include <gtest/gtest.h>

#include <cmath>

#include "plot/TypedCurveTestSupport.h"
#include "support/LineRecorder.h"

namespace {

// Walks t from `from` to `to` at zoom `zoom`, as the plot does, in steps of π/180.
LineRecorder Walk(std::function<CurveSample(double)> curve, double from, double to, int zoom, const PlotView& view) {
    LambdaCurve source;
    source.at = std::move(curve);
    ParameterWalk walk(source, view, GraphSquareArea(), M_PI / 180);
    LineRecorder lines;
    walk.Start(from, lines);
    walk.WalkTo(to, lines, clBlack);
    return lines;
}

double Length(const LineRecorder::Line& line) { return std::hypot(line.to.x - line.from.x, line.to.y - line.from.y); }

}  // namespace

TEST(ParameterWalk, JoinsNoTwoBranchesAcrossAPoleAndKeepsEveryPieceShort) {
    struct Case {
        const char* name;
        std::function<CurveSample(double)> curve;
        std::function<double(double)> y;
        double from, to;
        int branches;
    };
    const Case cases[] = {
        {"tan t", [](double t) { return CurveSample{t, std::tan(t), true}; }, [](double x) { return std::tan(x); }, -M_PI, M_PI, 3},
        {"1/(1-t^2)", [](double t) { return CurveSample{t, 1 / (1 - t * t), true}; }, [](double x) { return 1 / (1 - x * x); }, -2, 2, 3},
        // A jump without a pole: the sign of t, with no point at t = 0 exactly.
        {"t/|t|", [](double t) { return CurveSample{t, t / std::fabs(t), t != 0}; }, [](double x) { return x / std::fabs(x); }, -3, 3, 2},
    };
    const PlotView view = ViewAtZoom(5);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const LineRecorder lines = Walk(c.curve, c.from, c.to, 5, view);
        ASSERT_FALSE(lines.lines.empty());
        for (const auto& line : lines.lines) {
            ASSERT_LE(Length(line), ParameterWalk::MaxPieceLength + 1e-9);
            for (const PicturePoint& p : {line.from, line.to}) {
                const WorldXY w = WorldOf(view, p);
                if (std::isfinite(c.y(w.x))) ASSERT_NEAR(std::atan(w.y), std::atan(c.y(w.x)), 1e-6) << w.x;
            }
        }
        EXPECT_EQ(lines.Strokes(), c.branches);
    }
}

TEST(ParameterWalk, LiftsThePenWhereTheCurveHasNoPointAndDrawsUpToItsEnds) {
    // The upper half of the unit circle at zoom 6, x = t, y = √(1 − t²): no point for |t| > 1,
    // and a value that overflows for t > 1.5.
    const PlotView view = ViewAtZoom(6);
    const LineRecorder lines = Walk([](double t) {
        if (t > 1.5) return CurveSample{t, std::exp(1000 * t), true};
        return CurveSample{t, std::sqrt(1 - t * t), std::fabs(t) <= 1};
    }, -2, 2, 6, view);
    ASSERT_FALSE(lines.lines.empty());
    EXPECT_EQ(lines.Strokes(), 1);
    const WorldXY first = WorldOf(view, lines.lines.front().from), last = WorldOf(view, lines.lines.back().to);
    EXPECT_NEAR(first.x, -1, 1e-6);
    EXPECT_NEAR(last.x, 1, 1e-6);
}

TEST(ParameterWalk, TakesPointsEveryTwoPixelsRoundACircleAndNoneBesideThePicture) {
    // Radius 15 at zoom 4 (240 pixels): about 1508 pixels round, so at least 754 pieces; the
    // circle of radius 40 lies wholly beside the picture and draws nothing.
    const PlotView view = ViewAtZoom(4);
    const LineRecorder inside = Walk([](double t) { return CurveSample{15 * std::cos(t), 15 * std::sin(t), true}; }, 0, 2 * M_PI, 4, view);
    EXPECT_GE(inside.lines.size(), 754u);
    EXPECT_EQ(inside.Strokes(), 1);
    for (const auto& line : inside.lines) EXPECT_LE(Length(line), ParameterWalk::MaxPieceLength + 1e-9);
    const LineRecorder beside = Walk([](double t) { return CurveSample{40 + std::cos(t), std::sin(t), true}; }, 0, 2 * M_PI, 4, view);
    EXPECT_TRUE(beside.lines.empty());
}
