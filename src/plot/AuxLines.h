// The drawing operations of the auxiliary lines (補助線): dots and circles on the picture in pixels,
// in curve units and on the integer grid. TfrmMain::DrawAuxFigure and DrawAuxMarker (AuxLines.cpp)
// choose what to draw for each curve kind. Every circle is an outline drawn with the canvas's
// Ellipse; the callers set the brush to clear. A negative radius draws the circle of |radius|.
#pragma once

#include "picture/PlotView.h"

// Colours of the auxiliary lines.
constexpr TColor AuxFigureColor = RGB(255, 0, 0);   // the fixed figure
constexpr TColor AuxOuterColor = RGB(0, 128, 0);    // the outer circle of kind 9
constexpr TColor AuxMarkerColor = RGB(0, 0, 255);   // markers and rolling circles

// Pen width 2 in `color`, the circle with box (x − r, y − r, x + r, y + r), then pen width 1.
void AuxDot(Canvas& canvas, int x, int y, int r, TColor color);
// The circle about MapPoint(x, y) of radius RoundHalfEven(ScaleX·r) pixels, in `color`; the pen
// width is left as it is.
void AuxCircleAt(PlotView& view, TColor color, double x, double y, double r);
// The circle about MapGridPoint(gx, gy) of radius r·ScaleX pixels in `color`; afterwards the pen
// colour is `curveColor`.
void AuxCircleAtGrid(PlotView& view, int gx, int gy, int r, TColor color, TColor curveColor);
