// TfrmMain::PlotCurve: the one routine that draws a curve. Background, parameter check, caption,
// then the θ walk in steps of π/360 joined point to point, segment by segment of the STEP size,
// with the auxiliary markers between segments and the STEP dialog before each segment.
#include "plot/PlotCurve.h"

#include "app/Main.h"
#include "plot/CurveEval.h"
#include "plot/CurveKinds.h"
#include "plot/StepPause.h"

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

// What the θ walk carries from one segment to the next.
struct ThetaWalk {
    int kind, a, b, c;
    bool split;
    double theta;
    std::size_t point;
    CurvePoint p;   // the last point
    bool penDown;   // false after a point without a value: the next point is moved to, not joined
    int branch;
};

// Takes `steps` steps of the walk on `canvas`: a point without a value lifts the pen, and so does a
// pole between two points (their branches differ), so that no line crosses an asymptote. Stops at
// a point whose arithmetic failed and returns its failure. Kept out of PlotCurve, whose guards
// would otherwise give every call of the loop an exception landing pad: in the browser each such
// call goes through JavaScript.
[[gnu::noinline]] CurveFailure WalkSegment(ThetaWalk& walk, int steps, int zoom, const PlotView& view, Canvas& canvas,
                                           TColor color, SinCosMemo& memo) {
    for (int step = 0; step < steps; ++step) {
        walk.theta += ThetaStep;
        const CurvePoint p = EvalCurvePoint(walk.kind, walk.a, walk.b, walk.c, walk.theta, zoom, view, memo, ++walk.point);
        walk.p = p;
        if (!p.Valid) {
            if (p.Failure != CurveFailure::None) return p.Failure;
            walk.penDown = false;
        } else if (!walk.penDown || (walk.split && p.Outside) || p.Branch != walk.branch) {
            canvas.MoveTo(p.Where());
            walk.penDown = true;
            walk.branch = p.Branch;
        } else if (BesideThePicture(canvas.PenPos(), p, canvas)) {
            canvas.MoveTo(p.Where());
        } else {
            canvas.Pen.Color = color;
            canvas.LineTo(p.Where());
        }
    }
    return CurveFailure::None;
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
    if (n > FormulaCurveEntry) return;  // no such entry: nothing to draw

    CountGuard running(plotDepth);
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
    if (IsTypedFormulaKind(kind)) {
        const bool ended = PlotTypedCurve(n, quadrant, repeat, a, b, c);
        platform.PictureChanged();
        cursor.Release();
        if (ended && StepMode) platform.ShowMessage("表示終了");
        return;
    }

    const int thetaStart = updStart.Value();
    const int thetaEnd = updSend.Value();
    double theta = static_cast<double>(thetaStart * PiL);
    DrawAnnotation(n, a, b, c, repeat, quadrant);

    Canvas& canvas = view.canvas();
    SquareClip squareClip(canvas);
    auto fail = [&](CurveFailure failure) {
        platform.PictureChanged();
        cursor.Release();
        platform.ShowMessage(FailureMessage(failure));
    };

    const StepCountsResult steps = StepCounts(cmbStep.ItemIndex(), thetaEnd - thetaStart);
    if (steps.segments > 0) sinCosMemo.Reserve(static_cast<std::size_t>(steps.segments) * steps.stepsPerSegment + 1);
    int zoom = Zoom();
    const CurvePoint first = EvalCurvePoint(kind, a, b, c, theta, zoom, view, sinCosMemo, 0);
    if (first.Failure != CurveFailure::None) return fail(first.Failure);
    ThetaWalk walk{kind, a, b, c, quadrant >= 1, theta, 0, first, first.Valid, first.Branch};
    if (first.Valid) canvas.MoveTo(first.Where());

    const double da = a, db = b, dc = c;
    DrawAuxFigure(kind, da, db, dc, theta);
    DrawConicFigure(n, a, b, c, repeat);
    const int width = radWidth1.Checked() ? 1 : 2;

    // The marker of the position the walk stands at: the start point, then the end of each segment.
    const auto marker = [&] { DrawAuxMarker(kind, walk.p.Where(), da, db, dc, walk.theta); };
    int k = 0;
    const auto where = [&] {
        const CurveXY point = EvalCurveXY(kind, a, b, c, walk.theta);
        return TracingPlace(thetaStart, k, steps.stepsPerSegment, point.X, point.Y, point.Valid);
    };
    StepPause pause(*this, StepMode, false);
    pause.Begin();
    const ThetaWalk start = walk;
    for (k = 0; k < steps.segments; ++k) {
        if (!pause.CurrentOnly()) marker();
        if (chkProgress.Checked() && !pause.Replaying(k)) {
            platform.PictureChanged();
            platform.ProcessMessages();
        }
        switch (pause.At(k, steps.segments, where, marker)) {
            case StepPause::Answer::GoOn:
                break;
            case StepPause::Answer::Stop:
                return;
            case StepPause::Answer::Restart:
                walk = start;
                k = -1;
                continue;
        }
        // Only a yield can change the zoom, so reading it once per segment sees every change.
        zoom = Zoom();
        squareClip.Set();
        canvas.Pen.Width = width;
        const CurveFailure failure =
            WalkSegment(walk, steps.stepsPerSegment, zoom, view, canvas, colors.CurveColor, sinCosMemo);
        if (failure != CurveFailure::None) return fail(failure);
    }
    marker();

    platform.PictureChanged();
    cursor.Release();
    pause.Finish();
    if (StepMode) platform.ShowMessage("表示終了");
}
