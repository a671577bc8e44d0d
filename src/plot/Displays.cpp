// The commands that start plots: 表示, STEP表示, 反復, STEP反復, 分割表示 and ﾘｾｯﾄ, the repeat
// loop behind the last three, and the redraw decision shared with choosing a curve and the colour
// commands. All drawing goes through PlotCurve; the pauses use the STEP dialog.
#include "app/Main.h"
#include "plot/PlotCurve.h"

namespace {
// Results of the STEP dialog.
constexpr int StepShowNext = mrOk;
constexpr int StepStop = mrCancel;
constexpr int StepShowAll = 3;
}  // namespace

// Every command that starts a drawing does nothing while another one runs: a plot yields to the
// user interface (途中経過, the STEP dialog, between the curves of a repeat), and a drawing started
// then would clear the picture and change the panel under the interrupted one.
void TfrmMain::btnDrawClick() {
    if (PlotRunning()) return;
    // After a split display the panel shows the quarter's values; 表示 puts the curve's own back.
    if (ReloadBeforeDraw) ApplyCurve(CurrentCurve);
    ReloadBeforeDraw = false;
    PlotCurve(CurrentCurve, 0, false);
}

void TfrmMain::btnStepClick() {
    if (PlotRunning()) return;
    if (ReloadBeforeDraw) ApplyCurve(CurrentCurve);
    ReloadBeforeDraw = false;
    StepMode = true;
    PlotCurve(CurrentCurve, 0, false);
    StepMode = false;
}

void TfrmMain::btnHanpukuClick() {
    if (PlotRunning()) return;
    if (updRpStart.Value() < updRpEnd.Value()) {
        RepeatDisplay(false, false);
    } else {
        btnDrawClick();
    }
}

void TfrmMain::btnStepHClick() {
    if (PlotRunning()) return;
    if (updRpStart.Value() < updRpEnd.Value()) {
        RepeatDisplay(false, true);
    } else {
        btnDrawClick();
    }
}

void TfrmMain::Redraw() { btnHanpukuClick(); }

void TfrmMain::btnDevClick() {
    if (PlotRunning()) return;
    if (CollectionKind == 1) radWidth1.SetChecked(true);
    chkHojoEn.SetChecked(false);
    updRpEnd.SetValue(updRpStart.Value() + 3);
    RepeatDisplay(true, false);
    // The next press shows the next four values.
    updRpStart.SetValue(updRpEnd.Value() + 1);
    updRpEnd.SetValue(updRpStart.Value());
    ReloadBeforeDraw = true;
}

void TfrmMain::btnRpResetClick() {
    updRpStart.SetValue(1);
    updRpEnd.SetValue(1);
}

void TfrmMain::RepeatDisplay(bool split, bool step) {
    PlotDepthGuard running(plotDepth);
    ReloadBeforeDraw = split;
    DrawBackground(0);

    const int count = updRpEnd.Value() - updRpStart.Value() + 1;
    int drawn = 0;
    prgBar.SetVisible(true);
    prgBar.SetMax(count);
    prgBar.SetPosition(0);

    TUpDown& target = radA.Checked() ? updA : radB.Checked() ? updB : updC;
    const int first = updRpStart.Value();
    const int last = updRpEnd.Value();
    for (int v = first; v <= last; ++v) {
        platform.ProcessMessages();
        if (step) {
            frmStep.edtCount.SetText(StepCountText(drawn, count));
            frmStep.Prepare(grpParamLeft, grpParamTop, cmbStep.SelectedText());
            const int answer = platform.ShowModal(frmStep);
            if (answer == StepShowAll) {
                step = false;
            } else if (answer != StepShowNext) {
                // 中止, or the dialog closed by its frame: the curves drawn so far stay.
                prgBar.SetVisible(false);
                return;
            }
        }
        if (v > 0) {
            target.SetValue(v);
            const int quadrant = split ? v - updRpStart.Value() + 1 : -1;
            PlotCurve(CurrentCurve, quadrant, true);
        }
        prgBar.StepIt();
        ++drawn;
    }
    prgBar.SetVisible(false);
    if (step) platform.ShowMessage("表示終了");
}
