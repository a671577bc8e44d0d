// The trace of an equation F(x, y) = 0: every point drawn lies on the curve (so no piece joins
// the two sides of a pole or of θ's jump), a closed curve is drawn whole, a double line is found
// although F never changes sign, and a strip restricts the curve exactly.
#include <gtest/gtest.h>

#include <cmath>

#include "plot/TypedCurveTestSupport.h"
#include "support/LineRecorder.h"

namespace {

LineRecorder Trace(std::function<double(double, double)> f, int zoom, const PlotView& view,
                   std::optional<TraceStrip> strip = std::nullopt) {
    LambdaEquation source;
    source.at = std::move(f);
    EquationTrace trace;
    LineRecorder lines;
    trace.Trace(source, view, TraceRegion{}, strip, lines, clBlack);
    return lines;
}

// The largest distance of a drawn point from the curve, as `distance` measures it.
double Farthest(const LineRecorder& lines, const PlotView& view, const std::function<double(WorldXY)>& distance) {
    double farthest = 0;
    for (const auto& line : lines.lines) {
        for (const PicturePoint& p : {line.from, line.to}) farthest = std::max(farthest, distance(WorldOf(view, p)));
    }
    return farthest;
}

}  // namespace

TEST(EquationTrace, DrawsACircleWholeOnTheCurveInPiecesShorterThanAPixelAndAHalf) {
    const PlotView view = ViewAtZoom(4);
    const LineRecorder lines = Trace([](double x, double y) { return x * x + y * y - 25; }, 4, view);
    EXPECT_LT(Farthest(lines, view, [](WorldXY p) { return std::fabs(std::hypot(p.x, p.y) - 5); }), 1e-4);
    EXPECT_EQ(lines.Strokes(), 1);
    // Every degree of the circle is reached.
    std::vector<bool> reached(360);
    for (const auto& line : lines.lines) {
        EXPECT_LE(std::hypot(line.to.x - line.from.x, line.to.y - line.from.y), 1.5);
        const WorldXY p = WorldOf(view, line.from);
        reached[static_cast<int>(std::floor((std::atan2(p.y, p.x) + M_PI) * 180 / M_PI)) % 360] = true;
    }
    EXPECT_EQ(std::count(reached.begin(), reached.end(), true), 360);
}

TEST(EquationTrace, DrawsNoPieceAcrossAPoleOrAcrossThetasJump) {
    struct Case {
        const char* name;
        std::function<double(double, double)> f;
        std::function<double(WorldXY)> distance;
    };
    const Case cases[] = {
        {"y = 1/x", [](double x, double y) { return y - 1 / x; }, [](WorldXY p) { return std::fabs(std::atan(p.y) - std::atan(1 / p.x)); }},
        {"y = tan x", [](double x, double y) { return y - std::tan(x); },
         [](WorldXY p) { return std::fabs(std::remainder(std::atan(p.y) - p.x, M_PI)); }},
        // The ray θ = 3 close to the negative x axis, where θ jumps from π to −π.
        {"θ = 3", [](double x, double y) { return std::atan2(y, x) - 3; }, [](WorldXY p) { return std::fabs(std::atan2(p.y, p.x) - 3); }},
    };
    const PlotView view = ViewAtZoom(5);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const LineRecorder lines = Trace(c.f, 5, view);
        EXPECT_GT(lines.lines.size(), 100u);
        EXPECT_LT(Farthest(lines, view, c.distance), 1e-3);
    }
}

TEST(EquationTrace, FindsADoubleLineAndKeepsToAStrip) {
    const PlotView view = ViewAtZoom(4);
    const LineRecorder twice = Trace([](double x, double y) { return (x - y) * (x - y); }, 4, view);
    EXPECT_LT(Farthest(twice, view, [](WorldXY p) { return std::fabs(p.x - p.y); }), 1e-4);
    double low = 0, high = 0;
    for (const auto& line : twice.lines) {
        low = std::min(low, WorldOf(view, line.from).x);
        high = std::max(high, WorldOf(view, line.to).x);
    }
    EXPECT_LT(low, -15.5);
    EXPECT_GT(high, 15.5);

    const LineRecorder strip = Trace([](double x, double y) { return x * x + y * y - 25; }, 4, view, TraceStrip{true, -3, 3});
    double reach = 0;
    for (const auto& line : strip.lines) {
        for (const PicturePoint& p : {line.from, line.to}) {
            const WorldXY w = WorldOf(view, p);
            EXPECT_LE(std::fabs(w.x), 3 + 1e-9);
            reach = std::max(reach, std::fabs(w.x));
        }
    }
    EXPECT_NEAR(reach, 3, 1e-9);
    EXPECT_EQ(strip.Strokes(), 2);
}
