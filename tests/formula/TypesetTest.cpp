// The typesetter against references drawn text by text at the rows and gaps of the layout:
// text rows at band + 20, letters but "t" 2 pixels higher, characters 2 pixels apart, 10 pixels
// after a run, 5 after a sign, numerators at band + 8, bars on band + 32, denominators at
// band + 35. Advances come from the canvas, so the references hold for the installed fonts.
#include <gtest/gtest.h>

#include "curves/Codec.h"
#include "formula/FormulaTestSupport.h"
#include "formula/Typeset.h"

using namespace formula_test;

namespace {

constexpr int X = 30;
constexpr int Y = 10;

bool IsRaised(char c) { return c >= 'a' && c <= 'z' && c != 't'; }

class TypesetTest : public ::testing::Test {
protected:
    TfrmMath glyphs;
    Typesetter typesetter{glyphs};
    Canvas canvas = MakeCanvas();
    Canvas expected = MakeCanvas();

    TPoint Line(const std::string& utf8, TColor color = clBlack, int x = X) {
        return typesetter.TypesetLine(16, x, Y, 1.0, canvas, Utf8ToCp932(utf8), color);
    }
    // Reference text at (x, y); returns the pen's x after it.
    int Put(int x, int y, const std::string& utf8, int size = 16) {
        expected.Font.Size = size;
        expected.TextOut(x, y, utf8);
        return expected.PenPos().x;
    }
    // Reference character run of ASCII text on `row`; returns its right end (no gap).
    int PutRun(int x, int row, const std::string& ascii, int raise = 2) {
        int end = x;
        for (char c : ascii) {
            end = Put(x, IsRaised(c) ? row - raise : row, std::string(1, c));
            x = end + 2;
        }
        return end;
    }
    // Reference one-pixel bar on `row` from x1 up to, not including, x2.
    void Bar(int x1, int x2, int row, TColor color = clBlack) {
        for (int x = x1; x < x2; ++x) expected.SetPixel(x, row, color);
    }
    // Reference fraction of ASCII texts at x with band top y, drawn in the typesetter's order.
    int PutFraction(int x, int y, const std::string& top, const std::string& bottom) {
        int lengthTop = static_cast<int>(top.size()), lengthBottom = static_cast<int>(bottom.size());
        int w;
        if (lengthTop >= lengthBottom) {
            w = PutRun(x, y + 8, top);
            int q = (w - x) / lengthTop;
            PutRun(x + (lengthTop - lengthBottom) * q / 2, y + 35, bottom);
        } else {
            w = PutRun(x, y + 35, bottom);
            int q = (w - x) / lengthBottom;
            PutRun(x + (lengthBottom - lengthTop) * q / 2, y + 8, top);
        }
        Bar(x - 1, w + 1, y + 32);
        return w;
    }
    bool Inked(int x, int y) const { return canvas.Pixel(x, y) != clWhite; }
};

TEST_F(TypesetTest, RunRaisesLettersButTAndSpacesCharactersTwoApart) {
    int next = typesetter.DrawPiece(canvas, 16, "tan2", "", X, Y, 1.0);
    int end = PutRun(X, Y + 20, "tan2");
    EXPECT_TRUE(SamePixels(canvas, expected, "run-tan2"));
    EXPECT_EQ(next, end + 10);
    // The raise is real: "a" starts 2 rows above "t"'s row.
    EXPECT_EQ(InkBox(canvas, {X + Advance("t") + 2, 0, X + Advance("t") + 2 + Advance("a"), 120})->top,
              Y + 18 + InkOffset("a").y);
}

TEST_F(TypesetTest, RunWritesPlusMinusForUnderscoreAndASmallDigitAfterCaret) {
    int next = typesetter.DrawPiece(canvas, 16, "_", "", X, Y, 1.0);
    EXPECT_EQ(next, Put(X, Y + 20, "±") + 10);
    // Brackets keep the caret out of the token's scan; the run writes a, then a size-12 "2".
    next = typesetter.DrawPiece(canvas, 16, "[a^2]", "", 200, Y, 1.0);
    int afterA = Put(200, Y + 18, "a");
    EXPECT_EQ(next, Put(afterA + 2, Y + 20, "2", 12) + 10);
    EXPECT_TRUE(SamePixels(canvas, expected, "run-plusminus-caret"));
    EXPECT_EQ(canvas.Font.Size, 16);
}

TEST_F(TypesetTest, FractionOfEqualLengthsStartsBothAtXWithTheBarInTheFontColour) {
    constexpr TColor blue = RGB(0, 0, 255);
    EXPECT_EQ(Line("[a]/b", blue).x, X + Advance("a"));
    expected.Font.Color = blue;
    Put(X, Y + 6, "a");
    Put(X, Y + 33, "b");
    Bar(X - 1, X + Advance("a") + 1, Y + 32, blue);
    EXPECT_TRUE(SamePixels(canvas, expected, "fraction-a-b"));
    EXPECT_EQ(canvas.Pen.Color, clBlack);
    EXPECT_EQ(canvas.Pen.Width, 1);
}

TEST_F(TypesetTest, FractionCentresTheShorterPartByTheLongerPartsMeanAdvance) {
    // The worked example of the hypotrochoid: "a-b" over "b".
    int w = Line("[a-b]/b").x;
    EXPECT_EQ(w, PutFraction(X, Y, "a-b", "b"));
    EXPECT_TRUE(SamePixels(canvas, expected, "fraction-amb-b"));
    // The bar lies between the numerator's ink and the denominator's.
    std::optional<TRect> above = InkBox(canvas, {0, 0, 400, Y + 32});
    std::optional<TRect> below = InkBox(canvas, {0, Y + 33, 400, 120});
    ASSERT_TRUE(above && below);
    EXPECT_LT(above->bottom - 1, Y + 32);
    EXPECT_GT(below->top, Y + 32);

    // A longer denominator is drawn first at x and sets the fraction's width.
    canvas = MakeCanvas();
    expected = MakeCanvas();
    EXPECT_EQ(typesetter.DrawPiece(canvas, 16, "a", "[b+c]", X, Y, 1.0), PutFraction(X, Y, "a", "b+c"));
    EXPECT_TRUE(SamePixels(canvas, expected, "fraction-a-bpc"));
}

TEST_F(TypesetTest, HypotrochoidLineWritesTwoByteTokensUnchangedAroundTheFraction) {
    TPoint end = Line("x=(a-b)cosθ+ccos [a-b]/b θ");
    int w = PutFraction(Put(X, Y + 20, "x=(a-b)cosθ+ccos"), Y, "a-b", "b");
    EXPECT_EQ(end, (TPoint{Put(w, Y + 20, "θ"), Y}));
    EXPECT_TRUE(SamePixels(canvas, expected, "line-hypotrochoid-x"));
}

TEST_F(TypesetTest, RoseLineGivesFourPlainPiecesTheFractionAndTheta) {
    TPoint end = Line("r = c sin [a]/b θ");
    int x = PutRun(X, Y + 20, "r") + 10;
    x = PutRun(x, Y + 20, "=") + 10;
    x = PutRun(x, Y + 20, "c") + 10;
    x = PutRun(x, Y + 20, "sin") + 10;
    x = PutFraction(x, Y, "a", "b");
    EXPECT_EQ(end.x, Put(x, Y + 20, "θ"));
    EXPECT_TRUE(SamePixels(canvas, expected, "line-rose"));
}

TEST_F(TypesetTest, LeadingCommaTokenIsAPieceTenPixelsBeforeTheYFormula) {
    TPoint end = Line("  , y=(a-b)sinθ-csin");
    EXPECT_EQ(end.x, Put(PutRun(X, Y + 20, ",") + 10, Y + 20, "y=(a-b)sinθ-csin"));
    EXPECT_TRUE(SamePixels(canvas, expected, "line-comma"));
}

TEST_F(TypesetTest, SeparatorsAndEmptyTokensAddNoSpace) {
    Line("r@=@c");
    Canvas withBlanks = MakeCanvas();
    TPoint end = typesetter.TypesetLine(16, X, Y, 1.0, withBlanks, "   r  = c ", clBlack);
    EXPECT_TRUE(SamePixels(canvas, withBlanks, "separators"));
    int x = PutRun(PutRun(X, Y + 20, "r") + 10, Y + 20, "=") + 10;
    EXPECT_EQ(end.x, PutRun(x, Y + 20, "c") + 10);
}

TEST_F(TypesetTest, ExponentIsOneSmallRaisedCharacterFivePixelsAfterTheBase) {
    TPoint end = Line("x^10 a");
    int two = PutRun(X, Y + 20, "x") + 5;
    int afterExponent = Put(two, Y + 14, "1", 10);
    int afterZero = PutRun(afterExponent, Y + 20, "0") + 10;
    EXPECT_EQ(end.x, PutRun(afterZero, Y + 20, "a") + 10);
    EXPECT_TRUE(SamePixels(canvas, expected, "exponent"));
    EXPECT_EQ(canvas.Font.Size, 16);
    EXPECT_FALSE(typesetter.SuperscriptMode);
}

TEST_F(TypesetTest, SignsFlushThePieceAndAreFollowedByFivePixels) {
    TPoint end = Line("a<=b [a]/b*c+d 1>2\\3");
    int x = PutRun(X, Y + 20, "a") + 10;
    x = Put(x, Y + 20, "≦") + 5;
    x = PutRun(x, Y + 20, "b") + 10;
    x = PutFraction(x, Y, "a", "b");
    x = Put(x, Y + 20, "×") + 5;
    x = PutRun(x, Y + 20, "c") + 10;
    x = PutRun(x, Y + 20, "+") + 10;
    x = PutRun(x, Y + 20, "d") + 10;
    x = PutRun(x, Y + 20, "1") + 10;
    x = Put(x, Y + 20, "＞") + 5;
    x = PutRun(x, Y + 20, "2") + 10;
    x = Put(x, Y + 20, "÷") + 5;
    EXPECT_EQ(end.x, PutRun(x, Y + 20, "3") + 10);
    EXPECT_TRUE(SamePixels(canvas, expected, "signs"));
}

TEST_F(TypesetTest, CoefficientFractionTakesTheGroupIntoTheNumerator) {
    Canvas reference = MakeCanvas();
    EXPECT_EQ(Line("1|2(a+b)").x, typesetter.DrawPiece(reference, 16, "a+b", "2", X, Y, 1.0));
    EXPECT_TRUE(SamePixels(canvas, reference, "coefficient-1"));

    canvas = MakeCanvas();
    reference = MakeCanvas();
    EXPECT_EQ(Line("3|2(x)").x, typesetter.DrawPiece(reference, 16, "3x", "2", X, Y, 1.0));
    EXPECT_TRUE(SamePixels(canvas, reference, "coefficient-3"));
}

TEST_F(TypesetTest, FractionRightAfterAFractionKeepsARunsGap) {
    TPoint end = Line("1|2(a+b)&3|2(x) [a]/b [c]/d");
    int x = PutFraction(X, Y, "a+b", "2");
    x = PutFraction(x + 10, Y, "3x", "2");
    x = PutFraction(x + 10, Y, "a", "b");
    EXPECT_EQ(end.x, PutFraction(x + 10, Y, "c", "d"));
    EXPECT_TRUE(SamePixels(canvas, expected, "fractions-side-by-side"));
}

TEST_F(TypesetTest, FractionThenAmpersandThenPlainPiece) {
    TPoint end = Line("[a]/b&c");
    EXPECT_EQ(end.x, PutRun(PutFraction(X, Y, "a", "b"), Y + 20, "c") + 10);
    EXPECT_TRUE(SamePixels(canvas, expected, "ampersand"));
}

TEST_F(TypesetTest, LoneGAndLAndTildeAreGlyphPicturesTwentyPixelsSquare) {
    TPoint end = Line("g l ~ gg");
    expected.StretchDraw({X, Y + 25, X + 20, Y + 45}, glyphs.imgGram.canvas.Picture());
    expected.StretchDraw({X + 20, Y + 20, X + 40, Y + 40}, glyphs.imgLitter.canvas.Picture());
    expected.StretchDraw({X + 40, Y + 20, X + 60, Y + 40}, glyphs.imgABlack.canvas.Picture());
    EXPECT_EQ(end.x, PutRun(X + 60, Y + 20, "gg") + 10);
    EXPECT_TRUE(SamePixels(canvas, expected, "glyphs"));
    // The picture really lands in the square: it has black ink there.
    EXPECT_TRUE(InkBox(canvas, {X, Y + 25, X + 20, Y + 45}).has_value());

    canvas = MakeCanvas();
    expected = MakeCanvas();
    Line("g", clRed);
    expected.StretchDraw({X, Y + 25, X + 20, Y + 45}, glyphs.imgRedGram.canvas.Picture());
    EXPECT_TRUE(SamePixels(canvas, expected, "glyph-red"));
}

TEST_F(TypesetTest, GlyphPicturesAreOneShapeInBlackAndInRed) {
    const std::pair<const TImage*, const TImage*> pairs[] = {{&glyphs.imgLitter, &glyphs.imgRedLitter},
                                                             {&glyphs.imgGram, &glyphs.imgRedGram},
                                                             {&glyphs.imgABlack, &glyphs.imgARed}};
    for (auto [black, red] : pairs) {
        int ink = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                TColor b = black->canvas.Pixel(x, y), r = red->canvas.Pixel(x, y);
                ASSERT_TRUE(b == clWhite || b == clBlack) << black->Name;
                ASSERT_EQ(r, b == clBlack ? clRed : clWhite) << red->Name;
                ink += b == clBlack;
            }
        }
        EXPECT_GT(ink, 20) << black->Name;
    }
    EXPECT_NE(glyphs.imgGram.canvas.Picture(), glyphs.imgLitter.canvas.Picture());
    EXPECT_NE(glyphs.imgGram.canvas.Picture(), glyphs.imgABlack.canvas.Picture());
}

TEST_F(TypesetTest, SimpleRootIsTheFivePointSignOverItsInside) {
    TPoint end = Line("[R3]");
    const int row = Y + 20;
    int e = Put(X + 20, row, "3");
    EXPECT_EQ(end.x, e + 10);
    // The polyline's points: every one but the last is drawn.
    for (TPoint p : {TPoint{X + 2, row + 14}, {X + 4, row + 12}, {X + 9, row + 20}, {X + 16, row}, {e - 1, row}}) {
        EXPECT_EQ(canvas.Pixel(p.x, p.y), clBlack) << p.x << "," << p.y;
    }
    EXPECT_FALSE(Inked(e, row));
    // The roof covers the inside: all of the 3's ink is below the roof and within it.
    std::optional<TRect> three = InkBox(canvas, {X + 17, row + 1, X + 60, 120});
    ASSERT_TRUE(three);
    EXPECT_GE(three->left, X + 20);
    EXPECT_LE(three->right, e);
    expected.Polyline({{X + 2, row + 14}, {X + 4, row + 12}, {X + 9, row + 20}, {X + 16, row}, {e, row}});
    EXPECT_TRUE(SamePixels(canvas, expected, "root-3"));
}

TEST_F(TypesetTest, RootOfAFractionIsTallerAndWider) {
    TPoint end = Line("[R1/2]");
    const int row = Y + 20;
    int w = PutFraction(X + 40, row - 20, "1", "2");
    int e = w + 1;  // the bar's end
    EXPECT_EQ(end.x, e + 10);
    for (TPoint p : {TPoint{X + 5, row + 20}, {X + 8, row + 16}, {X + 18, row + 36}, {X + 32, row - 16}, {e - 1, row - 16}}) {
        EXPECT_EQ(canvas.Pixel(p.x, p.y), clBlack) << p.x << "," << p.y;
    }
    // The roof covers the inside: nothing of the fraction pokes above it or past its end.
    std::optional<TRect> inside = InkBox(canvas, {X + 33, row - 15, 400, 120});
    ASSERT_TRUE(inside);
    EXPECT_LE(inside->right, e);
    EXPECT_FALSE(InkBox(canvas, {X + 33, 0, 400, row - 16}).has_value());
    expected.Polyline({{X + 5, row + 20}, {X + 8, row + 16}, {X + 18, row + 36}, {X + 32, row - 16}, {e, row - 16}});
    EXPECT_TRUE(SamePixels(canvas, expected, "root-half"));
}

TEST_F(TypesetTest, RootWithCaretHasAHigherRoofAndASmallInside) {
    Line("[R2^3]");
    const int row = Y + 20;
    // "^" discards the pending 2; the 3 is drawn small and raised by 6.
    int e = Put(X + 20, row - 6, "3", 10);
    expected.Polyline({{X + 2, row + 14}, {X + 4, row + 12}, {X + 9, row + 20}, {X + 16, row - 8}, {e, row - 8}});
    EXPECT_TRUE(SamePixels(canvas, expected, "root-caret"));
}

TEST_F(TypesetTest, RootHoldingThetaWritesItOnceAndTheRunGoesOnAfterTheRoot) {
    Line("[R$]x");
    const int row = Y + 20;
    int e = Put(X + 20, row, "θ");
    expected.Polyline({{X + 2, row + 14}, {X + 4, row + 12}, {X + 9, row + 20}, {X + 16, row}, {e, row}});
    Put(e + 2, row - 2, "x");
    EXPECT_TRUE(SamePixels(canvas, expected, "root-theta-x"));

    // θ over 2 inside a root: the two-byte numerator is written once at its own width.
    canvas = MakeCanvas();
    expected = MakeCanvas();
    Line("[R$/2]");
    int w = Put(X + 40, row - 12, "θ");
    Put(X + 40 + (w - X - 40) / 2 / 2, row + 15, "2");
    Bar(X + 39, w + 1, row + 12);
    expected.Polyline({{X + 5, row + 20}, {X + 8, row + 16}, {X + 18, row + 36}, {X + 32, row - 16}, {w + 1, row - 16}});
    EXPECT_TRUE(SamePixels(canvas, expected, "root-theta-half"));
}

TEST_F(TypesetTest, MagnificationTwoScalesRaiseOverhangStrokeAndGlyph) {
    int w = typesetter.DrawPiece(canvas, 16, "[a]", "b", X, Y, 2.0);
    Put(X, Y + 4, "a");
    Put(X, Y + 33, "b");
    EXPECT_EQ(w, X + Advance("a"));
    // A 3-pixel bar from x − 2 to W + 2: the rows around band + 32 are inked left of the text.
    for (int row : {Y + 31, Y + 32, Y + 33}) EXPECT_TRUE(Inked(X - 2, row)) << row;
    EXPECT_FALSE(Inked(X - 2, Y + 29));
    EXPECT_TRUE(Inked(w + 1, Y + 32));
    EXPECT_FALSE(Inked(w + 4, Y + 32));
    std::optional<TRect> numerator = InkBox(canvas, {X, 0, w, Y + 28});
    std::optional<TRect> a = InkBox(expected, {X, 0, w, Y + 28});
    EXPECT_EQ(numerator->top, a->top);

    canvas = MakeCanvas();
    expected = MakeCanvas();
    EXPECT_EQ(typesetter.DrawGlyph(canvas, 'g', X, Y, 2.0, clBlack), X + 40);
    expected.StretchDraw({X, Y + 30, X + 40, Y + 70}, glyphs.imgGram.canvas.Picture());
    EXPECT_TRUE(SamePixels(canvas, expected, "glyph-m2"));
}

}  // namespace
