// TfrmMain::PlotTypedCurve: the plot of a typed-formula kind, called by PlotCurve after the
// background. The formula is read once; kinds 26 and 27 are walked over their range segment by
// segment of the STEP division, with the moving point marked between segments, and kind 28 is
// traced over the graph square (or the split display's quadrant) in one go.
#include "plot/TypedCurve.h"

#include <cmath>
#include <cstdio>

#include "app/Main.h"
#include "curves/Codec.h"
#include "formula/Annotation.h"
#include "formula/ExpressionTree.h"
#include "plot/AuxLines.h"
#include "plot/CurveEval.h"
#include "plot/CurveKinds.h"
#include "plot/PlotCurve.h"
#include "plot/StepPause.h"

namespace {

constexpr double Pi = static_cast<double>(PiL);

// The n-th UTF-8 character of `text` begins at the returned byte (n counted from 1).
std::size_t CharacterStart(const std::string& text, int n) {
    std::size_t byte = 0;
    for (int k = 1; k < n && byte < text.size(); ++k) {
        ++byte;
        while (byte < text.size() && (static_cast<unsigned char>(text[byte]) & 0xC0) == 0x80) ++byte;
    }
    return byte;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

// Two decimals at most, without trailing zeros; never "-0".
std::string Short(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string shown = text;
    while (shown.back() == '0') shown.pop_back();
    if (shown.back() == '.') shown.pop_back();
    return shown == "-0" ? "0" : shown;
}

double Bound(const Expression& bound, double a, double b, double c) { return bound.Evaluate({a, b, c}); }

}  // namespace

std::variant<CurveFormula, FormulaError> ReadEntryFormula(const CurveEntry& entry) {
    return ReadCurveFormula(entry.Id, Cp932ToUtf8(entry.PolarFormula), Cp932ToUtf8(entry.XFormula),
                            Cp932ToUtf8(entry.YFormula));
}

unsigned FormulaParameters(const CurveEntry& entry) {
    const auto formula = ReadEntryFormula(entry);
    if (const CurveFormula* read = std::get_if<CurveFormula>(&formula)) {
        return (read->parameters & fsA ? kpA : 0u) | (read->parameters & fsB ? kpB : 0u) | (read->parameters & fsC ? kpC : 0u);
    }
    return 0;
}

FormulaCurve::FormulaCurve(const CurveFormula& formula, double a, double b, double c)
    : kind(formula.kind), theta(formula.parameter == fsTheta || formula.kind == PolarFormulaKind),
      x(formula.x.WithParameters(a, b, c)), y(formula.y.WithParameters(a, b, c)), r(formula.r.WithParameters(a, b, c)) {}

CurveSample FormulaCurve::At(double t) const {
    FormulaValues values;
    (theta ? values.theta : values.t) = t;
    CurveSample sample;
    if (kind == PolarFormulaKind) {
        const double radius = r.Evaluate(values);
        sample = {radius * std::cos(t), radius * std::sin(t), true};
    } else {
        sample = {x.Evaluate(values), y.Evaluate(values), true};
    }
    sample.valid = std::isfinite(sample.x) && std::isfinite(sample.y);
    return sample;
}

FormulaEquation::FormulaEquation(const CurveFormula& formula, double a, double b, double c)
    : left(formula.left.WithParameters(a, b, c)), right(formula.right.WithParameters(a, b, c)) {
    polar = (left.Uses() | right.Uses()) & (fsR | fsTheta);
    if (!formula.range) return;
    const FormulaRange& range = *formula.range;
    rangeVariable = range.variable;
    // One side unbounded: far beyond any picture.
    constexpr double Far = 1e300;
    low = range.hasLow ? Bound(range.low, a, b, c) : -Far;
    high = range.hasHigh ? Bound(range.high, a, b, c) : Far;
    if (rangeVariable == fsX || rangeVariable == fsY) strip = TraceStrip{rangeVariable == fsX, low, high};
    polar = polar || rangeVariable == fsR || rangeVariable == fsTheta;
}

double FormulaEquation::At(double x, double y) const {
    FormulaValues values;
    values.x = x;
    values.y = y;
    if (polar) {
        values.r = std::hypot(x, y);
        values.theta = std::atan2(y, x);
        const double v = rangeVariable == fsR ? values.r : values.theta;
        if ((rangeVariable == fsR || rangeVariable == fsTheta) && !(v >= low && v <= high)) return NAN;
    }
    return left.Evaluate(values) - right.Evaluate(values);
}

std::optional<ParameterRange> TypedParameterRange(const CurveFormula& formula, double a, double b, double c,
                                                  int thetaStart, int thetaEnd) {
    if (!formula.range) return ParameterRange{thetaStart * Pi, thetaEnd * Pi};
    const ParameterRange range{Bound(formula.range->low, a, b, c), Bound(formula.range->high, a, b, c)};
    if (!std::isfinite(range.low) || !std::isfinite(range.high)) return std::nullopt;
    return range;
}

TypedSteps TypedStepDivision(double span, double increment) {
    if (!(span > 0) || !(increment > 0)) return {};
    const double ratio = span / increment;
    const double whole = std::round(ratio);
    if (whole >= 1 && std::fabs(ratio - whole) <= 1e-9 * ratio) return {static_cast<int>(whole), increment};
    if (ratio >= 8) return {static_cast<int>(std::ceil(ratio)), increment};
    return {8, span / 8};
}

std::string FormulaRangeText(const CurveEntry& entry) {
    const auto formula = ReadEntryFormula(entry);
    const CurveFormula* read = std::get_if<CurveFormula>(&formula);
    if (!read || !read->range || !read->range->tree) return {};
    // The range follows the last formula: line 3 for kind 27, 5 for 26, 4 for 28.
    const std::string line = Cp932ToUtf8(entry.Id == PolarFormulaKind ? entry.PolarFormula
                                          : entry.Id == ParametricFormulaKind ? entry.YFormula
                                                                              : entry.XFormula);
    const ExpressionNode& tree = *read->range->tree;
    const std::size_t begin = CharacterStart(line, tree.begin), end = CharacterStart(line, tree.end);
    std::string text = line.substr(begin, end - begin);
    ReplaceAll(text, " ", "");
    ReplaceAll(text, "<=", "≦");
    ReplaceAll(text, ">=", "≧");
    ReplaceAll(text, "≤", "≦");
    ReplaceAll(text, "≥", "≧");
    ReplaceAll(text, "pi", "π");
    return text;
}

std::string MovingPointText(double x, double y) { return "P(" + Short(x) + ", " + Short(y) + ")"; }

std::string ParameterValueText(bool theta, double value) {
    const std::string name = theta ? "θ = " : "t = ";
    for (int denominator : {1, 2, 3, 4, 6, 8, 12}) {
        const double numerator = value / Pi * denominator;
        const double whole = std::round(numerator);
        if (std::fabs(numerator - whole) > 1e-9 * std::max(1.0, std::fabs(numerator))) continue;
        const long long n = static_cast<long long>(whole);
        if (n == 0) return name + "0";
        const std::string sign = n < 0 ? "-" : "";
        const long long magnitude = n < 0 ? -n : n;
        const std::string top = magnitude == 1 ? "π" : std::to_string(magnitude) + "π";
        return name + sign + top + (denominator == 1 ? "" : "/" + std::to_string(denominator));
    }
    return name + Short(value);
}

void TfrmMain::DrawMovingPoint(const CurveSample& sample, bool theta, double parameter) {
    if (!chkHojoEn.Checked() || !sample.valid) return;
    Canvas& canvas = view.canvas();
    const PicturePoint point = view.MapPrecise(sample.x, sample.y);
    canvas.Brush.Style = BrushStyle::Clear;
    AuxDot(canvas, point.pixel.x, point.pixel.y, 4, AuxMarkerColor);
    // The texts only where the display pauses: at every segment of a plain plot they would pile up.
    if (!StepMode) return;
    const TFont before = canvas.Font;
    canvas.Font.Name = AnnotationFontFace;
    canvas.Font.Size = 12;
    canvas.Font.Italic = canvas.Font.Bold = false;
    canvas.Font.Color = AuxMarkerColor;
    const std::string texts[2] = {MovingPointText(sample.x, sample.y), ParameterValueText(theta, parameter)};
    const TPoint first = canvas.TextExtent(texts[0]), second = canvas.TextExtent(texts[1]);
    const int width = std::max(first.x, second.x), height = first.y + second.y;
    // Above and to the right of P, or wherever the square leaves room.
    constexpr int Gap = 6, Edge = 2, Last = PlotView::PictureWidth - 1 - Edge;
    int left = point.pixel.x + Gap, top = point.pixel.y - Gap - height;
    if (left + width > Last) left = point.pixel.x - Gap - width;
    if (top < Edge) top = point.pixel.y + Gap;
    left = std::clamp(left, Edge, std::max(Edge, Last - width));
    top = std::clamp(top, Edge, std::max(Edge, Last - height));
    canvas.TextOut(left, top, texts[0]);
    canvas.TextOut(left, top + first.y, texts[1]);
    canvas.Font = before;
}

bool TfrmMain::PlotTypedCurve(int n, int quadrant, bool repeat, int a, int b, int c) {
    const CurveEntry& entry = curveTable[n];
    auto read = ReadEntryFormula(entry);
    if (const FormulaError* error = std::get_if<FormulaError>(&read)) {
        platform.ShowMessage(error->message);
        return false;
    }
    const CurveFormula& formula = std::get<CurveFormula>(read);
    DrawAnnotation(n, a, b, c, repeat, quadrant);
    Canvas& canvas = view.canvas();
    SquareClip squareClip(canvas);
    const int width = radWidth1.Checked() ? 1 : 2;
    DrawConicFigure(n, a, b, c, repeat);
    canvas.Brush.Style = BrushStyle::Clear;

    if (formula.kind == EquationFormulaKind) {
        const FormulaEquation equation(formula, a, b, c);
        TraceRegion region;
        if (quadrant >= 1) {
            // The quadrant's square out to its limit, as the other kinds' points are kept in it.
            const double reach = QuadrantLimit(Zoom()) * view.ScaleX;
            region = {view.OriginX - 0.5 - reach, view.OriginY + 1.5 - reach, view.OriginX - 0.5 + reach, view.OriginY + 1.5 + reach};
        }
        canvas.Pen.Width = width;
        equationTrace.Trace(equation, view, region, equation.Strip(), canvas, colors.CurveColor);
        return false;  // drawn whole, without pauses, so a STEP display has nothing to end
    }

    const std::optional<ParameterRange> range = TypedParameterRange(formula, a, b, c, updStart.Value(), updSend.Value());
    if (!range) {
        platform.ShowMessage("範囲の端の値が求められないため、描画を中止しました");
        return false;
    }
    const FormulaCurve curve(formula, a, b, c);
    const bool theta = formula.parameter == fsTheta || formula.kind == PolarFormulaKind;
    WalkArea area = GraphSquareArea();
    if (quadrant >= 1) area.outsideLimit = QuadrantLimit(Zoom());
    const double span = range->high - range->low;
    // Points are looked at every two degrees at least, and 64 times over a short range; where the
    // curve is in the picture, the walk takes as many more as it needs.
    const double step = std::min(Pi / 90, span > 0 ? span / 64 : Pi);
    ParameterWalk walk(curve, view, area, step);
    double at = range->low;
    CurveSample sample = walk.Start(at, canvas);
    const auto marker = [&] { DrawMovingPoint(sample, theta, at); };
    const auto where = [&] { return TracingPlace(ParameterValueText(theta, at), sample.x, sample.y, sample.valid); };

    const TypedSteps steps = TypedStepDivision(span, StepDivision(cmbStep.ItemIndex()).increment * Pi / StepsPerPi);
    StepPause pause(*this, StepMode, false);
    pause.Begin();
    for (int k = 0; k < steps.segments; ++k) {
        if (!pause.CurrentOnly()) marker();
        if (chkProgress.Checked() && !pause.Replaying(k)) {
            platform.PictureChanged();
            platform.ProcessMessages();
        }
        switch (pause.At(k, steps.segments, where, marker)) {
            case StepPause::Answer::GoOn:
                break;
            case StepPause::Answer::Stop:
                return false;
            case StepPause::Answer::Restart:
                at = range->low;
                sample = walk.Start(at, canvas);
                k = -1;
                continue;
        }
        squareClip.Set();
        canvas.Pen.Width = width;
        at = k + 1 == steps.segments ? range->high : range->low + (k + 1) * steps.length;
        sample = walk.WalkTo(at, canvas, colors.CurveColor);
    }
    marker();
    pause.Finish();
    return true;
}
