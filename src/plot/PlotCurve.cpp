// TfrmMain::PlotCurve: the one routine that draws a curve. Background, parameter check, caption,
// then the θ walk in steps of π/360 joined point to point, segment by segment of the STEP size,
// with the auxiliary markers between segments and the STEP dialog before each segment.
#include "plot/PlotCurve.h"

#include "app/Main.h"
#include "plot/CurveEval.h"

namespace {

// π/360 as a double (0.008726646259971648); the walk adds it to a running double.
constexpr double ThetaStep = static_cast<double>(PiL / StepsPerPi);

// True when the line from `from` to `to` lies wholly on one side of the bitmap, beyond the reach
// of the pen's width, so that it cannot touch a pixel. Large curves spend most of their steps
// there, and moving the pen is much cheaper than clipping a line that draws nothing.
bool BesideThePicture(TPoint from, const CurvePoint& to, const Canvas& canvas) {
    const int margin = canvas.Pen.Width + 1;
    return (from.x < -margin && to.Column < -margin) || (from.y < -margin && to.Row < -margin) ||
           (from.x >= canvas.Width() + margin && to.Column >= canvas.Width() + margin) ||
           (from.y >= canvas.Height() + margin && to.Row >= canvas.Height() + margin);
}

const char* FailureMessage(CurveFailure failure) {
    return failure == CurveFailure::Overflow ? "計算の途中で値が大きくなりすぎたため、描画を中止しました"
                                             : "計算の途中で値が求められなくなったため、描画を中止しました";
}

}  // namespace

StepCountsResult StepCounts(int stepItemIndex, int thetaSpan) {
    const StepDivisionResult division = StepDivision(stepItemIndex);
    return {division.count / 2 * thetaSpan, division.increment};
}

void TfrmMain::PlotCurve(int n, int quadrant, bool repeat) {
    if (n < 0) {
        platform.ShowMessage("n<0");
        return;
    }
    if (n >= CurveTableCapacity) return;  // no such entry: nothing to draw

    PlotDepthGuard running(plotDepth);
    BusyCursorGuard cursor(platform);
    DrawBackground(quadrant);
    struct PictureUpdate {
        Platform& platform;
        ~PictureUpdate() { platform.PictureChanged(); }
    } pictureUpdate{platform};

    const int a = updA.Value();
    const int b = updB.Value();
    const int c = updC.Value();
    const int kind = curveTable[n].Id;
    if (!CheckCurveParams(kind, a, b, c, platform)) return;

    const int thetaStart = updStart.Value();
    const int thetaEnd = updSend.Value();
    double theta = static_cast<double>(thetaStart * PiL);
    DrawAnnotation(n, a, b, c, repeat, quadrant);

    Canvas& canvas = view.canvas();
    auto fail = [&](CurveFailure failure) {
        platform.PictureChanged();
        cursor.Release();
        platform.ShowMessage(FailureMessage(failure));
    };

    const StepCountsResult steps = StepCounts(cmbStep.ItemIndex(), thetaEnd - thetaStart);
    if (steps.segments > 0) sinCosMemo.Reserve(static_cast<std::size_t>(steps.segments) * steps.stepsPerSegment + 1);
    int zoom = Zoom();
    std::size_t point = 0;
    CurvePoint p = EvalCurvePoint(kind, a, b, c, theta, zoom, view, sinCosMemo, point);
    if (p.Failure != CurveFailure::None) return fail(p.Failure);
    // A point without a value lifts the pen: the next point is moved to, not joined. So does a
    // pole between two points (their branches differ), so that no line crosses an asymptote.
    bool penDown = p.Valid;
    int branch = p.Branch;
    if (p.Valid) canvas.MoveTo(p.Where());

    const double da = a, db = b, dc = c;
    DrawAuxFigure(kind, da, db, dc, theta);
    DrawAuxMarker(kind, p.Where(), da, db, dc, theta);
    const int width = radWidth1.Checked() ? 1 : 2;
    const bool split = quadrant >= 1;

    for (int k = 0; k < steps.segments; ++k) {
        if (chkProgress.Checked()) {
            platform.PictureChanged();
            platform.ProcessMessages();
        }
        if (StepMode) {
            frmStep.Prepare(grpParamLeft, grpParamTop, cmbStep.SelectedText());
            frmStep.edtCount.SetText(StepCountText(k, steps.segments));
            platform.PictureChanged();
            const int answer = platform.ShowModal(frmStep);
            if (answer == frmStep.btnAll.ModalResult) {
                StepMode = false;
            } else if (answer != frmStep.btnOk.ModalResult) {
                return;  // 中止, or the dialog closed by its frame
            }
        }
        // Only a yield can change the zoom, so reading it once per segment sees every change.
        zoom = Zoom();
        canvas.Pen.Width = width;
        for (int step = 0; step < steps.stepsPerSegment; ++step) {
            theta += ThetaStep;
            p = EvalCurvePoint(kind, a, b, c, theta, zoom, view, sinCosMemo, ++point);
            if (!p.Valid) {
                if (p.Failure != CurveFailure::None) return fail(p.Failure);
                penDown = false;
            } else if (!penDown || (split && p.Outside) || p.Branch != branch) {
                canvas.MoveTo(p.Where());
                penDown = true;
                branch = p.Branch;
            } else if (BesideThePicture(canvas.PenPos(), p, canvas)) {
                canvas.MoveTo(p.Where());
            } else {
                canvas.Pen.Color = colors.CurveColor;
                canvas.LineTo(p.Where());
            }
        }
        DrawAuxMarker(kind, p.Where(), da, db, dc, theta);
    }

    platform.PictureChanged();
    cursor.Release();
    if (StepMode) platform.ShowMessage("表示終了");
}
