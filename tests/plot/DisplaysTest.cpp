#include "support/MainFormFixture.h"

namespace {
void Answer(ScriptedPlatform& platform, TButton TfrmStep::*button) {
    platform.QueueModal("frmStep", [button](TForm& f) { (static_cast<TfrmStep&>(f).*button).Click(); });
}
}  // namespace

// The built-in hypotrochoid, white on black, is on the panel after start.
class Displays : public MainFormTest {
protected:
    TfrmMain& StartDemo() {
        WriteCatalog(MakeRecord({}));
        TfrmMain& f = Start();
        platform.beforeModal = [this, &f](TForm& shown) {
            if (&shown == &f.frmStep) counts.push_back(f.frmStep.edtCount.Text());
        };
        platform.SetDefaultModal("frmStep", [](TForm& shown) { static_cast<TfrmStep&>(shown).btnOk.Click(); });
        return f;
    }
    int GraphPixels(TColor colour) const { return CountPixels(colour, 0, 0, 513, 513); }
    std::vector<std::string> counts;  // the count text at every STEP pause
};

TEST_F(Displays, RepeatDrawsOneCurvePerValueOverOneBackground) {
    TfrmMain& f = StartDemo();
    f.updRpEnd.SetValue(5);
    f.updC.SetValue(5);
    f.btnDraw.Click();
    const Bitmap single = f.view.imgCood.canvas.Picture();

    std::vector<std::pair<int, int>> bar;  // position and maximum before every curve
    platform.onProcessMessages = [&] {
        EXPECT_TRUE(f.prgBar.Visible());
        bar.push_back({f.prgBar.Position(), f.prgBar.Max()});
    };
    const int plots = PlotsDrawn();
    f.btnHanpuku.Click();
    EXPECT_EQ(PlotsDrawn() - plots, 5);
    EXPECT_EQ(f.updC.Value(), 5);
    EXPECT_EQ(Line(rlParamC), "5");
    EXPECT_FALSE(f.prgBar.Visible());
    EXPECT_EQ(bar, (std::vector<std::pair<int, int>>{{0, 5}, {1, 5}, {2, 5}, {3, 5}, {4, 5}}));
    EXPECT_TRUE(platform.messages.empty());

    // The curve for c = 5 is part of the repeat, and the four before it add to it.
    int missing = 0;
    for (int y = 0; y < 513; ++y)
        for (int x = 0; x < 513; ++x)
            missing += single.Pixel(x, y) == clWhite && f.view.imgCood.canvas.Pixel(x, y) != clWhite;
    EXPECT_EQ(missing, 0);
    int singleWhite = 0;
    for (int y = 0; y < 513; ++y)
        for (int x = 0; x < 513; ++x) singleWhite += single.Pixel(x, y) == clWhite;
    EXPECT_GT(singleWhite, 0);
    EXPECT_GT(GraphPixels(clWhite), singleWhite);
}

TEST_F(Displays, StepRepeatPausesBeforeEveryCurveAndSaysWhenDone) {
    TfrmMain& f = StartDemo();
    f.updRpEnd.SetValue(3);
    f.btnStepH.Click();
    EXPECT_EQ(counts, (std::vector<std::string>{" 0 /  3 回", " 1 /  3 回", " 2 /  3 回"}));
    EXPECT_EQ(f.frmStep.edtStep.Text(), "π/8");
    EXPECT_EQ(f.frmStep.Left, 16);
    EXPECT_EQ(f.frmStep.Top, 339 + 42);
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_EQ(platform.messages.back(), "表示終了");
    EXPECT_FALSE(f.StepMode) << "a STEP repeat draws each curve whole";
}

TEST_F(Displays, StepRepeatStopsOrRunsOnAsAnswered) {
    TfrmMain& f = StartDemo();
    f.updRpEnd.SetValue(3);
    const std::size_t messages = platform.messages.size();
    int plots = PlotsDrawn();
    Answer(platform, &TfrmStep::btnOk);
    Answer(platform, &TfrmStep::btnCancel);
    f.btnStepH.Click();
    EXPECT_EQ(counts.size(), 2u);
    EXPECT_EQ(PlotsDrawn() - plots, 1);
    EXPECT_EQ(f.updC.Value(), 1);
    EXPECT_FALSE(f.prgBar.Visible());
    EXPECT_EQ(platform.messages.size(), messages) << "中止 ends without 表示終了";

    counts.clear();
    plots = PlotsDrawn();
    Answer(platform, &TfrmStep::btnAll);
    f.btnStepH.Click();
    EXPECT_EQ(counts.size(), 1u);
    EXPECT_EQ(PlotsDrawn() - plots, 3);
    EXPECT_EQ(f.updC.Value(), 3);
    EXPECT_EQ(platform.messages.size(), messages) << "すべて表示 ends without 表示終了";
}

TEST_F(Displays, ClosedRepeatRangeDrawsOnceAsDraw) {
    TfrmMain& f = StartDemo();
    f.btnRpReset.Click();
    EXPECT_EQ(f.updRpStart.Value(), 1);
    EXPECT_EQ(f.updRpEnd.Value(), 1);
    const int plots = PlotsDrawn();
    const int yields = platform.processMessagesCount;
    f.btnHanpuku.Click();
    f.btnStepH.Click();
    EXPECT_EQ(PlotsDrawn() - plots, 2);
    EXPECT_EQ(platform.processMessagesCount, yields);
    EXPECT_TRUE(counts.empty());
    EXPECT_EQ(f.updC.Value(), 11);
}

TEST_F(Displays, SplitDisplayShowsFourValuesThenMovesOn) {
    TfrmMain& f = StartDemo();
    f.chkHojoEn.SetChecked(true);
    f.radWidth2.SetChecked(true);
    const int plots = PlotsDrawn();
    f.btnDev.Click();
    EXPECT_EQ(PlotsDrawn() - plots, 4);
    EXPECT_EQ(f.updRpStart.Value(), 5);
    EXPECT_EQ(f.updRpEnd.Value(), 5);
    EXPECT_EQ(f.updC.Value(), 4);
    EXPECT_FALSE(f.chkHojoEn.Checked());
    EXPECT_TRUE(f.radWidth1.Checked()) << "the catalog's curves are split at width 1";
    EXPECT_TRUE(f.ReloadBeforeDraw);
    for (auto [left, top] : {std::pair{0, 0}, std::pair{256, 0}, std::pair{0, 256}, std::pair{256, 256}}) {
        EXPECT_GT(CountPixels(clWhite, left, top, left + 256, top + 256), 0) << "quarter at " << left << ", " << top;
    }

    f.btnDraw.Click();
    EXPECT_FALSE(f.ReloadBeforeDraw);
    EXPECT_EQ(f.updKakudai.Value(), 3);
    EXPECT_EQ(f.updRpStart.Value(), 1);
    EXPECT_EQ(f.updRpEnd.Value(), 11);
    EXPECT_EQ(f.updC.Value(), 11);
}

TEST_F(Displays, SplitDisplayNearTheTopStopsAtTheRangeEnd) {
    TfrmMain& f = StartDemo();
    f.updRpStart.SetValue(99);
    const int plots = PlotsDrawn();
    f.btnDev.Click();
    EXPECT_EQ(PlotsDrawn() - plots, 2);
    EXPECT_EQ(f.updC.Value(), 100);
    EXPECT_EQ(f.updRpStart.Value(), 100);
    EXPECT_EQ(f.updRpEnd.Value(), 100);
}

TEST_F(Displays, ChangingAParameterKeepsTheSplitValuesForTheNextDrawing) {
    TfrmMain& f = StartDemo();
    f.btnDev.Click();
    f.updA.SetValue(9);
    EXPECT_FALSE(f.ReloadBeforeDraw);
    f.btnDraw.Click();
    EXPECT_EQ(f.updA.Value(), 9);
    EXPECT_EQ(f.updRpStart.Value(), 5);

    f.btnDev.Click();
    Answer(platform, &TfrmStep::btnCancel);
    f.btnStep.Click();
    EXPECT_EQ(f.updRpStart.Value(), 1) << "STEP表示 reloads the stored curve as 表示 does";
    EXPECT_FALSE(f.StepMode);
}
