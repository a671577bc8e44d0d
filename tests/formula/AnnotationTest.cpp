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
        ReadProblems problems;
        for (int n = 0; n < 3; ++n) frmMain.curveTable[n] = ParseRecord(BuiltInRecords(), n, problems);
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
    Canvas ExpectedCaption(const Canvas& before, TColor strip, const CurveEntry& entry, const std::string& parameterLine,
                           int formulaSize = 16) {
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
            TPoint end = typesetter.TypesetLine(formulaSize, 10, R + 10, 1.0, expected, entry.XFormula, text);
            int comma = end.x + 10;
            expected.Font.Size = formulaSize;
            expected.TextOut(comma, R + 30, ",");
            typesetter.TypesetLine(formulaSize, expected.PenPos().x + 10, R + 10, 1.0, expected, entry.YFormula, text);
        } else {
            typesetter.TypesetLine(formulaSize, 10, R + 10, 1.0, expected, entry.PolarFormula, text);
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

TEST_F(AnnotationTest, CaptionIsBlackOnTheWhiteStripOfEveryKindWithABlackBackground) {
    frmMain.radA.SetChecked(true);
    for (int kind = 1; kind <= 6; ++kind) {
        SetBackground(clBlack);
        frmMain.cmbHaikei.SetItemIndex(kind);
        frmMain.DrawAnnotation(0, 13, 3, 11, true, 2);
        // Name, formulas and parameter line each have black ink on the white strip.
        for (TRect line : {TRect{0, R, W, R + 18}, TRect{0, R + 28, W, R + 60}, TRect{0, R + 75, W, H}}) {
            bool black = false;
            for (int y = line.top; y < line.bottom; ++y) {
                for (int x = line.left; x < line.right; ++x) black = black || picture.Pixel(x, y) == clBlack;
            }
            EXPECT_TRUE(black) << "kind " << kind << ", rows from " << line.top;
        }
        // The quadrant label stands on the black square, where it stays white.
        EXPECT_TRUE(InkBox(picture, {W / 2, 7, W, 30}, clBlack)) << "kind " << kind;
    }
}

TEST_F(AnnotationTest, GlyphPictureIsDrawnInTheCaptionColourOverTheStrip) {
    SetBackground(clBlack);
    frmMain.curveTable[2].PolarFormula = "r = g";
    frmMain.DrawAnnotation(2, 20, 9, 10, false, 0);
    // The glyph follows the pieces "r" and "=", 10 pixels after each, with the g's drop of 5.
    const int x = 10 + Advance("r") + 10 + Advance("=") + 10;
    const TRect square{x, R + 35, x + 20, R + 55};
    Bitmap white(16, 16, clBlack);
    const Bitmap& g = frmMain.frmMath.imgGram.canvas.Picture();
    for (int y = 0; y < 16; ++y) {
        for (int column = 0; column < 16; ++column) {
            if (g.Pixel(column, y) != clWhite) white.SetPixel(column, y, clWhite);
        }
    }
    Canvas expected = picture;
    expected.StretchDraw(square, white);
    EXPECT_TRUE(SamePixels(picture, expected, "caption-glyph-on-black"));
    EXPECT_TRUE(InkBox(picture, square, clBlack).has_value());
}

TEST_F(AnnotationTest, FormulaTooLongForTheStripIsSetSmallerUntilItEndsInside) {
    SetBackground(clWhite);
    // The epicycloid of the catalog: its last θ ran past column 512 at 16 points.
    CurveEntry& entry = frmMain.curveTable[1];
    entry.XFormula = Utf8ToCp932("x=(a+b)cosθ-bcos [a+b]/b θ");
    entry.YFormula = Utf8ToCp932("y=(a+b)sinθ-bsin [a+b]/b θ");
    auto inkPastTheEdge = [&](int size) {
        Canvas wide = MakeCanvas(W + 200, 100);
        TfrmMath glyphs;
        Typesetter typesetter(glyphs);
        TPoint end = typesetter.TypesetLine(size, 10, 10, 1.0, wide, "      " + entry.XFormula, clBlack);
        typesetter.TypesetLine(size, end.x + 10, 10, 1.0, wide, "  , " + entry.YFormula, clBlack);
        return InkBox(wide, {W, 0, W + 200, 100}).has_value();
    };
    ASSERT_TRUE(inkPastTheEdge(16));

    Canvas before = picture;
    frmMain.DrawAnnotation(1, 4, 1, 99, false, 0);
    int size = 0;
    for (int tried = 15; tried >= 12 && size == 0; --tried) {
        Canvas expected = ExpectedCaption(before, clWhite, entry, "      a = 4,  b = 1,  0≦θ≦6π", tried);
        if (picture.Picture() == expected.Picture()) size = tried;
    }
    ASSERT_NE(size, 0) << "the caption is not the formula set at any size from 15 to 12 points";
    EXPECT_FALSE(inkPastTheEdge(size));
    EXPECT_TRUE(inkPastTheEdge(size + 1)) << "a larger size fits too";

    // A formula that fits at no size is set at the smallest.
    entry.XFormula = "x=";
    for (int i = 0; i < 300; ++i) entry.XFormula += "a+";
    EXPECT_EQ(CaptionFormulaSize(frmMain.typesetter, picture, entry, 10), 12);
}

TEST_F(AnnotationTest, ParameterLineIsSixteenPointsWhateverTheFormulaEndsWith) {
    SetBackground(clWhite);
    frmMain.curveTable[2].PolarFormula = "r=[R3]";
    frmMain.DrawAnnotation(2, 20, 9, 10, false, 0);
    Canvas afterPlainRoot = picture;
    // A root holding "^" leaves the typesetter at the exponent's 10 points.
    frmMain.curveTable[2].PolarFormula = "r=[R2^3]";
    picture.Reset(W, H, clWhite);
    frmMain.DrawAnnotation(2, 20, 9, 10, false, 0);
    Canvas lines(W, H - (R + 70), clWhite), expectedLines = lines;
    lines.CopyRect({0, 0, W, H - (R + 70)}, picture.Picture(), {0, R + 70, W, H});
    expectedLines.CopyRect({0, 0, W, H - (R + 70)}, afterPlainRoot.Picture(), {0, R + 70, W, H});
    EXPECT_TRUE(SamePixels(lines, expectedLines, "parameter-line-after-caret-root"));
}

TEST_F(AnnotationTest, RootOfAFractionKeepsItsRoofUnderTheName) {
    SetBackground(clWhite);
    frmMain.curveTable[2].PolarFormula = "r=[R1/2]";
    frmMain.DrawAnnotation(2, 20, 9, 10, false, 0);
    Canvas nameOnly = MakeCanvas(W, H);
    nameOnly.Font.Size = 14;
    nameOnly.TextOut(10, R, Cp932ToUtf8(frmMain.curveTable[2].Name));
    const int nameBottom = InkBox(nameOnly, {0, R, W, R + 30})->bottom;
    // The name's rows hold the name alone; the roof lies on the numerators' top row below them.
    Canvas nameRows(W, nameBottom - R), expectedRows(W, nameBottom - R);
    nameRows.CopyRect({0, 0, W, nameBottom - R}, picture.Picture(), {0, R, W, nameBottom});
    expectedRows.CopyRect({0, 0, W, nameBottom - R}, nameOnly.Picture(), {0, R, W, nameBottom});
    EXPECT_TRUE(SamePixels(nameRows, expectedRows, "root-roof-under-name"));
    EXPECT_GE(R + 18, nameBottom);
    std::optional<TRect> roof = InkBox(picture, {0, R + 18, W, R + 19});
    ASSERT_TRUE(roof);
    EXPECT_GT(roof->right - roof->left, 20);
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
