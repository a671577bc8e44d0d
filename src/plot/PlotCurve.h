// Pieces of the plot routine TfrmMain::PlotCurve (PlotCurve.cpp) that other units share: the
// division of the θ walk into STEP segments, and the guards that keep the busy cursor, the
// counts of running plots and of the program's own changes, and the clip to the graph square
// right on every way out. The routine itself is declared
// with TfrmMain in app/Main.h.
#pragma once

#include "picture/PlotView.h"
#include "ui/Platform.h"

// The θ walk advances by π/360 (half a degree) per step.
constexpr int StepsPerPi = 360;

struct StepCountsResult {
    int segments;         // pauses of a STEP display; 0 or less draws no segment
    int stepsPerSegment;  // steps of π/360 in one segment
};
// From the item index of the STEP list and the θ span D = end − start (in π): "π/8" gives
// (8·D, 45), "π/6" (6·D, 60), "π/4" (4·D, 90), "π/3" (3·D, 120), "π/2" (2·D, 180), "π" or none (D, 360).
StepCountsResult StepCounts(int stepItemIndex, int thetaSpan);

// Counts one in `depth` while it lives: a running plot or display in TfrmMain::plotDepth (commands
// that would change the curve table or the picture under a plot that yields — 途中経過, the STEP
// dialog, the repeat display — test TfrmMain::PlotRunning() and do nothing while it is true), or
// the program's own changes of the panel in TfrmMain::liveHold.
class CountGuard {
public:
    explicit CountGuard(int& depth) : depth(depth) { ++depth; }
    ~CountGuard() { --depth; }
    CountGuard(const CountGuard&) = delete;
    CountGuard& operator=(const CountGuard&) = delete;

private:
    int& depth;
};

// Shows the busy cursor while it lives; Release restores the normal cursor early.
class BusyCursorGuard {
public:
    explicit BusyCursorGuard(Platform& platform) : platform(platform) { platform.SetBusyCursor(true); }
    ~BusyCursorGuard() { Release(); }
    void Release() {
        if (busy) platform.SetBusyCursor(false);
        busy = false;
    }
    BusyCursorGuard(const BusyCursorGuard&) = delete;
    BusyCursorGuard& operator=(const BusyCursorGuard&) = delete;

private:
    Platform& platform;
    bool busy = true;
};

// While it lives, what the plot draws (the curve, its auxiliary figure and its markers, whatever
// the kind) stays in the graph square: the strip below is the caption's. A command run while the
// plot yields may clear the picture, which lifts the clip, so Set is called again after every
// yield.
class SquareClip {
public:
    explicit SquareClip(Painter& canvas) : canvas(canvas) { Set(); }
    ~SquareClip() { canvas.SetClip(Painter::Unclipped); }
    void Set() { canvas.SetClip(PlotView::GraphSquare); }
    SquareClip(const SquareClip&) = delete;
    SquareClip& operator=(const SquareClip&) = delete;

private:
    Painter& canvas;
};
