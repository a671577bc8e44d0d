#include "support/MainFormFixture.h"

class Choose : public MainFormTest {};

TEST_F(Choose, ProductWordOnlyOnTheHeaderLinesCurve) {
    // Both curves white on black; the rose stays well inside the picture.
    WriteCatalog(MakeRecord({{1, "葉"}, {2, "2"}, {6, "3"}, {7, "1"}, {8, "4"}, {10, "2"}, {13, "4"}}));
    TfrmMain& f = Start();
    const int word = CountPixels(clWhite, 0, 0, 160, 60);
    EXPECT_GT(word, 20) << "\"Quorbel\" at (10, 10) in white";
    EXPECT_EQ(CountPixels(clWhite, 0, 0, 10, 60) + CountPixels(clWhite, 0, 0, 160, 10), 0)
        << "nothing above or left of (10, 10)";

    f.lstShiki.UserClick(1);
    EXPECT_EQ(CountPixels(clWhite, 0, 0, 160, 60), 0);
    EXPECT_EQ(f.RememberedLine[1], 1);
}

TEST_F(Choose, ARecordWithAClosedRepeatRangeIsDrawnOnce) {
    WriteCatalog(MakeRecord({{11, "4"}, {12, "4"}}));
    TfrmMain& f = Start();
    const int plots = PlotsDrawn();
    const int yields = platform.processMessagesCount;
    f.lstShiki.UserClick(1);
    EXPECT_EQ(PlotsDrawn() - plots, 1);
    EXPECT_EQ(platform.processMessagesCount, yields) << "no repeat display";
    EXPECT_EQ(f.updC.Value(), 11);
}

TEST_F(Choose, DefaultsRestoreTheStoredValuesAndDrawOnce) {
    WriteCatalog(MakeRecord({}));
    TfrmMain& f = Start();
    f.updA.SetValue(5);
    f.updKakudai.SetValue(6);
    f.radA.UserClick();
    f.cmbStep.UserSelect(3);
    const int plots = PlotsDrawn();
    f.btnReset.Click();
    EXPECT_EQ(PlotsDrawn() - plots, 1) << "once, although the stored repeat range is open";
    EXPECT_EQ(f.updA.Value(), 13);
    EXPECT_EQ(f.updKakudai.Value(), 3);
    EXPECT_TRUE(f.radC.Checked());
    EXPECT_EQ(Line(rlParamA), "13");
    EXPECT_EQ(Line(rlRepeatTarget), "c");
    EXPECT_EQ(Line(rlStepIndex), "3") << "a list changed by the user keeps its line";
    EXPECT_EQ(f.cmbStep.ItemIndex(), 0);
}

