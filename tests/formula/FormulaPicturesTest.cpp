// Pictures to look at: a sheet of fractions, roots, exponents, signs and glyphs, and the captions
// of the three built-in curves. Written into $QUORBEL_TEST_OUT when it is set.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/Main.h"
#include "curves/Codec.h"
#include "formula/FormulaTestSupport.h"
#include "ui/ScriptedPlatform.h"

using namespace formula_test;

namespace {

TEST(FormulaPicturesTest, SheetOfNotation) {
    const char* lines[] = {
        "[a]/b , [a-b]/b , a/[b+c] , 1|2(a+b) , 3|2(x) , [a]/b&c",
        "[R3]  [R1/2]  [R$]  [R2^3]  [R$/2]  [R3]x  [R(1+2)]",
        "x^2 , a^2+b^2=c^2 , x^10 , [a^2] , [a]/b^2",
        "a<=b  a>=b  a<b  a>b  a*b  a\\b  a_b  _1",
        "g  l  ~  gg  r = c sin [a]/b θ",
        "x=(a-b)cosθ+ccos [a-b]/b θ",
    };
    TfrmMath glyphs;
    Typesetter typesetter(glyphs);
    Canvas sheet = MakeCanvas(640, 420);
    for (int i = 0; i < static_cast<int>(std::size(lines)); ++i) {
        int y = 10 + 68 * i;
        typesetter.TypesetLine(16, 10, y, 1.0, sheet, Utf8ToCp932(lines[i]), clBlack);
        EXPECT_TRUE(InkBox(sheet, {0, y, 640, y + 68}).has_value()) << lines[i];
    }
    SaveTestPicture(sheet, "formula-sheet");
    // Three times enlarged, to see the bars and roofs against the ink of the text.
    Canvas zoom(960, 420, clWhite);
    zoom.CopyRect({0, 0, 960, 420}, sheet.Picture(), {0, 0, 320, 140});
    SaveTestPicture(zoom, "formula-sheet-zoom");
}

TEST(FormulaPicturesTest, CaptionsOfTheBuiltInCurves) {
    const char* thetaRanges[] = {"0≦θ≦6π", "0≦θ≦6π", "0≦θ≦20π"};
    for (int n = 0; n < 3; ++n) {
        ScriptedPlatform platform;
        TfrmMain frmMain(platform, std::filesystem::temp_directory_path().string());
        ReadProblems problems;
        CurveEntry entry = ParseRecord(BuiltInRecords(), n, problems);
        frmMain.curveTable[0] = entry;
        frmMain.curveTable.Count = 1;
        frmMain.colors.CurrentBackColor = clBlack;
        frmMain.colors.SetAxisColorFromBack();
        frmMain.cmbHaikei.SetItemIndex(0);
        frmMain.edtHeniki.SetText(thetaRanges[n]);
        frmMain.radC.SetChecked(true);
        frmMain.view.canvas().Reset(PlotView::PictureWidth, PlotView::PictureHeight, clBlack);
        frmMain.DrawAnnotation(0, entry.ParamA, entry.ParamB, entry.ParamC, entry.RepeatEnd > entry.RepeatStart, 0);
        Canvas& picture = frmMain.view.canvas();
        EXPECT_TRUE(InkBox(picture, {0, 553, 513, 575}, clBlack).has_value()) << n;
        // Only the strip is shown; the graph above it is another subsystem's.
        Canvas strip(PlotView::PictureWidth, 130, clBlack);
        strip.CopyRect({0, 0, PlotView::PictureWidth, 130}, picture.Picture(), {0, 510, PlotView::PictureWidth, 640});
        SaveTestPicture(strip, "caption-builtin-" + std::to_string(n + 1));
    }
}

}  // namespace
