// Shared by the tests of the walk and the trace of the typed kinds: curves given as lambdas, the
// whole-picture view at a zoom, and a drawn point taken back to curve units.
#pragma once

#include <functional>

#include "plot/EquationTrace.h"
#include "plot/ParameterWalk.h"

struct LambdaCurve final : ParametricSource {
    std::function<CurveSample(double)> at;
    CurveSample At(double t) const override { return at(t); }
};

struct LambdaEquation final : EquationSource {
    std::function<double(double, double)> at;
    double At(double x, double y) const override { return at(x, y); }
};

inline PlotView ViewAtZoom(int zoom) {
    PlotView view;
    view.SetScaleFromZoom(zoom);
    view.SetOriginForQuadrant(0);
    return view;
}

struct WorldXY {
    double x, y;
};
// The inverse of PlotView::MapPrecise.
inline WorldXY WorldOf(const PlotView& view, const PicturePoint& p) {
    return {(p.x - (view.OriginX - 0.5)) / view.ScaleX, ((view.OriginY + 1.5) - p.y) / view.ScaleY};
}
