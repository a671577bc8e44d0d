// The caption below the graph: strip colours, the name, formula and parameter lines at their
// places, and the split display's quadrant labels.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/Main.h"
#include "curves/Codec.h"
#include "formula/Annotation.h"
#include "formula/FormulaTestSupport.h"
#include "ui/ScriptedPlatform.h"

using namespace formula_test;

namespace {

constexpr int R = 523;  // the annotation row
constexpr int W = PlotView::PictureWidth;
constexpr int H = PlotView::PictureHeight;

TEST(AnnotationTextTest, ParameterLineShowsTheSteppedParameterAsARangeInARepeat) {
    EXPECT_EQ(AnnotationParameterLine(13, 3, 11, true, 1, 'c', ""), "      a = 13,  b = 3,  c = 1～11,  ");
    EXPECT_EQ(AnnotationParameterLine(13, 3, 11, false, 1, 'c', "0≦θ≦2π"), "      a = 13,  b = 3,  c = 11,  0≦θ≦2π");
    EXPECT_EQ(AnnotationParameterLine(7, 3, 5, true, 1, 'c', "0≦θ≦6π"), "      a = 7,  b = 3,  c = 1～5,  0≦θ≦6π");
    EXPECT_EQ(AnnotationParameterLine(-3, 2, 8, true, 2, 'a', "x"), "      a = 2～-3,  b = 2,  c = 8,  x");
    // An unused parameter is left out; the line then starts with four blanks and the b-text.
    EXPECT_EQ(AnnotationParameterLine(99, 3, 99, false, 1, 'c', "0≦θ≦2π"), "    ,  b = 3,  0≦θ≦2π");
    EXPECT_EQ(AnnotationParameterLine(4, 99, 99, true, 1, '\0', ""), "      a = 4,  ");
}

TEST(AnnotationTextTest, QuadrantLabelCountsFromTheRepeatStart) {
    EXPECT_EQ(QuadrantLabel('a', 3, 1), " a=3");
    EXPECT_EQ(QuadrantLabel('a', 3, 4), " a=6");
    EXPECT_EQ(QuadrantLabel('c', 10, 2), " c=11");
    EXPECT_EQ(QuadrantLabel('\0', 1, 3), "3");
}

class AnnotationTest : public ::testing::Test {
protected:
    ScriptedPlatform platform;
    TfrmMain frmMain{platform, std::filesystem::temp_directory_path().string()};

    void SetUp() override {
        // The three built-in records, as the catalog's loader parses them.
        frmMain.curveTable.Count = 3;
        for (int n = 0; n < 3; ++n) frmMain.curveTable[n] = ParseRecord(BuiltInRecords(), n, platform);
        frmMain.cmbHaikei.SetItemIndex(0);
        frmMain.edtHeniki.SetText("0≦θ≦6π");
    }
    Canvas& picture = frmMain.view.canvas();
    void SetBackground(TColor color) {
        frmMain.colors.CurrentBackColor = color;
        frmMain.colors.SetAxisColorFromBack();
        picture.Reset(W, H, color);
    }
    // The picture as the caption should leave it, built from the layout: strip, name at (10, R),
    // the formulas typeset by a fresh typesetter in the band R + 10, the parameter line.
    Canvas ExpectedCaption(const Canvas& before, TColor strip, const CurveEntry& entry, const std::string& parameterLine) {
        Canvas expected = before;
        for (int y = W + 1; y < H; ++y) {
            for (int x = 0; x < W; ++x) expected.SetPixel(x, y, strip);
        }
        TColor text = frmMain.colors.AxisColor;
        expected.Brush.Style = BrushStyle::Clear;
        expected.Font.Name = AnnotationFontFace;
        expected.Font.Size = 14;
        expected.Font.Color = text;
        expected.TextOut(10, R, Cp932ToUtf8(entry.Name));
        TfrmMath glyphs;
        Typesetter typesetter(glyphs);
        if (entry.PolarFormula.size() < 2) {
            TPoint end = typesetter.TypesetLine(16, 10, R + 10, 1.0, expected, entry.XFormula, text);
            int comma = end.x + 10;
            expected.Font.Size = 16;
            expected.TextOut(comma, R + 30, ",");
            typesetter.TypesetLine(16, expected.PenPos().x + 10, R + 10, 1.0, expected, entry.YFormula, text);
        } else {
            typesetter.TypesetLine(16, 10, R + 10, 1.0, expected, entry.PolarFormula, text);
        }
        expected.Font.Size = 16;
        expected.TextOut(100, R + 75, parameterLine);
        return expected;
    }
};

TEST_F(AnnotationTest, StripIsTheBackgroundColourForKindZeroAndWhiteOtherwise) {
    frmMain.colors.CurrentBackColor = clBlack;
    frmMain.colors.SetAxisColorFromBack();
    picture.Reset(W, H, clRed);
    frmMain.DrawAnnotation(2, 20, 9, 10, false, 0);
    auto rowIs = [&](int y, TColor color) {
        for (int x = 0; x < W; ++x) {
            if (picture.Pixel(x, y) != color) return false;
        }
        return true;
    };
    EXPECT_TRUE(rowIs(W, clRed));  // row 513 is not repainted
    for (int y : {514, 515, 522, 630, 639}) EXPECT_TRUE(rowIs(y, clBlack)) << y;
    EXPECT_EQ(picture.Brush.Style, BrushStyle::Clear);

    frmMain.cmbHaikei.SetItemIndex(3);
    frmMain.colors.CurrentBackColor = RGB(0, 0, 200);
    frmMain.colors.SetAxisColorFromBack();
    frmMain.DrawAnnotation(2, 20, 9, 10, false, 0);
    for (int y : {514, 522, 639}) EXPECT_TRUE(rowIs(y, clWhite)) << y;
}

TEST_F(AnnotationTest, HypotrochoidCaptionInARepeatOnBlack) {
    SetBackground(clBlack);
    frmMain.radC.SetChecked(true);
    frmMain.updRpStart.SetValue(1);
    Canvas before = picture;
    frmMain.DrawAnnotation(0, 13, 3, 11, true, -1);
    Canvas expected = ExpectedCaption(before, clBlack, frmMain.curveTable[0],
                                      "      a = 13,  b = 3,  c = 1～11,  0≦θ≦6π");
    EXPECT_TRUE(SamePixels(picture, expected, "caption-hypotrochoid"));
    // The name is white from column 10 on, and the x formula starts at column 10.
    std::optional<TRect> name = InkBox(picture, {0, R, W, R + 12}, clBlack);
    ASSERT_TRUE(name);
    EXPECT_GE(name->left, 10);
    EXPECT_LT(name->left, 14);
    std::optional<TRect> formula = InkBox(picture, {0, R + 30, 60, R + 50}, clBlack);
    ASSERT_TRUE(formula);
    EXPECT_EQ(formula->left, 10 + InkOffset("x").x);
    EXPECT_EQ(picture.Font.Size, 16);
    EXPECT_EQ(picture.Font.Color, clWhite);
}

TEST_F(AnnotationTest, PolarFormulaOfTwoBytesOrMoreReplacesTheXAndYFormulas) {
    SetBackground(clWhite);
    Canvas before = picture;
    frmMain.DrawAnnotation(2, 20, 9, 10, false, 0);
    EXPECT_TRUE(SamePixels(picture, ExpectedCaption(before, clWhite, frmMain.curveTable[2],
                                                    "      a = 20,  b = 9,  c = 10,  0≦θ≦6π"),
                           "caption-rose"));

    // Record 2's polar line "*" reads as empty: its x and y formulas are typeset.
    picture.Reset(W, H, clWhite);
    frmMain.DrawAnnotation(1, 7, 3, 8, false, 0);
    EXPECT_TRUE(SamePixels(picture, ExpectedCaption(before, clWhite, frmMain.curveTable[1],
                                                    "      a = 7,  b = 3,  c = 8,  0≦θ≦6π"),
                           "caption-epitrochoid"));

    // A one-byte polar formula does not count: the x and y formulas are typeset.
    frmMain.curveTable[2].PolarFormula = "#";
    frmMain.curveTable[2].XFormula = "x=2|3(a)";
    frmMain.curveTable[2].YFormula = "y=[R2]";
    picture.Reset(W, H, clWhite);
    frmMain.DrawAnnotation(2, 20, 9, 99, false, 0);
    EXPECT_TRUE(SamePixels(picture, ExpectedCaption(before, clWhite, frmMain.curveTable[2],
                                                    "      a = 20,  b = 9,  0≦θ≦6π"),
                           "caption-one-byte-polar"));
}

TEST_F(AnnotationTest, SplitDisplayLabelsTheFourQuadrants) {
    SetBackground(clWhite);
    frmMain.radA.SetChecked(true);
    frmMain.updRpStart.SetValue(3);
    Canvas expected = picture;
    for (int q = -1; q <= 0; ++q) frmMain.DrawAnnotation(2, 3, 9, 10, true, q);
    EXPECT_FALSE(InkBox(picture, {0, 0, W, W + 1}).has_value()) << "quadrants 0 and -1 write no label";

    for (int q = 1; q <= 4; ++q) frmMain.DrawAnnotation(2, 2 + q, 9, 10, true, q);
    expected.Brush.Style = BrushStyle::Clear;
    expected.Font.Name = AnnotationFontFace;
    expected.Font.Size = 16;
    expected.TextOut(0, 7, " a=3");
    expected.TextOut(256, 7, " a=4");
    expected.TextOut(0, 263, " a=5");
    expected.TextOut(256, 263, " a=6");
    Canvas square = picture;
    for (int y = W + 1; y < H; ++y) {
        for (int x = 0; x < W; ++x) square.SetPixel(x, y, clWhite);
    }
    EXPECT_TRUE(SamePixels(square, expected, "quadrant-labels"));
    EXPECT_TRUE(InkBox(picture, {256, 263, 320, 290}).has_value());
}

}  // namespace
