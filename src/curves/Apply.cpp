// Moving a CurveTable entry into the parameter panel and keeping the working record in step:
// SelectCurve copies the stored lines, ApplyCurve sets the controls (whose change handlers in
// plot/Params.cpp write their lines back), and the θ range text and lblSpec follow.
#include <string>

#include "app/Main.h"
#include "plot/PlotCurve.h"
#include "curves/Codec.h"
#include "plot/CurveKinds.h"
#include "plot/TypedCurve.h"

namespace {
// The curve kinds that have an explanation page in the help file.
bool HasExplanation(int id) {
    const CurveKind* found = FindCurveKind(id);
    return found && found->HasExplanation;
}
}  // namespace

std::string ThetaText(int n) {
    if (n == 0) return "0";
    if (n == 1) return "π";
    if (n == -1) return "-π";
    return std::to_string(n) + "π";
}

void TfrmMain::WriteRecordLine(int line, const std::string& cp932) {
    if (!frmEdit.HasRecord()) return;
    frmEdit.SetRecordLine(line, cp932);
}

void TfrmMain::UpdateThetaRangeText() {
    // A typed formula's own range is the one drawn; an equation has no θ range.
    if (curveTable.Holds(CurrentCurve) && IsTypedFormulaKind(curveTable[CurrentCurve].Id)) {
        const CurveEntry& entry = curveTable[CurrentCurve];
        const std::string range = FormulaRangeText(entry);
        if (!range.empty() || entry.Id == EquationFormulaKind) {
            edtHeniki.SetText(range);
            return;
        }
    }
    edtHeniki.SetText(ThetaText(updStart.Value()) + "≦θ≦" + ThetaText(updSend.Value()));
}

void TfrmMain::ApplyColours(TColor line, TColor back) {
    colors.CurrentLineColor = chkMonoc.Checked() ? clBlack : line;
    colors.CurrentBackColor = chkMonoc.Checked() ? clWhite : back;
    colors.SetAxisColorFromBack();
}

void TfrmMain::SelectCurve(int k) {
    if (k < 0 || k >= curveTable.Count) return;
    grpParam.SetEnabled(true);
    CurrentCurve = k;
    // The stored lines as they stand, before any parsing: what the file holds is what a save
    // writes back unless a control changes it.
    RecordLines record;
    const std::size_t first = static_cast<std::size_t>(k) * RecordLineCount;
    for (std::size_t i = first; i < first + RecordLineCount && i < lstCurve.size(); ++i) record.push_back(lstCurve[i]);
    frmEdit.ClearRecord();
    frmEdit.SetRecord(std::move(record));
    ApplyCurve(k);
    WriteRecordLine(rlBackground, std::to_string(cmbHaikei.ItemIndex()));
    RefreshWidthSamples();
}

void TfrmMain::ApplyCurve(int k) {
    // A reload after a split display can be asked for before any curve was chosen.
    if (!curveTable.Holds(k)) return;
    const CurveEntry& entry = curveTable[k];
    CountGuard programChanges(liveHold);  // what is applied is drawn by whoever applies it

    if (k == FormulaCurveEntry) {
        CurrentFileName = " ";  // read from no file, as a collection's built-in curve
    } else if (CollectionKind == 1) {
        CurrentFileName = "Curves20.crx";
    } else {
        CurrentFileName = static_cast<std::size_t>(k) < flbCurve.size() ? flbCurve[k] : " ";
    }
    lblSpec.SetCaption(Cp932ToUtf8(entry.Name) + " " + CurrentFileName + " [#" + std::to_string(entry.Id) + "]");

    // θ end is set after b, so the stored θ end wins over the one b drives.
    updA.SetValue(entry.ParamA);
    updB.SetValue(entry.ParamB);
    updC.SetValue(entry.ParamC);
    updStart.SetValue(entry.ThetaStart);
    updSend.SetValue(entry.ThetaEnd);
    updKakudai.SetValue(entry.Zoom);
    UpdateThetaRangeText();
    updRpStart.SetValue(entry.RepeatStart);
    updRpEnd.SetValue(entry.RepeatEnd);
    cmbHaikei.SetItemIndex(entry.Background);

    ApplyColours(static_cast<TColor>(entry.LineColor), static_cast<TColor>(entry.BackColorValue));

    lstComment.Clear();
    if (entry.RepeatTarget == "a") {
        radA.SetChecked(true);
    } else if (entry.RepeatTarget == "b") {
        radB.SetChecked(true);
    } else if (entry.RepeatTarget == "c") {
        radC.SetChecked(true);
    }
    chkHojoEn.SetChecked(entry.AuxLine == 1);
    cmbStep.SetItemIndex(entry.StepIndex);
    if (entry.LineWidth == 1) {
        radWidth1.SetChecked(true);
    } else {
        radWidth2.SetChecked(true);
    }
    for (const std::string& note : entry.Notes) lstComment.Add(Cp932ToUtf8(note));
    RefreshWidthSamples();
    btnKaisetsu.SetEnabled(HasExplanation(entry.Id));
    FollowPanelCurve();
}

void TfrmMain::UpdateParamAvailability() {
    if (!curveTable.Holds(CurrentCurve)) return;
    const CurveEntry& entry = curveTable[CurrentCurve];
    // A typed formula decides by what it uses, and its record says "*" for the others; a fixed
    // kind by its stored entry, not by the control: a "*" shows as 99 in the spin control too.
    const bool typed = IsTypedFormulaKind(entry.Id);
    const unsigned uses = typed ? FormulaParameters(entry) : 0;
    struct Parameter { std::int32_t stored; unsigned bit; TUpDown& spin; TRadioButton& radio; int line; };
    for (auto [stored, bit, spin, radio, line] : {Parameter{entry.ParamA, kpA, updA, radA, rlParamA},
                                                  Parameter{entry.ParamB, kpB, updB, radB, rlParamB},
                                                  Parameter{entry.ParamC, kpC, updC, radC, rlParamC}}) {
        const bool used = typed ? (uses & bit) != 0 : stored != NotPlaceholder;
        spin.SetEnabled(used);
        radio.SetEnabled(used);
        if (used) {
            WriteRecordLine(line, std::to_string(spin.Value()));
        } else if (typed) {
            WriteRecordLine(line, "*");
        }
    }
    // θ開始 and θ終了 give the range only where the formula has none of its own.
    const bool thetaRange = !typed || (entry.Id != EquationFormulaKind && FormulaRangeText(entry).empty());
    updStart.SetEnabled(thetaRange);
    updSend.SetEnabled(thetaRange);
}
