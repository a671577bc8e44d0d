// What happens at a pause of a display, in one place for every walk that pauses (the plot
// routine's θ walk, the repeat display): the STEP dialog with its count and the position it
// stands at; 自動, which lets the dialog answer itself at the chosen speed; 戻る, which puts the
// picture back as it was at the previous pause, bit for bit, and lets the walk go on from there;
// the auxiliary marker of the current position only (補助線は今の位置だけ); and the frames of the
// animation, one a pause and the finished picture last.
//
// A walk calls Begin once it has drawn what comes before its first pause, then At(k) before each
// of its segments, and Finish when it has drawn the last. On Restart the picture is back as it
// was at Begin: the walk starts again from its state then, and At answers GoOn without pausing
// until the walk reaches the pause it is to show again.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "picture/PictureSnapshot.h"

class TfrmMain;

// How long the finished picture shows in an animation, in milliseconds.
constexpr int FinishedFrameDelay = 2000;

class StepPause {
public:
    enum class Answer { GoOn, Stop, Restart };

    // `pausing` is the display's own flag (StepMode, the STEP repeat's), which すべて表示 clears.
    // A display that pauses records its frames; one that does not, only when `framesAnyway` and
    // the driver asks for the frames of every display (TfrmMain::AnimateEveryDisplay).
    StepPause(TfrmMain& form, bool& pausing, bool framesAnyway);
    // A display that has ended stops playing.
    ~StepPause();
    StepPause(const StepPause&) = delete;
    StepPause& operator=(const StepPause&) = delete;

    void Begin();
    // Before segment k of `total`: records the frame and shows the dialog, when the display
    // pauses there. `where` gives the position line; `marker` draws the auxiliary marker of the
    // current position (null for a walk without markers).
    Answer At(int k, int total, const std::function<std::string()>& where, const std::function<void()>& marker);
    // Whether the walk leaves the markers of the positions it passes to the pauses: each pause
    // shows its own and takes it away again, and the walk's end draws the last.
    bool CurrentOnly() const { return currentOnly; }
    // True while the walk runs again, without pausing, to the pause it is to show again.
    bool Replaying(int k) const { return k < replayTo; }
    // The walk has drawn its last segment: the finished picture is the last frame.
    void Finish();

private:
    Answer RestartAt(int k);

    TfrmMain& form;
    bool& pausing;
    const bool paused;  // the display began pausing: it can go back
    bool records;
    bool currentOnly;
    int firstFrame = 0;
    int replayTo = 0;
    std::optional<PictureSnapshot> base;
};

// Where a θ walk stands after k segments of `stepsPerSegment` steps of π/360 from θ = thetaStart·π,
// at the point (x, y), for the STEP dialog: "θ = 3π/4    (x, y) = (1.25, -3.50)"; without a point
// ("θ = π/2    点なし") where the curve has no value.
std::string TracingPlace(int thetaStart, int k, int stepsPerSegment, double x, double y, bool hasPoint);
// The same for any walk: `parameter` is where it stands ("t = π/4", "θ = 2π/3").
std::string TracingPlace(const std::string& parameter, double x, double y, bool hasPoint);
