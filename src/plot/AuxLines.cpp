// The auxiliary figure drawn once per plot (the fixed circle, the rolled-on line, the bounding
// square) and the markers drawn at the start point and after every STEP segment (a dot on the
// curve, and for the rolling-circle kinds the rolling circle with its arm to the tracing point).
#include "plot/AuxLines.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "analysis/CurveProperties.h"
#include "app/Main.h"
#include "formula/Annotation.h"
#include "plot/CurveEval.h"
#include "plot/CurveKinds.h"

namespace {

AuxFigure FigureOf(int kind) {
    const CurveKind* found = FindCurveKind(kind);
    return found ? found->Figure : AuxFigure::None;
}

AuxMarker MarkerOf(int kind) {
    const CurveKind* found = FindCurveKind(kind);
    return found ? found->Marker : AuxMarker::None;
}

void Circle(Canvas& canvas, TPoint centre, int radius) {
    radius = std::abs(radius);
    canvas.Ellipse(centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius);
}

// The part of the segment from (x0, y0) to (x1, y1), in curve units, that lies in the graph square,
// drawn red with pen width 1. Clipped here rather than by the bitmap, so that an asymptote or a
// directrix never runs through the caption below the square.
void AuxSegmentInSquare(PlotView& view, double x0, double y0, double x1, double y1) {
    // Unrounded pixel positions of the two ends, on the mapping of MapPoint.
    const double column0 = view.ScaleX * x0 + view.OriginX - 1, row0 = view.OriginY - view.ScaleY * y0 + 1;
    const double dColumn = view.ScaleX * (x1 - x0), dRow = -view.ScaleY * (y1 - y0);
    double low = 0, high = 1;
    const double last = PlotView::PictureWidth - 1;
    // Liang–Barsky: narrow [low, high] by each of the four sides.
    const auto side = [&](double p, double q) {
        if (p == 0) return q >= 0;
        const double t = q / p;
        if (p < 0) low = std::max(low, t);
        else high = std::min(high, t);
        return low <= high;
    };
    if (!side(-dColumn, column0) || !side(dColumn, last - column0) || !side(-dRow, row0) || !side(dRow, last - row0)) return;
    Canvas& canvas = view.canvas();
    canvas.Pen.Width = 1;
    canvas.Pen.Color = AuxFigureColor;
    const auto at = [&](double t) {
        const double column = column0 + t * dColumn, row = row0 + t * dRow;
        return PicturePoint({RoundHalfEven(column), RoundHalfEven(row)}, column + 0.5, row + 0.5);
    };
    canvas.MoveTo(at(low));
    canvas.LineTo(at(high));
}

// The whole line through (x, y) in the direction (dx, dy), as far as it crosses the graph square.
void AuxLineInSquare(PlotView& view, double x, double y, double dx, double dy) {
    const double length = std::hypot(dx, dy);
    if (length == 0) return;
    // Far enough on both sides to reach past the square from wherever (x, y) lies.
    const double reach = (std::hypot(x, y) + 2.0 * PlotView::PictureWidth / view.ScaleX) / length;
    AuxSegmentInSquare(view, x - reach * dx, y - reach * dy, x + reach * dx, y + reach * dy);
}

// A focus: a marked point with its letter above and to the right.
void AuxFocus(PlotView& view, const ConicPoint& focus, const std::string& letter) {
    Canvas& canvas = view.canvas();
    const TPoint p = view.MapPoint(focus.x, focus.y);
    canvas.Brush.Style = BrushStyle::Clear;
    AuxDot(canvas, p.x, p.y, 3, AuxFigureColor);
    const TFont before = canvas.Font;
    canvas.Font.Name = AnnotationFontFace;
    canvas.Font.Size = 12;
    canvas.Font.Italic = canvas.Font.Bold = false;
    canvas.Font.Color = AuxFigureColor;
    const TPoint extent = canvas.TextExtent(letter);
    canvas.TextOut(p.x + 4, p.y - 4 - extent.y, letter);
    canvas.Font = before;
}

void AuxConicLine(PlotView& view, const ConicLine& line) {
    const double size = std::hypot(line.A, line.B);
    if (size == 0) return;
    // The foot of the perpendicular from the origin, and the line's direction.
    const double x = line.A * line.C / (size * size), y = line.B * line.C / (size * size);
    AuxLineInSquare(view, x, y, -line.B, line.A);
}

}  // namespace

void AuxDot(Canvas& canvas, int x, int y, int r, TColor color) {
    canvas.Pen.Width = 2;
    canvas.Pen.Color = color;
    Circle(canvas, {x, y}, r);
    canvas.Pen.Width = 1;
}

void AuxCircleAt(PlotView& view, TColor color, double x, double y, double r) {
    view.canvas().Pen.Color = color;
    Circle(view.canvas(), view.MapPoint(x, y), RoundHalfEven(view.ScaleX * r));
}

void AuxCircleAtGrid(PlotView& view, int gx, int gy, int r, TColor color, TColor curveColor) {
    view.canvas().Pen.Color = color;
    Circle(view.canvas(), view.MapGridPoint(gx, gy), r * view.ScaleX);
    view.canvas().Pen.Color = curveColor;
}

void TfrmMain::DrawAuxFigure(int kind, double a, double b, double c, double theta) {
    Canvas& canvas = view.canvas();
    canvas.Brush.Style = BrushStyle::Clear;
    if (!chkHojoEn.Checked()) return;

    // The plot continues from the pen position, so the base line of the cycloids must not move it.
    const PicturePoint penPos = canvas.Position();
    switch (FigureOf(kind)) {
        case AuxFigure::BoundingSquare: {
            const TPoint centre = view.MapGridPoint(0, 0);
            const int half = std::abs(RoundHalfEven(view.ScaleX * c));
            canvas.Pen.Width = 1;
            canvas.Pen.Color = AuxFigureColor;
            canvas.Rectangle(centre.x - half, centre.y - half, centre.x + half, centre.y + half);
            break;
        }
        case AuxFigure::CircleA:
            AuxCircleAtGrid(view, 0, 0, RoundHalfEven(a), AuxFigureColor, colors.CurveColor);
            break;
        case AuxFigure::CircleC:
            AuxCircleAtGrid(view, 0, 0, RoundHalfEven(c), AuxFigureColor, colors.CurveColor);
            break;
        case AuxFigure::RolledOnLine: {
            canvas.Pen.Width = 1;
            canvas.Pen.Color = AuxFigureColor;
            const TPoint from = view.MapGridPoint(-16, 0);
            const TPoint to = view.MapGridPoint(16, 0);
            canvas.MoveTo(from.x, from.y);
            canvas.LineTo(to.x, to.y);
            break;
        }
        case AuxFigure::CirclesAAndAPlusC:
            AuxCircleAtGrid(view, 0, 0, RoundHalfEven(a), AuxFigureColor, colors.CurveColor);
            AuxCircleAtGrid(view, 0, 0, RoundHalfEven(a + c), AuxOuterColor, colors.CurveColor);
            break;
        case AuxFigure::FocusAndDirectrix:  // the focus (a, 0) and the directrix x = −a
            AuxCircleAt(view, AuxFigureColor, a, 0, 0.2);
            AuxLineInSquare(view, -a, 0, 0, 1);
            break;
        case AuxFigure::Asymptotes:  // y = ±(b/a)x
            AuxLineInSquare(view, 0, 0, a, b);
            AuxLineInSquare(view, 0, 0, a, -b);
            break;
        case AuxFigure::Directrix:  // x = c·b/a; a circle (a = 0) has none
            if (a != 0) AuxLineInSquare(view, c * b / a, 0, 0, 1);
            break;
        case AuxFigure::Perpendicular: {  // from the pole to the line, of length c
            const double foot = a * static_cast<double>(PiL) / b;
            AuxSegmentInSquare(view, 0, 0, c * std::cos(foot), c * std::sin(foot));
            break;
        }
        case AuxFigure::BaseCircle:  // the circle the string unwinds from
            canvas.Pen.Width = 1;
            AuxCircleAt(view, AuxFigureColor, 0, 0, a);
            break;
        case AuxFigure::Centre:
            AuxCircleAt(view, AuxFigureColor, 0, 0, 0.2);
            break;
        case AuxFigure::CentreAB:
            AuxCircleAt(view, AuxFigureColor, a, b, 0.2);
            break;
        case AuxFigure::None:
            break;
    }
    canvas.MoveTo(penPos);
}

void TfrmMain::DrawConicFigure(int n, int a, int b, int c, bool repeat) {
    if (!chkHojoEn.Checked() || !curveTable.Holds(n)) return;
    const ConicProperties conic = AnalyseCurve({&curveTable[n], a, b, c, updStart.Value(), updSend.Value(), Zoom()});
    if (conic.type == ConicType::Other || conic.type == ConicType::Line) return;
    Canvas& canvas = view.canvas();
    const PicturePoint penPos = canvas.Position();
    const TPen penBefore = canvas.Pen;
    const TBrush brushBefore = canvas.Brush;
    // The directrices and asymptotes cross the whole square: over a picture that holds other
    // curves too (上書き, a repeat's overlay) they would bury them, so there only the marked points
    // are drawn. A line the kind's own figure draws already is not drawn twice.
    const bool overlaid = chkOverWrite.Checked() || (repeat && !chkAnime.Checked());
    const AuxFigure own = FigureOf(curveTable[n].Id);
    if (!overlaid && own != AuxFigure::FocusAndDirectrix && own != AuxFigure::Directrix)
        for (const ConicLine& line : conic.directrices) AuxConicLine(view, line);
    if (!overlaid && own != AuxFigure::Asymptotes)
        for (const ConicLine& line : conic.asymptotes) AuxConicLine(view, line);
    canvas.Brush.Style = BrushStyle::Clear;
    canvas.Pen.Width = 1;
    if (conic.center) AuxCircleAt(view, AuxFigureColor, conic.center->x, conic.center->y, 0.2);
    const char* letters[] = {"F", "F\u2032"};
    for (std::size_t k = 0; k < conic.foci.size() && k < 2; ++k) AuxFocus(view, conic.foci[k], letters[k]);
    canvas.Pen = penBefore;
    canvas.Brush = brushBefore;
    canvas.MoveTo(penPos);
}

void TfrmMain::DrawAuxMarker(int kind, const PicturePoint& point, double a, double b, double c, double theta) {
    if (!chkHojoEn.Checked()) return;
    Canvas& canvas = view.canvas();
    const TPoint p = point.pixel;
    double centreX = 0, centreY = 0, radius = 0;
    switch (MarkerOf(kind)) {
        case AuxMarker::Dot:
            AuxDot(canvas, p.x, p.y, 4, AuxMarkerColor);
            return;
        case AuxMarker::String:  // the taut string from where it leaves the base circle to the point
            canvas.Brush.Style = BrushStyle::Clear;
            AuxDot(canvas, p.x, p.y, 4, AuxMarkerColor);
            canvas.MoveTo(view.MapPrecise(a * std::cos(theta), a * std::sin(theta)));
            canvas.LineTo(point);
            return;
        case AuxMarker::RollingOutside:
            centreX = (a + b) * std::cos(theta);
            centreY = (a + b) * std::sin(theta);
            radius = b;
            break;
        case AuxMarker::RollingInside:
            centreX = (a - b) * std::cos(theta);
            centreY = (a - b) * std::sin(theta);
            radius = b;
            break;
        case AuxMarker::RollingOnLine:
            centreX = a * theta;
            centreY = a;
            radius = a;
            break;
        case AuxMarker::MovingPoint:  // drawn by the walk of the typed kinds, which knows the parameter
        case AuxMarker::None:
            return;
    }
    canvas.Brush.Style = BrushStyle::Clear;
    AuxDot(canvas, p.x, p.y, 4, AuxMarkerColor);
    AuxCircleAt(view, AuxMarkerColor, centreX, centreY, radius);
    canvas.MoveTo(view.MapPrecise(centreX, centreY));
    canvas.LineTo(point);
}
