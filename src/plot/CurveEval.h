// The formulas of every curve kind: one point of the curve from θ and the integer parameters,
// computed in extended precision, rounded to double, tested against the quadrant limit of the
// split display and mapped to a pixel with the view's MapPoint. Also the parameter check that
// refuses b = 0 before a plot. Drawing the points is the plot routine's business (PlotCurve.cpp).
#pragma once

#include <cstddef>

#include "picture/PlotView.h"
#include "plot/SinCosMemo.h"

class Platform;

// Extended-precision π, the constant every curve formula and the θ walk use.
constexpr long double PiL = 3.14159265358979323846L;

// Why a point could not be computed: the arithmetic gave a non-finite X or Y.
enum class CurveFailure {
    None,
    Overflow,  // a value too large for a double (an overflow or a division by zero)
    Invalid,   // an invalid operation (NaN)
};

// The curve point as world coordinates, before mapping.
struct CurveXY {
    double X = 0;
    double Y = 0;
    bool Valid = false;  // false: the kind has no value at this θ (Lituus θ ≤ 0, a pole, kinds without a formula)
    CurveFailure Failure = CurveFailure::None;
    int Branch = 0;  // kinds 16 to 18: +1 or −1, the side of the poles the point lies on; 0 elsewhere
};

// One evaluated point: the pixel, the split display's outside flag, and whether there is a point.
struct CurvePoint {
    int Column = 0;
    int Row = 0;
    double X = 0, Y = 0;  // the same point before rounding, in continuous picture units
    bool Outside = false;  // |X| or |Y| beyond the quadrant limit of the zoom (strictly)
    bool Valid = false;    // false: nothing to draw here; Column and Row mean nothing
    CurveFailure Failure = CurveFailure::None;  // set together with Valid = false
    int Branch = 0;  // as CurveXY::Branch: the θ walk never joins two points of different branches
    PicturePoint Where() const { return {{Column, Row}, X, Y}; }
};

// True for the kinds whose formula is fixed (evaluated here): every kind of the table but the typed ones.
bool KindHasFormula(int kind);
// X and Y of kind `kind` at θ; Valid is false (and X = Y = 0) where the kind has no value.
// Kinds 16 to 18 run to infinity where cos θ, 1 + (a/b)·cos θ or cos(θ − aπ/b) is zero: a point
// exactly there has no value, and the sign of that quantity (for a parabola of kind 17, of the
// half angle's cosine or sine) is the point's Branch, which changes exactly at a pole.
CurveXY EvalCurveXY(int kind, int a, int b, int c, double theta);
// The quadrant limit in curve units by zoom: 1 → 60, 2 → 30, 3 → 15, 4 → 7.5, 5 → 3.5, 6 → 1.8.
// A zoom outside 1 to 6 uses the nearest end of the table.
double QuadrantLimit(int zoom);
// EvalCurveXY, then the outside test against QuadrantLimit(zoom), then view.MapPoint.
CurvePoint EvalCurvePoint(int kind, int a, int b, int c, double theta, int zoom, const PlotView& view);
// The same for point `point` of a θ walk, taking the sines and cosines from `memo` where it holds them.
CurvePoint EvalCurvePoint(int kind, int a, int b, int c, double theta, int zoom, const PlotView& view,
                          SinCosMemo& memo, std::size_t point);
// False, after the warning "警告！ｂは０をとれません", for b = 0 with a kind that divides by b
// (flag b-divides in plot/CurveKinds.txt); true otherwise.
bool CheckCurveParams(int kind, int a, int b, int c, Platform& platform);
// CheckCurveParams without the warning.
bool CurveParamsAccepted(int kind, int a, int b, int c);
