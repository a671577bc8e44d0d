// Sampling the panel's curve for its analysis. Points are taken evenly over the parameter range,
// many more than the fit needs, so that the check on the points not fitted sees every part of it.
#include "analysis/CurveProperties.h"

#include <algorithm>
#include <cmath>

#include "app/Main.h"
#include "plot/CurveEval.h"
#include "plot/CurveKinds.h"
#include "plot/TypedCurve.h"

namespace {

constexpr int Samples = 1440;

// The zero set of F on a grid over the frame: every side of a cell where F changes sign is cut
// in half until the zero is found; a change of sign across a pole is told by F not shrinking there.
std::vector<ConicPoint> TraceZeros(const FormulaEquation& equation, const ConicFrame& frame) {
    constexpr int Cells = 96;
    const double width = frame.right - frame.left, height = frame.top - frame.bottom;
    std::vector<double> values((Cells + 1) * (Cells + 1));
    const auto xAt = [&](int i) { return frame.left + width * i / Cells; };
    const auto yAt = [&](int j) { return frame.bottom + height * j / Cells; };
    for (int j = 0; j <= Cells; ++j)
        for (int i = 0; i <= Cells; ++i) values[j * (Cells + 1) + i] = equation.At(xAt(i), yAt(j));
    std::vector<ConicPoint> points;
    const auto cut = [&](double x0, double y0, double f0, double x1, double y1, double f1) {
        if (!std::isfinite(f0) || !std::isfinite(f1) || (f0 > 0) == (f1 > 0) || f0 == 0) return;
        const double bound = std::min(std::fabs(f0), std::fabs(f1));
        for (int k = 0; k < 60; ++k) {
            const double xm = (x0 + x1) / 2, ym = (y0 + y1) / 2, fm = equation.At(xm, ym);
            if (!std::isfinite(fm)) return;
            if (fm == 0) {
                x0 = x1 = xm, y0 = y1 = ym, f0 = 0;
                break;
            }
            if ((fm > 0) == (f0 > 0)) x0 = xm, y0 = ym, f0 = fm;
            else x1 = xm, y1 = ym, f1 = fm;
        }
        if (std::fabs(f0) > bound && std::fabs(f1) > bound) return;  // a pole, not a zero
        points.push_back({(x0 + x1) / 2, (y0 + y1) / 2});
    };
    for (int j = 0; j <= Cells; ++j) {
        for (int i = 0; i <= Cells; ++i) {
            const double f = values[j * (Cells + 1) + i];
            if (i < Cells) cut(xAt(i), yAt(j), f, xAt(i + 1), yAt(j), values[j * (Cells + 1) + i + 1]);
            if (j < Cells) cut(xAt(i), yAt(j), f, xAt(i), yAt(j + 1), values[(j + 1) * (Cells + 1) + i]);
        }
    }
    return points;
}

// A curve small in the frame is traced again over the box its first trace found, with a cell a
// small part of its size, so that no arc of it is passed over between two zeros.
std::vector<ConicPoint> TraceCurve(const FormulaEquation& equation, const ConicFrame& frame) {
    std::vector<ConicPoint> points = TraceZeros(equation, frame);
    if (points.empty()) return points;
    ConicFrame box{points[0].x, points[0].x, points[0].y, points[0].y};
    for (const ConicPoint& p : points) {
        box.left = std::min(box.left, p.x), box.right = std::max(box.right, p.x);
        box.bottom = std::min(box.bottom, p.y), box.top = std::max(box.top, p.y);
    }
    const double cellX = (frame.right - frame.left) / 96, cellY = (frame.top - frame.bottom) / 96;
    box = {std::max(frame.left, box.left - 2 * cellX), std::min(frame.right, box.right + 2 * cellX),
           std::max(frame.bottom, box.bottom - 2 * cellY), std::min(frame.top, box.top + 2 * cellY)};
    const bool small = box.right - box.left < (frame.right - frame.left) / 2 || box.top - box.bottom < (frame.top - frame.bottom) / 2;
    return small && !box.Empty() ? TraceZeros(equation, box) : points;
}

}  // namespace

ConicFrame GraphSquareFrame(int zoom) {
    const double scale = RoundHalfEven(PowerOfTwo(zoom));
    const double origin = 16 * 16;  // the plain display's origin column and row
    // Pixel c covers [c, c + 1); MapPrecise puts x at ScaleX·x + OriginX − 0.5, y at OriginY + 1.5 − ScaleY·y.
    return {(0 - (origin - 0.5)) / scale, (PlotView::PictureWidth - (origin - 0.5)) / scale,
            ((origin + 1.5) - PlotView::PictureWidth) / scale, (origin + 1.5) / scale};
}

std::vector<ConicPoint> SampleCurve(const PanelCurve& curve) {
    std::vector<ConicPoint> points;
    if (!curve.entry) return points;
    const int kind = curve.entry->Id;
    if (KindHasFormula(kind)) {
        if (!CurveParamsAccepted(kind, curve.a, curve.b, curve.c)) return points;
        const double low = curve.thetaStart * static_cast<double>(PiL), high = curve.thetaEnd * static_cast<double>(PiL);
        points.reserve(Samples + 1);
        for (int k = 0; k <= Samples; ++k) {
            const CurveXY p = EvalCurveXY(kind, curve.a, curve.b, curve.c, low + (high - low) * k / Samples);
            if (p.Valid) points.push_back({p.X, p.Y});
        }
        return points;
    }
    if (!IsTypedFormulaKind(kind)) return points;
    const auto read = ReadEntryFormula(*curve.entry);
    const CurveFormula* formula = std::get_if<CurveFormula>(&read);
    if (!formula) return points;
    if (formula->kind == EquationFormulaKind) {
        return TraceCurve(FormulaEquation(*formula, curve.a, curve.b, curve.c), GraphSquareFrame(curve.zoom));
    }
    const auto range = TypedParameterRange(*formula, curve.a, curve.b, curve.c, curve.thetaStart, curve.thetaEnd);
    if (!range) return points;
    const FormulaCurve source(*formula, curve.a, curve.b, curve.c);
    points.reserve(Samples + 1);
    for (int k = 0; k <= Samples; ++k) {
        const CurveSample p = source.At(range->low + (range->high - range->low) * k / Samples);
        if (p.valid) points.push_back({p.x, p.y});
    }
    return points;
}

ConicProperties AnalyseCurve(const PanelCurve& curve) { return AnalyseConic(SampleCurve(curve), GraphSquareFrame(curve.zoom)); }

ConicProperties TfrmMain::PanelCurveProperties() const {
    if (!curveTable.Holds(CurrentCurve)) return {};
    return AnalyseCurve({&curveTable[CurrentCurve], updA.Value(), updB.Value(), updC.Value(), updStart.Value(),
                         updSend.Value(), Zoom()});
}
