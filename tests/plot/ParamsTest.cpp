#include "support/MainFormFixture.h"

class Params : public MainFormTest {};

TEST_F(Params, BDrivesThetaEndOfTheHypotrochoidWithoutDrawing) {
    WriteCatalog(MakeRecord({}));
    TfrmMain& f = Start();
    const Bitmap before = f.view.imgCood.canvas.Picture();
    const int plots = PlotsDrawn();
    f.updB.UserStep(1);
    EXPECT_EQ(f.updSend.Value(), 8);
    EXPECT_EQ(f.edtHeniki.Text(), "0≦θ≦8π");
    EXPECT_EQ(Line(rlParamB), "4");
    EXPECT_EQ(Line(rlThetaEnd), "8");
    EXPECT_EQ(PlotsDrawn(), plots);
    EXPECT_TRUE(f.view.imgCood.canvas.Picture() == before) << "the picture changes only at the next drawing";
}

// 変域 shows the range of the spin controls, which the caption prints under the curve: typing
// there would print a range the curve was not drawn over.
TEST_F(Params, ThetaRangeBoxCannotBeTypedInto) {
    WriteCatalog(MakeRecord({}));
    TfrmMain& f = Start();
    EXPECT_TRUE(f.edtHeniki.ReadOnly);
    f.edtHeniki.UserTypeText("0≦θ≦π/2");
    EXPECT_EQ(f.edtHeniki.Text(), "0≦θ≦6π");
    f.updSend.UserStep(1);
    EXPECT_EQ(f.edtHeniki.Text(), "0≦θ≦7π");
}

TEST_F(Params, ThetaEndFollowsBOnlyForTheClosingKindsAndIsClamped) {
    WriteCatalog(Concat({MakeRecord({{2, "1"}, {10, "6"}}), MakeRecord({{2, "0"}, {10, "6"}}), MakeRecord({{2, "2"}, {10, "6"}})}));
    TfrmMain& f = Start();
    f.lstShiki.UserClick(1);
    f.updB.UserTypeText("60");
    EXPECT_EQ(f.updSend.Value(), 100) << "2·60 is clamped to θ end's maximum";
    f.updB.UserTypeText("2000000000");
    f.updB.UserLeave();
    EXPECT_EQ(f.updB.Value(), 100);
    EXPECT_EQ(f.updSend.Value(), 100) << "a huge typed b must not overflow 2·b";

    f.lstShiki.UserClick(2);
    f.updB.SetValue(5);
    EXPECT_EQ(f.updSend.Value(), 6) << "a Lissajous figure keeps its θ end";

    f.lstShiki.UserClick(3);
    f.updB.SetValue(5);
    EXPECT_EQ(f.updSend.Value(), 10) << "the rose curve closes after 2·b·π";
}

TEST_F(Params, EveryControlWritesItsOwnRecordLine) {
    WriteCatalog(MakeRecord({}));
    TfrmMain& f = Start();
    f.updA.SetValue(-7);
    f.updC.SetValue(4);
    f.updStart.SetValue(-2);
    f.updKakudai.SetValue(5);
    f.updRpStart.SetValue(2);
    f.updRpEnd.SetValue(9);
    f.radB.UserClick();
    f.chkHojoEn.UserClick();
    f.cmbStep.UserSelect(5);
    f.cmbHaikei.UserSelect(4);
    f.radWidth2.UserClick();
    const std::pair<int, const char*> expected[] = {
        {rlParamA, "-7"}, {rlParamC, "4"}, {rlThetaStart, "-2"}, {rlZoom, "5"}, {rlRepeatStart, "2"},
        {rlRepeatEnd, "9"}, {rlRepeatTarget, "b"}, {rlAuxLine, "1"}, {rlStepIndex, "5"}, {rlBackground, "4"},
        {rlLineWidth, "2"}};
    for (auto [line, text] : expected) EXPECT_EQ(Line(line), text) << "line " << line;
    EXPECT_EQ(f.edtHeniki.Text(), "-2π≦θ≦6π");

    f.chkHojoEn.UserClick();
    EXPECT_EQ(Line(rlAuxLine), "0");
    f.cmbStep.SetItemIndex(2);
    EXPECT_EQ(Line(rlStepIndex), "5") << "a list set by the program writes nothing";
}

TEST_F(Params, TypedLetterReadsAsTheMinimum) {
    WriteCatalog(MakeRecord({{2, "23"}, {6, "4"}, {7, "2"}}));  // an ellipse: a is its x radius
    TfrmMain& f = Start();
    f.lstShiki.UserClick(1);
    f.updA.UserTypeText("x");
    EXPECT_EQ(Line(rlParamA), "-100");
    f.btnDraw.Click();
    const Bitmap typed = f.view.imgCood.canvas.Picture();
    f.updA.SetValue(-100);
    f.btnDraw.Click();
    EXPECT_TRUE(f.view.imgCood.canvas.Picture() == typed) << "the plot took a = −100";
}

TEST_F(Params, WithoutACurveNothingIsWrittenButTheRangeTextFollows) {
    TfrmMain& f = Start();  // no catalog: no curve is chosen
    f.updA.SetValue(5);
    f.updSend.SetValue(7);
    f.chkHojoEn.UserClick();
    EXPECT_FALSE(f.frmEdit.HasRecord());
    EXPECT_EQ(f.edtHeniki.Text(), "0≦θ≦7π");
}
