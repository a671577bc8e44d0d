// Text out, the faces behind the system's font names, and font sizes.
#include <gtest/gtest.h>

#include <algorithm>

#include "picture/Canvas.h"
#include "picture/Fonts.h"
#include "picture/PixelGrid.h"

namespace {

Canvas TextCanvas(const std::string& name, int size, bool italic = false) {
    Canvas canvas(120, 40, clWhite);
    canvas.Font.Name = name;
    canvas.Font.Size = size;
    canvas.Font.Italic = italic;
    return canvas;
}

// Bounding box of the pixels that differ from `background`; empty when there are none.
TRect InkBox(const Bitmap& bitmap, TColor background) {
    TRect box{bitmap.Width(), bitmap.Height(), 0, 0};
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.Pixel(x, y) != background) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
    return box.left < box.right ? box : TRect{};
}

int InkCount(const Bitmap& bitmap, TColor background) {
    int count = 0;
    for (TColor pixel : bitmap.Pixels()) count += pixel != background;
    return count;
}

}  // namespace

TEST(Fonts, PointSizesBecomePixelsAt96Dpi) {
    const std::pair<int, int> sizes[] = {{14, 19}, {16, 21}, {10, 13}, {18, 24}, {8, 11}, {12, 16}, {9, 12}, {0, 0}};
    for (auto [points, pixels] : sizes) EXPECT_EQ(FontPixelSize(points), pixels) << points << " points";
}

TEST(Fonts, SystemNamesFindTheirStandInFaces) {
    struct Case {
        const char* name;
        bool italic;
        const char* family;
        const char* style;
    };
    const Case cases[] = {
        {"ＭＳ Ｐゴシック", false, "IPAPGothic", "Regular"},
        {"ＭＳ ゴシック", false, "IPAGothic", "Regular"},
        {"Bookman Old Style", false, "URW Bookman", "Light"},
        {"Bookman Old Style", true, "URW Bookman", "Light Italic"},
        {"Braggadocio", false, "League Spartan", "Bold"},
    };
    for (const Case& c : cases) {
        FontFace* face = FindFace(c.name, c.italic, false);
        ASSERT_NE(face, nullptr) << c.name;
        EXPECT_EQ(face->Info().Family, c.family) << c.name;
        EXPECT_EQ(face->Info().Style, c.style) << c.name;
        EXPECT_FALSE(face->Info().SyntheticItalic) << c.name;
        EXPECT_EQ(face, FindFace(c.name, c.italic, false)) << "loaded once";
    }
    // Faces without a bold or italic of their own are emboldened or slanted by FreeType.
    FontFace* bold = FindFace("ＭＳ Ｐゴシック", false, true);
    ASSERT_NE(bold, nullptr);
    EXPECT_TRUE(bold->Info().SyntheticBold);
    EXPECT_TRUE(FindFace("ＭＳ ゴシック", true, false)->Info().SyntheticItalic);
}

TEST(Fonts, UnknownNamesFallBackToAJapaneseFace) {
    Canvas canvas = TextCanvas("No Such Face", 14);
    EXPECT_GT(canvas.TextExtent("バラ").x, 0);
    canvas.TextOut(0, 0, "バラ");
    EXPECT_GT(InkCount(canvas.Picture(), clWhite), 20);
    // Undecodable bytes are drawn as replacement characters, not skipped or crashed on.
    EXPECT_GT(canvas.TextExtent("\xff\xfe").x, 0);
}

TEST(CanvasText, FixedAndProportionalGothic) {
    Canvas fixed = TextCanvas("ＭＳ ゴシック", 12);
    EXPECT_EQ(fixed.TextExtent("i").x, fixed.TextExtent("W").x);
    EXPECT_EQ(2 * fixed.TextExtent("i").x, fixed.TextExtent("あ").x);
    Canvas proportional = TextCanvas("ＭＳ Ｐゴシック", 12);
    EXPECT_LT(proportional.TextExtent("i").x, proportional.TextExtent("W").x);
}

TEST(CanvasText, AdvanceIsTheSumOfGlyphAdvancesWithoutKerning) {
    Canvas canvas = TextCanvas("Bookman Old Style", 18, true);
    const int a = canvas.TextExtent("A").x, v = canvas.TextExtent("V").x, t = canvas.TextExtent("T").x;
    EXPECT_EQ(canvas.TextExtent("AVATAR").x, 3 * a + v + t + canvas.TextExtent("R").x);
    canvas.TextOut(7, 3, "AV");
    EXPECT_EQ(canvas.PenPos(), (TPoint{7 + a + v, 3}));
    EXPECT_EQ(canvas.TextExtent("").x, 0);
}

TEST(CanvasText, SolidBrushPaintsExactlyTheTextBox) {
    Canvas canvas = TextCanvas("ＭＳ Ｐゴシック", 14);
    canvas.Brush.Color = clRed;
    const TPoint extent = canvas.TextExtent("  ");
    EXPECT_EQ(extent.y, FindFace("ＭＳ Ｐゴシック", false, false)->Metrics(19).Height());
    canvas.TextOut(5, 4, "  ");
    EXPECT_EQ(InkBox(canvas.Picture(), clWhite), (TRect{5, 4, 5 + extent.x, 4 + extent.y}));
    EXPECT_EQ(InkCount(canvas.Picture(), clWhite), extent.x * extent.y);

    Canvas clear = TextCanvas("ＭＳ Ｐゴシック", 14);
    clear.Brush.Style = BrushStyle::Clear;
    clear.TextOut(5, 4, "  ");
    EXPECT_EQ(InkCount(clear.Picture(), clWhite), 0);
    EXPECT_EQ(clear.PenPos(), (TPoint{5 + extent.x, 4}));
}

TEST(CanvasText, GlyphsSitOnTheBaselineInTheFontColour) {
    Canvas canvas = TextCanvas("Bookman Old Style", 18, true);
    canvas.Brush.Style = BrushStyle::Clear;
    canvas.Font.Color = clRed;
    canvas.TextOut(10, 2, "x");
    const int ascent = FindFace("Bookman Old Style", true, false)->Metrics(24).Ascent;
    const TRect ink = InkBox(canvas.Picture(), clWhite);
    EXPECT_EQ(ink.bottom, 2 + ascent) << "the foot of x is on the baseline";
    EXPECT_GT(ink.Height(), 8);
    EXPECT_GE(ink.left, 10);
    // Grey-scale coverage mixes white towards red: full red where covered, never another hue.
    int fullInk = 0;
    for (TColor pixel : canvas.Picture().Pixels()) {
        const int red = pixel & 0xFF, green = (pixel >> 8) & 0xFF, blue = (pixel >> 16) & 0xFF;
        EXPECT_EQ(red, 255);
        EXPECT_EQ(green, blue);
        fullInk += pixel == clRed;
    }
    EXPECT_GT(fullInk, 5);
}

TEST(CanvasText, SyntheticBoldAddsInk) {
    Canvas regular = TextCanvas("ＭＳ Ｐゴシック", 14);
    regular.TextOut(0, 0, "曲線");
    Canvas bold = TextCanvas("ＭＳ Ｐゴシック", 14);
    bold.Font.Bold = true;
    bold.TextOut(0, 0, "曲線");
    EXPECT_GT(InkCount(bold.Picture(), clWhite), InkCount(regular.Picture(), clWhite) * 11 / 10);
}

TEST(CanvasText, TextOffTheBitmapIsClipped) {
    Canvas canvas(10, 10, clWhite);
    canvas.Font.Size = 14;
    canvas.Brush.Color = clRed;
    canvas.TextOut(-5, -7, "あい");
    EXPECT_NE(canvas.Pixel(0, 0), clWhite);  // inside the box, painted or inked
    canvas.TextOut(2147483000, 5, "あ");  // the position saturates instead of overflowing
    EXPECT_EQ(canvas.PenPos().y, 5);
    canvas.TextOut(-2147483000, -2147483000, "あ");
    canvas.Font.Size = 0;
    canvas.TextOut(0, 0, "あ");  // no size: nothing drawn, position unchanged in x
    EXPECT_EQ(canvas.PenPos(), (TPoint{0, 0}));
}
