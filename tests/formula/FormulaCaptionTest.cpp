// The caption of a typed-formula curve: every caption of a contact sheet of exercises keeps its
// ink inside the strip and off the right margin, a formula too wide is set smaller and then
// broken, the main window's caption is this caption, and typeset formulas cover what they measure.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/Main.h"
#include "curves/Codec.h"
#include "formula/FormulaCaption.h"
#include "formula/FormulaTestSupport.h"
#include "ui/ScriptedPlatform.h"

using namespace formula_test;

namespace {

constexpr int W = CaptionStripWidth, Rows = CaptionStripHeight - 1;  // the last row is below the picture

FormulaCaption Caption(int kind, const std::string& name, const std::string& formula, const std::string& second = "") {
    FormulaCaption caption;
    caption.name = name;
    caption.kind = kind;
    if (kind == 27) caption.line3 = formula;
    else caption.line4 = formula;
    caption.line5 = second;
    caption.a = 2, caption.b = 3, caption.c = 5;
    caption.thetaRange = "0≦θ≦2π";
    return caption;
}

// Exercises of the course, with the kinds of layout they need.
std::vector<FormulaCaption> Exercises() {
    std::vector<FormulaCaption> captions = {
        Caption(26, "楕円の一部", "x=2cos t", "y=sin t (0<=t<=π/2)"),
        Caption(26, "アステロイド", "x=a cos³θ", "y=a sin³θ"),
        Caption(26, "円の有理式による表示", "x=(1-t²)/(1+t²)", "y=2t/(1+t²) (-2≦t≦2)"),
        Caption(26, "ハイポトロコイド", "x=(a-b)cosθ+c cos((a-b)/b θ)", "y=(a-b)sinθ-c sin((a-b)/b θ)"),
        Caption(26, "サイクロイド", "x=a(t-sin t)", "y=a(1-cos t) (0≦t≦2π)"),
        Caption(26, "減衰するらせん", "x=e^-t cos 2πt", "y=e^(-t/5) sin 2πt (0≦t≦10)"),
        Caption(26, "根号と分数の指数", "x=√(t+1)", "y=t^(1/3) (-8≦t≦8)"),
        Caption(26, "レムニスケート", "x=cos t/(1+sin²t)", "y=sin t cos t/(1+sin²t)"),
        Caption(26, "双曲線 x²−y²=1 の右の枝", "x=1/cos t", "y=tan t (-π/2<t<π/2)"),
        Caption(26, "分数の中の分数", "x=(1+1/t)/(1-1/(1+t²))", "y=|t|-1 (1/2≦t≦3)"),
        Caption(27, "リマソン", "r=1+2cosθ"),
        Caption(27, "原点を通る円", "r=2cosθ (-π/2≦θ≦π/2)"),
        Caption(27, "カージオイド", "r=1-sinθ"),
        Caption(27, "2次曲線の極方程式", "r=2/(1+(1/2)cosθ)"),
        Caption(27, "正葉曲線", "r=a sin 3θ (0≦θ≦π)"),
        Caption(27, "レムニスケート（極方程式）", "r=√(2cos 2θ) (-π/4≦θ≦π/4)"),
        Caption(27, "対数らせん", "r=e^(θ/(2π)) (0≦θ≦6π)"),
        Caption(28, "平行移動した双曲線", "(x-2)^2/4-(y+1)^2/9=1"),
        Caption(28, "楕円", "x²/16+y²/9=1"),
        Caption(28, "放物線 y²=−8(x−5)", "y²=-8(x-5)"),
        Caption(28, "直角双曲線", "xy=1"),
        Caption(28, "絶対値のグラフ", "y=|x|-1 (-2≦x≦2)"),
        Caption(28, "上半分の円", "x²+y²=4 (y≧0)"),
        Caption(28, "レムニスケート（方程式）", "(x²+y²)²=2(x²-y²)"),
        Caption(28, "長い方程式", "x^4+2x^3y+3x^2y^2+4xy^3+5y^4-6x^2-7xy-8y^2+9x-10y+c^2/(a+b)=11+√(a^2+b^2)"),
        Caption(26, "長い媒介変数表示", "x=(a-b)cosθ+c cos((a-b)/b θ)+sin²θ/2-3cos2θ+e^-θ",
                "y=(a-b)sinθ-c sin((a-b)/b θ)+√(1+θ²)-|θ-1|+log(2+θ²) (0≦θ≦6π)"),
        Caption(28, "読めない式", "y=(x+1"),
        // One product too wide at every size: written as it stands, cut short.
        Caption(28, "長すぎる積", "x³" + std::string(300, 'x') + "=y"),
    };
    captions[4].repeat = true, captions[4].repeatStart = 1, captions[4].target = 'a';
    captions[3].textColor = clWhite, captions[3].stripColor = clBlack;
    return captions;
}

Canvas Strip(const FormulaCaption& caption) {
    Canvas canvas(W, CaptionStripHeight, clWhite);
    DrawFormulaCaption(canvas, caption, 0);
    return canvas;
}

TEST(FormulaCaptionTest, EveryCaptionOfTheContactSheetStaysInsideTheStripAndOffTheRightMargin) {
    const std::vector<FormulaCaption> captions = Exercises();
    // Sheets of eight captions, two by four, to look at.
    constexpr int Columns = 2, PerSheet = 8;
    Canvas sheet;
    for (std::size_t i = 0; i < captions.size(); ++i) {
        SCOPED_TRACE(captions[i].name);
        const Canvas strip = Strip(captions[i]);
        const TColor ground = captions[i].stripColor;
        // Nothing in the 8 columns at the right edge, above the name or in the row below the picture.
        EXPECT_FALSE(InkBox(strip, {W - CaptionRightMargin, 0, W, CaptionStripHeight}, ground));
        EXPECT_FALSE(InkBox(strip, {0, 0, W, 9}, ground));
        EXPECT_FALSE(InkBox(strip, {0, Rows, W, CaptionStripHeight}, ground));
        // The formula stands between the name's text box and the parameter line's.
        EXPECT_TRUE(InkBox(strip, {0, 31, W, 82}, ground));
        const int place = static_cast<int>(i) % PerSheet, column = place % Columns, row = place / Columns;
        if (place == 0) sheet = Canvas(Columns * (W + 4), PerSheet / Columns * (CaptionStripHeight + 4), RGB(128, 128, 128));
        const int left = column * (W + 4) + 2, top = row * (CaptionStripHeight + 4) + 2;
        sheet.CopyRect({left, top, left + W, top + CaptionStripHeight}, strip.Picture(), {0, 0, W, CaptionStripHeight});
        if (place == PerSheet - 1 || i + 1 == captions.size())
            SaveTestPicture(sheet, "formula-captions-" + std::to_string(i / PerSheet + 1));
    }
}

// Ink rows of the formula lines: runs of inked rows between the name and the parameter line.
std::vector<std::pair<int, int>> FormulaLines(const Canvas& strip, int parameterRow) {
    std::vector<std::pair<int, int>> runs;
    for (int y = 31; y < parameterRow; ++y) {
        const bool inked = InkBox(strip, {0, y, W, y + 1}).has_value();
        if (inked && (runs.empty() || runs.back().second != y)) runs.push_back({y, y + 1});
        else if (inked) runs.back().second = y + 1;
    }
    return runs;
}

TEST(FormulaCaptionTest, AFormulaTooWideIsSetSmallerAndThenBrokenAfterEqualsOrComma) {
    // Fits at 16 points: one line.
    const Canvas plain = Strip(Caption(26, "", "x=2cos t", "y=sin t"));
    EXPECT_EQ(FormulaLines(plain, 82).size(), 1u);
    // The hypotrochoid is a little too wide at 16 points: one line still, set smaller.
    const Canvas smaller = Strip(Caption(26, "", "x=(a-b)cosθ+c cos((a-b)/b θ)", "y=(a-b)sinθ-c sin((a-b)/b θ)"));
    const Canvas large = Strip(Caption(27, "", "r=(a-b)cosθ+c cos((a-b)/b θ)"));
    const std::optional<TRect> smallInk = InkBox(smaller, {0, 31, W, 82}), largeInk = InkBox(large, {0, 31, W, 82});
    ASSERT_TRUE(smallInk && largeInk);
    EXPECT_LT(smallInk->bottom - smallInk->top, largeInk->bottom - largeInk->top);
    // Too wide even at 12 points: x and y on lines of their own, the parameter line moved down.
    const FormulaCaption wide = Exercises()[25];
    const Canvas broken = Strip(wide);
    const std::vector<std::pair<int, int>> lines = FormulaLines(broken, Rows);
    ASSERT_GE(lines.size(), 3u) << "x, y and the parameter line";
    const std::optional<TRect> first = InkBox(broken, {0, lines[0].first, W, lines[0].second});
    const std::optional<TRect> second = InkBox(broken, {0, lines[1].first, W, lines[1].second});
    EXPECT_EQ(first->left, second->left) << "a line after a comma starts an equation at the left";
}

TEST(FormulaCaptionTest, TheParameterLineShowsOnlyWhatTheFormulasUse) {
    // "a = 2" alone, at the parameter line's place, and the panel's range in the formula's letter.
    FormulaCaption caption = Caption(26, "", "x=a cos t", "y=sin t");
    Canvas expected(W, CaptionStripHeight, clWhite);
    expected.Brush.Style = BrushStyle::Clear;
    expected.Font.Name = AnnotationFontFace;
    expected.Font.Size = 16;
    expected.TextOut(100, 84, "      a = 2,  0≦t≦2π");
    const Canvas strip = Strip(caption);
    EXPECT_EQ(InkBox(strip, {90, 84, W, Rows}), InkBox(expected, {90, 84, W, Rows}));
    // A range of its own replaces the panel's, and an equation without parameters has no line.
    EXPECT_FALSE(InkBox(Strip(Caption(28, "", "xy=1")), {0, 84, W, Rows}));
    EXPECT_FALSE(InkBox(Strip(Caption(27, "", "r=2 (0≦θ≦π)")), {90, 84, W, Rows}));
}

TEST(FormulaCaptionTest, TheMainWindowCaptionsATypedKindWithItsOwnEquation) {
    ScriptedPlatform platform;
    TfrmMain frmMain{platform, std::filesystem::temp_directory_path().string()};
    frmMain.curveTable.Count = 1;
    CurveEntry& entry = frmMain.curveTable[0];
    entry.Id = 28;
    entry.Name = Utf8ToCp932("平行移動した双曲線");
    entry.XFormula = Utf8ToCp932("(x-2)^2/4-(y+1)^2/a^2=1");
    frmMain.cmbHaikei.SetItemIndex(2);
    frmMain.radA.SetChecked(true);
    frmMain.updRpStart.SetValue(3);
    Canvas& picture = frmMain.view.canvas();
    picture.Reset(PlotView::PictureWidth, PlotView::PictureHeight, clWhite);
    frmMain.DrawAnnotation(0, 3, 99, 99, false, 2);

    FormulaCaption caption = Caption(28, "平行移動した双曲線", "(x-2)^2/4-(y+1)^2/a^2=1");
    caption.a = 3;
    caption.target = 'a';
    caption.repeatStart = 3;
    Canvas expected(W, CaptionStripHeight, clWhite);
    DrawFormulaCaption(expected, caption, 0);
    Canvas shown(W, CaptionStripHeight, clWhite);
    shown.CopyRect({0, 0, W, CaptionStripHeight}, picture.Picture(), {0, W + 1, W, W + 1 + CaptionStripHeight});
    Canvas reference(W, CaptionStripHeight, clWhite);
    reference.CopyRect({0, 0, W, Rows}, expected.Picture(), {0, 0, W, Rows});
    shown.FillRect({0, Rows, W, CaptionStripHeight}, clWhite);
    EXPECT_TRUE(SamePixels(shown, reference, "typed-caption"));
    // The split display's label is still written on the square.
    EXPECT_TRUE(InkBox(picture, {256, 7, 300, 30}));
}

TEST(FormulaCaptionTest, ATypesetFormulaCoversWhatItMeasuresAndPrintsFractionsAsFractions) {
    for (const char* text : {"(x−2)²/4 − (y+1)²/9 = 1", "y² = −8(x − 5)", "F(√13, 0), F′(−√13, 0)", "e = √13/2",
                             "y = ±(3/2)(x − 2) − 1", "x = (1 − t²)/(1 + t²)", "(((", "sin^-1 x"}) {
        SCOPED_TRACE(text);
        Canvas canvas = MakeCanvas(600, 120);
        canvas.Brush.Style = BrushStyle::Solid;
        const FormulaExtent drawn = TypesetFormula(canvas, text, 20, 60, 16, clBlack);
        const FormulaExtent measured = MeasureFormula(text, 16);
        EXPECT_EQ(drawn.width, measured.width);
        EXPECT_EQ(drawn.ascent, measured.ascent);
        EXPECT_EQ(drawn.descent, measured.descent);
        const std::optional<TRect> ink = InkBox(canvas, WholeOf(canvas));
        ASSERT_TRUE(ink);
        EXPECT_GE(ink->left, 20);
        EXPECT_LE(ink->right, 20 + drawn.width);
        EXPECT_GE(ink->top, 60 - drawn.ascent);
        EXPECT_LE(ink->bottom, 60 + drawn.descent);
        EXPECT_EQ(canvas.Brush.Style, BrushStyle::Solid) << "the brush is left as it was";
    }
    // 1/2: the 1 above a bar, the 2 below it, both narrower than the bar.
    Canvas half = MakeCanvas(100, 80);
    TypesetFormula(half, "1/2", 10, 40, 16, clBlack);
    int barRow = -1;
    for (int y = 0; y < 80 && barRow < 0; ++y) {
        std::optional<TRect> row = InkBox(half, {0, y, 100, y + 1});
        if (row && row->right - row->left >= 10 && InkBox(half, {0, 0, 100, y}) && InkBox(half, {0, y + 1, 100, 80})) barRow = y;
    }
    ASSERT_GT(barRow, 0);
    const std::optional<TRect> above = InkBox(half, {0, 0, 100, barRow - 1}), below = InkBox(half, {0, barRow + 2, 100, 80});
    ASSERT_TRUE(above && below);
    EXPECT_LT(above->bottom, barRow);
    EXPECT_GT(below->top, barRow);
}

}  // namespace
