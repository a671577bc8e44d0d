// The picture imgCood and its mapping from curve (world) units to pixels, the colour state every
// drawing reads, and the small operations the drawing subsystems share: rounding, clearing a
// picture, label fonts, the STEP division. The background kinds themselves are Backgrounds.cpp.
#pragma once

#include <string>

#include "picture/Canvas.h"
#include "picture/Drawing.h"

// A picture control: a fixed size and the canvas drawn on it.
struct TImage {
    TImage(std::string name, int width, int height) : Name(std::move(name)), Width(width), Height(height), canvas(width, height) {}
    std::string Name;
    int Width;
    int Height;
    Canvas canvas;
};

// The nearest integer, ties to the even neighbour (2.5 → 2, 3.5 → 4, -0.5 → 0). Values beyond
// the 32-bit range saturate; NaN gives 0.
int RoundHalfEven(double value);
// 2 to the power n, by doubling or halving from 1.0 (exact for every n used here).
double PowerOfTwo(int n);

// The colours every drawing reads; AxisColor follows CurrentBackColor by SetAxisColorFromBack.
struct ColorState {
    TColor CurrentLineColor = clBlack;
    TColor CurrentBackColor = clWhite;
    TColor AxisColor = clBlack;
    TColor CurveColor = clBlack;
    // White axes and text exactly when the background is black (0); black on every other colour.
    void SetAxisColorFromBack() { AxisColor = CurrentBackColor == clBlack ? clWhite : clBlack; }
};

// The graph picture with its mapping state, and the record of how it was drawn (for other targets).
class PlotView {
public:
    static constexpr int PictureWidth = 513;
    static constexpr int PictureHeight = 640;
    // The plotting square above the caption strip: what curves are clipped to.
    static constexpr TRect GraphSquare{0, 0, PictureWidth, PictureWidth};

    PlotView();
    // A copy records into its own drawing.
    PlotView(const PlotView& other);
    PlotView& operator=(const PlotView& other);

    TImage imgCood{"imgCood", PictureWidth, PictureHeight};
    Drawing drawing;  // everything imgCood's canvas drew since it was last cleared
    int ScaleX = 16;
    int ScaleY = 16;
    int OriginX = 256;
    int OriginY = 256;

    Canvas& canvas() { return imgCood.canvas; }
    // Sets the scale to 2^zoom pixels per unit.
    void SetScaleFromZoom(int zoom);
    // Sets the origin for a quadrant: 0 the whole picture, 1 to 4 the split display's quarters.
    void SetOriginForQuadrant(int quadrant);

    // World point to pixel: column = RHE(ScaleX·X) + OriginX − 1, row = OriginY − RHE(ScaleY·Y) + 1.
    TPoint MapPoint(double x, double y) const;
    // MapPoint's pixel together with the point before rounding, for targets finer than the picture
    // (the pixel's centre lies half a pixel right of and below its corner).
    PicturePoint MapPrecise(double x, double y) const {
        return {MapPoint(x, y), ScaleX * x + (OriginX - 0.5), (OriginY + 1.5) - ScaleY * y};
    }
    // As MapPoint on a fixed lattice of 16 pixels per unit, whatever the zoom.
    TPoint MapLabelPoint(double x, double y) const;
    // Integer world point without the one-pixel correction: (a·ScaleX + OriginX, OriginY − b·ScaleY).
    TPoint MapGridPoint(int a, int b) const;
    // Writes `utf8` with the canvas's font and brush, its top-left corner at MapLabelPoint(x, y).
    void DrawLabelText(const std::string& utf8, double x, double y);
    void WorldMoveTo(int x, int y);
    void WorldLineTo(int x, int y);
};

// Replaces the picture's bitmap by one of its size in `color`; the brush is then solid in that
// colour and the font colour is `axisColor`.
void ClearPicture(TImage& picture, TColor color, TColor axisColor);
// "Bookman Old Style" italic for character codes 65 ('A') to 122 ('z'), else "ＭＳ Ｐゴシック"
// regular; size and colour untouched.
void SetLabelFont(Canvas& canvas, int characterCode);
// Point size of the axis names by zoom: 1 → 8, 2 → 10, 3 → 14, 4 to 6 → 18.
int LabelFontSize(int zoom);

struct StepDivisionResult {
    int count;      // increments in a full turn
    int increment;  // in half-degrees
};
// From the item index of the STEP list: 0 "π/8" → (16, 45) … 5 "π" or none → (2, 360).
StepDivisionResult StepDivision(int stepItemIndex);

// Repaints the two width samples: the curve colour on the background colour, at widths 1 and 2.
void RefreshWidthSamples(TImage& sample1, TImage& sample2, const ColorState& colors);
