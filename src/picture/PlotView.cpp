#include "picture/PlotView.h"

#include <cmath>
#include <limits>

int RoundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    // Far outside the picture every point behaves the same; saturating keeps integer maths safe.
    constexpr double limit = 1 << 30;
    if (value >= limit) return 1 << 30;
    if (value <= -limit) return -(1 << 30);
    return static_cast<int>(std::nearbyint(value));  // the default rounding mode is ties-to-even
}

double PowerOfTwo(int n) {
    double result = 1.0;
    if (n >= 0) {
        for (int i = 0; i < n; ++i) result *= 2.0;
    } else {
        for (int i = 0; i < -n; ++i) result *= 0.5;
    }
    return result;
}

PlotView::PlotView() {
    drawing.Clear(clWhite);
    imgCood.canvas.RecordInto(&drawing);
}

PlotView::PlotView(const PlotView& other)
    : imgCood(other.imgCood), drawing(other.drawing), ScaleX(other.ScaleX), ScaleY(other.ScaleY),
      OriginX(other.OriginX), OriginY(other.OriginY) {
    imgCood.canvas.RecordInto(&drawing);
}

PlotView& PlotView::operator=(const PlotView& other) {
    imgCood = other.imgCood;
    drawing = other.drawing;
    ScaleX = other.ScaleX, ScaleY = other.ScaleY, OriginX = other.OriginX, OriginY = other.OriginY;
    imgCood.canvas.RecordInto(&drawing);
    return *this;
}

void PlotView::SetScaleFromZoom(int zoom) {
    ScaleX = RoundHalfEven(PowerOfTwo(zoom));
    ScaleY = ScaleX;
}

void PlotView::SetOriginForQuadrant(int quadrant) {
    int dx = 0, dy = 0;
    switch (quadrant) {
        case 1: dx = -8; dy = -8; break;
        case 2: dx = 8; dy = -8; break;
        case 3: dx = -8; dy = 8; break;
        case 4: dx = 8; dy = 8; break;
        default: break;
    }
    OriginX = (16 + dx) * 16;
    OriginY = (16 + dy) * 16;
}

TPoint PlotView::MapPoint(double x, double y) const {
    return {RoundHalfEven(ScaleX * x) + OriginX - 1, OriginY - RoundHalfEven(ScaleY * y) + 1};
}

TPoint PlotView::MapLabelPoint(double x, double y) const {
    return {RoundHalfEven(16 * x) + OriginX - 1, OriginY - RoundHalfEven(16 * y) + 1};
}

TPoint PlotView::MapGridPoint(int a, int b) const {
    return {a * ScaleX + OriginX, OriginY - b * ScaleY};
}

void PlotView::DrawLabelText(const std::string& utf8, double x, double y) {
    TPoint p = MapLabelPoint(x, y);
    canvas().TextOut(p.x, p.y, utf8);
}

void PlotView::WorldMoveTo(int x, int y) { canvas().MoveTo(MapPrecise(x, y)); }

void PlotView::WorldLineTo(int x, int y) { canvas().LineTo(MapPrecise(x, y)); }

void ClearPicture(TImage& picture, TColor color, TColor axisColor) {
    picture.canvas.Reset(picture.Width, picture.Height, color);
    picture.canvas.Brush.Color = color;
    picture.canvas.Brush.Style = BrushStyle::Solid;
    picture.canvas.Font.Color = axisColor;
}

void SetLabelFont(Canvas& canvas, int characterCode) {
    if (characterCode >= 65 && characterCode <= 122) {
        canvas.Font.Name = "Bookman Old Style";
        canvas.Font.Italic = true;
    } else {
        canvas.Font.Name = "ＭＳ Ｐゴシック";
        canvas.Font.Italic = false;
    }
    canvas.Font.Bold = false;
}

int LabelFontSize(int zoom) {
    switch (zoom) {
        case 1: return 8;
        case 2: return 10;
        case 3: return 14;
        default: return 18;
    }
}

StepDivisionResult StepDivision(int stepItemIndex) {
    switch (stepItemIndex) {
        case 0: return {16, 45};
        case 1: return {12, 60};
        case 2: return {8, 90};
        case 3: return {6, 120};
        case 4: return {4, 180};
        default: return {2, 360};
    }
}

void RefreshWidthSamples(TImage& sample1, TImage& sample2, const ColorState& colors) {
    ClearPicture(sample1, colors.CurrentBackColor, colors.AxisColor);
    ClearPicture(sample2, colors.CurrentBackColor, colors.AxisColor);
    TImage* samples[] = {&sample1, &sample2};
    for (int width = 1; width <= 2; ++width) {
        Canvas& canvas = samples[width - 1]->canvas;
        canvas.Pen.Color = colors.CurrentLineColor;
        canvas.Pen.Width = width;
        canvas.MoveTo(0, 10);
        canvas.LineTo(20, 10);
    }
}
