// The picture's mapping, rounding, label fonts and the width samples.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "picture/PixelGrid.h"
#include "picture/PlotView.h"

TEST(PlotView, RoundHalfEvenTiesAndLimits) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(2.5000001), 3);
    EXPECT_EQ(RoundHalfEven(-2.4999), -2);
    EXPECT_EQ(RoundHalfEven(1e300), 1 << 30);
    EXPECT_EQ(RoundHalfEven(-std::numeric_limits<double>::infinity()), -(1 << 30));
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
    EXPECT_EQ(PowerOfTwo(6), 64.0);
    EXPECT_EQ(PowerOfTwo(-3), 0.125);
}

TEST(PlotView, MapPointWorkedValues) {
    PlotView view;
    view.SetScaleFromZoom(4);
    view.SetOriginForQuadrant(0);
    EXPECT_EQ(view.MapPoint(0, 0), (TPoint{255, 257}));
    EXPECT_EQ(view.MapPoint(15, 0), (TPoint{495, 257}));
    EXPECT_EQ(view.MapPoint(0, 15), (TPoint{255, 17}));
    EXPECT_EQ(view.MapPoint(-15, -15), (TPoint{15, 497}));
    EXPECT_EQ(view.MapGridPoint(0, 0), (TPoint{256, 256}));
    EXPECT_EQ(view.MapGridPoint(-2, 3), (TPoint{224, 208}));

    view.SetScaleFromZoom(1);
    EXPECT_EQ(view.ScaleX, 2);
    EXPECT_EQ(view.ScaleY, 2);
    EXPECT_EQ(view.MapPoint(0.25, 0).x, view.MapPoint(0, 0).x);
    EXPECT_EQ(view.MapPoint(0.75, 0).x, view.MapPoint(0, 0).x + 2);
    for (int zoom = 1; zoom <= 6; ++zoom) {
        view.SetScaleFromZoom(zoom);
        EXPECT_EQ(view.MapLabelPoint(-1.5, 5), (TPoint{231, 177})) << "zoom " << zoom;
    }
    // Points far beyond the 32-bit range still map somewhere far outside the picture.
    view.SetScaleFromZoom(6);
    EXPECT_LT(view.MapPoint(-1e12, 0).x, -(1 << 29));
    EXPECT_GT(view.MapPoint(0, -1e12).y, 1 << 29);
}

TEST(PlotView, QuadrantOrigins) {
    PlotView view;
    view.SetScaleFromZoom(3);
    const std::pair<int, TPoint> origins[] = {{0, {255, 257}}, {1, {127, 129}}, {2, {383, 129}}, {3, {127, 385}}, {4, {383, 385}}};
    for (auto [quadrant, pixel] : origins) {
        view.SetOriginForQuadrant(quadrant);
        EXPECT_EQ(view.MapPoint(0, 0), pixel) << "quadrant " << quadrant;
    }
}

TEST(PlotView, WorldLinesDrawOnTheMainPicture) {
    PlotView view;
    view.SetScaleFromZoom(4);
    view.SetOriginForQuadrant(0);
    view.WorldMoveTo(0, 0);
    view.WorldLineTo(1, 0);
    EXPECT_EQ(view.canvas().PenPos(), (TPoint{271, 257}));
    for (int x = 250; x < 280; ++x) EXPECT_EQ(view.canvas().Pixel(x, 257), x >= 255 && x < 271 ? clBlack : clWhite) << x;
}

TEST(PlotView, LabelFontsAndSizes) {
    Canvas canvas;
    canvas.Font.Size = 18;
    canvas.Font.Color = clRed;
    for (int code : {65, 122}) {
        SetLabelFont(canvas, code);
        EXPECT_EQ(canvas.Font.Name, "Bookman Old Style") << code;
        EXPECT_TRUE(canvas.Font.Italic) << code;
    }
    for (int code : {64, 123, 0x3B1}) {
        SetLabelFont(canvas, code);
        EXPECT_EQ(canvas.Font.Name, "ＭＳ Ｐゴシック") << code;
        EXPECT_FALSE(canvas.Font.Italic) << code;
    }
    EXPECT_EQ(canvas.Font.Size, 18);
    EXPECT_EQ(canvas.Font.Color, clRed);

    const int sizes[] = {8, 10, 14, 18, 18, 18};
    for (int zoom = 1; zoom <= 6; ++zoom) EXPECT_EQ(LabelFontSize(zoom), sizes[zoom - 1]) << "zoom " << zoom;
    EXPECT_EQ(StepDivision(0).count, 16);
    EXPECT_EQ(StepDivision(3).increment, 120);
    EXPECT_EQ(StepDivision(-1).increment, 360);
}

TEST(PlotView, ClearPictureStartsAFreshCanvas) {
    TImage picture("imgTest", 7, 4);
    picture.canvas.Pen.Width = 2;
    picture.canvas.Brush.Style = BrushStyle::Clear;
    picture.canvas.MoveTo(0, 0);
    picture.canvas.LineTo(7, 4);
    ClearPicture(picture, testBlue, clWhite);
    EXPECT_EQ(Grid(picture.canvas.Picture()), Rows({"bbbbbbb", "bbbbbbb", "bbbbbbb", "bbbbbbb"}));
    EXPECT_EQ(picture.canvas.Brush.Color, testBlue);
    EXPECT_EQ(picture.canvas.Brush.Style, BrushStyle::Solid);
    EXPECT_EQ(picture.canvas.Font.Color, clWhite);
    EXPECT_EQ(picture.canvas.Pen.Width, 1);
    EXPECT_EQ(picture.canvas.Pen.Color, clBlack);
}

TEST(PlotView, WidthSamplesShowBothWidths) {
    TImage sample1("imgSample1", 22, 16), sample2("imgSample2", 22, 15);
    ColorState colors;
    colors.CurrentLineColor = clRed;
    colors.CurrentBackColor = clBlack;
    colors.SetAxisColorFromBack();
    EXPECT_EQ(colors.AxisColor, clWhite);
    RefreshWidthSamples(sample1, sample2, colors);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 22; ++x) {
            EXPECT_EQ(sample1.canvas.Pixel(x, y), y == 10 && x < 20 ? clRed : clBlack) << x << ", " << y;
            if (y < 15) EXPECT_EQ(sample2.canvas.Pixel(x, y), (y == 9 || y == 10) && x < 20 ? clRed : clBlack) << x << ", " << y;
        }
    colors.CurrentBackColor = RGB(1, 0, 0);
    colors.SetAxisColorFromBack();
    EXPECT_EQ(colors.AxisColor, clBlack);
}
