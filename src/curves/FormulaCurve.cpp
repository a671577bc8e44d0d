// A typed-formula curve that is in no collection: the formula dialog makes its record from what
// the user typed and the panel, and puts it on the panel as the working record. It lives in
// curveTable[FormulaCurveEntry], with no line in the curve list, until another curve is chosen;
// 既定値 and the reload after a split display bring back its own values as for any curve, and
// saving writes the working record as it does for any curve.
#include "app/Main.h"
#include "curves/Codec.h"
#include "plot/CurveKinds.h"
#include "plot/TypedCurve.h"

namespace {
constexpr const char* DefaultName = "式で描いた曲線";

std::string FormulaLine(const std::string& typed) { return typed.empty() ? "*" : Utf8ToCp932(FormulaForRecord(typed)); }
}  // namespace

RecordLines TfrmMain::FormulaCurveRecord(int kind, const std::string& name, const std::string& line3,
                                         const std::string& line4, const std::string& line5) {
    RecordLines record(RecordLineCount, "*");
    const auto put = [&](int line, std::string text) { record[line - 1] = std::move(text); };
    put(rlName, Utf8ToCp932(name.empty() ? DefaultName : name));
    put(rlId, std::to_string(kind));
    put(rlPolarFormula, FormulaLine(line3));
    put(rlXFormula, FormulaLine(line4));
    put(rlYFormula, FormulaLine(line5));
    CurveEntry formula;
    formula.Id = kind;
    formula.PolarFormula = record[rlPolarFormula - 1];
    formula.XFormula = record[rlXFormula - 1];
    formula.YFormula = record[rlYFormula - 1];
    const unsigned uses = FormulaParameters(formula);
    put(rlParamA, uses & kpA ? std::to_string(updA.Value()) : "*");
    put(rlParamB, uses & kpB ? std::to_string(updB.Value()) : "*");
    put(rlParamC, uses & kpC ? std::to_string(updC.Value()) : "*");
    put(rlThetaStart, std::to_string(updStart.Value()));
    put(rlThetaEnd, std::to_string(updSend.Value()));
    put(rlRepeatStart, std::to_string(updRpStart.Value()));
    put(rlRepeatEnd, std::to_string(updRpEnd.Value()));
    put(rlZoom, std::to_string(updKakudai.Value()));
    put(rlRepeatTarget, radA.Checked() ? "a" : radB.Checked() ? "b" : "c");
    put(rlAuxLine, chkHojoEn.Checked() ? "1" : "0");
    put(rlStepIndex, std::to_string(cmbStep.ItemIndex()));
    put(rlBackground, std::to_string(cmbHaikei.ItemIndex()));
    // The colours the curve has, which 白黒 only hides while it is on.
    const bool stored = frmEdit.HasRecord() && !chkMonoc.Checked();
    put(rlLineColor, stored ? frmEdit.RecordLine(rlLineColor) : ColorText(colors.CurrentLineColor));
    put(rlBackColorValue, stored ? frmEdit.RecordLine(rlBackColorValue) : ColorText(colors.CurrentBackColor));
    put(rlLineWidth, radWidth1.Checked() ? "1" : "2");
    return record;
}

bool TfrmMain::ShowFormulaCurve(RecordLines record) {
    if (PlotRunning() || record.size() != RecordLineCount) return false;
    if (record[rlName - 1].empty() || record[rlName - 1] == "*") record[rlName - 1] = Utf8ToCp932(DefaultName);
    ReadProblems problems;
    const CurveEntry entry = ParseRecord(record, 0, problems);
    if (!problems.Empty()) platform.ShowMessage(problems.Message());
    if (!IsTypedFormulaKind(entry.Id)) return false;
    const auto formula = ReadEntryFormula(entry);
    if (const FormulaError* error = std::get_if<FormulaError>(&formula)) {
        platform.ShowMessage(error->message);
        return false;
    }
    curveTable[FormulaCurveEntry] = entry;
    // No line of the list stands for it.
    for (int line = 0; line < lstShiki.Count(); ++line) lstShiki.SetSelected(line, false);
    lstShiki.SetItemIndex(-1);
    grpParam.SetEnabled(true);
    CurrentCurve = FormulaCurveEntry;
    frmEdit.ClearRecord();
    frmEdit.SetRecord(std::move(record));
    ApplyCurve(FormulaCurveEntry);
    WriteRecordLine(rlBackground, std::to_string(cmbHaikei.ItemIndex()));
    RefreshWidthSamples();
    ReloadBeforeDraw = false;
    btnDrawClick();
    UpdateParamAvailability();
    return true;
}

void TfrmMain::mnuFormulaClick() {
    if (PlotRunning()) return;
    TfrmFormula::Curve start;
    const CurveKind* example = FindCurveKind(26);
    if (example) start = {26, example->TypedLines[0], example->TypedLines[1], example->TypedLines[2], ""};
    if (curveTable.Holds(CurrentCurve)) {
        const CurveEntry& entry = curveTable[CurrentCurve];
        const CurveKind* kind = FindCurveKind(entry.Id);
        if (IsTypedFormulaKind(entry.Id)) {
            start = {entry.Id, Cp932ToUtf8(entry.PolarFormula), Cp932ToUtf8(entry.XFormula), Cp932ToUtf8(entry.YFormula),
                     Cp932ToUtf8(entry.Name)};
        } else if (kind && kind->TypedKind != 0) {
            start = {kind->TypedKind, kind->TypedLines[0], kind->TypedLines[1], kind->TypedLines[2], ""};
        }
    }
    frmFormula.StartWith(start);
    frmFormula.SetPanel(updA.Value(), updB.Value(), updC.Value(), edtHeniki.Text());
    if (platform.ShowModal(frmFormula) != mrOk) return;
    const TfrmFormula::Curve typed = frmFormula.Typed();
    ShowFormulaCurve(FormulaCurveRecord(typed.kind, typed.name, typed.line3, typed.line4, typed.line5));
}
