// The panel in motion: live change (変更をすぐに描く draws every change of the panel as 表示 does)
// and the 動画 repeat, which draws each value of the repeat range alone in turn, at the STEP
// dialog's speed, looping until it is stopped. The repeat is driven by the timer tmrAnime, which
// the view runs: each tick draws one value and returns, so the window stays the user's between
// values, and a change made meanwhile shows with the next value.
#include "app/Main.h"
#include "plot/CurveEval.h"
#include "plot/PlotCurve.h"

void TfrmMain::DrawLive() {
    FollowPanelCurve();  // every change of the panel comes through here
    if (!mnuLive.Checked() || liveHold > 0 || PlotRunning() || Animating()) return;
    btnDrawClick();
}

void TfrmMain::chkAnimeClick() {
    if (!chkAnime.Checked()) StopAnimation();
}

void TfrmMain::StartAnimation() {
    ReloadBeforeDraw = false;
    animeCycle.Clear();
    animeCycleDone = false;
    animeValue = updRpStart.Value() - 1;
    tmrAnime.SetInterval(frmStep.StepInterval());
    tmrAnime.SetEnabled(true);
    btnHanpuku.SetCaption("停止");
    btnHanpuku.SetDown(true);
    AnimationTick();  // the first value at once
}

void TfrmMain::AnimationTick() {
    // A tick that comes while a drawing runs or waits (its message, 途中経過) is left out.
    if (!Animating() || PlotRunning()) return;
    const int first = updRpStart.Value(), last = updRpEnd.Value();
    if (first >= last || CurrentCurve < 0) return StopAnimation();  // nothing left to play
    animeValue = animeValue < first || animeValue >= last ? first : animeValue + 1;
    {
        CountGuard programChanges(liveHold);
        RepeatTarget().SetValue(animeValue);
    }
    const bool accepted = CurrentCurve < curveTable.Count &&
                          CurveParamsAccepted(curveTable[CurrentCurve].Id, updA.Value(), updB.Value(), updC.Value());
    // Refused parameters stop the repeat after one warning, rather than one at every tick.
    if (!accepted) StopAnimation();
    PlotCurve(CurrentCurve, 0, false);
    if (!accepted) return;

    const Bitmap& picture = view.imgCood.canvas.Picture();
    if (AnimateEveryDisplay) {
        animation.Add(picture, tmrAnime.Interval());
        return;
    }
    if (animeValue == first) animeCycle.Clear();
    animeCycle.Add(picture, tmrAnime.Interval());
    if (animeValue == last) {
        animation = animeCycle;
        animeCycleDone = true;
    }
}

void TfrmMain::StopAnimation() {
    if (!Animating()) return;
    tmrAnime.SetEnabled(false);
    btnHanpuku.SetCaption("反復");
    btnHanpuku.SetDown(false);
    // Stopped before a whole cycle was drawn: what was drawn is the animation.
    if (!animeCycleDone && !AnimateEveryDisplay && !animeCycle.Empty()) animation = animeCycle;
}
