// The drawing operations of a picture and the state they read (pen, brush, font), in picture
// coordinates: the pixels of the exact picture. The exact raster (Canvas), the scaled raster
// (ScaledCanvas) and the vector files implement them; a Drawing records them as a Canvas draws and
// replays them onto any other target. Routines draw through these operations and never ask which
// target they draw on; where a target needs more than the exact raster does (a point before
// rounding, the shape a flood fill fills), the operation carries it.
#pragma once

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "picture/Bitmap.h"

enum class BrushStyle { Solid, Clear };
enum class PenMode { Copy };

// A pen wider than 1 stamps a Width × Width square on every pixel of the thin line: width 2 covers
// each pixel and the ones above and to the left of it, width 3 is centred.
struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    PenMode Mode = PenMode::Copy;
    friend bool operator==(const TPen&, const TPen&) = default;
};

// How far the centre of a pen's stamp lies right of and below the pixel it stands on: 0 for odd
// widths, −0.5 for even ones.
inline double PenStampShift(int width) { return (-(width / 2) + (width - 1) / 2) / 2.0; }

struct TBrush {
    TColor Color = clWhite;
    BrushStyle Style = BrushStyle::Solid;
    friend bool operator==(const TBrush&, const TBrush&) = default;
};

// Names are the system's face names ("ＭＳ Ｐゴシック", "ＭＳ ゴシック", "Bookman Old Style",
// "Times New Roman", "Braggadocio"); Fonts.h maps them to installed faces. Size is in points at 96 DPI.
struct TFont {
    std::string Name = "ＭＳ Ｐゴシック";
    int Size = 9;
    bool Italic = false;
    bool Bold = false;
    TColor Color = clBlack;
    friend bool operator==(const TFont&, const TFont&) = default;
};

// A point of the picture: the pixel the exact picture draws, and the same point before it was
// rounded, in continuous picture units where pixel (c, r) covers [c, c + 1) × [r, r + 1).
// Targets finer than the exact picture draw at (x, y), so that curves are smooth there.
struct PicturePoint {
    PicturePoint() = default;
    PicturePoint(TPoint pixel, double x, double y) : pixel(pixel), x(x), y(y) {}
    TPoint pixel;
    double x = 0.5;
    double y = 0.5;
    // A pixel's centre: what every point given in whole pixels stands for.
    static PicturePoint AtPixel(int column, int row) { return {{column, row}, column + 0.5, row + 0.5}; }
    friend bool operator==(const PicturePoint&, const PicturePoint&) = default;
};

class Painter {
public:
    virtual ~Painter() = default;

    TPen Pen;
    TBrush Brush;
    TFont Font;

    // A rectangle no picture reaches beyond: no limit but the picture's own.
    static constexpr TRect Unclipped{INT_MIN, INT_MIN, INT_MAX, INT_MAX};

    TPoint PenPos() const { return position.pixel; }
    const PicturePoint& Position() const { return position; }
    void MoveTo(int x, int y) { position = PicturePoint::AtPixel(x, y); }
    void MoveTo(const PicturePoint& to) { position = to; }
    void LineTo(int x, int y) { LineTo(PicturePoint::AtPixel(x, y)); }

    // Every operation after it changes only pixels inside `rect` (right and bottom exclusive) as
    // well as inside the picture; Unclipped lifts the limit. A drawing records it, so that every
    // target clips alike.
    void SetClip(const TRect& rect) {
        if (rect == clip) return;
        clip = rect;
        ClipChanged();
    }
    const TRect& Clip() const { return clip; }

    // The whole picture in one colour; pen, brush and font back to their defaults, the position
    // (0, 0), the clip lifted.
    virtual void Clear(TColor fill) = 0;
    // From the current position to `to` in the pen; the end pixel is not drawn, a line to the
    // current position draws nothing. The position moves to `to`.
    virtual void LineTo(const PicturePoint& to) = 0;
    // Joins the points in order with the pen; the current position is neither used nor moved.
    virtual void Polyline(const std::vector<TPoint>& points) = 0;
    // Ellipse and rectangle inside the box (x1, y1)-(x2, y2), right and bottom exclusive: outline in
    // the pen, inside filled with the brush while it is solid. Swapped corners are normalised.
    virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
    // Every pixel of `rect` in `color`, whatever the pen and brush.
    virtual void FillRect(TRect rect, TColor color) = 0;
    // Fills with the brush colour the 4-connected area around (x, y) bounded by `border`, which has
    // just been drawn along `outline` (a closed polygon); a target without pixels to flood fills
    // the polygon instead. A seed off the picture or on the border colour, or a clear brush, does nothing.
    virtual void FloodFill(int x, int y, TColor border, const std::vector<PicturePoint>& outline) = 0;
    // Writes UTF-8 text with its top-left corner at (x, y). While the brush is solid the text's box
    // (advance width by the font's height) is painted in the brush colour first. Every target
    // places each character where the exact picture does; the position is left at (x + advance, y).
    virtual void TextOut(int x, int y, const std::string& utf8) = 0;
    // Copies `source` stretched into `dest` (nearest neighbour): a whole bitmap is a picture, not
    // lines, so finer targets enlarge its pixels.
    virtual void StretchDraw(TRect dest, const Bitmap& source) = 0;
    // At its own size with its top-left corner at (x, y); a corner far off the picture saturates.
    void Draw(int x, int y, const Bitmap& source) {
        auto end = [](int start, int size) { return static_cast<int>(std::min<long long>(0LL + start + size, INT_MAX)); };
        StretchDraw({x, y, end(x, source.Width()), end(y, source.Height())}, source);
    }

    // The advance width and the height of a text in the current font, as the exact picture sets it.
    TPoint TextExtent(const std::string& utf8) const;

protected:
    // The target's answer to SetClip, Clip() already holding the new rectangle.
    virtual void ClipChanged() = 0;
    // What Clear leaves: pen, brush and font at their defaults, the position (0, 0), no clip.
    void ResetState() {
        Pen = {};
        Brush = {};
        Font = {};
        position = PicturePoint::AtPixel(0, 0);
        if (clip != Unclipped) {
            clip = Unclipped;
            ClipChanged();
        }
    }

    PicturePoint position = PicturePoint::AtPixel(0, 0);

private:
    TRect clip = Unclipped;
};
