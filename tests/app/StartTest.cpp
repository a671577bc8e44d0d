#include "support/MainFormFixture.h"

class StartSequence : public MainFormTest {};

TEST_F(StartSequence, FirstPictureIsTheBuiltInHypotrochoidRepeatedOverC) {
    WriteCatalog(Concat({MakeRecord({{1, "一"}}), MakeRecord({{1, "二"}})}));
    TfrmMain& f = Create();
    f.cmbStep.SetItemIndex(1);
    std::vector<std::pair<int, int>> bar;  // progress before every curve of a repeat
    platform.onProcessMessages = [&] { bar.push_back({f.prgBar.Position(), f.prgBar.Max()}); };
    f.FormShow();

    EXPECT_TRUE(f.spdOpenFile.Down());
    EXPECT_FALSE(f.spdKihonOpen.Down());
    EXPECT_EQ(f.lstShiki.Count(), 3);
    EXPECT_EQ(f.lstShiki.ItemIndex(), 0);
    EXPECT_EQ(f.CurrentCurve, 0);
    EXPECT_EQ(f.cmbStep.SelectedText(), "π/8");
    EXPECT_TRUE(f.spdLineColor.Enabled());
    EXPECT_TRUE(f.spdBackColor.Enabled());
    EXPECT_TRUE(platform.messages.empty());
    // Opening the catalog and the monochrome switch each choose the header line: two repeats of c 1..11.
    std::vector<std::pair<int, int>> once;
    for (int i = 0; i < 11; ++i) once.push_back({i, 11});
    std::vector<std::pair<int, int>> twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(bar, twice);
    EXPECT_EQ(PlotsDrawn(), 22);
    EXPECT_EQ(f.updC.Value(), 11);
    EXPECT_GT(CountPixels(clWhite, 10, 10, 160, 60), 20) << "the product word";
    EXPECT_GT(CountPixels(clWhite, 60, 60, 460, 460), 0) << "the curves";
}

TEST_F(StartSequence, MissingCatalogLeavesTheListEmptyAndDrawsNothing) {
    TfrmMain& f = Start();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], f.BaseFolder + "Curves20.crx" + "がありません");
    EXPECT_EQ(f.lstShiki.Count(), 0);
    EXPECT_EQ(f.cmbStep.SelectedText(), "π/2");
    EXPECT_EQ(PlotsDrawn(), 0);
    EXPECT_FALSE(f.frmEdit.HasRecord());
    EXPECT_TRUE(f.spdLineColor.Enabled());
}

