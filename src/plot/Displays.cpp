// The commands that start plots: 表示, STEP表示, 反復, STEP反復, 分割表示 and ﾘｾｯﾄ, the repeat
// loop behind the last three, and the redraw decision shared with choosing a curve and the colour
// commands. All drawing goes through PlotCurve; the pauses use the STEP dialog.
#include "app/Main.h"
#include "plot/PlotCurve.h"
#include "plot/StepPause.h"

// Every command here first checks PlotRunning(): a plot that yields to the user interface
// (途中経過, the STEP dialog, the repeat display) must not have another drawing started under it.
// Each of them ends the 動画 repeat: the picture is theirs now.

void TfrmMain::btnDrawClick() {
    if (PlotRunning()) return;
    StopAnimation();
    // After a split display the panel shows the quarter's values; 表示 puts the curve's own back.
    if (ReloadBeforeDraw) ApplyCurve(CurrentCurve);
    ReloadBeforeDraw = false;
    PlotCurve(CurrentCurve, 0, false);
}

void TfrmMain::btnStepClick() {
    if (PlotRunning()) return;
    StopAnimation();
    if (ReloadBeforeDraw) ApplyCurve(CurrentCurve);
    ReloadBeforeDraw = false;
    StepMode = true;
    PlotCurve(CurrentCurve, 0, false);
    StepMode = false;
}

void TfrmMain::btnHanpukuClick() {
    // While the 動画 repeat plays, the button is its 停止.
    if (Animating()) return StopAnimation();
    if (PlotRunning()) return;
    if (updRpStart.Value() < updRpEnd.Value()) {
        if (chkAnime.Checked()) StartAnimation();
        else RepeatDisplay(false, false);
    } else {
        btnDrawClick();
    }
}

void TfrmMain::btnStepHClick() {
    if (PlotRunning()) return;
    StopAnimation();
    if (updRpStart.Value() < updRpEnd.Value()) {
        RepeatDisplay(false, true, chkAnime.Checked());
    } else {
        btnDrawClick();
    }
}

void TfrmMain::Redraw() {
    // The 動画 repeat shows a change with its next value.
    if (Animating() && updRpStart.Value() < updRpEnd.Value()) return;
    StopAnimation();
    btnHanpukuClick();
}

void TfrmMain::btnDevClick() {
    if (PlotRunning()) return;
    StopAnimation();
    CountGuard programChanges(liveHold);
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

void TfrmMain::RepeatDisplay(bool split, bool step, bool alone) {
    CountGuard running(plotDepth);
    ReloadBeforeDraw = split;
    DrawBackground(0);

    const int count = updRpEnd.Value() - updRpStart.Value() + 1;
    prgBar.SetVisible(true);
    prgBar.SetMax(count);
    prgBar.SetPosition(0);

    TUpDown& target = RepeatTarget();
    const int first = updRpStart.Value();
    const int last = updRpEnd.Value();
    int v = first;
    const char letter = &target == &updA ? 'a' : &target == &updB ? 'b' : 'c';
    const auto where = [&] { return std::string("次は ") + letter + " = " + std::to_string(v); };
    StepPause pause(*this, step, true);
    pause.Begin();
    for (int i = 0; i < count && (v = first + i) <= last; ++i) {
        if (!pause.Replaying(i)) platform.ProcessMessages();
        switch (pause.At(i, count, where, nullptr)) {
            case StepPause::Answer::GoOn:
                break;
            case StepPause::Answer::Stop:
                // 中止, or the dialog closed by its frame: the curves drawn so far stay.
                prgBar.SetVisible(false);
                return;
            case StepPause::Answer::Restart:
                prgBar.SetPosition(0);
                i = -1;
                continue;
        }
        if (v > 0) {
            target.SetValue(v);
            const int quadrant = split ? v - updRpStart.Value() + 1 : alone ? 0 : -1;
            PlotCurve(CurrentCurve, quadrant, !alone);
        }
        prgBar.StepIt();
    }
    prgBar.SetVisible(false);
    pause.Finish();
    if (step) platform.ShowMessage("表示終了");
}
