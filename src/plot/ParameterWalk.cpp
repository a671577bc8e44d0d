#include "plot/ParameterWalk.h"

#include <cmath>

namespace {
// Pieces are drawn this far beyond the graph square, so that a wide pen reaches its edge.
constexpr double AreaMargin = 4;
// A piece from a point to where the curve has none is halved this often to find the last point.
constexpr int BoundaryDepth = 40;
}  // namespace

WalkArea GraphSquareArea() {
    return {-AreaMargin, -AreaMargin, PlotView::PictureWidth + AreaMargin, PlotView::PictureWidth + AreaMargin, 0};
}

ParameterWalk::ParameterWalk(const ParametricSource& curve, const PlotView& view, WalkArea area, double step)
    : curve(curve), view(view), area(area), step(step > 0 ? step : 1),
      pending((MaxDepth + 1) * (MaxParts - 1) + 1), pendingDepth(pending.size()) {}

// Written in place: a point built elsewhere and copied in would be read back, a moment later, in
// other widths than it was written in, which stalls the processor at every point.
void ParameterWalk::Evaluate(double t, Mapped& mapped) {
    ++evaluations;
    mapped.t = t;
    mapped.sample = curve.At(t);
    mapped.outside = false;
    mapped.where = {};
    CurveSample& s = mapped.sample;
    s.valid = s.valid && std::isfinite(s.x) && std::isfinite(s.y);
    if (!s.valid) return;
    mapped.where = view.MapPrecise(s.x, s.y);
    // Far beyond any double the picture can hold, a point is as good as none.
    if (!std::isfinite(mapped.where.x) || !std::isfinite(mapped.where.y)) {
        s.valid = false;
        return;
    }
    mapped.outside = area.outsideLimit > 0 && (std::fabs(s.x) > area.outsideLimit || std::fabs(s.y) > area.outsideLimit);
}

bool ParameterWalk::BesideTheArea(const Mapped& from, const Mapped& to) const {
    const PicturePoint &p = from.where, &q = to.where;
    // Between two points the curve strays from their chord by about half its length at most, so
    // both must lie that much beyond one side of the area.
    const double reach = 0.5 * (std::fabs(q.x - p.x) + std::fabs(q.y - p.y));
    const double left = area.left - reach, right = area.right + reach, top = area.top - reach, bottom = area.bottom + reach;
    return (p.x < left && q.x < left) || (p.x > right && q.x > right) || (p.y < top && q.y < top) ||
           (p.y > bottom && q.y > bottom);
}

void ParameterWalk::Join(const Mapped& to, Painter& canvas, TColor color) {
    if (!penAtCurrent) canvas.MoveTo(current.where);
    canvas.Pen.Color = color;
    canvas.LineTo(to.where);
    penAtCurrent = true;
}

// Reaches pending[0] from the current point: each piece is drawn, left out (beside the area) or cut
// into parts about PartLength long, depth first, so that the pieces come in the order of the
// parameter. Where the curve ends, a piece is halved to find its last point.
void ParameterWalk::Refine(Painter& canvas, TColor color) {
    constexpr double PartLength = 0.95 * MaxPieceLength;
    std::size_t count = 1;
    pendingDepth[0] = 0;
    int budget = MaxEvaluationsPerStep;
    while (count > 0) {
        const Mapped& to = pending[count - 1];
        const int depth = pendingDepth[count - 1];
        int parts = 0;
        bool join = false;
        if (current.sample.valid && to.sample.valid) {
            if (!BesideTheArea(current, to)) {
                const double dx = to.where.x - current.where.x, dy = to.where.y - current.where.y;
                const double length = std::sqrt(dx * dx + dy * dy);
                const bool isShort = length <= MaxPieceLength;
                join = isShort && !current.outside && !to.outside;
                if (!isShort && !(current.outside && to.outside)) {
                    parts = length < MaxParts * PartLength ? static_cast<int>(std::ceil(length / PartLength)) : MaxParts;
                }
            }
        } else if (current.sample.valid || to.sample.valid) {
            parts = depth < BoundaryDepth ? 2 : 0;  // where the curve ends: find its last point
        } else {
            parts = depth == 0 ? 2 : 0;  // look once for a stretch of points between two without one
        }
        if (parts >= 2) {
            const double width = (to.t - current.t) / parts;
            // A piece that stays long down to the resolution of the parameter is a jump.
            if (current.t + width > current.t && current.t + width < to.t && depth < MaxDepth && budget >= parts) {
                budget -= parts - 1;
                const double from = current.t;
                for (int part = parts - 1; part >= 1; --part) {
                    // The next point to reach goes on top.
                    Evaluate(from + part * width, pending[count]);
                    pendingDepth[count++] = depth + 1;
                }
                continue;
            }
        }
        if (join) {
            Join(to, canvas, color);
        } else {
            penAtCurrent = false;
        }
        current = to;
        --count;
    }
}

CurveSample ParameterWalk::Start(double t, Painter& canvas) {
    Evaluate(t, current);
    penAtCurrent = current.sample.valid;
    if (penAtCurrent) canvas.MoveTo(current.where);
    return current.sample;
}

CurveSample ParameterWalk::WalkTo(double t, Painter& canvas, TColor color) {
    const double from = current.t;
    if (!(t > from)) return current.sample;
    const double steps = std::ceil((t - from) / step);
    const long long count = steps < 1 ? 1 : static_cast<long long>(steps);
    penAtCurrent = false;
    for (long long i = 1; i <= count; ++i) {
        const double next = i == count ? t : from + (t - from) * static_cast<double>(i) / static_cast<double>(count);
        Evaluate(next, pending[0]);
        Refine(canvas, color);
    }
    return current.sample;
}
