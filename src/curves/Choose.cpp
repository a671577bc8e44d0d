// Choosing a curve from the list: the chosen entry is applied to the panel and drawn at once
// (a repeat display when its repeat range is open), and the header line's built-in curve gets the
// product word. 既定値 brings the stored values of the current curve back and draws once.
#include "app/Main.h"

void TfrmMain::lstShikiClick() {
    if (PlotRunning()) return;
    const int k = lstShiki.ItemIndex();
    if (k < 0 || k >= curveTable.Count) return;
    SelectCurve(k);
    Redraw();
    UpdateParamAvailability();
    RememberedLine[CollectionKind] = k;
    RefreshWidthSamples();
    if (CurrentCurve == 0) DrawProductWord();
}

void TfrmMain::DrawProductWord() {
    Canvas& canvas = view.canvas();
    const TFont before = canvas.Font;
    canvas.Font.Name = "Braggadocio";
    canvas.Font.Color = clWhite;
    canvas.TextOut(10, 10, "Quorbel");
    // The size stays the picture's; the face and colour are the word's alone.
    canvas.Font = before;
    platform.PictureChanged();
}

void TfrmMain::btnResetClick() {
    if (PlotRunning()) return;
    ApplyCurve(CurrentCurve);
    btnDrawClick();
    if (!curveTable.Holds(CurrentCurve)) return;
    const std::string& target = curveTable[CurrentCurve].RepeatTarget;
    if (target == "a") {
        radA.SetChecked(true);
    } else if (target == "b") {
        radB.SetChecked(true);
    } else if (target == "c") {
        radC.SetChecked(true);
    }
}
