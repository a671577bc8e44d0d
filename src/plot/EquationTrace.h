// The trace of an equation F(x, y) = 0 (the typed kind 28) over a rectangle of the picture: F is
// looked at on a grid of 4-pixel cells, the cells where the curve may pass are looked at again
// pixel by pixel, and on each pixel's sides the zero is found by bisection and placed by
// interpolation. A change of sign across a pole or a jump (1/x, tan, θ from π to −π) is told from
// a zero by what F does as the bracket shrinks; a zero where F does not change sign (a double line
// such as (x − y)² = 0) is found as a minimum of |F| that reaches zero. The pieces are joined into
// chains and drawn through a Painter's MoveTo and LineTo, as every curve is drawn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "picture/PlotView.h"

class EquationSource {
public:
    // left − right of the equation at (x, y) in curve units; NaN where either side has no value.
    virtual double At(double x, double y) const = 0;

protected:
    ~EquationSource() = default;
};

// The rectangle traced, in continuous picture units (pixel c covers [c, c + 1)).
struct TraceRegion {
    double left = 0, top = 0, right = PlotView::PictureWidth, bottom = PlotView::PictureWidth;
};

// A strip the curve is restricted to: low ≤ x ≤ high (or y), in curve units.
struct TraceStrip {
    bool onX = true;
    double low = 0, high = 0;
};

class EquationTrace {
public:
    static constexpr int CoarseCell = 4;  // pixels per side of the first look's cells

    // Draws F = 0 inside `region` in `color`, on the mapping of `view`, restricted to `strip`.
    void Trace(const EquationSource& source, const PlotView& view, TraceRegion region,
               std::optional<TraceStrip> strip, Painter& canvas, TColor color);
    std::size_t Evaluations() const { return evaluations; }

private:
    enum Crossing : std::uint8_t { NotLooked, NoZero, SignChange, Touch };
    struct Point {
        double x, y;  // curve units
    };

    double Node(int i, int j);
    double At(double column, double row);
    Point WorldAt(double column, double row) const;
    // The zero on the side from node (i, j) to its right (vertical false) or lower neighbour.
    Crossing Side(int i, int j, bool vertical, float& fraction);
    Crossing SideOf(int i, int j, bool vertical);
    bool MayHoldTheCurve(int ci, int cj);
    void LookAtCell(int ci, int cj);
    int PointId(int i, int j, bool vertical) const { return 2 * (j * nodes + i) + (vertical ? 1 : 0); }
    Point PointOf(int id) const;
    void DrawChains(Painter& canvas, TColor color);
    void DrawPiece(const Point& from, const Point& to, Painter& canvas, TColor color);

    const EquationSource* source = nullptr;
    const PlotView* view = nullptr;
    std::optional<TraceStrip> strip;
    double left = 0, top = 0;  // node (0, 0), in picture units
    int nodes = 0;             // per side; node i lies at left + i
    int coarse = 0;            // coarse cells per side
    std::size_t evaluations = 0;
    bool penAtLast = false;

    std::vector<double> values;            // F at the nodes
    std::vector<std::uint8_t> looked;      // whether values[k] holds F
    std::vector<std::uint8_t> crossings;   // per side: 2 per node (to the right, downwards)
    std::vector<float> fractions;          // where on that side the zero lies, 0 to 1
    std::vector<std::uint8_t> cellState;   // per coarse cell: 0 not queued, 1 queued
    std::vector<int> queue;
    std::vector<std::pair<int, int>> segments;  // point ids
    std::vector<Point> extraPoints;             // ids from 2·nodes² on: where three zeros meet
    std::vector<std::pair<int, int>> ends;      // (point id, segment) for both ends, sorted
    std::vector<std::uint8_t> used;
};
