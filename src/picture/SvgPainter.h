// The picture as an SVG document, for worksheets and slides: lines and curves as paths through
// their points before rounding (consecutive lines in one pen as one path), ellipses and
// rectangles as shapes with the pen inside their box, the flood-filled shape as a filled polygon,
// text as <text> naming the face's family with every character's x given (each in a span of its
// own), so that any renderer puts the characters where the exact picture does; bitmaps as embedded PNG, enlarged without
// smoothing. One user unit is one pixel of the exact picture (96 per inch).
#pragma once

#include <string>

#include "picture/Drawing.h"
#include "picture/Painter.h"
#include "picture/VectorShapes.h"

class SvgPainter final : public Painter {
public:
    SvgPainter(int width, int height);

    // The whole document: what was drawn since the last Clear (nothing before it shows).
    std::string Document();

    using Painter::LineTo;
    void Clear(TColor fill) override;
    void LineTo(const PicturePoint& to) override;
    void Polyline(const std::vector<TPoint>& points) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void FillRect(TRect rect, TColor color) override;
    void FloodFill(int x, int y, TColor border, const std::vector<PicturePoint>& outline) override;
    void TextOut(int x, int y, const std::string& utf8) override;
    void StretchDraw(TRect dest, const Bitmap& source) override;

protected:
    void ClipChanged() override;

private:
    // Ends the path that consecutive lines have been adding to.
    void EndPath();
    void Shape(const char* element, int x1, int y1, int x2, int y2);

    int width;
    int height;
    std::string body;
    LineRun run;
    std::string path;  // the open run's points
    bool clipOpen = false;  // the body ends inside a clipped group
    int clipCount = 0;      // clip paths defined so far, for their ids
};

// The drawing as an SVG document of width × height picture pixels.
std::string SvgDocument(const Drawing& drawing, int width, int height);
