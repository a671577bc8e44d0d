// The dialog 式を入力: it opens on the current curve's formula, reads what is typed at every key
// (the message and OK follow it), and OK puts the typed curve on the panel.
#include <gtest/gtest.h>

#include "curves/Codec.h"
#include "formula/FormulaDialog.h"
#include "support/ShippedSession.h"

namespace {
int Ink(const Bitmap& picture) {
    int ink = 0;
    for (TColor pixel : picture.Pixels()) ink += pixel != clWhite;
    return ink;
}
}  // namespace

TEST(FormulaDialog, OpensOnARecordsLinesAndGivesThemBackWithTheRangeAfterTheLastFormula) {
    TfrmFormula dialog;
    dialog.StartWith({26, "*", "x=t^2", "y = 2t （-2≦t≦2）", "放物線"});
    EXPECT_EQ(dialog.edtFirst.Text(), "t^2");
    EXPECT_EQ(dialog.edtSecond.Text(), "2t");
    EXPECT_EQ(dialog.edtRange.Text(), "-2≦t≦2");
    const TfrmFormula::Curve typed = dialog.Typed();
    EXPECT_EQ(typed.line4, "x=t^2");
    EXPECT_EQ(typed.line5, "y=2t (-2≦t≦2)");
    EXPECT_EQ(typed.name, "放物線");
    // A polar formula whose last group of parentheses is no range keeps it.
    dialog.StartWith({27, "r=2(1+cos θ)", "*", "*", ""});
    EXPECT_TRUE(dialog.radPolar.Checked());
    EXPECT_FALSE(dialog.edtSecond.Visible());
    EXPECT_EQ(dialog.edtFirst.Text(), "2(1+cos θ)");
    EXPECT_EQ(dialog.Typed().line3, "r=2(1+cos θ)");
}

TEST(FormulaDialog, WhatIsTypedIsReadAtEveryKeyAndOnlyAFormulaThatReadsCanBeDrawn) {
    TfrmFormula dialog;
    dialog.radEquation.UserClick();
    dialog.SetPanel(1, 2, 3, "0≦θ≦2π");
    EXPECT_FALSE(dialog.btnOk.Enabled()) << "nothing typed yet";
    dialog.edtFirst.UserTypeText("x^2/4-(y+1^2/9=1");
    EXPECT_FALSE(dialog.btnOk.Enabled());
    EXPECT_NE(dialog.lblMessage.Caption().find("文字目"), std::string::npos) << dialog.lblMessage.Caption();
    const int before = Ink(dialog.imgPreview.canvas.Picture());
    dialog.edtFirst.UserTypeText("x^2/4-(y+1)^2/9=1");
    EXPECT_TRUE(dialog.btnOk.Enabled());
    EXPECT_EQ(dialog.lblMessage.Caption(), "");
    EXPECT_GT(Ink(dialog.imgPreview.canvas.Picture()), 200);
    EXPECT_NE(Ink(dialog.imgPreview.canvas.Picture()), before) << "the preview follows the typing";
    dialog.edtRange.UserTypeText("y<=");
    EXPECT_FALSE(dialog.btnOk.Enabled()) << "a range that does not read";
}

TEST(FormulaDialog, OkPutsTheTypedCurveOnThePanelStartingFromAFixedKindsFormula) {
    ShippedSession session;
    TfrmMain& form = *session.form;
    std::string opened, message;
    session.platform.QueueModal("frmFormula", [&](TForm& f) {
        auto& dialog = static_cast<TfrmFormula&>(f);
        opened = dialog.edtFirst.Text();
        dialog.edtRange.UserTypeText("0<=t<=π");
        message = dialog.lblMessage.Caption();
        dialog.edtRange.UserTypeText(dialog.edtFirst.Text().find("θ") != std::string::npos ? "0<=θ<=π" : "0<=t<=π");
        dialog.edtName.UserTypeText("半分の曲線");
        dialog.btnOk.Click();
    });
    form.mnuFormula.Click();
    const CurveKind* start = FindCurveKind(form.curveTable[0].Id);  // the collection's built-in curve
    ASSERT_NE(start, nullptr);
    EXPECT_FALSE(opened.empty()) << "the dialog starts from the fixed kind's formula";
    // The built-in curve's formula is in θ: t has no place in its range, and the place is the range's own.
    EXPECT_EQ(message, "範囲の 4 文字目：「t」は使えません（使える文字は θ, a, b, c）");
    EXPECT_EQ(form.CurrentCurve, FormulaCurveEntry);
    EXPECT_EQ(Cp932ToUtf8(form.frmEdit.RecordLine(1)), "半分の曲線");
    EXPECT_NE(Cp932ToUtf8(form.frmEdit.RecordLine(start->TypedKind == 27 ? 3 : 5)).find("(0<=θ<=π)"), std::string::npos);
    EXPECT_TRUE(session.platform.messages.empty());
}
