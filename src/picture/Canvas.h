// The drawing surface of a picture: a software raster over a Bitmap with a pen, a brush, a font
// and a current position, in the manner of a classic desktop canvas. Every operation clips to the
// bitmap, whatever its coordinates. Text is rasterised with FreeType (see Fonts.h) and its UTF-8.
#pragma once

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
};

struct TBrush {
    TColor Color = clWhite;
    BrushStyle Style = BrushStyle::Solid;
};

// Names are the system's face names ("ＭＳ Ｐゴシック", "ＭＳ ゴシック", "Bookman Old Style",
// "Braggadocio"); Fonts.h maps them to installed faces. Size is in points at 96 DPI.
struct TFont {
    std::string Name = "ＭＳ Ｐゴシック";
    int Size = 9;
    bool Italic = false;
    bool Bold = false;
    TColor Color = clBlack;
};

class Canvas {
public:
    explicit Canvas(int width = 0, int height = 0, TColor fill = clWhite);

    TPen Pen;
    TBrush Brush;
    TFont Font;

    Bitmap& Picture() { return bitmap; }
    const Bitmap& Picture() const { return bitmap; }
    int Width() const { return bitmap.Width(); }
    int Height() const { return bitmap.Height(); }
    TColor Pixel(int x, int y) const { return bitmap.Pixel(x, y); }
    void SetPixel(int x, int y, TColor color) { bitmap.SetPixel(x, y, color); }

    // Replaces the bitmap by a new one of the given size in one colour, and resets pen, brush and
    // font to their defaults and the position to (0, 0).
    void Reset(int width, int height, TColor fill);

    TPoint PenPos() const { return penPos; }
    void MoveTo(int x, int y) { penPos = {x, y}; }
    // Draws from the current position to (x, y) in the pen; the end pixel is not drawn, and a line
    // to the current position draws nothing. The position moves to (x, y).
    void LineTo(int x, int y);
    // Joins the points in order with the pen; the current position is neither used nor moved.
    void Polyline(const std::vector<TPoint>& points);
    // Ellipse and rectangle inside the box (x1, y1)-(x2, y2), right and bottom exclusive: outline in
    // the pen, inside filled with the brush while it is solid. Swapped corners are normalised.
    void Ellipse(int x1, int y1, int x2, int y2);
    void Rectangle(int x1, int y1, int x2, int y2);
    // Fills with the brush colour the 4-connected area around (x, y) bounded by `border`; a seed
    // outside the bitmap or on the border colour, or a clear brush, does nothing.
    void FloodFill(int x, int y, TColor border);
    // Writes UTF-8 text with its top-left corner at (x, y). While the brush is solid the text's box
    // (advance width by the font's height) is painted in the brush colour first; the baseline is
    // the font's ascent below y. The current position is left at (x + advance width, y), the advance
    // being the sum of the glyphs' hinted whole-pixel advances (no kerning). A font that cannot be
    // found draws nothing and advances nothing.
    void TextOut(int x, int y, const std::string& utf8);
    // The advance width and the height of a text in the current font, without drawing.
    TPoint TextExtent(const std::string& utf8) const;
    // Draws a whole bitmap with its top-left corner at (x, y).
    void Draw(int x, int y, const Bitmap& source);
    // Copies `source` (the whole bitmap, or `from` of it) stretched into `dest` (nearest neighbour).
    void StretchDraw(TRect dest, const Bitmap& source);
    void CopyRect(TRect dest, const Bitmap& source, TRect from);

private:
    Bitmap bitmap;
    TPoint penPos;
};
