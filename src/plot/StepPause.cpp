#include "plot/StepPause.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>

#include "app/Main.h"

StepPause::StepPause(TfrmMain& form, bool& pausing, bool framesAnyway)
    : form(form), pausing(pausing), paused(pausing), records(pausing || (framesAnyway && form.AnimateEveryDisplay)),
      currentOnly(pausing && form.frmStep.chkCurrentOnly.Checked()) {}

StepPause::~StepPause() {
    if (paused) form.frmStep.SetPlaying(false);
}

void StepPause::Begin() {
    if (paused) base.emplace(form.view);
    if (!records) return;
    if (!form.AnimateEveryDisplay) form.animation.Clear();
    firstFrame = form.animation.Count();
}

StepPause::Answer StepPause::At(int k, int total, const std::function<std::string()>& where,
                                const std::function<void()>& marker) {
    if (k < replayTo) return Answer::GoOn;
    replayTo = 0;
    // After すべて表示 there are no more pauses, so no frames until the finished picture; a
    // display that never pauses has a frame at every position when it records at all.
    const bool frame = records && (pausing || !paused);
    if (!pausing && !frame) return Answer::GoOn;

    std::optional<PictureSnapshot> withoutMarker;
    if (currentOnly && marker) {
        withoutMarker.emplace(form.view);
        marker();
    }
    TfrmStep& step = form.frmStep;
    if (frame) form.animation.Put(firstFrame + k, form.view.imgCood.canvas.Picture(), step.StepInterval());
    if (!pausing) {
        if (withoutMarker) withoutMarker->Restore(form.view);
        return Answer::GoOn;
    }

    step.Prepare(form.grpParamLeft, form.grpParamTop, form.cmbStep.SelectedText());
    step.edtCount.SetText(StepCountText(k, total));
    step.lblWhere.SetCaption(where ? where() : std::string());
    step.btnBack.SetEnabled(k > 0);
    form.platform.PictureChanged();
    const int answer = form.platform.ShowModal(step);
    switch (answer) {
        case StepBackResult:
            return RestartAt(k - 1);
        case StepRedrawResult:
            currentOnly = step.chkCurrentOnly.Checked();
            return RestartAt(k);
        case mrOk:
        case 3:  // すべて表示
            if (answer == 3) pausing = false;
            if (withoutMarker) withoutMarker->Restore(form.view);
            return Answer::GoOn;
        default:
            // 中止, or the dialog closed by its frame: what is drawn stays, the current marker too.
            return Answer::Stop;
    }
}

StepPause::Answer StepPause::RestartAt(int k) {
    base->Restore(form.view);
    replayTo = std::max(k, 0);
    form.platform.PictureChanged();
    return Answer::Restart;
}

void StepPause::Finish() {
    if (records) form.animation.Add(form.view.imgCood.canvas.Picture(), FinishedFrameDelay);
}

std::string TracingPlace(const std::string& parameter, double x, double y, bool hasPoint) {
    if (!hasPoint) return parameter + "    点なし";
    // A coordinate that rounds to zero is written "0.00", never "-0.00".
    const auto shown = [](double value) { return std::fabs(value) < 0.005 ? 0.0 : value; };
    char point[96];
    std::snprintf(point, sizeof point, "(x, y) = (%.2f, %.2f)", shown(x), shown(y));
    return parameter + "    " + point;
}

std::string TracingPlace(int thetaStart, int k, int stepsPerSegment, double x, double y, bool hasPoint) {
    // θ/π = thetaStart + k·stepsPerSegment/360, as a fraction in lowest terms.
    long long numerator = 360LL * thetaStart + 1LL * k * stepsPerSegment;
    long long denominator = 360;
    const long long divisor = std::gcd(std::llabs(numerator), denominator);
    numerator /= divisor, denominator /= divisor;
    std::string theta;
    if (numerator == 0) theta = "0";
    else if (numerator == 1) theta = "π";
    else if (numerator == -1) theta = "-π";
    else theta = std::to_string(numerator) + "π";
    if (numerator != 0 && denominator != 1) theta += "/" + std::to_string(denominator);
    return TracingPlace("θ = " + theta, x, y, hasPoint);
}
