// The background dispatcher and the seven kinds, driven through a headless main window.
#include <gtest/gtest.h>

#include <cstdint>

#include "picture/Backgrounds.h"
#include "picture/BackgroundsTestSupport.h"

namespace {

const TColor Yellow = RGB(255, 255, 0);

TEST(BackgroundsText, ShortestDecimalWithoutExponent) {
    EXPECT_EQ(TickLabelText(5), "5");
    EXPECT_EQ(TickLabelText(-2.5), "-2.5");
    EXPECT_EQ(TickLabelText(1.25), "1.25");
    EXPECT_EQ(TickLabelText(-10), "-10");
    EXPECT_EQ(TickLabelText(0.1), "0.1") << "15 significant digits hide the binary tail";
    EXPECT_EQ(TickLabelText(1e20), "100000000000000000000");
    EXPECT_EQ(PadLeft("5", 3), "  5");
    EXPECT_EQ(PadLeft("-5", 3), " -5");
    EXPECT_EQ(PadLeft("-2.5", 3), "-2.5") << "a longer text is not cut";
}

TEST_F(BackgroundsTest, QuadrantsShowTheStoredCurveAtHalfScale) {
    SetCurrentEntryZoom(5);
    struct Case { int quadrant; int originX, originY; };
    for (Case c : {Case{1, 128, 128}, Case{2, 384, 128}, Case{3, 128, 384}, Case{4, 384, 384}}) {
        form->updKakudai.SetValue(6);
        form->DrawBackground(c.quadrant);
        EXPECT_EQ(form->updKakudai.Value(), 4) << "quadrant " << c.quadrant;
        EXPECT_EQ(form->view.ScaleX, 16);
        EXPECT_EQ(form->view.OriginX, c.originX);
        EXPECT_EQ(form->view.OriginY, c.originY);
    }
    int changes = 0;
    form->updKakudai.OnChange = [&] { ++changes; };
    SetCurrentEntryZoom(1);
    form->DrawBackground(2);
    EXPECT_EQ(form->updKakudai.Value(), 1) << "zoom 0 is brought back into the control's range";
    EXPECT_EQ(changes, 1) << "the zoom is set through the control, with its change handler";
    SetCurrentEntryZoom(NotPlaceholder);
    form->DrawBackground(3);
    EXPECT_EQ(form->updKakudai.Value(), 6);
    SetCurrentEntryZoom(INT32_MIN);
    form->DrawBackground(4);
    EXPECT_EQ(form->updKakudai.Value(), 1);
}

TEST_F(BackgroundsTest, QuadrantWithoutACurrentCurveKeepsThePanelZoom) {
    form->CurrentCurve = -1;
    form->updKakudai.SetValue(3);
    form->DrawBackground(1);
    EXPECT_EQ(form->updKakudai.Value(), 3);
    EXPECT_EQ(form->view.ScaleX, 8);
    EXPECT_EQ(form->view.OriginX, 128);
}

TEST_F(BackgroundsTest, OnlyQuadrantsZeroToFourSetTheViewAndTheCurveColour) {
    Draw(4, 5, 0);
    Canvas& canvas = form->view.canvas();
    canvas.SetPixel(10, 10, clRed);
    canvas.Brush.Style = BrushStyle::Solid;
    const Bitmap before = canvas.Picture();
    form->colors.CurrentLineColor = clRed;
    form->updKakudai.SetValue(2);
    for (int quadrant : {-1, 5}) {
        form->DrawBackground(quadrant);
        EXPECT_EQ(form->view.ScaleX, 32);
        EXPECT_EQ(form->view.OriginX, 256);
        EXPECT_EQ(form->updKakudai.Value(), 2);
        EXPECT_EQ(form->colors.CurveColor, clBlack) << "the curve colour is not taken up either";
        EXPECT_EQ(canvas.Brush.Style, BrushStyle::Solid);
        EXPECT_TRUE(canvas.Picture() == before);
    }
    form->DrawBackground(0);
    EXPECT_EQ(form->colors.CurveColor, clRed);
}

TEST_F(BackgroundsTest, PlainKindsLeaveTheGraphInTheBackColour) {
    struct Case { int item; TColor back; };
    for (Case c : {Case{0, Yellow}, Case{2, clWhite}, Case{-1, clBlack}}) {
        SetBackColor(c.back);
        form->view.canvas().SetPixel(100, 100, clRed);
        Draw(c.item, 4, 0);
        EXPECT_EQ(CountPixelsNot(c.back, {0, 0, 513, 513}), 0) << "item " << c.item;
    }
}

TEST_F(BackgroundsTest, OverwriteAndLaterQuadrantsNeverClear) {
    Draw(3, 4, 0);
    Canvas& canvas = form->view.canvas();
    canvas.SetPixel(100, 100, clRed);
    form->chkOverWrite.SetChecked(true);
    Draw(3, 4, 0);
    EXPECT_EQ(canvas.Pixel(100, 100), clRed);
    form->DrawBackground(1);
    EXPECT_EQ(canvas.Pixel(100, 100), clRed) << "quadrant 1 does not clear while 上書き is ticked";

    form->chkOverWrite.SetChecked(false);
    SetCurrentEntryZoom(5);
    form->DrawBackground(1);
    EXPECT_NE(canvas.Pixel(100, 100), clRed) << "quadrant 1 clears the shared picture";
    canvas.SetPixel(100, 100, clRed);
    for (int quadrant : {2, 3, 4}) form->DrawBackground(quadrant);
    EXPECT_EQ(canvas.Pixel(100, 100), clRed);
}

// What each kind leaves for the curve and the caption drawn after it.
TEST_F(BackgroundsTest, CanvasStateLeftByEachKind) {
    const char* gothic = "ＭＳ Ｐゴシック";
    struct Case { int item; bool overwrite; BrushStyle brush; };
    const Case cases[] = {
        {0, false, BrushStyle::Solid}, {2, false, BrushStyle::Solid}, {3, false, BrushStyle::Solid},
        {4, false, BrushStyle::Solid}, {1, false, BrushStyle::Clear}, {5, false, BrushStyle::Clear},
        {6, false, BrushStyle::Clear}, {0, true, BrushStyle::Clear},  {3, true, BrushStyle::Clear},
        {4, true, BrushStyle::Clear},  {1, true, BrushStyle::Clear},  {6, true, BrushStyle::Clear},
    };
    SetBackColor(Yellow);
    for (const Case& c : cases) {
        form->chkOverWrite.SetChecked(c.overwrite);
        Canvas& canvas = form->view.canvas();
        canvas.Font.Name = "Braggadocio";
        canvas.Font.Italic = true;
        Draw(c.item, 4, 0);
        SCOPED_TRACE(testing::Message() << "item " << c.item << (c.overwrite ? " over" : " cleared"));
        EXPECT_EQ(canvas.Brush.Style, c.brush);
        if (c.brush == BrushStyle::Solid) {
            EXPECT_EQ(canvas.Brush.Color, Yellow);
        }
        if (c.item != 0 && c.item != 2) {
            EXPECT_EQ(canvas.Font.Name, gothic);
            EXPECT_FALSE(canvas.Font.Italic);
            EXPECT_EQ(canvas.Font.Color, clBlack);
        }
    }
}

}  // namespace
