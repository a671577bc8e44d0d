#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "plot/CurveEval.h"
#include "plot/FastMath.h"
#include "ui/ScriptedPlatform.h"

namespace {

PlotView WholeView(int zoom) {
    PlotView view;
    view.SetScaleFromZoom(zoom);
    view.SetOriginForQuadrant(0);
    return view;
}

}  // namespace

TEST(FastSinCos, AgreesWithTheLibraryOverEveryArgumentTheCurvesUse) {
    // (a−b)·θ/b reaches 100·200π for the largest parameters; arguments near the fast path's
    // limit and beyond it go through the library.
    std::mt19937_64 random(42);
    std::uniform_real_distribution<long double> spread(-70000.0L, 70000.0L);
    std::vector<long double> arguments = {0.0L, 1e-30L, -1e-30L, PiL / 2, PiL, 200 * PiL, -200 * PiL,
                                          FastSinCosLimit * 0.999L, FastSinCosLimit, -FastSinCosLimit * 3,
                                          0x1p62L, 1e30L};
    for (int i = 0; i < 20000; ++i) arguments.push_back(spread(random));
    for (long double x : arguments) {
        long double s, c;
        SinCosL(x, s, c);
        // Both values are at most 1 in size, so this bounds the error relative to the amplitude.
        EXPECT_NEAR(static_cast<double>(s), static_cast<double>(sinl(x)), 1e-15) << static_cast<double>(x);
        EXPECT_NEAR(static_cast<double>(c), static_cast<double>(cosl(x)), 1e-15) << static_cast<double>(x);
    }
    long double s, c;
    SinCosL(INFINITY, s, c);
    EXPECT_TRUE(std::isnan(s) && std::isnan(c));
}

TEST(FastSinCos, KeepsTheExtendedMantissa) {
    // sin of a small x is x − x³/6: a double result would lose the x³ term entirely.
    const long double x = 1e-6L;
    long double sine, cosine;
    SinCosL(x, sine, cosine);
    EXPECT_NEAR(static_cast<double>((sine - x) / (x * x * x)), -1.0 / 6, 1e-6);
    SinCosL(PiL / 3, sine, cosine);
    EXPECT_LT(fabsl(cosine - 0.5L), 1e-18L);
}

TEST(CurveEval, DemonstrationHypotrochoidStartsAt21_0) {
    const CurveXY start = EvalCurveXY(3, 13, 3, 11, 0.0);
    ASSERT_TRUE(start.Valid);
    EXPECT_EQ(start.X, 21.0);
    EXPECT_EQ(start.Y, 0.0);
    const CurvePoint pixel = EvalCurvePoint(3, 13, 3, 11, 0.0, 3, WholeView(3));
    EXPECT_EQ(pixel.Column, 21 * 8 + 255);
    EXPECT_EQ(pixel.Row, 257);
    EXPECT_TRUE(pixel.Outside) << "21 is beyond the limit 15 of zoom 3";
}

TEST(CurveEval, OutsideFlagIsStrictAtEveryZoomLimit) {
    // Kind 21 has X = θ exactly and Y = 0 for a = 0, so X sits on the limit without rounding.
    const double limits[] = {60, 30, 15, 7.5, 3.5, 1.8};
    for (int zoom = 1; zoom <= 6; ++zoom) {
        const PlotView view = WholeView(zoom);
        const double limit = limits[zoom - 1];
        EXPECT_FALSE(EvalCurvePoint(21, 0, 1, 1, limit, zoom, view).Outside) << zoom;
        EXPECT_FALSE(EvalCurvePoint(21, 0, 1, 1, -limit, zoom, view).Outside) << zoom;
        EXPECT_TRUE(EvalCurvePoint(21, 0, 1, 1, std::nextafter(limit, 100.0), zoom, view).Outside) << zoom;
    }
    const PlotView view = WholeView(4);
    EXPECT_TRUE(EvalCurvePoint(21, 0, 1, 1, 7.5000001, 4, view).Outside);
    EXPECT_TRUE(EvalCurvePoint(21, 0, 1, 1, -7.5000001, 4, view).Outside);
    // Y alone: the trochoid at θ = 0 is (0, a − b).
    EXPECT_FALSE(EvalCurvePoint(5, 30, 0, 1, 0.0, 2, view).Outside);
    EXPECT_TRUE(EvalCurvePoint(5, 31, 0, 1, 0.0, 2, view).Outside);
    EXPECT_TRUE(EvalCurvePoint(5, -31, 0, 1, 0.0, 2, view).Outside);
    // A zoom typed out of range must not read outside the table.
    EXPECT_EQ(QuadrantLimit(0), 60);
    EXPECT_EQ(QuadrantLimit(9), 1.8);
}

TEST(CurveEval, SpecialValuesOfAstroidLemniscateAndCircles) {
    const double halfPi = static_cast<double>(PiL / 2);
    // Astroid at π/2: cos θ is about 6e-17 for the double θ, so its cube leaves X on the y axis.
    const CurveXY astroid = EvalCurveXY(6, 5, 1, 1, halfPi);
    EXPECT_LT(std::fabs(astroid.X), 1e-45);
    EXPECT_EQ(astroid.Y, 5.0);
    EXPECT_EQ(EvalCurvePoint(6, 5, 1, 1, halfPi, 4, WholeView(4)).Column, 255);
    // Lemniscate where cos 2θ < 0: the origin, exactly.
    for (double theta : {halfPi, 2.0, 2.3}) {
        const CurveXY lemniscate = EvalCurveXY(7, 6, 1, 1, theta);
        ASSERT_TRUE(lemniscate.Valid);
        EXPECT_EQ(lemniscate.X, 0.0);
        EXPECT_EQ(lemniscate.Y, 0.0);
    }
    EXPECT_NEAR(EvalCurveXY(7, 6, 1, 1, 0.0).X, 6 * std::sqrt(2.0), 1e-14);
    // Circle through the origin with centre (0, 0) is the origin for every θ.
    for (double theta = -10; theta < 10; theta += 0.37) {
        const CurvePoint p = EvalCurvePoint(25, 0, 0, 1, theta, 4, WholeView(4));
        EXPECT_TRUE(p.Valid);
        EXPECT_EQ(p.Column, 255);
        EXPECT_EQ(p.Row, 257);
    }
    // Centre (a, b): the point at θ is at distance √(a² + b²) from it.
    const CurveXY onCircle = EvalCurveXY(25, 3, 4, 1, 1.1);
    EXPECT_NEAR(std::hypot(onCircle.X - 3, onCircle.Y - 4), 5.0, 1e-12);
}

TEST(CurveEval, GraphKindsRunXWithTheta) {
    for (double theta : {-2 * M_PI, -1.0, 0.0, 0.5, 2 * M_PI}) {
        for (int kind : {21, 22, 24}) {
            const CurveXY p = EvalCurveXY(kind, 1, 2, 3, theta);
            EXPECT_EQ(p.X, theta) << kind;
        }
    }
    EXPECT_NEAR(EvalCurveXY(21, 1, 2, 3, M_PI).Y, 3.0, 1e-15);
    EXPECT_NEAR(EvalCurveXY(22, 1, 2, 3, M_PI).Y, 0.0, 1e-15);
    EXPECT_NEAR(EvalCurveXY(24, 1, 2, 3, 0.0).Y, 3.0, 1e-15) << "c·sin(0 + π/2)";
}

TEST(CurveEval, KindsWithoutValueAreNotPoints) {
    for (int kind : {-1, 26, 1000}) {
        const CurvePoint p = EvalCurvePoint(kind, 1, 1, 1, 1.0, 4, WholeView(4));
        EXPECT_FALSE(p.Valid) << kind;
        EXPECT_EQ(p.Failure, CurveFailure::None) << kind;
    }
    for (double theta : {0.0, -1e-300, -3.0}) {
        EXPECT_FALSE(EvalCurvePoint(14, 5, 1, 1, theta, 4, WholeView(4)).Valid) << theta;
    }
    const CurveXY lituus = EvalCurveXY(14, 5, 1, 1, 4.0);
    ASSERT_TRUE(lituus.Valid);
    EXPECT_NEAR(std::hypot(lituus.X, lituus.Y), 2.5, 1e-15);
}

TEST(CurveEval, OverflowIsAFailureNotAnInfinity) {
    // r = e^(100θ) exceeds every double from θ ≈ 7.1 on.
    const CurvePoint fine = EvalCurvePoint(13, 100, 1, 1, 7.0, 4, WholeView(4));
    EXPECT_TRUE(fine.Valid);
    for (double theta : {7.2, 50.0, 314.0}) {
        const CurvePoint p = EvalCurvePoint(13, 100, 1, 1, theta, 4, WholeView(4));
        EXPECT_FALSE(p.Valid) << theta;
        EXPECT_EQ(p.Failure, CurveFailure::Overflow) << theta;
    }
    // Evaluated directly with b = 0 (the plot refuses it first), the quotient a/b gives no value.
    EXPECT_NE(EvalCurveXY(21, 0, 0, 1, 1.0).Failure, CurveFailure::None);
}

TEST(CurveEval, EveryFormulaKindStaysOnItsKnownShape) {
    // Distances that identify each formula: a wrong sign or a swapped parameter moves them.
    const double t = 0.7;
    auto radius = [](const CurveXY& p) { return std::hypot(p.X, p.Y); };
    EXPECT_NEAR(EvalCurveXY(0, 2, 3, 4, t).X, 4 * std::sin(2 * t), 1e-14);
    EXPECT_NEAR(EvalCurveXY(0, 2, 3, 4, t).Y, 4 * std::sin(3 * t), 1e-14);
    EXPECT_NEAR(EvalCurveXY(1, 4, 1, 1, 0.0).X, 4.0, 1e-15) << "epicycloid starts on the fixed circle";
    EXPECT_NEAR(radius(EvalCurveXY(2, 3, 2, 5, t)), std::fabs(5 * std::sin(3 * t / 2)), 1e-14);
    EXPECT_NEAR(EvalCurveXY(4, 2, 0, 1, M_PI).X, 2 * M_PI, 1e-14);
    EXPECT_NEAR(EvalCurveXY(4, 2, 0, 1, M_PI).Y, 4.0, 1e-14);
    EXPECT_NEAR(EvalCurveXY(5, 2, 3, 1, M_PI).Y, 5.0, 1e-14);
    EXPECT_NEAR(EvalCurveXY(8, 5, 2, 3, 0.0).X, 4.0, 1e-15);
    EXPECT_NEAR(radius(EvalCurveXY(9, 4, 3, 2, t)), 4 + 2 * std::sin(3 * t), 1e-14);
    EXPECT_NEAR(radius(EvalCurveXY(10, 3, 1, 1, t)), 3 + 3 * std::cos(t), 1e-14);
    EXPECT_NEAR(EvalCurveXY(11, 4, 1, 1, 0.0).X, 4.0, 1e-15) << "hypocycloid starts on the fixed circle";
    EXPECT_NEAR(radius(EvalCurveXY(12, 3, 2, 1, 5.0)), 7.5, 1e-14);
    EXPECT_NEAR(radius(EvalCurveXY(13, 1, 2, 3, 2.0)), 3 * std::exp(1.0), 1e-14);
    EXPECT_NEAR(radius(EvalCurveXY(20, 7, 1, 1, t)), 7.0, 1e-14);
    const CurveXY ellipse = EvalCurveXY(23, 4, 2, 1, t);
    EXPECT_NEAR(ellipse.X * ellipse.X / 16 + ellipse.Y * ellipse.Y / 4, 1.0, 1e-14);
}

TEST(CheckCurveParams, RefusesBZeroOnlyForKindsThatDivideByB) {
    ScriptedPlatform platform;
    for (int kind : {1, 2, 3, 8, 11, 12, 13, 21, 22, 24}) {
        EXPECT_FALSE(CheckCurveParams(kind, 5, 0, 1, platform)) << kind;
        EXPECT_TRUE(CheckCurveParams(kind, 5, 1, 1, platform)) << kind;
    }
    ASSERT_EQ(platform.messages.size(), 10u);
    EXPECT_EQ(platform.messages[0], "警告！ｂは０をとれません");
    for (int kind : {0, 4, 5, 6, 7, 9, 10, 14, 15, 20, 23, 25, -3}) {
        EXPECT_TRUE(CheckCurveParams(kind, 0, 0, 0, platform)) << kind;
    }
    EXPECT_EQ(platform.messages.size(), 10u);
    // Kind 0 with b = 0 draws a flat figure.
    EXPECT_EQ(EvalCurveXY(0, 2, 0, 3, 0.4).Y, 0.0);
}

TEST(CurveEval, ConicsLineAndInvoluteAtKnownPoints) {
    const double halfPi = static_cast<double>(PiL / 2), quarterPi = static_cast<double>(PiL / 4);
    auto expectAt = [](const CurveXY& p, double x, double y, const char* what) {
        ASSERT_TRUE(p.Valid) << what;
        EXPECT_NEAR(p.X, x, 1e-12) << what;
        EXPECT_NEAR(p.Y, y, 1e-12) << what;
    };
    expectAt(EvalCurveXY(15, 2, 99, 99, 1.5), 2 * 2.25, 2 * 2 * 1.5, "parabola (aθ², 2aθ)");
    expectAt(EvalCurveXY(16, 3, 2, 99, quarterPi), 3 * std::sqrt(2.0), 2, "hyperbola (a/cos θ, b·tan θ)");
    // e = 1/2, c = 3: r = 2 at θ = 0 and r = 6 at θ = π; r = c where cos θ = 0.
    expectAt(EvalCurveXY(17, 1, 2, 3, 0.0), 2, 0, "ellipse, near vertex");
    expectAt(EvalCurveXY(17, 1, 2, 3, static_cast<double>(PiL)), -6, 0, "ellipse, far vertex");
    expectAt(EvalCurveXY(17, 5, 2, 3, halfPi), 0, 3, "hyperbola, over the focus");
    // The foot of the perpendicular at the angle aπ/b = π/3, at distance c; every point on that line.
    const double foot = static_cast<double>(PiL / 3);
    expectAt(EvalCurveXY(18, 1, 3, 4, foot), 4 * std::cos(foot), 4 * std::sin(foot), "line, foot");
    const CurveXY onLine = EvalCurveXY(18, 1, 3, 4, 0.2);
    EXPECT_NEAR(onLine.X * std::cos(foot) + onLine.Y * std::sin(foot), 4.0, 1e-12);
    expectAt(EvalCurveXY(19, 2, 99, 99, 0.0), 2, 0, "involute leaves the base circle at (a, 0)");
    expectAt(EvalCurveXY(19, 2, 99, 99, halfPi), 2 * halfPi, 2, "involute after a quarter turn");
    // The unwound string: tangent to the base circle at angle θ and as long as the arc a·θ.
    const CurveXY involute = EvalCurveXY(19, 2, 99, 99, 2.5);
    EXPECT_NEAR(std::hypot(involute.X - 2 * std::cos(2.5), involute.Y - 2 * std::sin(2.5)), 2 * 2.5, 1e-12);
}

// At a pole the point is far away on one branch, and just after it on the other: the branch must
// change exactly there (so the walk lifts the pen) and nowhere else on the curve.
TEST(CurveEval, BranchChangesExactlyAtThePoles) {
    // Counts the changes of branch over one turn walked as the plot walks it, from θ = start·π.
    auto changes = [](int kind, int a, int b, int c, int start = 0) {
        double theta = static_cast<double>(start * PiL);
        int count = 0, last = 0;
        for (int step = 0; step <= 720; ++step, theta += static_cast<double>(PiL / 360)) {
            const CurveXY p = EvalCurveXY(kind, a, b, c, theta);
            EXPECT_EQ(p.Failure, CurveFailure::None) << kind << " θ " << theta;
            if (!p.Valid) continue;
            count += last != 0 && p.Branch != last;
            last = p.Branch;
        }
        return count;
    };
    EXPECT_EQ(changes(16, 3, 2, 1), 2) << "cos θ = 0 at ±π/2";
    EXPECT_EQ(changes(18, 1, 3, 4), 2) << "cos(θ − π/3) = 0 twice a turn";
    EXPECT_EQ(changes(17, 1, 2, 3), 0) << "an ellipse has no pole";
    EXPECT_EQ(changes(17, 2, 2, 3), 1) << "e = 1: the pole at θ = π, not at the vertex θ = 0 or 2π";
    EXPECT_EQ(changes(17, -2, 2, 3, -1), 1) << "e = −1: the pole at θ = 0, not at the vertex θ = ±π";
    EXPECT_EQ(changes(17, 4, 2, 3), 2) << "e = 2: cos θ = −1/2 twice a turn";
    // Right at the parabola's pole 1 + cos θ is 0 in extended precision: no point, and no failure.
    const CurveXY pole = EvalCurveXY(17, 1, 1, 3, static_cast<double>(PiL));
    EXPECT_FALSE(pole.Valid);
    EXPECT_EQ(pole.Failure, CurveFailure::None);
    // On either side of the hyperbola's pole the points lie on opposite branches, far out.
    const double before = EvalCurveXY(16, 3, 2, 1, 1.5707).X, after = EvalCurveXY(16, 3, 2, 1, 1.5709).X;
    EXPECT_GT(before, 1e4);
    EXPECT_LT(after, -1e4);
}

TEST(CheckCurveParams, RefusesBZeroForThePolarConicAndLine) {
    ScriptedPlatform platform;
    for (int kind : {17, 18}) {
        EXPECT_FALSE(CheckCurveParams(kind, 1, 0, 1, platform)) << kind;
        EXPECT_TRUE(CheckCurveParams(kind, 1, 1, 1, platform)) << kind;
    }
    EXPECT_EQ(platform.messages, (std::vector<std::string>{"警告！ｂは０をとれません", "警告！ｂは０をとれません"}));
    for (int kind : {15, 16, 19}) EXPECT_TRUE(CheckCurveParams(kind, 1, 0, 1, platform)) << kind;
    EXPECT_EQ(platform.messages.size(), 2u);
}
