// The walk of a curve given by a parameter (the typed kinds 26 and 27): from one parameter value
// to the next, points are taken where they are needed, so that no straight piece inside the
// picture is longer than MaxPieceLength pixels, and the pen lifts where the curve has no point,
// across a jump (a pole, a branch change) and wherever a piece cannot be made short. Pieces wholly
// beside the picture are not drawn. The curve itself is the caller's (ParametricSource); the
// pieces go to a Painter through MoveTo and LineTo, as the θ walk of the fixed kinds draws.
#pragma once

#include <cstddef>
#include <vector>

#include "picture/PlotView.h"

// A point of a curve in curve units; `valid` false where the curve has none at that parameter.
struct CurveSample {
    double x = 0, y = 0;
    bool valid = false;
};

class ParametricSource {
public:
    virtual CurveSample At(double t) const = 0;

protected:
    ~ParametricSource() = default;
};

// Where pieces are drawn, in continuous picture units (pixel c covers [c, c + 1)).
struct WalkArea {
    double left = 0, top = 0, right = PlotView::PictureWidth, bottom = PlotView::PictureWidth;
    // The split display's quadrant limit in curve units: a point beyond it is never joined (0: none).
    double outsideLimit = 0;
};

// The whole graph square with a margin for the pen.
WalkArea GraphSquareArea();

class ParameterWalk {
public:
    static constexpr double MaxPieceLength = 2.0;       // pixels, for a piece inside the area
    static constexpr int MaxDepth = 60;                 // cuts of one step at most
    static constexpr int MaxParts = 16;                 // parts a piece is cut into at once
    static constexpr int MaxEvaluationsPerStep = 4096;  // beyond it, long pieces lift the pen

    // `step` is the largest parameter increment taken without looking (a positive number).
    ParameterWalk(const ParametricSource& curve, const PlotView& view, WalkArea area, double step);

    // Starts at t: the point there, with the pen moved to it when it has one.
    CurveSample Start(double t, Painter& canvas);
    // Walks on to t (not below the current parameter), joining points in `color`; the point at t.
    // The pen is moved to the current point first, so what was drawn in between does not matter.
    CurveSample WalkTo(double t, Painter& canvas, TColor color);
    double Parameter() const { return current.t; }
    std::size_t Evaluations() const { return evaluations; }

private:
    // Copied at every piece: with the flag before the point, no byte of it is tail padding, so
    // the copy is whole aligned words that the next piece's reads of `where` can take at once.
    struct Mapped {
        double t = 0;
        CurveSample sample;
        bool outside = false;  // beyond the quadrant limit
        PicturePoint where;
    };
    void Evaluate(double t, Mapped& mapped);
    bool BesideTheArea(const Mapped& from, const Mapped& to) const;
    void Refine(Painter& canvas, TColor color);
    void Join(const Mapped& to, Painter& canvas, TColor color);

    const ParametricSource& curve;
    const PlotView& view;
    WalkArea area;
    double step;
    Mapped current;
    bool penAtCurrent = false;
    std::size_t evaluations = 0;
    std::vector<Mapped> pending;  // the right ends still to reach, the next one last
    std::vector<int> pendingDepth;
};
