// The backgrounds as pixels: label places, the arrowhead fill, rays, colours, the split display,
// and the contact sheet of every kind at zooms 1, 4 and 6 for looking at.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string>
#include <vector>

#include "picture/BackgroundsTestSupport.h"
#include "picture/ImageIO.h"

namespace {

const TColor Silver = RGB(192, 192, 192);
const TColor Yellow = RGB(255, 255, 0);
const char* Gothic = "ＭＳ Ｐゴシック";
const char* Bookman = "Bookman Old Style";

TFont LabelFont(const char* name, bool italic, int size, TColor color) {
    TFont font;
    font.Name = name;
    font.Italic = italic;
    font.Size = size;
    font.Color = color;
    return font;
}

class BackgroundsPictureTest : public BackgroundsTest {
protected:
    // The text written alone with its top-left corner at `corner` on a picture of `under` must be
    // what the picture holds inside the text's box: same text, font, size and place to the pixel.
    // `under` is the colour the box shows, painted by a solid brush or seen through a clear one.
    void ExpectTextAt(const std::string& text, TPoint corner, const TFont& font, TColor under) {
        CompareText(text, corner, font, under, false);
    }
    // For a transparent text over other lines: only where the text is fully inked must the
    // picture agree, since anywhere else the lines beneath show through.
    void ExpectInkAt(const std::string& text, TPoint corner, const TFont& font) {
        CompareText(text, corner, font, clWhite, true);
    }
    void CompareText(const std::string& text, TPoint corner, const TFont& font, TColor under, bool inkOnly) {
        SCOPED_TRACE(testing::Message() << "\"" << text << "\" at (" << corner.x << ", " << corner.y << ")");
        Canvas reference(PlotView::PictureWidth, PlotView::PictureHeight, under);
        reference.Font = font;
        reference.Brush = {under, BrushStyle::Clear};
        reference.TextOut(corner.x, corner.y, text);
        TPoint extent = reference.TextExtent(text);
        int compared = 0, differing = 0;
        for (int y = corner.y; y < corner.y + extent.y; ++y) {
            for (int x = corner.x; x < corner.x + extent.x; ++x) {
                TColor expected = reference.Pixel(x, y);
                bool ink = inkOnly ? expected == font.Color : expected != under;
                if (inkOnly && !ink) continue;
                compared += ink;
                differing += expected != form->view.canvas().Pixel(x, y);
            }
        }
        ASSERT_GT(compared, 0) << "the reference text must show";
        EXPECT_EQ(differing, 0) << "of " << compared << " inked pixels";
    }
    Canvas& canvas() { return form->view.canvas(); }
};

TEST_F(BackgroundsPictureTest, XYAxesAtZoom4PlaceEveryLabel) {
    SetBackColor(Yellow);
    Draw(3, 4, 0);
    const TFont ticks = LabelFont(Gothic, false, 10, clBlack);
    // Opaque: after the clearing every label covers its box with the background colour.
    const int rows[] = {417, 337, 177, 97};
    const int columns[] = {87, 167, 327, 407};
    const char* padded[] = {"-10", " -5", "  5", " 10"};
    const char* plain[] = {"-10", "-5", "5", "10"};
    for (int k = 0; k < 4; ++k) {
        ExpectTextAt(padded[k], {231, rows[k]}, ticks, Yellow);
        ExpectTextAt(plain[k], {columns[k], 265}, ticks, Yellow);
    }
    ExpectTextAt("0", {247, 265}, ticks, Yellow);
    ExpectTextAt("x", {463, 260}, LabelFont(Bookman, true, 18, clBlack), Yellow);
    ExpectTextAt("y", {255, 1}, LabelFont(Bookman, true, 14, clBlack), Yellow);

    // Axes in AxisColor, one pixel wide, from -15 to 15 units; ticks every unit, every fifth wider.
    EXPECT_EQ(CountPixels(clBlack, {15, 257, 495, 258}), 480) << "x axis";
    EXPECT_EQ(CountPixels(clBlack, {255, 30, 256, 497}), 467) << "y axis, up to the box of its name";
    EXPECT_EQ(canvas().Pixel(255, 498), Yellow);
    EXPECT_EQ(CountPixels(clBlack, {271, 250, 272, 265}), 6) << "the tick at x = 1, rows 255 to 260";
    EXPECT_EQ(CountPixels(clBlack, {271, 255, 272, 261}), 6);
    EXPECT_EQ(CountPixels(clBlack, {330, 258, 340, 259}), 2) << "the tick at x = 5 is 2 pixels wide";
    EXPECT_EQ(CountPixels(clBlack, {253, 90, 254, 105}), 2) << "the tick at y = 10 is 2 pixels high";
    EXPECT_EQ(CountPixels(clBlack, {253, 106, 254, 116}), 1) << "the tick at y = 9 is 1 pixel high";
    EXPECT_EQ(canvas().Pixel(239, 270), Yellow) << "no pole name on the XY kinds";

    // The axis names are placed in scaled units, at a size that follows the zoom.
    Draw(3, 2, 0);
    ExpectTextAt("x", {307, 258}, LabelFont(Bookman, true, 10, clBlack), Yellow);
    ExpectTextAt("y", {255, 193}, LabelFont(Bookman, true, 14, clBlack), Yellow);
}

TEST_F(BackgroundsPictureTest, TickLabelsFollowTheZoom) {
    const TFont ticks = LabelFont(Gothic, false, 10, clBlack);
    Draw(4, 5, 0);
    ExpectTextAt("2.5", {231, 177}, ticks, clWhite);
    ExpectTextAt("  5", {231, 97}, ticks, clWhite);
    ExpectTextAt("-2.5", {231, 337}, ticks, clWhite);
    ExpectTextAt("2.5", {327, 265}, ticks, clWhite);
    Draw(3, 6, 0);
    ExpectTextAt("1.25", {231, 177}, ticks, clWhite);
    ExpectTextAt("-1.25", {167, 265}, ticks, clWhite);
    ExpectTextAt("2.5", {407, 265}, ticks, clWhite);

    // The polar kinds write theirs transparently, and item 5 only at lattice 5.
    Draw(5, 4, 0);
    ExpectTextAt("  5", {231, 177}, ticks, clWhite);
    ExpectTextAt("-5", {167, 265}, ticks, clWhite);
    EXPECT_EQ(CountPixelsNot(clWhite, {225, 97, 250, 111}), 0) << "no 10 on item 5";

    Draw(5, 3, 0);
    EXPECT_EQ(CountPixelsNot(clWhite, {225, 177, 250, 191}), 0) << "no labels on item 5 at zoom 3";
    Draw(1, 3, 0);
    ExpectInkAt(" 10", {231, 177}, ticks);
    ExpectInkAt("-10", {167, 265}, ticks);
    ExpectInkAt("-10", {231, 337}, ticks);
    EXPECT_EQ(CountPixels(clBlack, {225, 97, 250, 111}), 0) << "no 20 at lattice 10";
}

TEST_F(BackgroundsPictureTest, ArrowheadIsFilledFromZoom2) {
    // Zoom 4: the arrowhead from (14, ±0.25) to its tip (495, 257) is solid.
    Draw(6, 4, 0);
    EXPECT_EQ(CountPixels(clBlack, {480, 257, 495, 258}), 15);
    EXPECT_EQ(CountPixels(clBlack, {481, 255, 489, 256}), 8);
    EXPECT_EQ(canvas().Pixel(478, 252), clWhite);

    // Zoom 2: the tip is at (315, 257); the fill starts 3 pixels left of it.
    SetBackColor(clBlack);
    Draw(6, 2, 0);
    EXPECT_EQ(canvas().Pixel(312, 257), clWhite);
    EXPECT_EQ(CountPixels(clWhite, {311, 256, 316, 259}), 5 + 3 + 2) << "the whole small triangle is white";

    // Zoom 1: the arrowhead collapses and is not filled, so the picture is not flooded either.
    Draw(6, 1, 0);
    EXPECT_LT(CountPixels(clWhite, {0, 0, 513, 513}), 300);
    EXPECT_EQ(canvas().Pixel(282, 100), clBlack);
}

// Silver runs met walking once round the circle of `radius` pixels about the world origin.
int RunsAround(const Canvas& canvas, TPoint centre, double radius, TColor color) {
    const int steps = 3600;
    std::vector<bool> on(steps);
    for (int k = 0; k < steps; ++k) {
        double angle = 2 * std::numbers::pi * k / steps;
        int x = static_cast<int>(std::lround(centre.x + radius * std::cos(angle)));
        int y = static_cast<int>(std::lround(centre.y - radius * std::sin(angle)));
        on[k] = canvas.Pixel(x, y) == color;
    }
    int runs = 0;
    for (int k = 0; k < steps; ++k) runs += on[k] && !on[(k + steps - 1) % steps];
    return runs;
}

TEST_F(BackgroundsPictureTest, PolarGridRaysFollowTheStep) {
    struct Case { int item; int rays; };
    for (Case c : {Case{0, 16}, Case{1, 12}, Case{2, 8}, Case{3, 6}, Case{4, 4}, Case{5, 2}, Case{-1, 2}}) {
        form->cmbStep.SetItemIndex(c.item);
        form->updKakudai.SetValue(4);
        form->view.SetScaleFromZoom(4);
        ClearPicture(form->view.imgCood, clWhite, clBlack);
        form->DrawPolarGrid();
        // 12.5 units lies between two circles, so only the rays cross it.
        EXPECT_EQ(RunsAround(canvas(), {255, 257}, 200, Silver), c.rays) << "step item " << c.item;
    }
    // "π": the one line is the horizontal one, from -15 to 15 units.
    EXPECT_EQ(CountPixels(Silver, {15, 257, 495, 258}), 480);
    EXPECT_EQ(canvas().Pixel(255, 57), clWhite);
    // Circles of every unit, here the first and the last at their top.
    EXPECT_GT(CountPixels(Silver, {250, 241, 261, 242}), 0);
    EXPECT_GT(CountPixels(Silver, {250, 17, 261, 18}), 0);
    EXPECT_EQ(CountPixels(Silver, {250, 16, 261, 17}), 0);
}

TEST_F(BackgroundsPictureTest, SilverStaysSilverInEveryColourState) {
    for (TColor back : {clWhite, clBlack, Yellow, RGB(0, 0, 1)}) {
        SCOPED_TRACE(testing::Message() << "back " << std::hex << back);
        SetBackColor(back);
        form->colors.CurrentLineColor = back == clWhite ? clBlack : clWhite;
        Draw(4, 4, 0);
        EXPECT_EQ(canvas().Pixel(100, 257 - 3 * 16), Silver) << "grid line y = 3";
        EXPECT_EQ(CountPixels(Silver, {100, 257 - 5 * 16 - 1, 101, 257 - 5 * 16 + 2}), 2) << "y = 5 is 2 wide";
        EXPECT_EQ(canvas().Pixel(100, 257), form->colors.AxisColor) << "the x axis";
        Draw(1, 4, 0);
        EXPECT_GT(RunsAround(canvas(), {255, 257}, 200, Silver), 12) << "rays";
        EXPECT_EQ(canvas().Pixel(255, 100), Silver) << "the vertical axis of the polar kinds";
        Draw(6, 4, 0);
        EXPECT_EQ(canvas().Pixel(100, 257), Silver) << "the left half of the horizontal axis";
        EXPECT_EQ(canvas().Pixel(400, 257), form->colors.AxisColor) << "the initial line";
    }
}

TEST_F(BackgroundsPictureTest, SplitDisplayDrawsEachQuadrantAtHalfScale) {
    SetCurrentEntryZoom(5);
    form->cmbHaikei.SetItemIndex(3);
    for (int quadrant = 1; quadrant <= 4; ++quadrant) form->DrawBackground(quadrant);
    const TFont ticks = LabelFont(Gothic, false, 10, clBlack);
    struct Origin { int x, y; };  // where each quadrant draws the world origin
    for (Origin o : {Origin{127, 129}, Origin{383, 129}, Origin{127, 385}, Origin{383, 385}}) {
        // Zoom 4 inside each quadrant: the unit tick at 16 pixels, nothing at 8 or 32 of zoom 5.
        EXPECT_EQ(canvas().Pixel(o.x + 16, o.y - 2), clBlack);
        EXPECT_EQ(canvas().Pixel(o.x + 24, o.y - 2), clWhite);
        EXPECT_EQ(canvas().Pixel(o.x + 32, o.y - 2), clBlack);
        ExpectTextAt("  5", {o.x - 24, o.y - 80}, ticks, clWhite);
    }
}

TEST_F(BackgroundsPictureTest, OverwriteDrawsTheBackgroundAgainOverTheOldPicture) {
    Draw(3, 4, 0);
    form->chkOverWrite.SetChecked(true);
    Draw(6, 6, 0);
    EXPECT_EQ(CountPixels(clBlack, {271, 255, 272, 261}), 6) << "the old tick at x = 1";
    ExpectTextAt("x", {463, 260}, LabelFont(Bookman, true, 18, clBlack), clWhite);
    EXPECT_EQ(canvas().Pixel(100, 257), Silver) << "the new silver half axis over the old x axis";
    EXPECT_EQ(canvas().Pixel(255, 100), Silver) << "and over the old y axis";
    EXPECT_EQ(canvas().Pixel(400, 257), clBlack) << "the new initial line";
    ExpectInkAt("O", {191, 270}, LabelFont(Bookman, true, 18, clBlack));
}

// Every kind at zooms 1, 4 and 6 in one picture, to be looked at.
TEST_F(BackgroundsPictureTest, ContactSheet) {
    const char* out = std::getenv("QUORBEL_TEST_OUT");
    if (!out) GTEST_SKIP() << "QUORBEL_TEST_OUT is not set";
    const int zooms[] = {1, 4, 6};
    const int size = 513, gap = 8;
    for (TColor back : {clWhite, clBlack}) {
        SetBackColor(back);
        Canvas sheet(7 * (size + gap), 3 * (size + gap), RGB(128, 128, 128));
        for (int row = 0; row < 3; ++row) {
            for (int item = 0; item < 7; ++item) {
                Draw(item, zooms[row], 0);
                int left = item * (size + gap), top = row * (size + gap);
                sheet.CopyRect({left, top, left + size, top + size}, canvas().Picture(), {0, 0, size, size});
            }
        }
        std::filesystem::create_directories(out);
        std::string name = std::string(out) + (back == clWhite ? "/backgrounds-white.png" : "/backgrounds-black.png");
        EXPECT_TRUE(WritePng(name, sheet.Picture())) << name;
    }
}

}  // namespace
