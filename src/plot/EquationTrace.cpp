#include "plot/EquationTrace.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
// Halvings of a pixel's side that bracket a zero (to 1/256 of a pixel) before it is interpolated.
constexpr int BisectionSteps = 8;
// A sign change whose bracket keeps this share of |F| is a pole or a jump, not a zero.
constexpr double JumpShare = 0.1;
// Steps of the golden-section search for a minimum of |F| along a side.
constexpr int GoldenSteps = 26;
// A minimum of |F| at most this share of |F| around it is a zero where F keeps its sign.
constexpr double TouchShare = 1e-6;
// A coarse cell is looked at again when |F| at a corner is within this many times the change
// of F to a neighbouring corner: the curve may pass within about that many cells.
constexpr double NearShare = 1.5;

bool Negative(double f) { return f < 0; }

}  // namespace

EquationTrace::Point EquationTrace::WorldAt(double column, double row) const {
    return {(column - (view->OriginX - 0.5)) / view->ScaleX, ((view->OriginY + 1.5) - row) / view->ScaleY};
}

double EquationTrace::At(double column, double row) {
    ++evaluations;
    const Point p = WorldAt(column, row);
    const double f = source->At(p.x, p.y);
    return std::isfinite(f) ? f : NaN;
}

double EquationTrace::Node(int i, int j) {
    if (i < 0 || j < 0 || i >= nodes || j >= nodes) return At(left + i, top + j);
    const std::size_t k = static_cast<std::size_t>(j) * nodes + i;
    if (!looked[k]) {
        values[k] = At(left + i, top + j);
        looked[k] = 1;
    }
    return values[k];
}

EquationTrace::Crossing EquationTrace::Side(int i, int j, bool vertical, float& fraction) {
    const int di = vertical ? 0 : 1, dj = vertical ? 1 : 0;
    const double f0 = Node(i, j), f1 = Node(i + di, j + dj);
    if (std::isnan(f0) || std::isnan(f1)) return NoZero;
    const auto along = [&](double t) { return At(left + i + di * t, top + j + dj * t); };

    if (Negative(f0) != Negative(f1)) {
        double lo = 0, hi = 1, fLo = f0, fHi = f1;
        for (int step = 0; step < BisectionSteps; ++step) {
            const double middle = (lo + hi) / 2, f = along(middle);
            if (std::isnan(f)) return NoZero;
            if (Negative(f) == Negative(fLo)) {
                lo = middle, fLo = f;
            } else {
                hi = middle, fHi = f;
            }
        }
        // A zero's bracket holds ever smaller values; a pole's or a jump's does not.
        if (std::max(std::fabs(fLo), std::fabs(fHi)) > JumpShare * std::max(std::fabs(f0), std::fabs(f1))) return NoZero;
        fraction = static_cast<float>(lo + (hi - lo) * fLo / (fLo - fHi));
        return SignChange;
    }

    // The same sign at both ends: a zero here is a minimum of |F| that reaches zero. Central
    // differences are exact for a square such as (x − y)², so a minimum lies on this side exactly
    // when the slope of |F| turns from falling to rising between its two ends.
    const double sign = Negative(f0) ? -1 : 1;
    const double g0 = sign * f0, g1 = sign * f1;
    if (g0 == 0 || g1 == 0) {
        fraction = g0 == 0 ? 0.0f : 1.0f;
        return Touch;
    }
    const double fBefore = Node(i - di, j - dj), fAfter = Node(i + 2 * di, j + 2 * dj);
    if (std::isnan(fBefore) || std::isnan(fAfter)) return NoZero;
    const double slope0 = g1 - sign * fBefore, slope1 = sign * fAfter - g0;
    if (!(slope0 <= 0 && slope1 >= 0) || (slope0 == 0 && slope1 == 0)) return NoZero;
    const double scale = std::max({std::fabs(fBefore), std::fabs(fAfter), g0, g1});
    if (!(std::min(g0, g1) <= 0.5 * scale)) return NoZero;

    constexpr double Golden = 0.6180339887498949;
    double a = 0, b = 1, c = b - Golden * (b - a), d = a + Golden * (b - a);
    double gc = sign * along(c), gd = sign * along(d);
    for (int step = 0; step < GoldenSteps; ++step) {
        if (std::isnan(gc) || std::isnan(gd)) return NoZero;
        if (gc < gd) {
            b = d, d = c, gd = gc;
            c = b - Golden * (b - a);
            gc = sign * along(c);
        } else {
            a = c, c = d, gc = gd;
            d = a + Golden * (b - a);
            gd = sign * along(d);
        }
    }
    const double best = std::min(gc, gd);
    if (!(best <= TouchShare * scale)) return NoZero;
    fraction = static_cast<float>(gc < gd ? c : d);
    return Touch;
}

EquationTrace::Crossing EquationTrace::SideOf(int i, int j, bool vertical) {
    const int id = PointId(i, j, vertical);
    if (crossings[id] == NotLooked) crossings[id] = Side(i, j, vertical, fractions[id]);
    return static_cast<Crossing>(crossings[id]);
}

bool EquationTrace::MayHoldTheCurve(int ci, int cj) {
    constexpr int s = CoarseCell;
    const int corners[4][2] = {{ci * s, cj * s}, {ci * s + s, cj * s}, {ci * s, cj * s + s}, {ci * s + s, cj * s + s}};
    int valid = 0, negative = 0;
    for (const auto& corner : corners) {
        const double f = Node(corner[0], corner[1]);
        if (std::isnan(f)) continue;
        ++valid;
        negative += Negative(f);
    }
    if (valid == 0) return false;
    if (valid < 4 || (negative != 0 && negative != valid)) return true;
    for (const auto& corner : corners) {
        const double f = Node(corner[0], corner[1]);
        double change = 0;
        const int around[4][2] = {{-s, 0}, {s, 0}, {0, -s}, {0, s}};
        for (const auto& step : around) {
            const int i = corner[0] + step[0], j = corner[1] + step[1];
            if (i < 0 || j < 0 || i >= nodes || j >= nodes) continue;
            const double g = Node(i, j);
            if (!std::isnan(g)) change = std::max(change, std::fabs(f - g));
        }
        if (std::fabs(f) <= NearShare * change) return true;
    }
    return false;
}

void EquationTrace::LookAtCell(int ci, int cj) {
    constexpr int s = CoarseCell;
    const int lastNode = nodes - 1;
    for (int j = cj * s; j < std::min(cj * s + s, lastNode); ++j) {
        for (int i = ci * s; i < std::min(ci * s + s, lastNode); ++i) {
            // The sides in order round the pixel: top, right, bottom, left.
            const int sides[4][3] = {{i, j, 0}, {i + 1, j, 1}, {i, j + 1, 0}, {i, j, 1}};
            int found[4], kinds[4], count = 0;
            for (const auto& side : sides) {
                const Crossing crossing = SideOf(side[0], side[1], side[2] != 0);
                if (crossing != SignChange && crossing != Touch) continue;
                kinds[count] = crossing;
                found[count++] = PointId(side[0], side[1], side[2] != 0);
            }
            if (count == 2) {
                segments.push_back({found[0], found[1]});
            } else if (count == 4) {
                bool saddle = true;
                for (int k = 0; k < 4; ++k) saddle = saddle && kinds[k] == SignChange;
                // At a saddle the centre decides which two corners the curve cuts off.
                const bool cutTopRight = saddle && Negative(At(left + i + 0.5, top + j + 0.5)) == Negative(Node(i, j));
                if (cutTopRight) {
                    segments.push_back({found[0], found[1]});
                    segments.push_back({found[2], found[3]});
                } else {
                    segments.push_back({found[0], found[3]});
                    segments.push_back({found[1], found[2]});
                }
            } else if (count == 3) {
                Point centre{0, 0};
                for (int k = 0; k < 3; ++k) {
                    const Point p = PointOf(found[k]);
                    centre.x += p.x / 3, centre.y += p.y / 3;
                }
                const int id = 2 * nodes * nodes + static_cast<int>(extraPoints.size());
                extraPoints.push_back(centre);
                for (int k = 0; k < 3; ++k) segments.push_back({found[k], id});
            }
        }
    }
    // A zero on the cell's border belongs to the neighbour as well: look at it too.
    for (int k = 0; k < s; ++k) {
        const int i = ci * s + k, j = cj * s + k;
        const std::pair<int, int> neighbours[4][2] = {
            {{i, cj * s}, {ci, cj - 1}}, {{i, cj * s + s}, {ci, cj + 1}}, {{ci * s, j}, {ci - 1, cj}}, {{ci * s + s, j}, {ci + 1, cj}}};
        for (int side = 0; side < 4; ++side) {
            const auto [node, cell] = std::pair(neighbours[side][0], neighbours[side][1]);
            if (cell.first < 0 || cell.second < 0 || cell.first >= coarse || cell.second >= coarse) continue;
            const bool vertical = side >= 2;
            if (node.first >= nodes || node.second >= nodes) continue;
            const std::uint8_t crossing = crossings[PointId(node.first, node.second, vertical)];
            std::uint8_t& state = cellState[static_cast<std::size_t>(cell.second) * coarse + cell.first];
            if ((crossing == SignChange || crossing == Touch) && state == 0) {
                state = 1;
                queue.push_back(cell.second * coarse + cell.first);
            }
        }
    }
}

EquationTrace::Point EquationTrace::PointOf(int id) const {
    const int base = 2 * nodes * nodes;
    if (id >= base) return extraPoints[id - base];
    const int k = id / 2, i = k % nodes, j = k / nodes;
    const double f = fractions[id];
    return id % 2 ? WorldAt(left + i, top + j + f) : WorldAt(left + i + f, top + j);
}

void EquationTrace::DrawPiece(const Point& from, const Point& to, Painter& canvas, TColor color) {
    double t0 = 0, t1 = 1;
    if (strip) {
        const double a = strip->onX ? from.x : from.y, b = strip->onX ? to.x : to.y;
        if (a == b) {
            if (a < strip->low || a > strip->high) t0 = 1, t1 = 0;
        } else {
            const double tLow = (strip->low - a) / (b - a), tHigh = (strip->high - a) / (b - a);
            t0 = std::max(t0, std::min(tLow, tHigh));
            t1 = std::min(t1, std::max(tLow, tHigh));
        }
    }
    if (!(t0 <= t1)) {
        penAtLast = false;
        return;
    }
    const auto at = [&](double t) {
        return view->MapPrecise(from.x + t * (to.x - from.x), from.y + t * (to.y - from.y));
    };
    if (!penAtLast || t0 > 0) canvas.MoveTo(at(t0));
    canvas.Pen.Color = color;
    canvas.LineTo(at(t1));
    penAtLast = t1 == 1;
}

void EquationTrace::DrawChains(Painter& canvas, TColor color) {
    ends.clear();
    for (std::size_t s = 0; s < segments.size(); ++s) {
        ends.push_back({segments[s].first, static_cast<int>(s)});
        ends.push_back({segments[s].second, static_cast<int>(s)});
    }
    std::sort(ends.begin(), ends.end());
    used.assign(segments.size(), 0);
    const auto firstEnd = [&](int point) {
        return std::lower_bound(ends.begin(), ends.end(), std::pair(point, INT_MIN)) - ends.begin();
    };
    const auto walk = [&](int point) {
        penAtLast = false;
        for (;;) {
            std::size_t k = static_cast<std::size_t>(firstEnd(point));
            while (k < ends.size() && ends[k].first == point && used[ends[k].second]) ++k;
            if (k == ends.size() || ends[k].first != point) return;
            const auto [a, b] = segments[ends[k].second];
            used[ends[k].second] = 1;
            const int next = a == point ? b : a;
            DrawPiece(PointOf(point), PointOf(next), canvas, color);
            point = next;
        }
    };
    // Chains that end somewhere first, from an end, then the closed ones.
    for (std::size_t k = 0; k < ends.size();) {
        std::size_t last = k;
        while (last < ends.size() && ends[last].first == ends[k].first) ++last;
        if ((last - k) % 2 == 1) walk(ends[k].first);
        k = last;
    }
    for (std::size_t s = 0; s < segments.size(); ++s) {
        if (!used[s]) walk(segments[s].first);
    }
}

void EquationTrace::Trace(const EquationSource& equation, const PlotView& mapping, TraceRegion region,
                          std::optional<TraceStrip> within, Painter& canvas, TColor color) {
    source = &equation;
    view = &mapping;
    strip = within;
    evaluations = 0;
    if (strip) {
        // Only the columns (or rows) of the strip, and a pixel more, are looked at.
        if (strip->onX) {
            region.left = std::max(region.left, mapping.ScaleX * strip->low + mapping.OriginX - 0.5 - 1);
            region.right = std::min(region.right, mapping.ScaleX * strip->high + mapping.OriginX - 0.5 + 1);
        } else {
            region.top = std::max(region.top, mapping.OriginY + 1.5 - mapping.ScaleY * strip->high - 1);
            region.bottom = std::min(region.bottom, mapping.OriginY + 1.5 - mapping.ScaleY * strip->low + 1);
        }
    }
    if (!(region.right > region.left && region.bottom > region.top)) return;
    left = region.left;
    top = region.top;
    const double side = std::max(region.right - region.left, region.bottom - region.top);
    coarse = static_cast<int>(std::ceil(side / CoarseCell));
    nodes = coarse * CoarseCell + 1;
    const std::size_t count = static_cast<std::size_t>(nodes) * nodes;
    values.assign(count, 0);
    looked.assign(count, 0);
    crossings.assign(2 * count, NotLooked);
    fractions.assign(2 * count, 0);
    cellState.assign(static_cast<std::size_t>(coarse) * coarse, 0);
    queue.clear();
    segments.clear();
    extraPoints.clear();

    // A cell wholly beyond the region (the grid is square, the region need not be) is not looked at.
    const int lastColumn = static_cast<int>(std::ceil((region.right - left) / CoarseCell));
    const int lastRow = static_cast<int>(std::ceil((region.bottom - top) / CoarseCell));
    for (int cj = 0; cj < std::min(coarse, lastRow); ++cj) {
        for (int ci = 0; ci < std::min(coarse, lastColumn); ++ci) {
            if (!MayHoldTheCurve(ci, cj)) continue;
            cellState[static_cast<std::size_t>(cj) * coarse + ci] = 1;
            queue.push_back(cj * coarse + ci);
        }
    }
    for (std::size_t k = 0; k < queue.size(); ++k) {
        const int cell = queue[k];
        if (cell % coarse >= lastColumn || cell / coarse >= lastRow) continue;
        LookAtCell(cell % coarse, cell / coarse);
    }
    DrawChains(canvas, color);
}
