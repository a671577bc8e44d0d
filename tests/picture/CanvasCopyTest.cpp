// Drawing and stretching bitmaps onto a canvas, and replacing its bitmap.
#include <gtest/gtest.h>

#include <climits>

#include "picture/Canvas.h"
#include "picture/PixelGrid.h"

namespace {

// 2 × 2: red, blue / green, black.
Bitmap Quad() {
    Bitmap quad(2, 2);
    quad.SetPixel(0, 0, clRed);
    quad.SetPixel(1, 0, testBlue);
    quad.SetPixel(0, 1, testGreen);
    quad.SetPixel(1, 1, clBlack);
    return quad;
}

}  // namespace

TEST(CanvasCopy, DrawPlacesTheBitmapClipped) {
    Canvas canvas(4, 3, clWhite);
    canvas.Draw(1, 1, Quad());
    EXPECT_EQ(Grid(canvas.Picture()), Rows({"....", ".rb.", ".g#."}));
    canvas.Draw(-1, -1, Quad());
    canvas.Draw(3, 2, Quad());
    EXPECT_EQ(Grid(canvas.Picture()), Rows({"#...", ".rb.", ".g#r"}));
    canvas.Draw(INT_MAX, INT_MAX, Quad());
    canvas.Draw(INT_MIN, 0, Quad());
    EXPECT_EQ(Grid(canvas.Picture()), Rows({"#...", ".rb.", ".g#r"}));
}

TEST(CanvasCopy, StretchTakesTheNearestSourcePixel) {
    Canvas grow(5, 4, clWhite);
    grow.StretchDraw({0, 0, 4, 4}, Quad());
    EXPECT_EQ(Grid(grow.Picture()), Rows({"rrbb.", "rrbb.", "gg##.", "gg##."}));

    // Shrinking 3 → 2 samples under the pixel centres: source columns 0 and 2.
    Bitmap stripes(3, 1);
    stripes.SetPixel(0, 0, clRed);
    stripes.SetPixel(1, 0, testBlue);
    stripes.SetPixel(2, 0, testGreen);
    Canvas shrink(2, 1, clWhite);
    shrink.StretchDraw({0, 0, 2, 1}, stripes);
    EXPECT_EQ(Grid(shrink.Picture()), Rows({"rg"}));

    // Three to seven: 0 0 1 1 1 2 2 (the centre of pixel k lies over source (2k + 1)·3 / 14).
    Canvas wide(7, 1, clWhite);
    wide.StretchDraw({0, 0, 7, 1}, stripes);
    EXPECT_EQ(Grid(wide.Picture()), Rows({"rrbbbgg"}));
}

TEST(CanvasCopy, CopyRectPartOfASourceAndOfItself) {
    Canvas canvas(4, 2, clWhite);
    canvas.CopyRect({0, 0, 2, 2}, Quad(), {1, 0, 2, 2});  // the right column, twice as wide
    EXPECT_EQ(Grid(canvas.Picture()), Rows({"bb..", "##.."}));
    // Overlapping copy within one canvas reads the picture as it was before the copy.
    canvas.CopyRect({1, 0, 4, 2}, canvas.Picture(), {0, 0, 3, 2});
    EXPECT_EQ(Grid(canvas.Picture()), Rows({"bbb.", "###."}));
    // Source pixels beyond the source leave the destination alone; empty rectangles do nothing.
    canvas.CopyRect({0, 0, 4, 1}, Quad(), {1, 0, 5, 1});
    canvas.CopyRect({0, 0, 0, 2}, Quad(), {0, 0, 2, 2});
    canvas.CopyRect({0, 0, 4, 2}, Quad(), {2, 2, 1, 1});
    EXPECT_EQ(Grid(canvas.Picture()), Rows({"bbb.", "###."}));
}

TEST(CanvasCopy, ResetGivesAFreshBitmapAndState) {
    Canvas canvas(3, 3, clWhite);
    canvas.Pen = {clRed, 3, PenMode::Copy};
    canvas.Brush = {clRed, BrushStyle::Clear};
    canvas.Font.Size = 30;
    canvas.MoveTo(2, 2);
    canvas.Reset(2, 1, testBlue);
    EXPECT_EQ(Grid(canvas.Picture()), Rows({"bb"}));
    EXPECT_EQ(canvas.Pen.Width, 1);
    EXPECT_EQ(canvas.Pen.Color, clBlack);
    EXPECT_EQ(canvas.Brush.Style, BrushStyle::Solid);
    EXPECT_EQ(canvas.Font.Size, TFont{}.Size);
    EXPECT_EQ(canvas.PenPos(), (TPoint{0, 0}));
}
