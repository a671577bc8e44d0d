// What a picture's canvas drew since it was last cleared, kept as the drawing operations themselves
// with the state each one read, so that the same picture can be drawn again on another target: a
// scaled raster for a HiDPI screen, a projector or a printer, SVG or PDF for a worksheet. The exact
// picture stays the canvas's own pixels; replaying onto a fresh exact canvas gives them again bit
// for bit. Consecutive lines in one pen are kept as one run of points, each point as its step from
// the one before and its place inside its pixel to 1/64 pixel (3 bytes a point: the longest repeat
// display keeps about 9 MB).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "picture/Painter.h"

class Drawing {
public:
    // Where a replay stopped, so that a target kept up to date replays only what came after. A
    // cursor from before the last Clear starts again from the beginning.
    struct Cursor {
        std::uint64_t generation = 0;
        std::size_t operation = 0;
        std::size_t point = 0;  // points of that operation already drawn (runs grow at their end)
        std::size_t byte = 0;   // where the next of them is kept
        PicturePoint last;      // the last of them drawn
    };

    // ---- Recording (the canvas calls these as it draws).
    void Clear(TColor fill);
    void LineTo(const TPen& pen, const PicturePoint& from, const PicturePoint& to);
    void Polyline(const TPen& pen, const std::vector<TPoint>& points);
    void Ellipse(const TPen& pen, const TBrush& brush, TRect box);
    void Rectangle(const TPen& pen, const TBrush& brush, TRect box);
    void FillRect(TRect rect, TColor color);
    void FloodFill(const TBrush& brush, TPoint seed, TColor border, const std::vector<PicturePoint>& outline);
    void TextOut(const TFont& font, const TBrush& brush, TPoint at, const std::string& utf8);
    void StretchDraw(TRect dest, const Bitmap& source);
    void Clip(TRect rect);

    // Draws everything recorded onto `target`, in order, with the state each operation had.
    void Replay(Painter& target) const;
    // Draws what was recorded after `cursor` and moves the cursor to the end. True when the picture
    // was cleared since: everything is drawn again, beginning with the clearing itself, so the
    // target needs nothing more.
    bool ReplayFrom(Painter& target, Cursor& cursor) const;

    // Where the recording stands, to go back to with TruncateTo.
    struct Mark {
        std::uint64_t clears = 0;
        std::size_t operations = 0;
        std::uint32_t lastCount = 0;  // points of the last operation then
        std::size_t pointBytes = 0;
        PicturePoint runEnd;
        std::size_t texts = 0, images = 0;
    };
    Mark Here() const;
    // Forgets everything recorded after `mark`, as though it had never been drawn (cursors start
    // again from the beginning). False, with nothing changed, for a mark from before the last Clear.
    bool TruncateTo(const Mark& mark);

    bool Empty() const { return operations.empty(); }
    std::uint64_t Generation() const { return generation; }
    // Bytes the points of every operation take (most of what the drawing costs).
    std::size_t PointBytes() const { return points.Size(); }

private:
    enum class Kind : std::uint8_t { Clear, Line, Polyline, Ellipse, Rectangle, FillRect, FloodFill, Text, Image, Clip };

    // Reads the points of one operation in order.
    class PointReader;

    // The bytes of every operation's points, in blocks that never move, so that a growing drawing
    // is never copied. A point's bytes never straddle two blocks.
    class PointStore {
    public:
        PointStore() = default;
        PointStore(const PointStore& other);
        PointStore& operator=(const PointStore& other);
        static constexpr std::size_t LongestPoint = 11;
        std::size_t Size() const { return size; }
        // Forgets the points from `position` on.
        void Truncate(std::size_t position);
        // Room for one point of up to LongestPoint bytes at position Size() (after moving on to a
        // fresh block when the current one has less room left).
        std::uint8_t* Append(std::size_t bytes);
        const std::uint8_t* At(std::size_t position) const { return blocks[position / BlockBytes].get() + position % BlockBytes; }
        // Where the point after one that ends at `position` begins.
        static std::size_t NextStart(std::size_t position) {
            return position % BlockBytes + LongestPoint > BlockBytes ? (position / BlockBytes + 1) * BlockBytes : position;
        }
        void Clear();

    private:
        static constexpr std::size_t BlockBytes = std::size_t{1} << 16;
        std::vector<std::unique_ptr<std::uint8_t[]>> blocks;
        std::size_t size = 0;
    };

    struct Operation {
        Kind kind;
        TPen pen;
        TBrush brush;
        TRect rect;        // box, destination, clip or seed (left, top)
        TColor color = 0;  // fill or border colour
        std::size_t first = 0;    // where the points begin in the store, or the index of the text or image
        std::uint32_t count = 0;  // how many points
    };

    struct Text {
        TFont font;
        std::string utf8;
    };

    Operation& Add(Kind kind);
    // Appends a point to the operation being recorded (the last one): in full when it is the
    // first, else as the step from `previous`.
    void AddPoint(const PicturePoint& point, const PicturePoint* previous);
    void AddPoints(Operation& operation, const std::vector<PicturePoint>& list);
    void Draw(Painter& target, const Operation& operation, Cursor* cursor) const;

    std::vector<Operation> operations;
    PointStore points;
    PicturePoint runEnd;  // the last point of the last run, as it was given
    std::vector<Text> texts;
    std::vector<std::shared_ptr<const Bitmap>> images;
    std::uint64_t generation = 1;
    std::uint64_t clears = 0;
};
