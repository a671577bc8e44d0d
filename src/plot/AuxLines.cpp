// The auxiliary figure drawn once per plot (the fixed circle, the rolled-on line, the bounding
// square) and the markers drawn at the start point and after every STEP segment (a dot on the
// curve, and for the rolling-circle kinds the rolling circle with its arm to the tracing point).
#include "plot/AuxLines.h"

#include <cmath>
#include <cstdlib>

#include "app/Main.h"

namespace {

void Circle(Canvas& canvas, TPoint centre, int radius) {
    radius = std::abs(radius);
    canvas.Ellipse(centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius);
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
    const TPoint penPos = canvas.PenPos();
    switch (kind) {
        case 0: {
            const TPoint centre = view.MapGridPoint(0, 0);
            const int half = std::abs(RoundHalfEven(view.ScaleX * c));
            canvas.Pen.Width = 1;
            canvas.Pen.Color = AuxFigureColor;
            canvas.Rectangle(centre.x - half, centre.y - half, centre.x + half, centre.y + half);
            break;
        }
        case 1: case 3: case 8: case 11: case 23:
            AuxCircleAtGrid(view, 0, 0, RoundHalfEven(a), AuxFigureColor, colors.CurveColor);
            break;
        case 2:
            AuxCircleAtGrid(view, 0, 0, RoundHalfEven(c), AuxFigureColor, colors.CurveColor);
            break;
        case 4: case 5: {
            canvas.Pen.Width = 1;
            canvas.Pen.Color = AuxFigureColor;
            const TPoint from = view.MapGridPoint(-16, 0);
            const TPoint to = view.MapGridPoint(16, 0);
            canvas.MoveTo(from.x, from.y);
            canvas.LineTo(to.x, to.y);
            break;
        }
        case 9:
            AuxCircleAtGrid(view, 0, 0, RoundHalfEven(a), AuxFigureColor, colors.CurveColor);
            AuxCircleAtGrid(view, 0, 0, RoundHalfEven(a + c), AuxOuterColor, colors.CurveColor);
            break;
        case 20:
            AuxCircleAt(view, AuxFigureColor, 0, 0, 0.2);
            break;
        case 25:
            AuxCircleAt(view, AuxFigureColor, a, b, 0.2);
            break;
        default:
            break;
    }
    canvas.MoveTo(penPos.x, penPos.y);
}

void TfrmMain::DrawAuxMarker(int kind, const PicturePoint& point, double a, double b, double c, double theta) {
    if (!chkHojoEn.Checked()) return;
    Canvas& canvas = view.canvas();
    const TPoint p = point.pixel;
    double centreX = 0, centreY = 0, radius = 0;
    switch (kind) {
        case 0: case 2: case 6: case 9: case 12: case 13: case 20: case 21: case 22:
            AuxDot(canvas, p.x, p.y, 4, AuxMarkerColor);
            return;
        case 1: case 8:
            centreX = (a + b) * std::cos(theta);
            centreY = (a + b) * std::sin(theta);
            radius = b;
            break;
        case 3: case 11:
            centreX = (a - b) * std::cos(theta);
            centreY = (a - b) * std::sin(theta);
            radius = b;
            break;
        case 4: case 5:
            centreX = a * theta;
            centreY = a;
            radius = a;
            break;
        default:
            return;
    }
    canvas.Brush.Style = BrushStyle::Clear;
    AuxDot(canvas, p.x, p.y, 4, AuxMarkerColor);
    AuxCircleAt(view, AuxMarkerColor, centreX, centreY, radius);
    canvas.MoveTo(view.MapPrecise(centreX, centreY));
    canvas.LineTo(point);
}
