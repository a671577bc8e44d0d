// The seven coordinate backgrounds of the picture imgCood and the dispatcher DrawBackground, which
// first sets the view (scale and origin) for the whole picture or a quadrant of the split display.
// Lines are given in world units and mapped with MapPoint; tick labels stand on the fixed 16-pixel
// lattice of MapLabelPoint, so they keep their place on the screen whatever the zoom.
#include "picture/Backgrounds.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "app/Main.h"

namespace {

// Background kinds, by item of cmbHaikei.
enum BackgroundKind {
    bkPlainVariable = 0,  // なし（地色可変）
    bkPolarAll = 1,
    bkPlainWhite = 2,
    bkXYAxes = 3,
    bkXYGrid = 4,
    bkPolarAxes = 5,
    bkPolarInitialLine = 6,
};

const TColor Silver = RGB(192, 192, 192);

// A line between two world points, end pixel excluded as every canvas line.
void WorldLine(PlotView& view, double x1, double y1, double x2, double y2) {
    view.canvas().MoveTo(view.MapPrecise(x1, y1));
    view.canvas().LineTo(view.MapPrecise(x2, y2));
}

void TextAt(PlotView& view, TPoint corner, const std::string& utf8) {
    view.canvas().TextOut(corner.x, corner.y, utf8);
}

// Ticks and grid lines every fifth unit are drawn twice as wide.
int FifthWidth(int i) { return i % 5 == 0 ? 2 : 1; }

// Half the picture width in 16-pixel cells: 16 for the 513-pixel picture.
int HalfCells(const PlotView& view) { return (view.imgCood.Width / 16) / 2; }

}  // namespace

// The shortest general decimal text with up to 15 significant digits: 5, -2.5, 1.25. The label
// values are at most a few hundred, so the general form never turns to an exponent here; should
// one appear, the fixed form is used instead.
std::string TickLabelText(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", value);
    std::string result = text;
    if (result.find_first_of("eE") != std::string::npos) {
        std::snprintf(text, sizeof text, "%.15f", value);
        result = text;
        while (!result.empty() && result.back() == '0') result.pop_back();
        if (!result.empty() && result.back() == '.') result.pop_back();
    }
    return result;
}

// Right-aligned in a field of `width` characters, as "%3s" does; a longer text is not cut.
std::string PadLeft(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

void TfrmMain::DrawBackground(int quadrant) {
    if (quadrant < 0 || quadrant > 4) return;
    Canvas& canvas = view.canvas();
    canvas.Brush.Style = BrushStyle::Clear;

    // Each quadrant shows the stored curve at half its scale. Without a current curve (nothing has
    // been chosen yet) the zoom on the panel is kept rather than reading a missing table entry.
    if (quadrant >= 1 && curveTable.Holds(CurrentCurve)) {
        long long zoom = static_cast<long long>(curveTable[CurrentCurve].Zoom) - 1;
        if (zoom < INT_MIN) zoom = INT_MIN;
        updKakudai.SetValue(static_cast<int>(zoom));
    }
    view.SetScaleFromZoom(Zoom());
    view.SetOriginForQuadrant(quadrant);

    colors.CurveColor = colors.CurrentLineColor;

    // Quadrants 2 to 4 never clear, so the four quadrants of a split display share one picture.
    if ((quadrant == 0 || quadrant == 1) && !chkOverWrite.Checked()) {
        ClearPicture(view.imgCood, colors.CurrentBackColor, colors.AxisColor);
    }

    switch (cmbHaikei.ItemIndex()) {
        case bkPolarAll:
            DrawPolarGrid();
            DrawTicks();
            DrawPolarAxes();
            DrawTickLabels(-15, 15);
            break;
        case bkXYAxes:
            DrawTicks();
            DrawXYAxes();
            DrawTickLabels(-15, 15);
            break;
        case bkXYGrid:
            DrawGrid();
            DrawXYAxes();
            DrawTickLabels(-15, 15);
            break;
        case bkPolarAxes:
            DrawTicks();
            DrawPolarAxes();
            DrawTickLabels(-10, 10);
            break;
        case bkPolarInitialLine:
            DrawPolarAxes();
            break;
        default:  // bkPlainVariable, bkPlainWhite or nothing selected: the cleared picture only
            break;
    }

    view.SetScaleFromZoom(Zoom());
}

void TfrmMain::DrawPolarGrid() {
    Canvas& canvas = view.canvas();
    TPoint centre = view.MapPoint(0, 0);
    double factor = PowerOfTwo(Zoom() - 4);

    // The pen width is left as it is: 1 after a clearing, the last drawing's width otherwise.
    canvas.Pen.Color = Silver;
    canvas.Brush.Style = BrushStyle::Clear;
    for (int i = 1; i <= 15; ++i) {
        int r = RoundHalfEven(16 * i * factor);
        canvas.Ellipse(centre.x - r, centre.y - r, centre.x + r, centre.y + r);
    }

    // One line through the pole per STEP increment in a half turn; the first is horizontal.
    int lines = StepDivision(cmbStep.ItemIndex()).count / 2;
    for (int k = 0; k < lines; ++k) {
        double theta = k * std::numbers::pi / lines;
        double c = std::cos(theta), s = std::sin(theta);
        WorldLine(view, -15 * c, -15 * s, 15 * c, 15 * s);
    }
}

void TfrmMain::DrawTicks() {
    Canvas& canvas = view.canvas();
    int n = HalfCells(view);
    for (int i = 2 - n; i <= n - 2; ++i) {
        canvas.Pen.Width = FifthWidth(i);
        canvas.Pen.Color = colors.AxisColor;
        WorldLine(view, -0.2, i, 0.2, i);
        WorldLine(view, i, -0.2, i, 0.2);
    }
}

void TfrmMain::DrawGrid() {
    Canvas& canvas = view.canvas();
    view.SetScaleFromZoom(Zoom());
    int n = HalfCells(view);
    for (int i = 1 - n; i <= n - 1; ++i) {
        canvas.Pen.Width = FifthWidth(i);
        canvas.Pen.Color = Silver;
        WorldLine(view, -15, i, 15, i);
        WorldLine(view, i, -15, i, 15);
    }
}

void TfrmMain::DrawXYAxes() {
    Canvas& canvas = view.canvas();
    canvas.Font.Size = 14;
    canvas.Pen.Width = 1;
    canvas.Pen.Color = colors.AxisColor;
    WorldLine(view, 0, -15, 0, 15);
    WorldLine(view, -15, 0, 15, 0);
    DrawXYLabels();
}

void TfrmMain::DrawXYLabels() {
    Canvas& canvas = view.canvas();
    // The axis names are placed in scaled units, so at zoom 5 and 6 they fall outside the picture.
    SetLabelFont(canvas, 'A');
    canvas.Font.Size = LabelFontSize(Zoom());
    canvas.Font.Color = colors.AxisColor;
    TextAt(view, view.MapPoint(13, -0.2), "x");
    canvas.Font.Size = 14;
    TextAt(view, view.MapPoint(0, 16), "y");
    SetLabelFont(canvas, '@');
}

void TfrmMain::DrawPolarAxes() {
    view.canvas().Pen.Color = Silver;
    view.WorldMoveTo(0, -15);
    view.WorldLineTo(0, 15);
    view.WorldMoveTo(-15, 0);
    view.WorldLineTo(0, 0);
    DrawInitialLine();
    // The initial line has already written the labels; they are written once more over them, as
    // the polar kinds always have.
    DrawPolarLabels();
}

void TfrmMain::DrawInitialLine() {
    Canvas& canvas = view.canvas();
    canvas.Brush.Style = BrushStyle::Solid;
    canvas.Font.Size = 14;
    canvas.Pen.Width = 1;
    canvas.Pen.Color = colors.AxisColor;

    const std::vector<PicturePoint> arrowhead{view.MapPrecise(15, 0), view.MapPrecise(14, 0.25),
                                              view.MapPrecise(14, -0.25)};
    const TPoint tip = arrowhead[0].pixel;
    canvas.MoveTo(arrowhead[0]);
    canvas.LineTo(arrowhead[1]);
    canvas.LineTo(arrowhead[2]);
    canvas.LineTo(arrowhead[0]);

    canvas.Brush.Color = colors.AxisColor;
    canvas.Brush.Style = BrushStyle::Solid;
    // At zoom 1 the arrowhead collapses to a line and the seed would lie outside it, flooding the
    // whole picture; it is left unfilled there.
    if (Zoom() >= 2) canvas.FloodFill(tip.x - 3, tip.y, colors.AxisColor, arrowhead);
    canvas.Brush.Style = BrushStyle::Clear;

    WorldLine(view, 0, 0, 14, 0);
    DrawPolarLabels();
}

void TfrmMain::DrawPolarLabels() {
    Canvas& canvas = view.canvas();
    SetLabelFont(canvas, 'A');
    canvas.Font.Size = LabelFontSize(Zoom());
    canvas.Font.Color = colors.AxisColor;
    TextAt(view, view.MapPoint(13, -0.2), "x");
    TextAt(view, view.MapPoint(-1, -0.2), "O");
    SetLabelFont(canvas, '@');
}

void TfrmMain::DrawTickLabels(int lo, int hi) {
    Canvas& canvas = view.canvas();
    // Name and style are those the preceding label routine left: "ＭＳ Ｐゴシック", regular.
    canvas.Font.Color = colors.AxisColor;
    canvas.Font.Size = 10;

    // The labels stand on the fixed lattice while their values follow the zoom, so each marks the
    // true world value of its place.
    double unit = PowerOfTwo(4 - Zoom());
    auto labelled = [&](int i) {
        double v = unit * i;
        return lo < v && v < hi && i != 0 && i % 5 == 0 && i != lo && i != hi;
    };
    for (int i = lo; i <= hi; ++i) {
        if (labelled(i)) view.DrawLabelText(PadLeft(TickLabelText(unit * i), 3), -1.5, i);
    }
    for (int i = lo; i <= hi; ++i) {
        if (labelled(i)) view.DrawLabelText(TickLabelText(unit * i), i - 0.5, -0.5);
    }
    int kind = cmbHaikei.ItemIndex();
    if (kind == bkXYAxes || kind == bkXYGrid) view.DrawLabelText("0", -0.5, -0.5);
    SetLabelFont(canvas, '@');
}
