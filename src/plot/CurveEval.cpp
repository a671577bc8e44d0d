#include "plot/CurveEval.h"

#include <cmath>

#include "plot/CurveKinds.h"
#include "plot/FastMath.h"
#include "ui/Platform.h"

namespace {

using L = CurveReal;

constexpr L Sqrt2L = 1.41421356237309504880L;
constexpr L Pi = PiL;  // in the curve type, so that no step widens to long double

struct XYL {
    L x;
    L y;
};

XYL Polar(L r, L sinTheta, L cosTheta) { return {r * cosTheta, r * sinTheta}; }

}  // namespace

bool KindHasFormula(int kind) {
    const CurveKind* found = FindCurveKind(kind);
    return found && !found->UsesFromFormula;
}

namespace {

struct SinCosPair {
    L sin;
    L cos;
};

// Kinds 0, 15, 21, 22 and 24 use no sine or cosine of θ itself.
bool UsesThetaSinCos(int kind) { return !(kind == 0 || kind == 15 || kind == 21 || kind == 22 || kind == 24); }

// The sign of a denominator that passes through zero at a pole: the branch of the curve.
int SignOf(L value) { return value > 0 ? 1 : -1; }

// The formulas. sinCos(x, s, c) gives the sine and cosine of each angle, in the order written.
template <class SinCosFunction>
CurveXY Evaluate(int kind, int a, int b, int c, double theta, SinCosFunction&& sinCos) {
    CurveXY result;
    // A number without a formula of its own falls to the default of the switch below.
    if (kind == 14 && !(theta > 0)) return result;

    const auto angle = [&](L x) {
        SinCosPair pair;
        sinCos(x, pair.sin, pair.cos);
        return pair;
    };
    const L t = theta;
    const L A = a, B = b, C = c;
    L sinT = 0, cosT = 0;
    if (UsesThetaSinCos(kind)) {
        const SinCosPair pair = angle(t);
        sinT = pair.sin, cosT = pair.cos;
    }
    XYL p{};
    // Kinds 16 to 18 divide by a quantity that vanishes at their poles: there the point has no
    // value, and elsewhere its sign tells the branch, which the θ walk never joins across.
    L pole = 1;
    int branch = 0;
    switch (kind) {
        case 0:  // Lissajous figure
            p = {C * angle(A * t).sin, C * angle(B * t).sin};
            break;
        case 1: case 8: {  // epicycloid (arm b), epitrochoid (arm c)
            const L sum = static_cast<L>(a + b);
            const L arm = kind == 1 ? B : C;
            const SinCosPair rolling = angle(sum * t / B);
            p = {sum * cosT - arm * rolling.cos, sum * sinT - arm * rolling.sin};
            break;
        }
        case 3: case 11: {  // hypotrochoid (arm c), hypocycloid (arm b)
            const L difference = static_cast<L>(a - b);
            const L arm = kind == 3 ? C : B;
            const SinCosPair rolling = angle(difference * t / B);
            p = {difference * cosT + arm * rolling.cos, difference * sinT - arm * rolling.sin};
            break;
        }
        case 2:  // rose curve
            p = Polar(C * angle(A * t / B).sin, sinT, cosT);
            break;
        case 4:  // cycloid
            p = {A * (t - sinT), A * (1 - cosT)};
            break;
        case 5:  // trochoid
            p = {A * t - B * sinT, A - B * cosT};
            break;
        case 6:  // astroid: the cubes by multiplication, so that a zero cosine gives exactly 0
            p = {A * (cosT * cosT * cosT), A * (sinT * sinT * sinT)};
            break;
        case 7: {  // lemniscate: the origin where cos 2θ < 0
            L cos2 = angle(2 * t).cos;
            if (cos2 < 0) cos2 = 0;
            p = Polar((Sqrt2L * A) * std::sqrt(cos2), sinT, cosT);
            break;
        }
        case 9:
            p = Polar(A + C * angle(B * t).sin, sinT, cosT);
            break;
        case 10:  // cardioid
            p = Polar(A + A * cosT, sinT, cosT);
            break;
        case 12:  // Archimedean spiral
            p = Polar(A * t / B, sinT, cosT);
            break;
        case 13:  // logarithmic spiral
            p = Polar(C * std::exp((A / B) * t), sinT, cosT);
            break;
        case 14:  // lituus, θ > 0
            p = Polar(A / std::sqrt(t), sinT, cosT);
            break;
        case 15:  // parabola y² = 4ax
            p = {A * (t * t), static_cast<L>(2 * a) * t};
            break;
        case 16:  // hyperbola x²/a² − y²/b² = 1
            pole = cosT;
            branch = SignOf(pole);
            p = {A / cosT, B * (sinT / cosT)};
            break;
        case 17: {  // conic with its focus at the pole, eccentricity e = a/b
            const L e = A / B;
            pole = 1 + e * cosT;
            p = Polar(C / pole, sinT, cosT);
            // A parabola's denominator touches zero without changing sign; at its pole (θ = π for
            // e = 1, θ = 0 for e = −1) the half angle's cosine or sine changes sign instead.
            if (e == 1 || e == -1) {
                const SinCosPair half = angle(t / 2);
                branch = SignOf(e == 1 ? half.cos : half.sin);
            } else {
                branch = SignOf(pole);
            }
            break;
        }
        case 18:  // straight line at distance c from the pole, its foot at the angle aπ/b
            pole = angle(t - (A * Pi) / B).cos;
            branch = SignOf(pole);
            p = Polar(C / pole, sinT, cosT);
            break;
        case 19:  // involute of the circle of radius a
            p = {A * (cosT + t * sinT), A * (sinT - t * cosT)};
            break;
        case 20:
            p = Polar(A, sinT, cosT);
            break;
        case 21:
            p = {t, C * angle((A / B) * t).sin};
            break;
        case 22:
            p = {t, C * angle((A / B) * t).cos};
            break;
        case 23:  // ellipse
            p = {A * cosT, B * sinT};
            break;
        case 24:
            p = {t, C * angle(t + (A * Pi) / B).sin};
            break;
        case 25:  // circle through the origin, centre (a, b)
            p = Polar(static_cast<L>(2 * a) * cosT + static_cast<L>(2 * b) * sinT, sinT, cosT);
            break;
        default:
            return result;
    }

    if (pole == 0) return result;
    result.Branch = branch;
    result.X = static_cast<double>(p.x);
    result.Y = static_cast<double>(p.y);
    // An infinity multiplied by a zero sine gives NaN beside it: the overflow is the cause.
    if (std::isinf(result.X) || std::isinf(result.Y)) {
        result.Failure = CurveFailure::Overflow;
    } else if (std::isnan(result.X) || std::isnan(result.Y)) {
        result.Failure = CurveFailure::Invalid;
    } else {
        result.Valid = true;
    }
    if (!result.Valid) result.X = result.Y = 0;
    return result;
}

CurvePoint ToCurvePoint(const CurveXY& xy, int zoom, const PlotView& view) {
    CurvePoint point;
    point.Failure = xy.Failure;
    if (!xy.Valid) return point;
    const double limit = QuadrantLimit(zoom);
    point.Valid = true;
    point.Branch = xy.Branch;
    point.Outside = std::fabs(xy.X) > limit || std::fabs(xy.Y) > limit;
    const PicturePoint where = view.MapPrecise(xy.X, xy.Y);
    point.Column = where.pixel.x;
    point.Row = where.pixel.y;
    point.X = where.x;
    point.Y = where.y;
    return point;
}

}  // namespace

CurveXY EvalCurveXY(int kind, int a, int b, int c, double theta) {
    return Evaluate(kind, a, b, c, theta, SinCosL);
}

double QuadrantLimit(int zoom) {
    static constexpr double limits[] = {60, 30, 15, 7.5, 3.5, 1.8};
    if (zoom < 1) zoom = 1;
    if (zoom > 6) zoom = 6;
    return limits[zoom - 1];
}

CurvePoint EvalCurvePoint(int kind, int a, int b, int c, double theta, int zoom, const PlotView& view) {
    return ToCurvePoint(EvalCurveXY(kind, a, b, c, theta), zoom, view);
}

CurvePoint EvalCurvePoint(int kind, int a, int b, int c, double theta, int zoom, const PlotView& view,
                          SinCosMemo& memo, std::size_t point) {
    int call = 0;
    const auto sinCos = [&](CurveReal x, CurveReal& sine, CurveReal& cosine) {
        memo.SinCos(point, call++, x, sine, cosine);
    };
    return ToCurvePoint(Evaluate(kind, a, b, c, theta, sinCos), zoom, view);
}

bool CurveParamsAccepted(int kind, int a, int b, int c) {
    const CurveKind* found = FindCurveKind(kind);
    return b != 0 || !found || !found->BDivides;
}

bool CheckCurveParams(int kind, int a, int b, int c, Platform& platform) {
    if (CurveParamsAccepted(kind, a, b, c)) return true;
    platform.ShowMessage(std::string("警告！") + "ｂは０をとれません");
    return false;
}
