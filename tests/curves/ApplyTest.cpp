#include "support/MainFormFixture.h"

TEST(ThetaText, NamesMultiplesOfPi) {
    EXPECT_EQ(ThetaText(0), "0");
    EXPECT_EQ(ThetaText(1), "π");
    EXPECT_EQ(ThetaText(-1), "-π");
    EXPECT_EQ(ThetaText(2), "2π");
    EXPECT_EQ(ThetaText(-3), "-3π");
    EXPECT_EQ(ThetaText(20), "20π");
}

class Apply : public MainFormTest {};

TEST_F(Apply, HeaderLineOfTheCatalogShowsTheBuiltInHypotrochoid) {
    WriteCatalog(MakeRecord({{1, "円"}, {2, "20"}}));
    TfrmMain& f = Start();
    EXPECT_EQ(f.lblSpec.Caption(), "バラ（ハイポトロコイド） Curves20.crx [#3]");
    EXPECT_EQ(f.updA.Value(), 13);
    EXPECT_EQ(f.updB.Value(), 3);
    EXPECT_EQ(f.updC.Value(), 11);
    EXPECT_EQ(f.edtHeniki.Text(), "0≦θ≦6π");
    EXPECT_EQ(f.updKakudai.Value(), 3);
    EXPECT_TRUE(f.radC.Checked());
    EXPECT_EQ(f.updRpStart.Value(), 1);
    EXPECT_EQ(f.updRpEnd.Value(), 11);
    EXPECT_EQ(f.cmbStep.SelectedText(), "π/8");
    EXPECT_EQ(f.lstComment.Items(), std::vector<std::string>(5, ""));
    // Every handler that fired on the way wrote what the record already held.
    EXPECT_EQ(f.frmEdit.Record(), BuiltInRecord(1));
}

TEST_F(Apply, ParameterMarkedUnusedDisablesItsControlsAndRecordsTheClampedValue) {
    WriteCatalog(Concat({MakeRecord({{1, "円"}, {2, "20"}, {6, "*"}, {8, "*"}, {13, "*"}}),
                         MakeRecord({{1, "楕円"}, {2, "23"}, {6, "5"}})}));
    TfrmMain& f = Start();
    f.lstShiki.UserClick(1);
    EXPECT_EQ(f.updA.Value(), 99);
    EXPECT_FALSE(f.updA.Enabled());
    EXPECT_FALSE(f.radA.Enabled());
    EXPECT_FALSE(f.updC.Enabled());
    EXPECT_TRUE(f.updB.Enabled());
    EXPECT_TRUE(f.radB.Enabled());
    EXPECT_EQ(Line(rlParamA), "99") << "the panel showed 13 before";
    EXPECT_EQ(f.updKakudai.Value(), 6) << "a zoom of 99 is clamped";

    f.lstShiki.UserClick(2);
    EXPECT_TRUE(f.updA.Enabled());
    EXPECT_TRUE(f.radA.Enabled());
    EXPECT_TRUE(f.updC.Enabled());
    EXPECT_EQ(Line(rlParamA), "5");
}

TEST_F(Apply, NotesRepeatTargetAndStoredLinesAsTheyStand) {
    WriteCatalog(Concat({MakeRecord({{1, "葉"}, {2, "2"}, {6, " 7"}, {14, "a"}, {21, "b を変えてみよう"}, {23, "*"}, {25, "最後"}}),
                         MakeRecord({{1, "大文字"}, {14, "A"}})}));
    TfrmMain& f = Start();
    f.lstShiki.UserClick(1);
    EXPECT_EQ(f.lstComment.Items(), (std::vector<std::string>{"b を変えてみよう", "", "", "", "最後"}));
    EXPECT_TRUE(f.radA.Checked());
    EXPECT_EQ(Line(rlParamA), "7") << "a changed from 13 to 7, so its handler wrote the decimal";
    EXPECT_EQ(Line(rlNote1 + 2), "*") << "the working record keeps the stored text";

    f.lstShiki.UserClick(2);
    EXPECT_TRUE(f.radA.Checked()) << "\"A\" selects no target and leaves the previous one";
}

TEST_F(Apply, ExplanationButtonFollowsTheCurveKind) {
    WriteCatalog(Concat({MakeRecord({{2, "7"}}), MakeRecord({{2, "11"}}), MakeRecord({{2, "99"}}), MakeRecord({{2, "-1"}})}));
    TfrmMain& f = Start();
    const std::pair<int, bool> cases[] = {{1, false}, {2, true}, {3, false}, {4, false}, {0, true}};
    for (auto [line, enabled] : cases) {
        f.lstShiki.UserClick(line);
        EXPECT_EQ(f.btnKaisetsu.Enabled(), enabled) << "line " << line;
    }
}

TEST_F(Apply, ThetaRangeTextFollowsStartAndEnd) {
    WriteCatalog(MakeRecord({}));
    TfrmMain& f = Start();
    f.updStart.SetValue(-1);
    f.updSend.SetValue(1);
    EXPECT_EQ(f.edtHeniki.Text(), "-π≦θ≦π");
    f.updSend.SetValue(0);
    f.updStart.SetValue(0);
    EXPECT_EQ(f.edtHeniki.Text(), "0≦θ≦0");
}

TEST_F(Apply, FolderCurvesNameTheirFileAndTheHeaderLineABlank) {
    WriteCatalog(MakeRecord({}));
    WriteCurve("BtCurves", "star.crv", MakeRecord({{1, "星"}, {2, "8"}}));
    TfrmMain& f = Start();
    f.spdKihonOpen.Click();
    EXPECT_EQ(f.lblSpec.Caption(), "ツボミ（エピトロコイド）   [#8]");
    EXPECT_EQ(f.CurrentFileName, " ");
    f.lstShiki.UserClick(1);
    EXPECT_EQ(f.lblSpec.Caption(), "星 star.crv [#8]");
    EXPECT_EQ(f.CurrentFileName, "star.crv");
}
