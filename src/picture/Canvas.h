// The exact picture: a software raster over a Bitmap with a pen, a brush, a font and a current
// position, in the manner of a classic desktop canvas. Every operation clips to the bitmap and to
// the clip rectangle, whatever its coordinates. Text is rasterised with FreeType (see Fonts.h) from its UTF-8. A canvas
// may record what it draws into a Drawing, so that the picture can be drawn again on other targets.
#pragma once

#include <string>
#include <vector>

#include "picture/Bitmap.h"
#include "picture/Painter.h"

class Drawing;
struct GlyphImage;

class Canvas final : public Painter {
public:
    explicit Canvas(int width = 0, int height = 0, TColor fill = clWhite);
    // A copy draws the same pixels but records nowhere.
    Canvas(const Canvas& other);
    Canvas& operator=(const Canvas& other);

    // From now on every operation is also appended to `drawing` (nullptr: recording stops). A
    // Reset or Clear starts the drawing afresh.
    void RecordInto(Drawing* drawing);

    Bitmap& Picture() { return bitmap; }
    const Bitmap& Picture() const { return bitmap; }
    int Width() const { return bitmap.Width(); }
    int Height() const { return bitmap.Height(); }
    TColor Pixel(int x, int y) const { return bitmap.Pixel(x, y); }
    void SetPixel(int x, int y, TColor color) { bitmap.SetPixel(x, y, color); }

    // Replaces the bitmap by a new one of the given size in one colour, and resets pen, brush and
    // font to their defaults and the position to (0, 0).
    void Reset(int width, int height, TColor fill);

    using Painter::LineTo;
    using Painter::MoveTo;

    void Clear(TColor fill) override { Reset(bitmap.Width(), bitmap.Height(), fill); }
    // Lines use only the points' pixels: the exact picture is drawn in whole pixels.
    void LineTo(const PicturePoint& to) override;
    void Polyline(const std::vector<TPoint>& points) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void FillRect(TRect rect, TColor color) override;
    void FloodFill(int x, int y, TColor border, const std::vector<PicturePoint>& outline) override;
    void FloodFill(int x, int y, TColor border) { FloodFill(x, y, border, {}); }
    // The baseline is the font's ascent below y; the advance is the sum of the glyphs' hinted
    // whole-pixel advances (no kerning). A font that cannot be found draws nothing and advances nothing.
    void TextOut(int x, int y, const std::string& utf8) override;
    void StretchDraw(TRect dest, const Bitmap& source) override;
    // Copies the rectangle `from` of `source` stretched into `dest` (nearest neighbour); not recorded.
    void CopyRect(TRect dest, const Bitmap& source, TRect from);

    // Pieces the scaled picture builds on, never recorded: a glyph's coverage blended in `color`
    // with the glyph's pen position at (penX, baseline); and the inside of a polygon given in
    // continuous pixel units (even-odd rule, pixels whose centres lie inside) in `color`.
    void BlendGlyph(const GlyphImage& glyph, long long penX, long long baseline, TColor color);
    void FillPolygon(const std::vector<PicturePoint>& polygon, TColor color);

protected:
    void ClipChanged() override;

private:
    void DrawLine(TPoint from, TPoint to);

    Bitmap bitmap;
    TRect area;  // where operations draw: the bitmap and the clip rectangle
    Drawing* drawing = nullptr;
};
