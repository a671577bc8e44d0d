// What the vector targets (SVG, PDF) share: the shapes of the exact picture's operations in
// continuous picture units, where pixel (c, r) covers [c, c + 1) × [r, r + 1). A stroke runs
// through the centres of the pixels the exact picture draws (shifted as a wide pen's stamp is);
// an outline lies inside its box as the raster draws it; every character stands where the exact
// picture puts it. How a target writes these shapes is its own business.
#pragma once

#include <string>
#include <vector>

#include "picture/Bitmap.h"
#include "picture/Fonts.h"
#include "picture/Painter.h"

// The box of an ellipse or rectangle outlined with a pen `penWidth` wide: the stroke's centre
// line, and whether the pen covers the whole box (it is then one filled shape in the pen colour).
struct OutlineBox {
    double left = 0, top = 0, right = 0, bottom = 0;  // of the stroke's centre line, or the whole box
    bool solid = false;
    double CentreX() const { return (left + right) / 2; }
    double CentreY() const { return (top + bottom) / 2; }
    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
};
// Nothing for an empty box (x1 == x2 or y1 == y2). Swapped corners are normalised.
bool OutlineOf(int x1, int y1, int x2, int y2, int penWidth, OutlineBox& outline);

// Where a point's stroke runs with a pen `penWidth` wide (a wide pen's stamp is not centred on
// the pixel it stands for, see TPen).
PicturePoint StrokePoint(const PicturePoint& point, int penWidth);

// Consecutive lines in one pen, which a vector target joins into one path: the run open now,
// its pen and where it ends.
class LineRun {
public:
    // Whether a line from `from` in `pen` goes on from the open run's end.
    bool Continues(const TPen& pen, const PicturePoint& from) const { return open && pen == runPen && from == end; }
    // Opens a run at `from` (the target has ended the one before).
    void Start(const TPen& pen, const PicturePoint& from);
    // Whether `to` adds a point to the run: a line to where the run already is adds nothing (a
    // run of one point would show as a dot).
    bool Add(const PicturePoint& to);
    // Closes the run; whether it has a segment to draw.
    bool End();
    const TPen& Pen() const { return runPen; }

private:
    bool open = false;
    bool drawn = false;
    TPen runPen;
    PicturePoint end;
};

// A bitmap drawn into `dest` as an SVG file holds it: the part inside the picture (width ×
// height), enlarged pixel by pixel to 4 image pixels a picture pixel (1 for large ones), so that
// a viewer that smooths whatever it scales (as some SVG viewers do, whatever the file asks) still
// shows hard pixel edges. `shown` is where it goes; an empty bitmap when nothing of it shows.
Bitmap EnlargedImage(TRect dest, const Bitmap& source, int width, int height, TRect& shown);

// A line of text laid out as the exact picture sets it.
struct PlacedText {
    FontFace* face = nullptr;  // nullptr: the font cannot be found, nothing is drawn
    int pixelSize = 0;
    FontMetrics metrics;
    std::u32string codes;
    std::vector<long long> penX;  // each character's pen position on the baseline
    long long advance = 0;
    long long baseline = 0;
};
PlacedText PlaceText(const TFont& font, int x, int y, const std::string& utf8);

