#include <gtest/gtest.h>

#include <cmath>

#include "plot/AuxLines.h"
#include "plot/CurveEval.h"
#include "plot/CurveKinds.h"
#include "PlotTestSupport.h"

namespace {

// Distances from (cx, cy) of the pixels of `color`, smallest and largest.
std::pair<double, double> RadiusRange(const Canvas& canvas, TColor color, double cx, double cy) {
    double low = 1e9, high = -1;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            if (canvas.Pixel(x, y) != color) continue;
            const double r = std::hypot(x - cx, y - cy);
            low = std::min(low, r);
            high = std::max(high, r);
        }
    }
    return {low, high};
}

// How many of 16 places on the circle of radius r about (cx, cy) have a pixel of `color` within one pixel.
int RingHits(const Canvas& canvas, TColor color, double cx, double cy, double r) {
    int hits = 0;
    for (int i = 0; i < 16; ++i) {
        const int x = static_cast<int>(std::lround(cx + r * std::cos(i * M_PI / 8)));
        const int y = static_cast<int>(std::lround(cy + r * std::sin(i * M_PI / 8)));
        bool hit = false;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) hit = hit || canvas.Pixel(x + dx, y + dy) == color;
        }
        hits += hit;
    }
    return hits;
}

}  // namespace

using AuxLines = PlotFixture;

TEST_F(AuxLines, MarkersLeaveThePenOnTheCurvePoint) {
    Use({});
    form->chkHojoEn.SetChecked(true);
    const TPoint p{300, 200};
    for (const CurveKind& entry : CurveKinds()) {
        const int kind = entry.Id;
        canvas().MoveTo(p.x, p.y);
        form->DrawAuxFigure(kind, 13, 3, 11, 0.4);
        EXPECT_EQ(canvas().PenPos(), p) << "figure of kind " << kind;
        form->DrawAuxMarker(kind, p, 13, 3, 11, 0.4);
        EXPECT_EQ(canvas().PenPos(), p) << "marker of kind " << kind;
    }
}

TEST_F(AuxLines, UncheckedDrawsNothingButClearsTheBrush) {
    REQUIRE_DRAWING_CANVAS();
    Use({});
    const Bitmap before = canvas().Picture();
    canvas().Brush.Style = BrushStyle::Solid;
    form->DrawAuxFigure(3, 13, 3, 11, 0);
    EXPECT_EQ(canvas().Brush.Style, BrushStyle::Clear);
    form->DrawAuxMarker(3, {300, 200}, 13, 3, 11, 0);
    EXPECT_TRUE(canvas().Picture() == before);
}

TEST_F(AuxLines, FixedCircleOfTheHypotrochoidAtZoom3) {
    REQUIRE_DRAWING_CANVAS();
    Use({});
    form->chkHojoEn.SetChecked(true);
    form->DrawAuxFigure(3, 13, 3, 11, 0);
    // Radius 13·8 = 104 pixels about MapGridPoint(0, 0) = (256, 256); the box's right and bottom
    // edges are exclusive, so the ring's centre lies half a pixel up and left of that pixel.
    const auto [low, high] = RadiusRange(canvas(), AuxFigureColor, 255.5, 255.5);
    EXPECT_GE(low, 102.5);
    EXPECT_LE(high, 105.0);
    EXPECT_EQ(RingHits(canvas(), AuxFigureColor, 255.5, 255.5, 103.5), 16);
    EXPECT_EQ(canvas().Pen.Color, form->colors.CurveColor) << "the grid circle gives the pen back";
}

TEST_F(AuxLines, NegativeRadiusDrawsTheCircleOfItsSize) {
    REQUIRE_DRAWING_CANVAS();
    Use({});
    AuxCircleAtGrid(form->view, 0, 0, 3, AuxFigureColor, clBlack);
    const Bitmap positive = canvas().Picture();
    ClearPicture(form->view.imgCood, clWhite, clBlack);
    canvas().Brush.Style = BrushStyle::Clear;
    AuxCircleAtGrid(form->view, 0, 0, -3, AuxFigureColor, clBlack);
    EXPECT_TRUE(canvas().Picture() == positive);
    EXPECT_GT(CountPixels(AuxFigureColor), 100);
}

TEST_F(AuxLines, FiguresOfTheOtherKinds) {
    REQUIRE_DRAWING_CANVAS();
    Use({.zoom = 4});
    form->chkHojoEn.SetChecked(true);
    // Cycloid: the x axis one pixel above the curve's y = 0 row, from −16 to 16 units.
    form->DrawAuxFigure(4, 1, 0, 1, 0);
    EXPECT_EQ(CountPixels(AuxFigureColor, {0, 256, 513, 257}), 512);
    EXPECT_EQ(CountPixels(AuxFigureColor), 512);
    // Kind 9: red circle of radius a and green of radius a + c.
    ClearPicture(form->view.imgCood, clWhite, clBlack);
    form->DrawAuxFigure(9, 4, 3, 2, 0);
    EXPECT_EQ(RingHits(canvas(), AuxFigureColor, 255.5, 255.5, 63.5), 16);
    EXPECT_EQ(RingHits(canvas(), AuxOuterColor, 255.5, 255.5, 95.5), 16);
    // Kind 0: the square of half side c.
    ClearPicture(form->view.imgCood, clWhite, clBlack);
    form->DrawAuxFigure(0, 1, 2, 3, 0);
    EXPECT_EQ(canvas().Pixel(256 - 48, 256), AuxFigureColor);
    EXPECT_EQ(canvas().Pixel(256 + 47, 256), AuxFigureColor);
    EXPECT_EQ(canvas().Pixel(256, 256 - 48), AuxFigureColor);
    EXPECT_EQ(canvas().Pixel(256, 256), clWhite);
    // The lemniscate has no figure.
    ClearPicture(form->view.imgCood, clWhite, clBlack);
    form->DrawAuxFigure(7, 4, 3, 2, 0);
    form->DrawAuxMarker(7, {255, 257}, 4, 3, 2, 0);
    EXPECT_EQ(CountPixels(clWhite), 513 * 640);
}

// The lines of the conics run across the graph square, on the curve's own mapping, and never into
// the caption strip below it.
TEST_F(AuxLines, FiguresOfTheConicsTheLineAndTheInvolute) {
    REQUIRE_DRAWING_CANVAS();
    Use({.zoom = 4});
    form->chkHojoEn.SetChecked(true);
    const auto column = [&](int x) { return CountPixels(AuxFigureColor, {x, 0, x + 1, PlotView::PictureHeight}); };
    const auto at = [&](double x, double y) {
        const TPoint p = form->view.MapPoint(x, y);
        return canvas().Pixel(p.x, p.y);
    };
    const TRect strip{0, PlotView::PictureWidth, PlotView::PictureWidth, PlotView::PictureHeight};
    // Parabola a = 2: the directrix x = −2 over the whole square, the focus ringed at (2, 0).
    form->DrawAuxFigure(15, 2, 0, 1, 0);
    EXPECT_GE(column(255 - 32), 512);
    EXPECT_EQ(CountPixels(AuxFigureColor, strip), 0);
    EXPECT_EQ(RingHits(canvas(), AuxFigureColor, 255 + 32 - 0.5, 257 - 0.5, 2.5), 16);
    // Hyperbola a = 3, b = 2: the asymptotes y = ±(2/3)x, and nothing between them.
    ClearPicture(form->view.imgCood, clWhite, clBlack);
    form->DrawAuxFigure(16, 3, 2, 1, 0);
    for (double x : {-9.0, -3.0, 6.0, 12.0}) {
        EXPECT_EQ(at(x, 2 * x / 3), AuxFigureColor) << x;
        EXPECT_EQ(at(x, -2 * x / 3), AuxFigureColor) << x;
    }
    EXPECT_EQ(at(3, 0), clWhite);
    EXPECT_EQ(CountPixels(AuxFigureColor, strip), 0);
    // Polar conic a = 1, b = 2, c = 4: the directrix x = c·b/a = 8; a circle (a = 0) has none.
    ClearPicture(form->view.imgCood, clWhite, clBlack);
    form->DrawAuxFigure(17, 1, 2, 4, 0);
    EXPECT_GE(column(255 + 128), 512);
    form->DrawAuxFigure(17, 0, 2, 4, 0);
    EXPECT_EQ(CountPixels(AuxFigureColor), column(255 + 128));
    // Line a = 1, b = 2, c = 4: the perpendicular from the pole straight up to (0, 4).
    ClearPicture(form->view.imgCood, clWhite, clBlack);
    form->DrawAuxFigure(18, 1, 2, 4, 0);
    EXPECT_EQ(at(0, 0.5), AuxFigureColor);
    EXPECT_EQ(at(0, 3.5), AuxFigureColor);
    EXPECT_EQ(at(0, 4.5), clWhite);
    EXPECT_EQ(CountPixels(AuxFigureColor), 64);
    // Involute a = 5: the base circle, and the string from where it leaves the circle to the point.
    ClearPicture(form->view.imgCood, clWhite, clBlack);
    form->DrawAuxFigure(19, 5, 0, 1, 0);
    EXPECT_EQ(RingHits(canvas(), AuxFigureColor, 255 - 0.5, 257 - 0.5, 79.5), 16);
    const CurveXY point = EvalCurveXY(19, 5, 0, 1, M_PI / 2);
    const TPoint p = form->view.MapPoint(point.X, point.Y);
    form->DrawAuxMarker(19, p, 5, 0, 1, M_PI / 2);
    EXPECT_EQ(at(point.X / 2, (5 + point.Y) / 2), AuxMarkerColor) << "midway along the string";
}

TEST_F(AuxLines, DemonstrationHypotrochoidInSteps) {
    REQUIRE_DRAWING_CANVAS();
    Use({});
    form->chkHojoEn.SetChecked(true);
    SetCurveColor(RGB(0, 128, 128));
    form->PlotCurve(0, 0, false);
    // One rolling circle of radius 3 (24 pixels) per marker, at θ = kπ/8 for k = 0 … 48.
    for (int k = 0; k <= 48; k += 3) {
        const double theta = k * M_PI / 8;
        const TPoint centre = form->view.MapPoint(10 * std::cos(theta), 10 * std::sin(theta));
        EXPECT_GE(RingHits(canvas(), AuxMarkerColor, centre.x - 0.5, centre.y - 0.5, 23.5), 10) << k;
    }
    EXPECT_GE(RingHits(canvas(), AuxFigureColor, 255.5, 255.5, 103.5), 12);
}

// The ellipse x²/9 + y²/4 = 1 of kind 23: its foci (±√5, 0) marked and its directrices x = ±9/√5
// across the square; over a picture that holds other curves too (上書き) the foci only.
TEST_F(AuxLines, AConicsFociAndDirectricesAndOnlyItsFociWhenOverlaid) {
    REQUIRE_DRAWING_CANVAS();
    Use({.kind = 23, .a = 3, .b = 2, .c = 1, .thetaStart = 0, .thetaEnd = 2, .zoom = 4});
    form->chkHojoEn.SetChecked(true);
    const int directrix = form->view.MapPoint(9 / std::sqrt(5.0), 0).x;
    const auto column = [&] { return CountPixels(AuxFigureColor, {directrix, 0, directrix + 1, PlotView::PictureWidth}); };
    const auto fociMarked = [&] {
        int marked = 0;
        for (double x : {std::sqrt(5.0), -std::sqrt(5.0)}) {
            const TPoint p = form->view.MapPoint(x, 0);
            marked += RingHits(canvas(), AuxFigureColor, p.x, p.y, 3) >= 12;
        }
        return marked;
    };
    form->DrawConicFigure(0, 3, 2, 1, false);
    EXPECT_GE(column(), 500);
    EXPECT_EQ(fociMarked(), 2);

    ClearPicture(form->view.imgCood, clWhite, clBlack);
    form->chkOverWrite.SetChecked(true);
    form->DrawConicFigure(0, 3, 2, 1, false);
    EXPECT_LT(column(), 20);
    EXPECT_EQ(fociMarked(), 2);
}
