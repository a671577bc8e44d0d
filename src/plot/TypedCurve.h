// The typed-formula kinds (26 媒介変数表示（式）, 27 極方程式（式）, 28 方程式（式）) on the plot:
// a record's formula read and bound to a, b and c, the curve of kinds 26 and 27 as a
// ParametricSource and the equation of kind 28 as an EquationSource, the parameter range, its
// STEP division, and the texts of the moving point. Reading the language is formula/Expression.h's;
// the plot itself is TfrmMain::PlotTypedCurve (TypedCurve.cpp).
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "curves/CurveRecord.h"
#include "formula/Expression.h"
#include "plot/EquationTrace.h"
#include "plot/ParameterWalk.h"

// Reads the formula lines (3 to 5, CP932) of an entry of a typed-formula kind.
std::variant<CurveFormula, FormulaError> ReadEntryFormula(const CurveEntry& entry);
// The parameters a, b, c (KindParameter bits) the entry's formula uses; none when it cannot be read.
unsigned FormulaParameters(const CurveEntry& entry);

// x and y (kind 26) or r (kind 27) of the parameter, with a, b, c fixed.
class FormulaCurve final : public ParametricSource {
public:
    FormulaCurve(const CurveFormula& formula, double a, double b, double c);
    CurveSample At(double t) const override;

private:
    int kind;
    bool theta;  // the parameter is θ rather than t
    Expression x, y, r;
};

// left − right of kind 28, with a, b, c fixed; NaN outside a range of r or θ.
class FormulaEquation final : public EquationSource {
public:
    FormulaEquation(const CurveFormula& formula, double a, double b, double c);
    double At(double x, double y) const override;
    // The strip of a range of x or y, in curve units; none for no range or one of r or θ.
    std::optional<TraceStrip> Strip() const { return strip; }

private:
    Expression left, right;
    bool polar;  // r or θ appear, in the equation or its range
    unsigned rangeVariable = 0;
    double low = 0, high = 0;
    std::optional<TraceStrip> strip;
};

// The range a typed curve of kind 26 or 27 is drawn over: its formula's, evaluated with a, b, c,
// or θ開始·π to θ終了·π. None when a bound has no value.
struct ParameterRange {
    double low = 0, high = 0;
};
std::optional<ParameterRange> TypedParameterRange(const CurveFormula& formula, double a, double b, double c,
                                                  int thetaStart, int thetaEnd);

// The pauses of a STEP display over a parameter span: a whole multiple of the STEP `increment`
// pauses at every increment; otherwise a span of at least eight increments pauses at every
// increment from its start (the last piece shorter), and a shorter one at its eighths.
struct TypedSteps {
    int segments = 0;
    double length = 0;  // of every piece but possibly the last
};
TypedSteps TypedStepDivision(double span, double increment);

// The range of the formula as the panel's 変域 shows it ("0≦t≦π/2"), taken from the record line
// it was read from; empty when the formula has none.
std::string FormulaRangeText(const CurveEntry& entry);
// "P(1.41, 2)": the coordinates rounded to two decimals, with no trailing zeros.
std::string MovingPointText(double x, double y);
// "t = π/4", "θ = 3π/2", "t = 0.5": a multiple of π with a small denominator is written as one.
std::string ParameterValueText(bool theta, double value);
