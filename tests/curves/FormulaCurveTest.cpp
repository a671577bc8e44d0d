// Curves of the typed-formula kinds on the panel: a file of one read and saved again is the same
// bytes, the panel offers exactly the parameters the formula uses, the formula dialog's curve is
// put on the panel and saved as any curve, and a formula that cannot be read changes nothing.
#include <iterator>

#include "plot/CurveKinds.h"
#include "support/MainFormFixture.h"

namespace {
std::string Bytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// A typed curve with its formula in lines 3 to 5 and "*" for the parameters it does not use.
RecordLines TypedRecord(const char* kind, const char* line3, const char* line4, const char* line5, const char* a,
                        const char* b, const char* c) {
    return MakeRecord({{1, "式の曲線"}, {2, kind}, {3, line3}, {4, line4}, {5, line5}, {6, a}, {7, b}, {8, c},
                       {10, "2"}, {13, "5"}, {17, "4"}, {19, "$00FFFFFF"}, {18, "$00FF0000"}});
}
}  // namespace

class TypedCurveOnThePanel : public MainFormTest {};

TEST_F(TypedCurveOnThePanel, AFileReadAndSavedAgainIsTheSameBytesAndThePanelOffersWhatTheFormulaUses) {
    WriteCatalog(MakeRecord({}));
    WriteCurve("UsCurves", "a.crv", TypedRecord("26", "*", "x=a cos t", "y=sin t (0<=t<=π/2)", "3", "*", "*"));
    WriteCurve("UsCurves", "b.crv", TypedRecord("28", "*", "x^2/9+y^2/c=1", "*", "*", "*", "4"));
    const std::string before[] = {Bytes(root / "UsCurves" / "a.crv"), Bytes(root / "UsCurves" / "b.crv")};
    TfrmMain& f = Start();
    f.OpenCollection(3);
    for (int line : {1, 2}) {
        f.lstShiki.UserClick(line);
        EXPECT_TRUE(platform.messages.empty()) << platform.messages.front();
        EXPECT_GT(CountPixels(RGB(0, 0, 255), 0, 0, 513, 513), 100) << "the curve is drawn";
        f.spdOverWrite.Click();
        EXPECT_EQ(Bytes(root / "UsCurves" / (line == 1 ? "a.crv" : "b.crv")), before[line - 1]);
    }
    f.lstShiki.UserClick(1);
    EXPECT_TRUE(f.updA.Enabled() && f.radA.Enabled());
    EXPECT_FALSE(f.updB.Enabled() || f.radB.Enabled() || f.updC.Enabled() || f.radC.Enabled());
    EXPECT_FALSE(f.updStart.Enabled() || f.updSend.Enabled()) << "the formula has its own range";
    EXPECT_EQ(f.edtHeniki.Text(), "0≦t≦π/2");
    f.lstShiki.UserClick(2);
    EXPECT_TRUE(f.updC.Enabled());
    EXPECT_FALSE(f.updA.Enabled() || f.updB.Enabled() || f.updStart.Enabled());
    // A curve of a fixed kind keeps every control its record uses.
    f.OpenCollection(1);
    EXPECT_TRUE(f.updA.Enabled() && f.updB.Enabled() && f.updC.Enabled() && f.updStart.Enabled() && f.updSend.Enabled());
}

TEST_F(TypedCurveOnThePanel, TheDialogsCurveIsDrawnAsByShowAndSavedAsAnyCurve) {
    WriteCatalog(MakeRecord({}));
    TfrmMain& f = Start();
    f.OpenCollection(3);
    f.updA.SetValue(2);
    f.updC.SetValue(7);
    const int plots = PlotsDrawn();
    ASSERT_TRUE(f.ShowFormulaCurve(f.FormulaCurveRecord(27, "", "r=a(1+cosθ)", "", "")));
    EXPECT_EQ(PlotsDrawn(), plots + 1);
    EXPECT_EQ(f.CurrentCurve, FormulaCurveEntry);
    EXPECT_EQ(f.lstShiki.ItemIndex(), -1) << "no line of the list stands for it";
    EXPECT_EQ(Line(1), "式で描いた曲線");
    EXPECT_EQ(Line(3), "r=a(1+cosθ)");
    EXPECT_EQ(Line(6) + Line(7) + Line(8), "2**");
    EXPECT_EQ(f.lblSpec.Caption(), "式で描いた曲線   [#27]");
    EXPECT_FALSE(f.updB.Enabled() || f.updC.Enabled());

    // 既定値 brings back its own values; 名前を付けて保存 writes it into the user's folder.
    f.updA.SetValue(5);
    f.btnReset.Click();
    EXPECT_EQ(f.updA.Value(), 2);
    platform.QueueModal("frmNickName", [](TForm& form) {
        auto& dialog = static_cast<TfrmNickName&>(form);
        dialog.edtName.UserTypeText("心臓形");
        dialog.btnOk.Click();
    });
    platform.saveAnswers.push_back((root / "UsCurves" / "heart.crv").string());
    f.mnuSave.Click();
    ASSERT_TRUE(fs::exists(root / "UsCurves" / "heart.crv"));
    EXPECT_EQ(platform.saveRequests.back().fileName, "MyCurve.crv");
    EXPECT_EQ(f.lstShiki.Item(f.lstShiki.ItemIndex()), "心臓形");
    EXPECT_EQ(f.curveTable[f.CurrentCurve].Id, 27);
}

TEST_F(TypedCurveOnThePanel, AFormulaThatCannotBeReadShowsWhereAndChangesNothing) {
    WriteCatalog(MakeRecord({}));
    TfrmMain& f = Start();
    const RecordLines record = f.frmEdit.Record();
    const Bitmap picture = f.view.canvas().Picture();
    EXPECT_FALSE(f.ShowFormulaCurve(f.FormulaCurveRecord(26, "", "", "x=cos(t", "y=sin t")));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("x の式"), std::string::npos) << platform.messages[0];
    EXPECT_EQ(f.frmEdit.Record(), record);
    EXPECT_EQ(f.CurrentCurve, 0);
    EXPECT_TRUE(f.view.canvas().Picture() == picture);
}

// STEP表示 pauses at every STEP increment of a range that holds whole ones, at the eighths of a
// short one, and not at all for an equation, which is drawn whole.
TEST_F(TypedCurveOnThePanel, StepDisplayPausesAtTheParametersStepsOrEighths) {
    WriteCatalog(MakeRecord({}));
    TfrmMain& f = Start();
    platform.SetDefaultModal("frmStep", [](TForm& form) { static_cast<TfrmStep&>(form).btnOk.Click(); });
    f.cmbStep.SetItemIndex(0);  // π/8
    struct Case { int kind; const char* line4; const char* line5; std::size_t pauses; };
    const Case cases[] = {{26, "x=t", "y=t^2 (0<=t<=π/2)", 4}, {26, "x=t", "y=t^2 (0<=t<=1)", 8}, {28, "y=x^2", "", 0}};
    for (const Case& c : cases) {
        ASSERT_TRUE(f.ShowFormulaCurve(f.FormulaCurveRecord(c.kind, "", "", c.line4, c.line5)));
        platform.modalsShown.clear();
        platform.messages.clear();
        f.btnStep.Click();
        EXPECT_EQ(platform.modalsShown.size(), c.pauses) << c.line5;
        EXPECT_EQ(platform.messages, c.pauses ? std::vector<std::string>{"表示終了"} : std::vector<std::string>{});
    }
}

// A typed walk pauses as the θ walk does: the dialog says where the parameter stands, and 戻る
// takes the picture back to the previous pause and the walk goes on from there to the same end.
TEST_F(TypedCurveOnThePanel, StepDisplayShowsTheParameterAndGoesBack) {
    WriteCatalog(MakeRecord({}));
    TfrmMain& f = Start();
    std::vector<std::string> places;
    std::vector<Bitmap> pictures;
    platform.beforeModal = [&](TForm& shown) {
        places.push_back(f.frmStep.lblWhere.Caption());
        pictures.push_back(f.view.imgCood.canvas.Picture());
    };
    platform.SetDefaultModal("frmStep", [](TForm& form) { static_cast<TfrmStep&>(form).btnOk.Click(); });
    ASSERT_TRUE(f.ShowFormulaCurve(f.FormulaCurveRecord(26, "", "", "x=t", "y=t^2 (0<=t<=1)")));
    f.btnStep.Click();
    ASSERT_EQ(places.size(), 8u);
    EXPECT_EQ(places[4], "t = 0.5    (x, y) = (0.50, 0.25)");
    const std::vector<Bitmap> straight = pictures;
    const Bitmap finished = f.view.imgCood.canvas.Picture();

    pictures.clear();
    for (int k = 0; k < 3; ++k) platform.QueueModal("frmStep", [](TForm& s) { static_cast<TfrmStep&>(s).btnOk.Click(); });
    platform.QueueModal("frmStep", [](TForm& s) { static_cast<TfrmStep&>(s).btnBack.Click(); });
    f.btnStep.Click();
    ASSERT_EQ(pictures.size(), 8u + 2);
    EXPECT_TRUE(pictures[4] == straight[2]) << "戻る at pause 3 shows pause 2 again";
    EXPECT_TRUE(f.view.imgCood.canvas.Picture() == finished);
}
