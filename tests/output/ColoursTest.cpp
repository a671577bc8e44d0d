#include "support/MainFormFixture.h"

namespace {
constexpr TColor Red = 0x0000FF;
constexpr TColor Blue = 0xFF0000;
}  // namespace

class Colours : public MainFormTest {
protected:
    TColor Sample(int x, int y) const { return form->imgSample1.canvas.Pixel(x, y); }
};

TEST_F(Colours, ConfirmedColoursRedrawAndOpenTheNextDialogOnThem) {
    WriteCatalog(MakeRecord({}));
    TfrmMain& f = Start();
    int plots = PlotsDrawn();
    platform.colorAnswers.push_back(Red);
    f.spdLineColor.Click();
    EXPECT_EQ(f.colors.CurrentLineColor, Red);
    EXPECT_EQ(Line(rlLineColor), "$000000FF");
    EXPECT_EQ(PlotsDrawn() - plots, 11) << "the demo's open repeat range redraws as a repeat";
    EXPECT_EQ(Sample(5, 10), Red);
    EXPECT_EQ(Sample(5, 2), clBlack);
    EXPECT_GT(CountPixels(Red, 0, 0, 513, 513), 0);
    EXPECT_EQ(CountPixels(clWhite, 0, 0, 513, 513), 0) << "the picture was drawn again in red";

    f.btnRpReset.Click();
    plots = PlotsDrawn();
    platform.colorAnswers.push_back(Blue);
    f.KB1.Click();
    EXPECT_EQ(f.colors.CurrentBackColor, Blue);
    EXPECT_EQ(f.colors.AxisColor, clBlack);
    EXPECT_EQ(Line(rlBackColorValue), "$00FF0000");
    EXPECT_EQ(PlotsDrawn() - plots, 1);
    EXPECT_EQ(Sample(5, 2), Blue);
    EXPECT_EQ(platform.colorRequests, (std::vector<TColor>{clBlack, Red}));

    platform.colorAnswers.push_back(TColor{1});
    f.spdBackColor.Click();
    EXPECT_EQ(f.colors.AxisColor, clBlack) << "only exactly black gives white axes";
    platform.colorAnswers.push_back(clBlack);
    f.spdBackColor.Click();
    EXPECT_EQ(f.colors.AxisColor, clWhite);
}

TEST_F(Colours, CancelledDialogChangesNothingButRecordsTheColourInForce) {
    WriteCatalog(MakeRecord({}));
    TfrmMain& f = Start();
    EXPECT_EQ(Line(rlBackColorValue), "0");
    const Bitmap before = f.view.imgCood.canvas.Picture();
    const int plots = PlotsDrawn();
    f.spdBackColor.Click();
    f.mnuSetColor.Click();
    EXPECT_EQ(Line(rlBackColorValue), "$00000000");
    EXPECT_EQ(Line(rlLineColor), "$00FFFFFF");
    EXPECT_EQ(f.colors.CurrentBackColor, clBlack);
    EXPECT_EQ(PlotsDrawn(), plots);
    EXPECT_TRUE(f.view.imgCood.canvas.Picture() == before);
}

TEST_F(Colours, MonochromeAppliesBlackOnWhiteAndKeepsThePanelAndTheStoredColourLines) {
    WriteCatalog(MakeRecord({}));
    TfrmMain& f = Start();
    EXPECT_TRUE(f.spdLineColor.Enabled());
    EXPECT_TRUE(f.spdBackColor.Enabled());
    // Unsaved changes on the panel: a, the θ range, the zoom and the background.
    f.updA.SetValue(5);
    f.updSend.SetValue(4);
    f.updKakudai.SetValue(2);
    f.cmbHaikei.UserSelect(3);
    const int plots = PlotsDrawn();
    f.chkMonoc.UserClick();
    EXPECT_FALSE(f.spdLineColor.Enabled());
    EXPECT_FALSE(f.spdBackColor.Enabled());
    EXPECT_TRUE(f.mnuSetColor.Enabled());
    EXPECT_TRUE(f.KB1.Enabled());
    EXPECT_EQ(f.colors.CurrentLineColor, clBlack);
    EXPECT_EQ(f.colors.CurrentBackColor, clWhite);
    EXPECT_EQ(f.colors.AxisColor, clBlack);
    EXPECT_EQ(f.updA.Value(), 5) << "the panel stays as the user left it";
    EXPECT_EQ(f.updSend.Value(), 4);
    EXPECT_EQ(f.updKakudai.Value(), 2);
    EXPECT_EQ(f.cmbHaikei.ItemIndex(), 3);
    EXPECT_EQ(Line(rlParamA), "5");
    EXPECT_EQ(Line(rlLineColor), "$00FFFFFF");
    EXPECT_EQ(Line(rlBackColorValue), "0");
    EXPECT_GT(PlotsDrawn(), plots) << "drawn again";
    EXPECT_EQ(Sample(5, 10), clBlack);
    EXPECT_EQ(Sample(5, 2), clWhite);
    EXPECT_GT(CountPixels(clBlack, 0, 0, 513, 513), 0);

    // A colour chosen from the menu in monochrome holds, and is the curve's colour once unticked.
    platform.colorAnswers.push_back(Red);
    f.mnuSetColor.Click();
    EXPECT_EQ(f.colors.CurrentLineColor, Red);
    f.chkMonoc.UserClick();
    EXPECT_TRUE(f.spdLineColor.Enabled());
    EXPECT_EQ(f.colors.CurrentLineColor, Red) << "the working record's colour, as saving writes it";
    EXPECT_EQ(f.colors.CurrentBackColor, clBlack) << "the stored background colour";
    EXPECT_EQ(f.updA.Value(), 5);
}

TEST_F(Colours, WithoutACurveTheCommandsWriteNoRecord) {
    TfrmMain& f = Start();  // no catalog
    platform.colorAnswers.push_back(Red);
    f.spdLineColor.Click();
    f.radWidth2.UserClick();
    EXPECT_FALSE(f.frmEdit.HasRecord());
    EXPECT_EQ(f.colors.CurrentLineColor, Red);
}
