// The properties of the curve on the panel, of any kind: its points sampled as the plot walks it
// (the fixed kinds' formulas over θ開始·π to θ終了·π, the typed formulas over their range, the
// zero set of an equation over the graph square) and handed to the conic analysis
// (analysis/Conic.h). What the curve is is found from those points alone, never from the kind.
#pragma once

#include <vector>

#include "analysis/Conic.h"
#include "curves/CurveRecord.h"

// What the panel draws: the entry (its kind and formula lines) with the panel's a, b, c, θ range and zoom.
struct PanelCurve {
    const CurveEntry* entry = nullptr;
    int a = 0, b = 0, c = 0;
    int thetaStart = 0, thetaEnd = 2;
    int zoom = 4;
};

// The world rectangle of the graph square at `zoom` (the plain display, origin in the middle).
ConicFrame GraphSquareFrame(int zoom);
// Points of the curve, in curve units; empty when it has none (a formula that does not read, b = 0
// for a kind that divides by it).
std::vector<ConicPoint> SampleCurve(const PanelCurve& curve);
// SampleCurve, then AnalyseConic in the graph square's frame.
ConicProperties AnalyseCurve(const PanelCurve& curve);
