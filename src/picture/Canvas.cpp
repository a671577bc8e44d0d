#include "picture/Canvas.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <vector>

#include "picture/Drawing.h"
#include "picture/Fonts.h"

namespace {

using Int128 = __int128;

Int128 FloorDiv(Int128 a, Int128 b) {
    Int128 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

Int128 CeilDiv(Int128 a, Int128 b) { return -FloorDiv(-a, b); }

// The pixels of a line: D steps along the major axis (the end pixel is not one of them); at step
// i the minor offset is floor((2·i·d + D) / (2·D)), i.e. i·d/D rounded half up, d ≤ D being the
// minor extent. Clipping computes the first visible step directly, so a line from far outside
// draws exactly the pixels of the full walk.
struct LineWalk {
    std::int64_t major0, minor0;  // start on the major and minor axis
    int majorSign, minorSign;
    std::int64_t D, d;
    bool xMajor;
};

LineWalk MakeWalk(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    std::int64_t dx = x1 - x0, dy = y1 - y0;
    std::int64_t ax = dx < 0 ? -dx : dx, ay = dy < 0 ? -dy : dy;
    LineWalk walk{};
    walk.xMajor = ax >= ay;
    if (walk.xMajor) {
        walk = {x0, y0, dx < 0 ? -1 : 1, dy < 0 ? -1 : 1, ax, ay, true};
    } else {
        walk = {y0, x0, dy < 0 ? -1 : 1, dx < 0 ? -1 : 1, ay, ax, false};
    }
    return walk;
}

// Steps [first, last) of the walk with the major coordinate in [majorLow, majorHigh) and the minor
// coordinate in [minorLow, minorHigh). Empty when first >= last.
void ClipWalk(const LineWalk& w, std::int64_t majorLow, std::int64_t majorHigh, std::int64_t minorLow,
              std::int64_t minorHigh, Int128& first, Int128& last) {
    first = 0;
    last = w.D;
    // Major axis: the coordinate moves by one each step.
    if (w.majorSign > 0) {
        first = std::max<Int128>(first, majorLow - w.major0);
        last = std::min<Int128>(last, majorHigh - w.major0);
    } else {
        first = std::max<Int128>(first, w.major0 - majorHigh + 1);
        last = std::min<Int128>(last, w.major0 - majorLow + 1);
    }
    // Minor axis: offsets k in [kLow, kHigh) are visible.
    Int128 kLow, kHigh;
    if (w.minorSign > 0) {
        kLow = minorLow - w.minor0;
        kHigh = minorHigh - w.minor0;
    } else {
        kLow = w.minor0 - minorHigh + 1;
        kHigh = w.minor0 - minorLow + 1;
    }
    if (w.d == 0) {
        if (kLow > 0 || kHigh <= 0) last = first;
        return;
    }
    // k(i) >= K  ⇔  i >= ceil((2·D·K − D) / (2·d)).
    Int128 twoD = 2 * static_cast<Int128>(w.D), twod = 2 * static_cast<Int128>(w.d);
    first = std::max(first, CeilDiv(twoD * kLow - w.D, twod));
    last = std::min(last, CeilDiv(twoD * kHigh - w.D, twod));
}

// Calls plot(x, y) for the steps of the walk inside the given clip box.
template <typename Plot>
void WalkLine(const LineWalk& w, std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
              Plot plot) {
    Int128 first, last;
    if (w.xMajor) ClipWalk(w, left, right, top, bottom, first, last);
    else ClipWalk(w, top, bottom, left, right, first, last);
    if (first >= last) return;
    Int128 numerator = 2 * first * w.d + w.D;
    std::int64_t twoD = 2 * w.D;
    std::int64_t k = static_cast<std::int64_t>(numerator / twoD);
    std::int64_t remainder = static_cast<std::int64_t>(numerator % twoD);
    std::int64_t major = w.major0 + w.majorSign * static_cast<std::int64_t>(first);
    std::int64_t minor = w.minor0 + w.minorSign * k;
    for (std::int64_t n = static_cast<std::int64_t>(last - first); n > 0; --n) {
        if (w.xMajor) plot(static_cast<int>(major), static_cast<int>(minor));
        else plot(static_cast<int>(minor), static_cast<int>(major));
        major += w.majorSign;
        remainder += 2 * w.d;
        if (remainder >= twoD) {
            remainder -= twoD;
            minor += w.minorSign;
        }
    }
}

TColor Blend(TColor background, TColor ink, unsigned coverage) {
    if (coverage >= 255) return ink;
    TColor result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int b = static_cast<int>((background >> shift) & 0xFF);
        int f = static_cast<int>((ink >> shift) & 0xFF);
        int mixed = b + ((f - b) * static_cast<int>(coverage) + 127) / 255;
        result |= static_cast<TColor>(mixed) << shift;
    }
    return result;
}

std::int64_t Clamp64(std::int64_t value, std::int64_t low, std::int64_t high) {
    return value < low ? low : (value > high ? high : value);
}

bool Inside(const TRect& area, TPoint p) { return p.x >= area.left && p.y >= area.top && p.x < area.right && p.y < area.bottom; }

}  // namespace

Canvas::Canvas(int width, int height, TColor fill) : bitmap(width, height, fill), area{0, 0, bitmap.Width(), bitmap.Height()} {}

Canvas::Canvas(const Canvas& other) : Painter(other), bitmap(other.bitmap), area(other.area) {}

Canvas& Canvas::operator=(const Canvas& other) {
    Painter::operator=(other);
    bitmap = other.bitmap;
    area = other.area;
    drawing = nullptr;
    return *this;
}

void Canvas::RecordInto(Drawing* target) { drawing = target; }

void Canvas::Reset(int width, int height, TColor fill) {
    if (bitmap.Width() == width && bitmap.Height() == height) {
        std::fill(bitmap.Pixels().begin(), bitmap.Pixels().end(), fill);  // no new pixels for every drawing
    } else {
        bitmap = Bitmap(width, height, fill);
    }
    ResetState();
    area = {0, 0, bitmap.Width(), bitmap.Height()};
    if (drawing) drawing->Clear(fill);
}

void Canvas::ClipChanged() {
    if (drawing) drawing->Clip(Clip());
    const TRect& clip = Clip();
    area = {std::max(clip.left, 0), std::max(clip.top, 0), std::min(clip.right, bitmap.Width()),
            std::min(clip.bottom, bitmap.Height())};
    if (area.right < area.left) area.right = area.left;
    if (area.bottom < area.top) area.bottom = area.top;
}

// ---- Lines.

void Canvas::LineTo(const PicturePoint& to) {
    if (drawing) drawing->LineTo(Pen, position, to);
    const TPoint from = position.pixel;
    position = to;
    DrawLine(from, to.pixel);
}

void Canvas::DrawLine(TPoint from, TPoint to) {
    const int x = to.x, y = to.y;
    const int width = bitmap.Width();
    if (area.left >= area.right || area.top >= area.bottom || (from.x == x && from.y == y)) return;
    const LineWalk walk = MakeWalk(from.x, from.y, x, y);
    const TColor color = Pen.Color;
    const int penWidth = std::clamp(Pen.Width, 1, 64);

    if (penWidth == 1) {
        // The hot path: one clip per line, then pointer steps along the rows.
        Int128 first = 0, last = walk.D;
        const bool inside = Inside(area, from) && Inside(area, to);
        if (!inside) {
            if (walk.xMajor) ClipWalk(walk, area.left, area.right, area.top, area.bottom, first, last);
            else ClipWalk(walk, area.top, area.bottom, area.left, area.right, first, last);
            if (first >= last) return;
        }
        const std::int64_t twoD = 2 * walk.D, twod = 2 * walk.d;
        Int128 numerator = 2 * first * walk.d + walk.D;
        std::int64_t k = inside ? 0 : static_cast<std::int64_t>(numerator / twoD);
        std::int64_t remainder = inside ? walk.D : static_cast<std::int64_t>(numerator % twoD);
        std::int64_t major = walk.major0 + walk.majorSign * static_cast<std::int64_t>(first);
        std::int64_t minor = walk.minor0 + walk.minorSign * k;
        std::ptrdiff_t majorStep, minorStep;
        TColor* p;
        if (walk.xMajor) {
            p = bitmap.Row(static_cast<int>(minor)) + major;
            majorStep = walk.majorSign;
            minorStep = walk.minorSign * static_cast<std::ptrdiff_t>(width);
        } else {
            p = bitmap.Row(static_cast<int>(major)) + minor;
            majorStep = walk.majorSign * static_cast<std::ptrdiff_t>(width);
            minorStep = walk.minorSign;
        }
        for (std::int64_t n = static_cast<std::int64_t>(last - first); n > 0; --n) {
            *p = color;
            p += majorStep;
            remainder += twod;
            if (remainder >= twoD) {
                remainder -= twoD;
                p += minorStep;
            }
        }
        return;
    }

    // A wide pen stamps a square of the pen's width on every pixel of the thin line, which keeps
    // the stroke as wide on a diagonal as on the axes. Width 2 covers the pixel and the one above
    // and to the left of it; width 3 is centred.
    const int low = -(penWidth / 2), high = (penWidth - 1) / 2;
    WalkLine(walk, static_cast<std::int64_t>(area.left) - high, static_cast<std::int64_t>(area.top) - high,
             static_cast<std::int64_t>(area.right) - low, static_cast<std::int64_t>(area.bottom) - low,
             [&](int px, int py) {
                 int x0 = std::max(px + low, area.left), x1 = std::min(px + high, area.right - 1);
                 int y0 = std::max(py + low, area.top), y1 = std::min(py + high, area.bottom - 1);
                 for (int row = y0; row <= y1; ++row) {
                     TColor* line = bitmap.Row(row);
                     for (int column = x0; column <= x1; ++column) line[column] = color;
                 }
             });
}

void Canvas::Polyline(const std::vector<TPoint>& points) {
    if (points.empty()) return;
    if (drawing) drawing->Polyline(Pen, points);
    for (std::size_t i = 1; i < points.size(); ++i) DrawLine(points[i - 1], points[i]);
}

// ---- Shapes. Both are drawn row by row from the spans of their inside; the outline is the part of
// the inside within the pen's width of the outside (in steps along rows and columns).

namespace {

struct Span {
    std::int64_t left = 0, right = 0;  // right exclusive; empty when left >= right
};

// The pixels of an ellipse inscribed in a box W × H: those whose centres lie inside or on it.
// Rows are relative to the box's top; columns relative to its left.
class EllipseSpans {
public:
    EllipseSpans(std::int64_t width, std::int64_t height) : W(width), H(height) {}
    Span Row(std::int64_t row) const {
        if (row < 0 || row >= H) return {};
        // In half-pixel units from the centre: u = 2·column + 1 − W, v = 2·row + 1 − H; a centre is
        // inside when u²·H² + v²·W² ≤ W²·H².
        const double v = static_cast<double>(2 * row + 1 - H);
        const double ratio = v / static_cast<double>(H);
        double reach = static_cast<double>(W) * std::sqrt(std::max(0.0, 1.0 - ratio * ratio));
        std::int64_t u = static_cast<std::int64_t>(std::floor(reach));
        // u must have the parity of W + 1.
        if (((u + W + 1) & 1) != 0) --u;
        if (W <= (1LL << 30) && H <= (1LL << 30)) {
            const Int128 vv = static_cast<Int128>(2 * row + 1 - H);
            auto inside = [&](std::int64_t uu) {
                return static_cast<Int128>(uu) * uu * H * H + vv * vv * W * W <= static_cast<Int128>(W) * W * H * H;
            };
            while (u + 2 <= W && inside(u + 2)) u += 2;
            while (u >= 0 && !inside(u)) u -= 2;
        }
        if (u < 0) return {};
        return {(W - 1 - u) / 2, (W - 1 + u) / 2 + 1};
    }

private:
    std::int64_t W, H;
};

class RectangleSpans {
public:
    RectangleSpans(std::int64_t width, std::int64_t height) : W(width), H(height) {}
    Span Row(std::int64_t row) const {
        if (row < 0 || row >= H) return {};
        return {0, W};
    }

private:
    std::int64_t W, H;
};

// Pixels left ≤ x < right of row y, as far as they lie in `area` (which lies in the bitmap).
void FillSpan(Bitmap& bitmap, const TRect& area, std::int64_t y, std::int64_t left, std::int64_t right, TColor color) {
    if (y < area.top || y >= area.bottom) return;
    left = Clamp64(left, area.left, area.right);
    right = Clamp64(right, area.left, area.right);
    if (left >= right) return;
    TColor* row = bitmap.Row(static_cast<int>(y));
    std::fill(row + left, row + right, color);
}

template <typename Spans>
void DrawShape(Bitmap& bitmap, const TRect& area, int x1, int y1, int x2, int y2, const TPen& pen, const TBrush& brush) {
    std::int64_t left = std::min(x1, x2), right = std::max(x1, x2);
    std::int64_t top = std::min(y1, y2), bottom = std::max(y1, y2);
    if (left == right || top == bottom || area.left >= area.right || area.top >= area.bottom) return;
    const Spans spans(right - left, bottom - top);
    const int width = std::clamp(pen.Width, 1, 64);
    const std::int64_t firstRow = std::max<std::int64_t>(area.top, top) - top;
    const std::int64_t lastRow = std::min<std::int64_t>(area.bottom, bottom) - top;
    if (firstRow >= lastRow) return;
    // Every row drawn and the `width` rows on either side, each worked out once.
    std::vector<Span> rows(static_cast<std::size_t>(lastRow - firstRow + 2 * width));
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = spans.Row(firstRow - width + static_cast<std::int64_t>(i));
    auto spanOf = [&](std::int64_t row) { return rows[static_cast<std::size_t>(row - firstRow + width)]; };
    for (std::int64_t row = firstRow; row < lastRow; ++row) {
        const Span outer = spanOf(row);
        if (outer.left >= outer.right) continue;
        // Inside proper: in every row within `width` steps, shrunk by the remaining steps.
        Span inner{outer.left + width, outer.right - width};
        for (int dy = 1; dy <= width && inner.left < inner.right; ++dy) {
            for (int sign = -1; sign <= 1; sign += 2) {
                const Span other = spanOf(row + sign * dy);
                inner.left = std::max(inner.left, other.left + (width - dy));
                inner.right = std::min(inner.right, other.right - (width - dy));
                if (other.left >= other.right) inner.right = inner.left;
            }
        }
        const std::int64_t y = top + row;
        if (inner.left >= inner.right) {
            FillSpan(bitmap, area, y, left + outer.left, left + outer.right, pen.Color);
            continue;
        }
        FillSpan(bitmap, area, y, left + outer.left, left + inner.left, pen.Color);
        FillSpan(bitmap, area, y, left + inner.right, left + outer.right, pen.Color);
        if (brush.Style == BrushStyle::Solid) FillSpan(bitmap, area, y, left + inner.left, left + inner.right, brush.Color);
    }
}

}  // namespace

void Canvas::Ellipse(int x1, int y1, int x2, int y2) {
    if (drawing) drawing->Ellipse(Pen, Brush, {x1, y1, x2, y2});
    DrawShape<EllipseSpans>(bitmap, area, x1, y1, x2, y2, Pen, Brush);
}

void Canvas::Rectangle(int x1, int y1, int x2, int y2) {
    if (drawing) drawing->Rectangle(Pen, Brush, {x1, y1, x2, y2});
    DrawShape<RectangleSpans>(bitmap, area, x1, y1, x2, y2, Pen, Brush);
}

void Canvas::FillRect(TRect rect, TColor color) {
    if (drawing) drawing->FillRect(rect, color);
    const std::int64_t top = std::max(rect.top, area.top), bottom = std::min(rect.bottom, area.bottom);
    for (std::int64_t row = top; row < bottom; ++row) FillSpan(bitmap, area, row, rect.left, rect.right, color);
}

// Pixels whose centres lie inside the polygon, row by row: the crossings of the row's centre line
// with the edges, sorted, taken in pairs.
void Canvas::FillPolygon(const std::vector<PicturePoint>& polygon, TColor color) {
    if (polygon.size() < 3) return;
    double top = polygon.front().y, bottom = top;
    for (const PicturePoint& p : polygon) top = std::min(top, p.y), bottom = std::max(bottom, p.y);
    const int firstRow = static_cast<int>(std::max<double>(area.top, std::ceil(top - 0.5)));
    const int lastRow = static_cast<int>(std::min<double>(area.bottom - 1, std::floor(bottom - 0.5)));
    std::vector<double> crossings;
    for (int row = firstRow; row <= lastRow; ++row) {
        const double y = row + 0.5;
        crossings.clear();
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            const PicturePoint& a = polygon[i];
            const PicturePoint& b = polygon[(i + 1) % polygon.size()];
            if ((a.y <= y) == (b.y <= y)) continue;
            crossings.push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            FillSpan(bitmap, area, row, static_cast<std::int64_t>(std::ceil(crossings[i] - 0.5)),
                     static_cast<std::int64_t>(std::ceil(crossings[i + 1] - 0.5)), color);
        }
    }
}

// ---- Flood fill: spans of one row at a time from an explicit stack, so that no area is deep enough
// to exhaust the call stack. A mask of visited pixels lets the brush colour equal a colour inside.

void Canvas::FloodFill(int x, int y, TColor border, const std::vector<PicturePoint>& outline) {
    if (drawing) drawing->FloodFill(Brush, {x, y}, border, outline);
    if (!Inside(area, {x, y}) || bitmap.Pixel(x, y) == border || Brush.Style == BrushStyle::Clear) return;
    const int width = bitmap.Width();
    std::vector<std::uint8_t> done(static_cast<std::size_t>(width) * bitmap.Height(), 0);
    auto fillable = [&](int px, int py) {
        return done[static_cast<std::size_t>(py) * width + px] == 0 && bitmap.Row(py)[px] != border;
    };
    std::vector<TPoint> seeds{{x, y}};
    while (!seeds.empty()) {
        TPoint seed = seeds.back();
        seeds.pop_back();
        if (!fillable(seed.x, seed.y)) continue;
        int left = seed.x, right = seed.x;
        while (left > area.left && fillable(left - 1, seed.y)) --left;
        while (right + 1 < area.right && fillable(right + 1, seed.y)) ++right;
        TColor* row = bitmap.Row(seed.y);
        std::uint8_t* mask = done.data() + static_cast<std::size_t>(seed.y) * width;
        for (int column = left; column <= right; ++column) {
            row[column] = Brush.Color;
            mask[column] = 1;
        }
        for (int neighbour : {seed.y - 1, seed.y + 1}) {
            if (neighbour < area.top || neighbour >= area.bottom) continue;
            bool inRun = false;
            for (int column = left; column <= right; ++column) {
                bool open = fillable(column, neighbour);
                if (open && !inRun) seeds.push_back({column, neighbour});
                inRun = open;
            }
        }
    }
}

// ---- Text.

namespace {

struct TextLayout {
    FontFace* face = nullptr;
    int pixelSize = 0;
    int advance = 0;
    FontMetrics metrics;
    std::u32string codes;
};

TextLayout LayOut(const TFont& font, const std::string& utf8) {
    TextLayout layout;
    layout.pixelSize = FontPixelSize(font.Size);
    if (layout.pixelSize <= 0) return layout;
    layout.face = FindFace(font.Name, font.Italic, font.Bold);
    if (!layout.face) return layout;
    layout.metrics = layout.face->Metrics(layout.pixelSize);
    layout.codes = DecodeUtf8(utf8);
    for (char32_t code : layout.codes) layout.advance += layout.face->Glyph(code, layout.pixelSize).Advance;
    return layout;
}

}  // namespace

TPoint Painter::TextExtent(const std::string& utf8) const {
    TextLayout layout = LayOut(Font, utf8);
    if (!layout.face) return {0, 0};
    return {layout.advance, layout.metrics.Height()};
}

void Canvas::TextOut(int x, int y, const std::string& utf8) {
    if (drawing) drawing->TextOut(Font, Brush, {x, y}, utf8);
    TextLayout layout = LayOut(Font, utf8);
    position = PicturePoint::AtPixel(
        static_cast<int>(Clamp64(static_cast<std::int64_t>(x) + layout.advance, INT32_MIN, INT32_MAX)), y);
    if (!layout.face) return;
    const std::int64_t bottom = static_cast<std::int64_t>(y) + layout.metrics.Height();
    if (Brush.Style == BrushStyle::Solid) {
        for (std::int64_t row = std::max<std::int64_t>(y, area.top); row < std::min<std::int64_t>(bottom, area.bottom); ++row)
            FillSpan(bitmap, area, row, x, static_cast<std::int64_t>(x) + layout.advance, Brush.Color);
    }
    const std::int64_t baseline = static_cast<std::int64_t>(y) + layout.metrics.Ascent;
    std::int64_t penX = x;
    for (char32_t code : layout.codes) {
        const GlyphImage& glyph = layout.face->Glyph(code, layout.pixelSize);
        BlendGlyph(glyph, penX, baseline, Font.Color);
        penX += glyph.Advance;
    }
}

void Canvas::BlendGlyph(const GlyphImage& glyph, long long penX, long long baseline, TColor color) {
    const std::int64_t left = penX + glyph.Left, top = baseline - glyph.Top;
    for (int gy = 0; gy < glyph.Height; ++gy) {
        const std::int64_t py = top + gy;
        if (py < area.top || py >= area.bottom) continue;
        TColor* row = bitmap.Row(static_cast<int>(py));
        const std::uint8_t* coverage = glyph.Coverage.data() + static_cast<std::size_t>(gy) * glyph.Width;
        const int gx0 = static_cast<int>(Clamp64(area.left - left, 0, glyph.Width));
        const int gx1 = static_cast<int>(Clamp64(area.right - left, 0, glyph.Width));
        for (int gx = gx0; gx < gx1; ++gx) {
            if (coverage[gx] == 0) continue;
            TColor& pixel = row[left + gx];
            pixel = Blend(pixel, color, coverage[gx]);
        }
    }
}

// ---- Bitmaps.

namespace {

// Copies the rectangle `from` of `source` stretched into the destination box (right and bottom
// exclusive), nearest neighbour: each destination pixel takes the source pixel under its centre.
// Source pixels outside the source bitmap leave the destination as it was.
void CopyStretched(Bitmap& target, const TRect& area, std::int64_t left, std::int64_t top, std::int64_t right,
                   std::int64_t bottom, const Bitmap& source, TRect from) {
    const std::int64_t destWidth = right - left, destHeight = bottom - top;
    const std::int64_t fromWidth = static_cast<std::int64_t>(from.right) - from.left;
    const std::int64_t fromHeight = static_cast<std::int64_t>(from.bottom) - from.top;
    if (destWidth <= 0 || destHeight <= 0 || fromWidth <= 0 || fromHeight <= 0) return;
    const std::int64_t x0 = std::max<std::int64_t>(left, area.left), x1 = std::min<std::int64_t>(right, area.right);
    const std::int64_t y0 = std::max<std::int64_t>(top, area.top), y1 = std::min<std::int64_t>(bottom, area.bottom);
    if (x0 >= x1 || y0 >= y1) return;
    auto sourceOf = [](std::int64_t offset, std::int64_t destSize, std::int64_t fromStart, std::int64_t fromSize) {
        return fromStart + static_cast<std::int64_t>((static_cast<Int128>(2 * offset + 1) * fromSize) / (2 * destSize));
    };
    std::vector<std::int64_t> columns(static_cast<std::size_t>(x1 - x0));
    for (std::int64_t x = x0; x < x1; ++x) columns[x - x0] = sourceOf(x - left, destWidth, from.left, fromWidth);
    // Copying a canvas onto itself reads from a snapshot, so that no pixel is read after being written.
    const Bitmap snapshot = &source == &target ? source : Bitmap();
    const Bitmap& read = &source == &target ? snapshot : source;
    for (std::int64_t y = y0; y < y1; ++y) {
        const std::int64_t sy = sourceOf(y - top, destHeight, from.top, fromHeight);
        if (sy < 0 || sy >= read.Height()) continue;
        const TColor* sourceRow = read.Row(static_cast<int>(sy));
        TColor* row = target.Row(static_cast<int>(y));
        for (std::int64_t x = x0; x < x1; ++x) {
            const std::int64_t sx = columns[x - x0];
            if (sx >= 0 && sx < read.Width()) row[x] = sourceRow[sx];
        }
    }
}

}  // namespace

void Canvas::StretchDraw(TRect dest, const Bitmap& source) {
    if (drawing) drawing->StretchDraw(dest, source);
    CopyRect(dest, source, {0, 0, source.Width(), source.Height()});
}

void Canvas::CopyRect(TRect dest, const Bitmap& source, TRect from) {
    CopyStretched(bitmap, area, dest.left, dest.top, dest.right, dest.bottom, source, from);
}
