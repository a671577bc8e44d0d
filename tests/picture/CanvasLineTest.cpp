// Lines: end pixels, slopes, wide pens and clipping, pixel by pixel.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "picture/Canvas.h"
#include "picture/PixelGrid.h"

namespace {

Canvas Line(int width, int height, TPoint from, TPoint to, int penWidth = 1) {
    Canvas canvas(width, height, clWhite);
    canvas.Pen.Width = penWidth;
    canvas.MoveTo(from.x, from.y);
    canvas.LineTo(to.x, to.y);
    return canvas;
}

// The part of `big` from (left, top), as large as `small`.
Bitmap Crop(const Bitmap& big, int left, int top, int width, int height) {
    Bitmap part(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) part.SetPixel(x, y, big.Pixel(left + x, top + y));
    return part;
}

}  // namespace

TEST(CanvasLine, StartPixelDrawnEndPixelNotAndPositionMoves) {
    Canvas canvas = Line(6, 3, {1, 1}, {4, 1});
    EXPECT_EQ(Grid(canvas.Picture()), Rows({"......", ".###..", "......"}));
    EXPECT_EQ(canvas.PenPos(), (TPoint{4, 1}));

    // A line to the current position draws nothing; a line of length one is its start pixel.
    Canvas dot(4, 3, clWhite);
    dot.MoveTo(2, 1);
    dot.LineTo(2, 1);
    EXPECT_EQ(Grid(dot.Picture()), Rows({"....", "....", "...."}));
    dot.LineTo(1, 1);
    EXPECT_EQ(Grid(dot.Picture()), Rows({"....", "..#.", "...."}));
}

TEST(CanvasLine, SlopesStepOnTheMinorAxisAtHalfway) {
    EXPECT_EQ(Grid(Line(6, 3, {0, 0}, {5, 2}).Picture()), Rows({"##....", "..##..", "....#."}));
    // Backwards the same line starts at the other end and leaves out (0, 0) instead.
    EXPECT_EQ(Grid(Line(6, 3, {5, 2}, {0, 0}).Picture()), Rows({".#....", "..##..", "....##"}));
    EXPECT_EQ(Grid(Line(5, 6, {1, 0}, {3, 5}).Picture()), Rows({".#...", ".#...", "..#..", "..#..", "...#.", "....."}));
    EXPECT_EQ(Grid(Line(5, 5, {4, 0}, {0, 4}).Picture()), Rows({"....#", "...#.", "..#..", ".#...", "....."}));
}

TEST(CanvasLine, WidthTwoIsTwoPixelsOnEverySlope) {
    EXPECT_EQ(Grid(Line(7, 4, {1, 2}, {5, 2}, 2).Picture()), Rows({".......", "#####..", "#####..", "......."}));
    EXPECT_EQ(Grid(Line(4, 6, {2, 1}, {2, 5}, 2).Picture()), Rows({".##.", ".##.", ".##.", ".##.", ".##.", "...."}));
    EXPECT_EQ(Grid(Line(7, 6, {1, 1}, {5, 5}, 2).Picture()),
              Rows({"##.....", "###....", ".###...", "..###..", "...##..", "......."}));
    // Width 3 is centred on the thin line.
    EXPECT_EQ(Grid(Line(6, 5, {1, 2}, {4, 2}, 3).Picture()), Rows({"......", "#####.", "#####.", "#####.", "......"}));
}

TEST(CanvasLine, PolylineJoinsPointsWithoutTouchingThePosition) {
    Canvas canvas(5, 4, clWhite);
    canvas.MoveTo(3, 3);
    canvas.Polyline({{0, 0}, {4, 0}, {4, 3}});
    EXPECT_EQ(Grid(canvas.Picture()), Rows({"#####", "....#", "....#", "....."}));
    EXPECT_EQ(canvas.PenPos(), (TPoint{3, 3}));
}

// Drawing on a small bitmap must give exactly the pixels of the same line on a larger one, for
// lines that enter and leave through every edge in every direction.
TEST(CanvasLine, ClippedLinesDrawTheSamePixelsAsUnclipped) {
    const int offset = 20, size = 12;
    int compared = 0;
    for (int width = 1; width <= 3; ++width) {
        for (int x0 = 0; x0 < 52; x0 += 7) {
            for (int y0 = 3; y0 < 52; y0 += 11) {
                for (int x1 = 1; x1 < 52; x1 += 9) {
                    for (int y1 = 0; y1 < 52; y1 += 13) {
                        Canvas big = Line(52, 52, {x0, y0}, {x1, y1}, width);
                        Canvas small = Line(size, size, {x0 - offset, y0 - offset}, {x1 - offset, y1 - offset}, width);
                        ASSERT_EQ(Grid(small.Picture()), Grid(Crop(big.Picture(), offset, offset, size, size)))
                            << "width " << width << " from (" << x0 << ", " << y0 << ") to (" << x1 << ", " << y1 << ")";
                        ++compared;
                    }
                }
            }
        }
    }
    EXPECT_GT(compared, 1000);
}

TEST(CanvasLine, LinesFromFarOutsideKeepTheirExactPixels) {
    const int n = 1 << 29;
    // Slope 1/2 through the origin: the column x has the row floor((x + 1) / 2).
    EXPECT_EQ(Grid(Line(8, 4, {-2 * n, -n}, {2 * n, n}).Picture()),
              Rows({"#.......", ".##.....", "...##...", ".....##."}));
    // The whole 32-bit range on the diagonal.
    EXPECT_EQ(Grid(Line(4, 4, {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}).Picture()),
              Rows({"#...", ".#..", "..#.", "...#"}));
    EXPECT_EQ(Grid(Line(4, 3, {INT_MAX, 1}, {INT_MIN, 1}, 2).Picture()), Rows({"####", "####", "...."}));
    // Entirely outside, or passing just by a corner.
    EXPECT_EQ(Grid(Line(4, 3, {-5, -1}, {INT_MAX, -1}).Picture()), Rows({"....", "....", "...."}));
    EXPECT_EQ(Grid(Line(4, 3, {-3, 1}, {1, -3}).Picture()), Rows({"....", "....", "...."}));
    EXPECT_EQ(Grid(Line(4, 3, {-2, 2}, {3, -3}).Picture()), Rows({"#...", "....", "...."}));
}

TEST(CanvasLine, EmptyBitmapIgnoresDrawing) {
    Canvas canvas(0, 0);
    canvas.MoveTo(-3, -3);
    canvas.LineTo(5, 5);
    canvas.Pen.Width = 2;
    canvas.LineTo(0, 0);
    EXPECT_EQ(canvas.PenPos(), (TPoint{0, 0}));
}
