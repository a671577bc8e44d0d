// A whole picture made with the Canvas as the program draws: a curve-like line, a circle, an
// arrowhead filled by flood fill and the two kinds of text. Written as canvas-demo.png for looking at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "picture/ImageIO.h"
#include "picture/PlotView.h"

TEST(DemoPicture, LineEllipseArrowheadAndText) {
    PlotView view;
    Canvas& canvas = view.canvas();
    ClearPicture(view.imgCood, clWhite, clBlack);

    canvas.Pen.Color = clBlack;
    canvas.MoveTo(16, 256);
    canvas.LineTo(480, 256);
    canvas.Pen.Color = clRed;
    canvas.Pen.Width = 2;
    canvas.Brush.Style = BrushStyle::Clear;
    canvas.Ellipse(128, 128, 385, 385);

    // Arrowhead at the right end of the axis: outline, then filled from inside.
    canvas.Pen.Width = 1;
    canvas.Pen.Color = clBlack;
    canvas.Polyline({{480, 248}, {496, 256}, {480, 264}, {480, 248}});
    canvas.Brush.Style = BrushStyle::Solid;
    canvas.Brush.Color = clBlack;
    canvas.FloodFill(484, 256, clBlack);
    EXPECT_EQ(canvas.Pixel(488, 256), clBlack);
    EXPECT_EQ(canvas.Pixel(484, 252), clBlack);
    EXPECT_EQ(canvas.Pixel(484, 246), clWhite) << "the fill stays inside the arrowhead";

    canvas.Brush.Style = BrushStyle::Clear;
    canvas.Font.Name = "ＭＳ Ｐゴシック";
    canvas.Font.Size = 14;
    canvas.Font.Color = clBlack;
    canvas.TextOut(10, 530, "バラ（ハイポトロコイド）");
    const int textEnd = canvas.PenPos().x;
    EXPECT_GT(textEnd, 10 + 12 * 12) << "twelve characters, most of them full width";
    SetLabelFont(canvas, 'x');
    canvas.Font.Size = 18;
    canvas.TextOut(500 - canvas.TextExtent("x").x, 262, "x");

    // Ink of the caption: within its box, starting near its left edge.
    int firstInk = -1;
    for (int x = 0; x < 513 && firstInk < 0; ++x)
        for (int y = 530; y < 560; ++y)
            if (canvas.Pixel(x, y) != clWhite) {
                firstInk = x;
                break;
            }
    EXPECT_GE(firstInk, 10);
    EXPECT_LT(firstInk, 14);
    for (int y = 500; y < 640; ++y)
        for (int x = textEnd + 1; x < 513; ++x) ASSERT_EQ(canvas.Pixel(x, y), clWhite) << x << ", " << y;

    if (const char* folder = std::getenv("QUORBEL_TEST_OUT")) {
        std::filesystem::create_directories(folder);
        EXPECT_TRUE(WritePng((std::filesystem::path(folder) / "canvas-demo.png").string(), canvas.Picture()));
    }
}
