// Moving a CurveTable entry into the parameter panel and keeping the working record in step:
// SelectCurve copies the stored lines, ApplyCurve sets the controls (whose change handlers in
// plot/Params.cpp write their lines back), and the θ range text and lblSpec follow.
#include <string>

#include "app/Main.h"
#include "plot/PlotCurve.h"
#include "curves/Codec.h"
#include "plot/CurveKinds.h"

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
    edtHeniki.SetText(ThetaText(updStart.Value()) + "≦θ≦" + ThetaText(updSend.Value()));
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
    if (k < 0 || k >= curveTable.Count) return;
    const CurveEntry& entry = curveTable[k];
    CountGuard programChanges(liveHold);  // what is applied is drawn by whoever applies it

    if (CollectionKind == 1) {
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

    if (chkMonoc.Checked()) {
        colors.CurrentLineColor = clBlack;
        colors.CurrentBackColor = clWhite;
    } else {
        colors.CurrentLineColor = static_cast<TColor>(entry.LineColor);
        colors.CurrentBackColor = static_cast<TColor>(entry.BackColorValue);
    }
    colors.SetAxisColorFromBack();

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
}

void TfrmMain::UpdateParamAvailability() {
    if (CurrentCurve < 0 || CurrentCurve >= curveTable.Count) return;
    const CurveEntry& entry = curveTable[CurrentCurve];
    struct Parameter { std::int32_t stored; TUpDown& spin; TRadioButton& radio; int line; };
    for (auto [stored, spin, radio, line] : {Parameter{entry.ParamA, updA, radA, rlParamA},
                                             Parameter{entry.ParamB, updB, radB, rlParamB},
                                             Parameter{entry.ParamC, updC, radC, rlParamC}}) {
        // The stored entry decides, not the control: a "*" shows as 99 in the spin control too.
        if (stored == NotPlaceholder) {
            spin.SetEnabled(false);
            radio.SetEnabled(false);
        } else {
            spin.SetEnabled(true);
            WriteRecordLine(line, std::to_string(spin.Value()));
            radio.SetEnabled(true);
        }
    }
}
