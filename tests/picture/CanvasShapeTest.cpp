// Rectangles, ellipses and flood fill, pixel by pixel.
#include <gtest/gtest.h>

#include <climits>

#include "picture/Canvas.h"
#include "picture/PixelGrid.h"

namespace {

Canvas Blank(int width, int height) {
    Canvas canvas(width, height, clWhite);
    canvas.Brush.Color = clRed;
    return canvas;
}

}  // namespace

TEST(CanvasShape, RectangleRightAndBottomExclusiveFilledWhileBrushSolid) {
    Canvas solid = Blank(6, 5);
    solid.Rectangle(1, 1, 5, 4);
    EXPECT_EQ(Grid(solid.Picture()), Rows({"......", ".####.", ".#rr#.", ".####.", "......"}));

    Canvas clear = Blank(6, 5);
    clear.Brush.Style = BrushStyle::Clear;
    clear.Rectangle(5, 4, 1, 1);  // swapped corners: the same box
    EXPECT_EQ(Grid(clear.Picture()), Rows({"......", ".####.", ".#..#.", ".####.", "......"}));

    Canvas wide = Blank(7, 6);
    wide.Pen.Width = 2;
    wide.Rectangle(0, 0, 6, 5);
    EXPECT_EQ(Grid(wide.Picture()), Rows({"######.", "######.", "##rr##.", "######.", "######.", "......."}));
}

TEST(CanvasShape, EmptyBoxesDrawNothing) {
    Canvas canvas = Blank(4, 4);
    canvas.Rectangle(1, 1, 1, 3);
    canvas.Ellipse(0, 2, 4, 2);
    EXPECT_EQ(Grid(canvas.Picture()), Rows({"....", "....", "....", "...."}));
    canvas.Rectangle(1, 1, 2, 2);  // a 1 × 1 box is its outline
    EXPECT_EQ(Grid(canvas.Picture()), Rows({"....", ".#..", "....", "...."}));
}

TEST(CanvasShape, EllipseInsideItsBox) {
    Canvas circle = Blank(6, 6);
    circle.Ellipse(0, 0, 5, 5);
    EXPECT_EQ(Grid(circle.Picture()), Rows({".###..", "#rrr#.", "#rrr#.", "#rrr#.", ".###..", "......"}));

    Canvas oval = Blank(10, 6);
    oval.Brush.Style = BrushStyle::Clear;
    oval.Ellipse(9, 5, 0, 0);
    EXPECT_EQ(Grid(oval.Picture()),
              Rows({"..#####...", "##.....##.", "#.......#.", "##.....##.", "..#####...", ".........."}));
}

TEST(CanvasShape, EllipseOutlineWidthTwo) {
    Canvas ring = Blank(9, 9);
    ring.Pen.Width = 2;
    ring.Ellipse(0, 0, 8, 8);
    EXPECT_EQ(Grid(ring.Picture()), Rows({"..####...", ".######..", "##rrrr##.", "##rrrr##.", "##rrrr##.",
                                          "##rrrr##.", ".######..", "..####...", "........."}));
}

TEST(CanvasShape, ShapesOffTheBitmapAreClipped) {
    // The lower right quarter of the 5 × 5 circle above.
    Canvas corner = Blank(3, 3);
    corner.Ellipse(-2, -2, 3, 3);
    EXPECT_EQ(Grid(corner.Picture()), Rows({"rr#", "rr#", "##."}));

    // A huge ellipse whose top edge crosses the bitmap: the first row is outline, the rest inside.
    Canvas huge = Blank(5, 3);
    huge.Ellipse(-1000000000, 0, 1000000000, 2000000000);
    EXPECT_EQ(Grid(huge.Picture()), Rows({"#####", "rrrrr", "rrrrr"}));

    Canvas far = Blank(4, 3);
    far.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(Grid(far.Picture()), Rows({"rrrr", "rrrr", "rrrr"}));
    far.Rectangle(-10, 1, INT_MAX, 2);
    far.Ellipse(INT_MIN, INT_MIN, -1, -1);
    far.Ellipse(5, 0, INT_MAX, 3);
    EXPECT_EQ(Grid(far.Picture()), Rows({"rrrr", "####", "rrrr"}));
}

TEST(CanvasFill, FillsUpToTheBorderColourOnly) {
    Canvas canvas = Blank(7, 5);
    canvas.Brush.Style = BrushStyle::Clear;
    canvas.Rectangle(1, 0, 6, 5);
    canvas.SetPixel(3, 2, testBlue);  // other colours inside are filled over
    canvas.Brush.Style = BrushStyle::Solid;
    canvas.FloodFill(2, 1, clBlack);
    EXPECT_EQ(Grid(canvas.Picture()), Rows({".#####.", ".#rrr#.", ".#rrr#.", ".#rrr#.", ".#####."}));

    // Seeds on the border or off the bitmap do nothing; neither does a clear brush.
    Canvas before = canvas;
    canvas.FloodFill(1, 1, clBlack);
    canvas.FloodFill(-1, 2, clWhite);
    canvas.FloodFill(7, 2, clBlack);
    canvas.Brush.Style = BrushStyle::Clear;
    canvas.FloodFill(0, 0, clBlack);
    EXPECT_EQ(canvas.Picture(), before.Picture());
}

TEST(CanvasFill, LeaksThroughGapsButNotDiagonalSteps) {
    Canvas gap = Blank(6, 4);
    gap.Brush.Style = BrushStyle::Clear;
    gap.Rectangle(0, 0, 4, 4);
    gap.SetPixel(3, 2, clWhite);
    gap.Brush.Style = BrushStyle::Solid;
    gap.FloodFill(1, 1, clBlack);
    EXPECT_EQ(Grid(gap.Picture()), Rows({"####rr", "#rr#rr", "#rrrrr", "####rr"}));

    // An 8-connected diagonal line is a closed border for the 4-connected fill.
    Canvas diagonal = Blank(5, 5);
    diagonal.MoveTo(0, 4);
    diagonal.LineTo(5, -1);
    diagonal.FloodFill(0, 0, clBlack);
    EXPECT_EQ(Grid(diagonal.Picture()), Rows({"rrrr#", "rrr#.", "rr#..", "r#...", "#...."}));
}

TEST(CanvasFill, BrushOfTheInsideColourAndLargeWindingAreas) {
    Canvas same(5, 3, clWhite);
    same.Brush.Color = clWhite;
    same.FloodFill(2, 1, clBlack);  // must end although every filled pixel still looks open
    EXPECT_EQ(Grid(same.Picture()), Rows({".....", ".....", "....."}));

    // A comb of walls over the whole picture size makes one long winding area.
    Canvas comb(513, 640, clWhite);
    for (int x = 1; x < 513; x += 2) {
        comb.MoveTo(x, x % 4 == 1 ? 0 : 1);
        comb.LineTo(x, x % 4 == 1 ? 639 : 640);
    }
    comb.Brush.Color = testGreen;
    comb.FloodFill(0, 0, clBlack);
    int white = 0;
    for (TColor pixel : comb.Picture().Pixels()) white += pixel == clWhite;
    EXPECT_EQ(white, 0);
    EXPECT_EQ(comb.Pixel(512, 639), testGreen);
}

TEST(CanvasShape, ClipKeepsEveryOperationInsideItsRectangleUntilLiftedOrCleared) {
    Canvas canvas = Blank(6, 5);
    canvas.SetClip({1, 1, 5, 3});
    canvas.Rectangle(0, 0, 6, 5);
    canvas.Pen = {testBlue, 2};
    canvas.MoveTo(0, 4);
    canvas.LineTo(6, 4);  // below the clip: nothing
    canvas.MoveTo(3, 0);
    canvas.LineTo(3, 5);
    canvas.Brush.Color = testGreen;
    canvas.FloodFill(4, 2, testBlue);  // up to the blue line and the clip's edge
    EXPECT_EQ(Grid(canvas.Picture()), Rows({"......", ".rbbg.", ".rbbg.", "......", "......"}));
    canvas.SetClip(Painter::Unclipped);
    canvas.Pen = {clBlack, 1};
    canvas.MoveTo(0, 4);
    canvas.LineTo(6, 4);
    EXPECT_EQ(Grid(canvas.Picture()).substr(1 + 7 * 4), "######\n");
    canvas.SetClip({0, 0, 1, 1});
    canvas.Clear(clWhite);
    EXPECT_EQ(canvas.Clip(), Painter::Unclipped);
}
