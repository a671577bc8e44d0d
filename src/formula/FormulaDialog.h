// The dialog 式を入力 (TfrmFormula): the kind of a typed curve (媒介変数表示, 極方程式, 方程式), its
// formulas, its range and its name, with the caption typeset as it will appear and what is wrong
// with the formulas, both following every key the user types. OK is enabled only while the
// formulas read; the main window then puts the curve on the panel (curves/FormulaCurve.cpp).
#pragma once

#include <array>
#include <functional>
#include <string>

#include "formula/FormulaCaption.h"
#include "picture/PlotView.h"
#include "ui/Controls.h"

class TfrmFormula : public TForm {
public:
    TfrmFormula();
    TRadioButton radParametric{*this, "radParametric", "媒介変数表示"};
    TRadioButton radPolar{*this, "radPolar", "極方程式"};
    TRadioButton radEquation{*this, "radEquation", "方程式"};
    TLabel lblFirst{*this, "lblFirst", "x ="};
    TEdit edtFirst{*this, "edtFirst"};
    TLabel lblSecond{*this, "lblSecond", "y ="};
    TEdit edtSecond{*this, "edtSecond"};
    TLabel lblRange{*this, "lblRange", "範囲"};
    TEdit edtRange{*this, "edtRange"};
    TLabel lblRangeNote{*this, "lblRangeNote"};
    TLabel lblName{*this, "lblName", "名前"};
    TEdit edtName{*this, "edtName"};
    TLabel lblMessage{*this, "lblMessage"};
    TButton btnOk{*this, "btnOk", "OK", mrOk};
    TButton btnCancel{*this, "btnCancel", "キャンセル", mrCancel};
    // The caption as it will stand under the picture.
    TImage imgPreview{"imgPreview", CaptionStripWidth, CaptionStripHeight};
    // Called after every new preview: the views show it.
    std::function<void()> PreviewChanged;

    // What the dialog opens with: a kind (26, 27, 28) and its record lines 3 to 5 (UTF-8, "*" or
    // empty for a line the kind does not have; a range may follow the last formula), and a name
    // (empty: the default the panel gives).
    struct Curve {
        int kind = 26;
        std::string line3, line4, line5, name;
    };
    void StartWith(const Curve& curve);
    // The panel's values the preview is drawn with, and its θ range ("0≦θ≦2π").
    void SetPanel(int a, int b, int c, const std::string& thetaRange);

    // What the user typed, as a curve: the formula lines as a record stores them ("x=…", "y=… (range)").
    Curve Typed() const;

private:
    int Kind() const { return radPolar.Checked() ? 27 : radEquation.Checked() ? 28 : 26; }
    void KindChanged();
    void Update();
    int a = 1, b = 1, c = 1;
    std::string thetaRange;
};

// A formula line cut into the formula and the range written after it: "y=2t (-2<=t<=2)" gives
// "y=2t" and "-2<=t<=2"; a line without a range gives itself and "".
std::array<std::string, 2> SplitFormulaRange(const std::string& line);
