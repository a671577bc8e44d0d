#include "picture/Drawing.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// A point is kept as one 24-bit word: its step from the point before (−31 to 31 columns and rows,
// six bits each) and its offsets before rounding from its pixel's centre in 1/64 pixel (−32 to 31,
// six bits each). A larger step is the column step −32, and the point's column and row follow as
// 32-bit numbers.
constexpr double OffsetUnit = 64.0;
constexpr int Escape = -32;

int Offset(double exact, int pixel) {
    const double value = (exact - (pixel + 0.5)) * OffsetUnit;
    // Beyond half a pixel (a point whose pixel saturated far outside) the pixel is all there is.
    if (!(value >= -OffsetUnit / 2 - 0.5 && value <= OffsetUnit / 2 + 0.5)) return 0;
    return std::clamp(static_cast<int>(value + (value < 0 ? -0.5 : 0.5)), -32, 31);
}

bool SmallStep(int from, int to) {
    const long long step = static_cast<long long>(to) - from;
    return step > Escape && step <= 31;
}

int Field(std::uint32_t word, int shift) { return static_cast<int>((word >> shift) & 63) - 32; }

// Images up to this many pixels (the formula glyphs) are looked up among those kept before, so
// that a repeat display does not keep a copy for every caption it writes.
constexpr int SmallImagePixels = 64 * 64;

}  // namespace

Drawing::PointStore::PointStore(const PointStore& other) { *this = other; }

Drawing::PointStore& Drawing::PointStore::operator=(const PointStore& other) {
    if (this == &other) return *this;
    blocks.clear();
    for (const auto& block : other.blocks) {
        blocks.push_back(std::make_unique<std::uint8_t[]>(BlockBytes));
        std::memcpy(blocks.back().get(), block.get(), BlockBytes);
    }
    size = other.size;
    return *this;
}

std::uint8_t* Drawing::PointStore::Append(std::size_t bytes) {
    size = NextStart(size);
    if (size / BlockBytes == blocks.size()) blocks.push_back(std::make_unique<std::uint8_t[]>(BlockBytes));
    std::uint8_t* room = blocks[size / BlockBytes].get() + size % BlockBytes;
    size += bytes;
    return room;
}

void Drawing::PointStore::Truncate(std::size_t position) {
    if (position >= size) return;
    size = position;
    if (blocks.size() > size / BlockBytes + 1) blocks.resize(size / BlockBytes + 1);
}

void Drawing::PointStore::Clear() {
    blocks.clear();
    size = 0;
}

class Drawing::PointReader {
public:
    PointReader(const PointStore& points, std::size_t at, PicturePoint last = {}) : points(points), at(at), last(last) {}
    PicturePoint Next() {
        at = PointStore::NextStart(at);
        const std::uint8_t* bytes = points.At(at);
        const std::uint32_t word = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16);
        int column, row;
        if (Field(word, 0) == Escape) {
            std::int32_t full[2];
            std::memcpy(full, bytes + 3, sizeof full);
            column = full[0], row = full[1];
            at += 3 + sizeof full;
        } else {
            column = last.pixel.x + Field(word, 0);
            row = last.pixel.y + Field(word, 6);
            at += 3;
        }
        last = {{column, row}, column + 0.5 + Field(word, 12) / OffsetUnit, row + 0.5 + Field(word, 18) / OffsetUnit};
        return last;
    }
    std::size_t Position() const { return at; }
    const PicturePoint& Last() const { return last; }

private:
    const PointStore& points;
    std::size_t at;
    PicturePoint last;
};

void Drawing::AddPoint(const PicturePoint& point, const PicturePoint* previous) {
    const bool step = previous && SmallStep(previous->pixel.x, point.pixel.x) && SmallStep(previous->pixel.y, point.pixel.y);
    const int dx = step ? point.pixel.x - previous->pixel.x : Escape;
    const int dy = step ? point.pixel.y - previous->pixel.y : 0;
    const std::uint32_t word = static_cast<std::uint32_t>(dx + 32) | static_cast<std::uint32_t>(dy + 32) << 6 |
                               static_cast<std::uint32_t>(Offset(point.x, point.pixel.x) + 32) << 12 |
                               static_cast<std::uint32_t>(Offset(point.y, point.pixel.y) + 32) << 18;
    std::uint8_t* out = points.Append(step ? 3 : PointStore::LongestPoint);
    out[0] = static_cast<std::uint8_t>(word);
    out[1] = static_cast<std::uint8_t>(word >> 8);
    out[2] = static_cast<std::uint8_t>(word >> 16);
    if (!step) {
        const std::int32_t full[2] = {point.pixel.x, point.pixel.y};
        std::memcpy(out + 3, full, sizeof full);
    }
    ++operations.back().count;
}

Drawing::Operation& Drawing::Add(Kind kind) {
    Operation& operation = operations.emplace_back();
    operation.kind = kind;
    return operation;
}

void Drawing::AddPoints(Operation& operation, const std::vector<PicturePoint>& list) {
    operation.first = PointStore::NextStart(points.Size());
    for (std::size_t i = 0; i < list.size(); ++i) AddPoint(list[i], i == 0 ? nullptr : &list[i - 1]);
}

void Drawing::Clear(TColor fill) {
    operations.clear();
    points.Clear();
    texts.clear();
    images.clear();
    ++generation;
    ++clears;
    Add(Kind::Clear).color = fill;
}

Drawing::Mark Drawing::Here() const {
    return {clears, operations.size(), operations.empty() ? 0 : operations.back().count, points.Size(), runEnd,
            texts.size(), images.size()};
}

bool Drawing::TruncateTo(const Mark& mark) {
    if (mark.clears != clears || mark.operations > operations.size()) return false;
    operations.resize(mark.operations);
    if (!operations.empty()) operations.back().count = mark.lastCount;
    points.Truncate(mark.pointBytes);
    runEnd = mark.runEnd;
    texts.resize(mark.texts);
    images.resize(mark.images);
    ++generation;
    return true;
}

void Drawing::LineTo(const TPen& pen, const PicturePoint& from, const PicturePoint& to) {
    const Operation& last = operations.back();
    if (last.kind == Kind::Line && last.pen == pen && runEnd == from) {
        AddPoint(to, &from);
    } else {
        Operation& run = Add(Kind::Line);
        run.pen = pen;
        run.first = PointStore::NextStart(points.Size());
        AddPoint(from, nullptr);
        AddPoint(to, &from);
    }
    runEnd = to;
}

void Drawing::Polyline(const TPen& pen, const std::vector<TPoint>& list) {
    Operation& operation = Add(Kind::Polyline);
    operation.pen = pen;
    std::vector<PicturePoint> centres;
    centres.reserve(list.size());
    for (TPoint point : list) centres.push_back(PicturePoint::AtPixel(point.x, point.y));
    AddPoints(operation, centres);
    runEnd = {};
}

void Drawing::Ellipse(const TPen& pen, const TBrush& brush, TRect box) {
    Operation& operation = Add(Kind::Ellipse);
    operation.pen = pen;
    operation.brush = brush;
    operation.rect = box;
}

void Drawing::Rectangle(const TPen& pen, const TBrush& brush, TRect box) {
    Operation& operation = Add(Kind::Rectangle);
    operation.pen = pen;
    operation.brush = brush;
    operation.rect = box;
}

void Drawing::FillRect(TRect rect, TColor color) {
    Operation& operation = Add(Kind::FillRect);
    operation.rect = rect;
    operation.color = color;
}

void Drawing::FloodFill(const TBrush& brush, TPoint seed, TColor border, const std::vector<PicturePoint>& outline) {
    Operation& operation = Add(Kind::FloodFill);
    operation.brush = brush;
    operation.rect = {seed.x, seed.y, seed.x, seed.y};
    operation.color = border;
    AddPoints(operation, outline);
}

void Drawing::TextOut(const TFont& font, const TBrush& brush, TPoint at, const std::string& utf8) {
    Operation& operation = Add(Kind::Text);
    operation.brush = brush;
    operation.rect = {at.x, at.y, at.x, at.y};
    operation.first = static_cast<std::uint32_t>(texts.size());
    texts.push_back({font, utf8});
}

void Drawing::StretchDraw(TRect dest, const Bitmap& source) {
    Operation& operation = Add(Kind::Image);
    operation.rect = dest;
    if (source.Width() * source.Height() <= SmallImagePixels) {
        for (std::size_t i = 0; i < images.size(); ++i) {
            if (*images[i] == source) {
                operation.first = static_cast<std::uint32_t>(i);
                return;
            }
        }
    }
    operation.first = static_cast<std::uint32_t>(images.size());
    images.push_back(std::make_shared<const Bitmap>(source));
}

void Drawing::Clip(TRect rect) { Add(Kind::Clip).rect = rect; }

void Drawing::Draw(Painter& target, const Operation& operation, Cursor* cursor) const {
    const TRect& r = operation.rect;
    auto pointList = [&] {
        std::vector<PicturePoint> list;
        PointReader reader(points, operation.first);
        for (std::size_t i = 0; i < operation.count; ++i) list.push_back(reader.Next());
        return list;
    };
    switch (operation.kind) {
        case Kind::Clear:
            target.Clear(operation.color);
            break;
        case Kind::Line: {
            // From a cursor inside the run: on from its last point drawn.
            const bool resume = cursor && cursor->point > 0;
            PointReader reader(points, resume ? cursor->byte : operation.first, resume ? cursor->last : PicturePoint());
            std::size_t drawn = resume ? cursor->point : 1;
            target.Pen = operation.pen;
            target.MoveTo(resume ? cursor->last : reader.Next());
            for (; drawn < operation.count; ++drawn) target.LineTo(reader.Next());
            if (cursor) *cursor = {cursor->generation, cursor->operation, drawn, reader.Position(), reader.Last()};
            break;
        }
        case Kind::Polyline: {
            target.Pen = operation.pen;
            std::vector<TPoint> list;
            for (const PicturePoint& point : pointList()) list.push_back(point.pixel);
            target.Polyline(list);
            break;
        }
        case Kind::Ellipse:
        case Kind::Rectangle:
            target.Pen = operation.pen;
            target.Brush = operation.brush;
            if (operation.kind == Kind::Ellipse) target.Ellipse(r.left, r.top, r.right, r.bottom);
            else target.Rectangle(r.left, r.top, r.right, r.bottom);
            break;
        case Kind::FillRect:
            target.FillRect(r, operation.color);
            break;
        case Kind::FloodFill:
            target.Brush = operation.brush;
            target.FloodFill(r.left, r.top, operation.color, pointList());
            break;
        case Kind::Text:
            target.Font = texts[operation.first].font;
            target.Brush = operation.brush;
            target.TextOut(r.left, r.top, texts[operation.first].utf8);
            break;
        case Kind::Image:
            target.StretchDraw(r, *images[operation.first]);
            break;
        case Kind::Clip:
            target.SetClip(r);
            break;
    }
}

void Drawing::Replay(Painter& target) const {
    for (const Operation& operation : operations) Draw(target, operation, nullptr);
}

bool Drawing::ReplayFrom(Painter& target, Cursor& cursor) const {
    const bool restart = cursor.generation != generation;
    if (restart) cursor = {generation};
    for (; cursor.operation < operations.size(); ++cursor.operation) {
        const Operation& operation = operations[cursor.operation];
        if (operation.kind != Kind::Line) {
            Draw(target, operation, nullptr);
        } else if (cursor.point < operation.count) {
            Draw(target, operation, &cursor);
        }
        // The last run may still grow: stay on it, remembering how far it was drawn.
        if (operation.kind == Kind::Line && cursor.operation + 1 == operations.size()) return restart;
        cursor.point = 0;
    }
    return restart;
}
