#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "plot/CurveEval.h"
#include "plot/PlotCurve.h"
#include "PlotTestSupport.h"

namespace {

void AnswerStep(ScriptedPlatform& platform, TButton TfrmStep::*button) {
    platform.QueueModal("frmStep", [button](TForm& form) { (static_cast<TfrmStep&>(form).*button).Click(); });
}

}  // namespace

using PlotCurve = PlotFixture;

// The graph square above the caption strip.
constexpr TRect GraphArea{0, 0, PlotView::PictureWidth, PlotView::PictureWidth};

TEST(PlotSteps, StepCountsCoverTheSpanWhateverTheStepSize) {
    for (int item = -1; item <= 5; ++item) {
        const StepCountsResult steps = StepCounts(item, 6);
        EXPECT_EQ(steps.segments * steps.stepsPerSegment, 6 * StepsPerPi) << item;
    }
    EXPECT_EQ(StepCounts(0, 6).segments, 48);
    EXPECT_EQ(StepCounts(5, 6).segments, 6);
    EXPECT_LE(StepCounts(0, -3).segments, 0);
}

TEST_F(PlotCurve, NegativeIndexOnlyShowsTheMessage) {
    Use({});
    form->PlotCurve(-1, 0, false);
    EXPECT_EQ(platform.messages, std::vector<std::string>{"n<0"});
    EXPECT_EQ(platform.busyCount, 0);
    form->PlotCurve(CurveTableCapacity, 0, false);  // beyond the table: nothing, and no crash
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(PlotCurve, WalkEndsAtThetaEndWithTheCursorRestored) {
    Use({});
    form->PlotCurve(0, 0, false);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.busyCount, 1);
    EXPECT_FALSE(platform.busy);
    EXPECT_EQ(form->plotDepth, 0);
    // 2160 steps of π/360 from 0 end on the point for 6π, which is the start point (21, 0).
    EXPECT_EQ(canvas().PenPos(), (TPoint{21 * 8 + 255, 257}));
}

TEST_F(PlotCurve, StepDisplayPausesBeforeEverySegment) {
    Use({});
    std::vector<std::string> counts;
    std::vector<TPoint> places;
    platform.beforeModal = [&](TForm& form) {
        auto& step = static_cast<TfrmStep&>(form);
        counts.push_back(step.edtCount.Text());
        places.push_back({step.Left, step.Top});
        EXPECT_EQ(step.edtStep.Text(), "π/8");
    };
    platform.SetDefaultModal("frmStep", [](TForm& form) { static_cast<TfrmStep&>(form).btnOk.Click(); });
    form->grpParamLeft = 20;
    form->grpParamTop = 300;
    form->StepMode = true;
    form->PlotCurve(0, 0, false);
    ASSERT_EQ(counts.size(), 48u);
    EXPECT_EQ(counts.front(), " 0 / 48 回");
    EXPECT_EQ(counts[9], " 9 / 48 回");
    EXPECT_EQ(counts.back(), "47 / 48 回");
    EXPECT_EQ(places.front(), (TPoint{20, 342}));
    EXPECT_EQ(platform.messages, std::vector<std::string>{"表示終了"});
    EXPECT_FALSE(platform.busy);
}

TEST_F(PlotCurve, ShowAllAndStopAtTheFirstPause) {
    Use({});
    SetCurveColor(RGB(0, 0, 255));
    AnswerStep(platform, &TfrmStep::btnAll);
    form->StepMode = true;
    form->PlotCurve(0, 0, false);
    EXPECT_EQ(platform.modalsShown.size(), 1u);
    EXPECT_FALSE(form->StepMode);
    EXPECT_TRUE(platform.messages.empty()) << "no 表示終了 after すべて表示";
    const Bitmap whole = canvas().Picture();

    form->chkOverWrite.SetChecked(false);
    ClearPicture(form->view.imgCood, clWhite, clBlack);
    AnswerStep(platform, &TfrmStep::btnCancel);
    form->StepMode = true;
    form->PlotCurve(0, 0, false);
    EXPECT_EQ(platform.modalsShown.size(), 2u);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(platform.busy);
    EXPECT_EQ(canvas().PenPos(), (TPoint{21 * 8 + 255, 257})) << "stopped before the first segment";

    REQUIRE_DRAWING_CANVAS();
    EXPECT_GT(::CountPixels(whole, RGB(0, 0, 255), GraphArea), 1000);
    EXPECT_EQ(CountPixels(RGB(0, 0, 255), GraphArea), 0) << "中止 draws no curve";
    // すべて表示 draws exactly what a plain plot draws.
    EXPECT_TRUE(form->StepMode) << "中止 leaves clearing StepMode to the STEP表示 button";
    form->StepMode = false;
    ClearPicture(form->view.imgCood, clWhite, clBlack);
    form->PlotCurve(0, 0, false);
    EXPECT_EQ(CountPixels(RGB(0, 0, 255), GraphArea), ::CountPixels(whole, RGB(0, 0, 255), GraphArea));
    EXPECT_TRUE(canvas().Picture() == whole);
}

TEST_F(PlotCurve, EmptyThetaRangeDrawsOnlyTheStartPoint) {
    Use({.thetaStart = 2, .thetaEnd = 2});
    form->StepMode = true;
    form->PlotCurve(0, 0, false);
    EXPECT_TRUE(platform.modalsShown.empty());
    EXPECT_EQ(platform.messages, std::vector<std::string>{"表示終了"});
    const CurvePoint start = EvalCurvePoint(3, 13, 3, 11, static_cast<double>(2 * PiL), 3, form->view);
    EXPECT_EQ(canvas().PenPos(), (TPoint{start.Column, start.Row}));
    REQUIRE_DRAWING_CANVAS();
    EXPECT_EQ(CountPixels(clBlack, GraphArea), 0);
}

TEST_F(PlotCurve, JoinsEveryPointAsPlainLinesWouldEvenFarOutside) {
    REQUIRE_DRAWING_CANVAS();
    // c = 30 at zoom 3 runs 160 to 320 pixels from the origin: in and out of the picture.
    Use({.kind = 3, .a = 13, .b = 3, .c = 30, .thetaStart = 0, .thetaEnd = 6, .zoom = 3});
    SetCurveColor(RGB(255, 0, 0));
    for (int width : {1, 2}) {
        (width == 1 ? form->radWidth1 : form->radWidth2).SetChecked(true);
        ClearPicture(form->view.imgCood, clWhite, clBlack);
        form->PlotCurve(0, 0, false);
        Canvas expected(PlotView::PictureWidth, PlotView::PictureHeight, clWhite);
        expected.Pen = {RGB(255, 0, 0), width};
        double theta = 0;
        CurvePoint p = EvalCurvePoint(3, 13, 3, 30, theta, 3, form->view);
        expected.MoveTo(p.Column, p.Row);
        for (int step = 0; step < 6 * 360; ++step) {
            theta += static_cast<double>(PiL / 360);
            p = EvalCurvePoint(3, 13, 3, 30, theta, 3, form->view);
            expected.LineTo(p.Column, p.Row);
        }
        int differences = 0;
        for (int y = 0; y < PlotView::PictureWidth; ++y) {
            for (int x = 0; x < PlotView::PictureWidth; ++x) differences += canvas().Pixel(x, y) != expected.Pixel(x, y);
        }
        EXPECT_EQ(differences, 0) << "pen width " << width;
        EXPECT_GT(CountPixels(RGB(255, 0, 0), GraphArea), 1000);
    }
}

TEST_F(PlotCurve, RefusedParametersKeepTheBackgroundAndDrawNothingElse) {
    Use({.kind = 1, .a = 4, .b = 0, .c = 1, .thetaEnd = 2, .zoom = 4});
    form->cmbHaikei.SetItemIndex(4);  // XY grid: something to keep
    form->chkHojoEn.SetChecked(true);
    form->PlotCurve(0, 0, false);
    EXPECT_EQ(platform.messages, std::vector<std::string>{"警告！ｂは０をとれません"});
    EXPECT_FALSE(platform.busy);
    EXPECT_EQ(form->plotDepth, 0);
    const Bitmap refused = canvas().Picture();

    ScriptedPlatform otherPlatform;
    TfrmMain other(otherPlatform, std::filesystem::temp_directory_path().string());
    other.curveTable = form->curveTable;
    other.CurrentCurve = 0;
    other.updKakudai.SetValue(4);
    other.cmbHaikei.SetItemIndex(4);
    other.DrawBackground(0);
    EXPECT_TRUE(refused == other.view.canvas().Picture()) << "the background alone, no caption or figure";
}

TEST_F(PlotCurve, OverwriteKeepsTheFormerCurve) {
    REQUIRE_DRAWING_CANVAS();
    REQUIRE_BACKGROUNDS();
    Use({.kind = 20, .a = 5, .b = 1, .c = 1, .thetaEnd = 2, .zoom = 4});
    SetCurveColor(RGB(255, 0, 0));
    form->PlotCurve(0, 0, false);
    const TRect first{255 + 80 - 2, 250, 255 + 80 + 3, 265};  // where the circle r = 5 meets the x axis
    const TRect second{255 + 48 - 2, 250, 255 + 48 + 3, 265};
    ASSERT_GT(CountPixels(RGB(255, 0, 0), first), 0);

    form->chkOverWrite.SetChecked(true);
    form->updA.SetValue(3);
    form->PlotCurve(0, 0, false);
    EXPECT_GT(CountPixels(RGB(255, 0, 0), first), 0);
    EXPECT_GT(CountPixels(RGB(255, 0, 0), second), 0);

    form->chkOverWrite.SetChecked(false);
    form->PlotCurve(0, 0, false);
    EXPECT_EQ(CountPixels(RGB(255, 0, 0), first), 0) << "without 上書き the picture is cleared";
    EXPECT_GT(CountPixels(RGB(255, 0, 0), second), 0);
}

TEST_F(PlotCurve, SplitQuadrantLeavesOutLinesToPointsBeyondTheLimit) {
    REQUIRE_DRAWING_CANVAS();
    // The x axis as a sine graph with a = 0: X = θ from −10π to 10π, Y = 0, in quadrant 1 at
    // zoom 3 (the record's 4 minus one), where the limit is 15 units = 120 pixels.
    Use({.kind = 21, .a = 0, .b = 1, .c = 1, .thetaStart = -10, .thetaEnd = 10, .zoom = 4});
    form->updKakudai.SetValue(3);
    SetView(1);
    SetCurveColor(RGB(255, 0, 0));
    form->PlotCurve(0, 1, false);
    const int row = 128 + 1;
    int first = -1, last = -1;
    for (int x = 0; x < PlotView::PictureWidth; ++x) {
        if (canvas().Pixel(x, row) == RGB(255, 0, 0)) {
            if (first < 0) first = x;
            last = x;
        }
    }
    // Coming in, the line from the last outside point (X ≈ −15.02) is drawn; going out, nothing.
    EXPECT_GE(first, 127 - 121);
    EXPECT_LE(first, 127 - 119);
    EXPECT_GE(last, 127 + 119);
    EXPECT_LE(last, 127 + 120);
    EXPECT_EQ(CountPixels(RGB(255, 0, 0), GraphArea), last - first + 1) << "one unbroken line on one row";

    // The whole picture joins every point.
    ClearPicture(form->view.imgCood, clWhite, clBlack);
    form->PlotCurve(0, -1, false);
    EXPECT_EQ(canvas().Pixel(127 + 200, row), RGB(255, 0, 0));
}

TEST_F(PlotCurve, ArithmeticFailureEndsThePlotWithAMessage) {
    // r = e^(50θ) passes the largest double at θ ≈ 14.2, in the fifth π of the range.
    Use({.kind = 13, .a = 50, .b = 1, .c = 1, .thetaStart = -4, .thetaEnd = 10, .zoom = 4});
    SetCurveColor(RGB(255, 0, 0));
    bool busyAtMessage = true;
    platform.onMessage = [&](const std::string&) { busyAtMessage = platform.busy; };
    form->PlotCurve(0, 0, false);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], "計算の途中で値が大きくなりすぎたため、描画を中止しました");
    EXPECT_FALSE(busyAtMessage) << "the cursor is normal again when the message shows";
    EXPECT_FALSE(platform.busy);
    EXPECT_EQ(form->plotDepth, 0);
    REQUIRE_DRAWING_CANVAS();
    EXPECT_GT(CountPixels(RGB(255, 0, 0), GraphArea), 20) << "the spiral drawn before the failure stays";
}

TEST_F(PlotCurve, LituusIsNotJoinedToTheCorner) {
    REQUIRE_DRAWING_CANVAS();
    Use({.kind = 14, .a = 5, .b = 1, .c = 1, .thetaStart = -2, .thetaEnd = 4, .zoom = 4});
    SetCurveColor(RGB(255, 0, 0));
    form->PlotCurve(0, 0, false);
    EXPECT_TRUE(platform.messages.empty());
    // The spiral winds in towards the origin; a line from pixel (0, 0) would cross the upper left.
    EXPECT_EQ(CountPixels(RGB(255, 0, 0), {0, 0, 150, 150}), 0);
    EXPECT_GT(CountPixels(RGB(255, 0, 0), {200, 200, 320, 320}), 50);
}

TEST_F(PlotCurve, KindWithoutFormulaDrawsNothing) {
    REQUIRE_DRAWING_CANVAS();
    Use({.kind = 29});
    form->PlotCurve(0, 0, false);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(CountPixels(clBlack, GraphArea), 0);
}

// Curves that run to infinity: every pixel drawn lies on the curve, within two pixels. A line
// joining the two ends of an asymptote (or far points clamped to the pixel range) would not. Kind
// 17 goes over a with b fixed, as a repeat does: ellipse, parabola, then hyperbolas.
TEST_F(PlotCurve, NoLineCrossesThePictureAtAPole) {
    REQUIRE_DRAWING_CANVAS();
    // Distance from the curve, in curve units, as |f| / |grad f| of the curve's equation f = 0.
    using Distance = std::function<double(double, double)>;
    const auto conic = [](double e, double c) -> Distance {
        return [=](double x, double y) {  // r = c − e·x, squared
            const double f = (c - e * x) * (c - e * x) - x * x - y * y;
            return std::fabs(f) / std::hypot(-2 * e * (c - e * x) - 2 * x, -2 * y);
        };
    };
    // The far ends of a rectangular hyperbola lie on a diagonal of the picture, so a line joining
    // them would run right across it. (A line joining the two ends of a straight line lies on it:
    // for kind 18 this checks the line, and the evaluation's test checks its branches.)
    const double foot = M_PI / 3;
    const std::vector<std::pair<CurveSetting, Distance>> cases = {
        {{.kind = 16, .a = 3, .b = 3, .c = 1, .thetaStart = -2, .thetaEnd = 2, .zoom = 4},
         [](double x, double y) { return std::fabs(x * x / 9 - y * y / 9 - 1) / std::hypot(2 * x / 9, 2 * y / 9); }},
        {{.kind = 18, .a = 1, .b = 3, .c = 4, .thetaStart = -2, .thetaEnd = 2, .zoom = 4},
         [=](double x, double y) { return std::fabs(x * std::cos(foot) + y * std::sin(foot) - 4); }},
        {{.kind = 17, .a = 1, .b = 2, .c = 3, .thetaStart = -2, .thetaEnd = 2, .zoom = 4}, conic(0.5, 3)},
        {{.kind = 17, .a = 2, .b = 2, .c = 3, .thetaStart = -2, .thetaEnd = 2, .zoom = 4}, conic(1, 3)},
        {{.kind = 17, .a = 3, .b = 2, .c = 3, .thetaStart = -2, .thetaEnd = 2, .zoom = 4}, conic(1.5, 3)},
        {{.kind = 17, .a = 4, .b = 2, .c = 3, .thetaStart = -2, .thetaEnd = 2, .zoom = 4}, conic(2, 3)},
        {{.kind = 17, .a = 5, .b = 2, .c = 3, .thetaStart = -2, .thetaEnd = 2, .zoom = 4}, conic(2.5, 3)},
    };
    for (const auto& [setting, distance] : cases) {
        Use(setting);
        SetCurveColor(RGB(255, 0, 0));
        ClearPicture(form->view.imgCood, clWhite, clBlack);
        form->PlotCurve(0, 0, false);
        EXPECT_TRUE(platform.messages.empty()) << "kind " << setting.kind << " a " << setting.a;
        int drawn = 0, astray = 0;
        const PlotView& view = form->view;
        for (int y = 0; y < PlotView::PictureHeight; ++y) {
            for (int x = 0; x < PlotView::PictureWidth; ++x) {
                if (canvas().Pixel(x, y) != RGB(255, 0, 0)) continue;
                ++drawn;
                const double worldX = (x - view.OriginX + 1.0) / view.ScaleX;
                const double worldY = (view.OriginY + 1.0 - y) / view.ScaleY;
                astray += distance(worldX, worldY) * view.ScaleX > 2;
            }
        }
        EXPECT_GT(drawn, 300) << "kind " << setting.kind << " a " << setting.a;
        EXPECT_EQ(astray, 0) << "kind " << setting.kind << " a " << setting.a;
    }
}

TEST_F(PlotCurve, ProgressYieldsBeforeEverySegmentAndNestedCommandsSeeThePlot) {
    Use({});
    form->chkProgress.SetChecked(true);
    int yields = 0;
    // Commands the user starts while the plot yields must not replace the curve table or the picture.
    platform.clipboardImage = Bitmap(513, 640, RGB(9, 9, 9));
    platform.onProcessMessages = [&] {
        ++yields;
        EXPECT_TRUE(form->PlotRunning());
        form->OpenCollection(2);
        form->mnuSaveClick();
        form->mnuPasteClick();
        form->btnDraw.Click();
        form->btnStepH.Click();
        form->btnDev.Click();
        form->btnReset.Click();
        form->spdLineColor.Click();
        form->chkMonoc.UserClick();
        form->lstShikiClick();
    };
    form->PlotCurve(0, 0, false);
    EXPECT_EQ(yields, 48);
    EXPECT_FALSE(form->PlotRunning());
    EXPECT_EQ(form->CollectionKind, 1);
    EXPECT_EQ(form->curveTable[0].Id, 3);
    EXPECT_TRUE(platform.saveRequests.empty());
    EXPECT_TRUE(platform.colorRequests.empty());
    EXPECT_FALSE(form->chkMonoc.Checked()) << "the refused click is undone";
    EXPECT_EQ(platform.busyCount, 1) << "no plot ran inside the plot";
    EXPECT_EQ(form->updRpStart.Value(), 1) << "the split display did not run";
    EXPECT_EQ(canvas().Pixel(0, 0), clWhite);
}

TEST_F(PlotCurve, RepeatDisplayCountsAsRunningBetweenItsCurves) {
    Use({});
    form->radC.SetChecked(true);
    form->updRpStart.SetValue(1);
    form->updRpEnd.SetValue(3);
    int yields = 0;
    platform.onProcessMessages = [&] {
        ++yields;
        EXPECT_TRUE(form->PlotRunning());
        form->btnDraw.Click();
    };
    form->btnHanpuku.Click();
    EXPECT_EQ(yields, 3);
    EXPECT_EQ(platform.busyCount, 3) << "one plot per value, none nested";
    EXPECT_FALSE(form->PlotRunning());
    EXPECT_EQ(form->updC.Value(), 3);
}

// Each plot leaves its sines and cosines for the next one; whatever ran before, a curve must come
// out as a fresh window draws it: same angle with other parameters, other kinds that use the
// kept places for other angles, and a walk that starts elsewhere.
TEST_F(PlotCurve, CurveAfterOtherCurvesIsTheOneAFreshWindowDraws) {
    REQUIRE_DRAWING_CANVAS();
    const std::vector<CurveSetting> sequence = {
        {.kind = 3, .a = 13, .b = 3, .c = 11},
        {.kind = 3, .a = 13, .b = 3, .c = 30},  // the same angles, another arm
        {.kind = 3, .a = 13, .b = 4, .c = 11},  // θ the same, the rolling angle not
        {.kind = 0, .a = 3, .b = 2, .c = 10},   // no θ angle: a·θ and b·θ in its places
        {.kind = 7, .a = 5, .b = 1, .c = 1},
        {.kind = 2, .a = 5, .b = 3, .c = 12},
        {.kind = 3, .a = 13, .b = 3, .c = 11, .thetaStart = -2, .thetaEnd = 4},
        {.kind = 3, .a = 13, .b = 3, .c = 11},
    };
    std::vector<std::vector<TColor>> inSequence;
    for (const CurveSetting& setting : sequence) {
        Use(setting);
        form->PlotCurve(0, 0, false);
        inSequence.push_back(canvas().Picture().Pixels());
    }
    for (std::size_t i = 0; i < sequence.size(); ++i) {
        form = std::make_unique<TfrmMain>(platform, std::filesystem::temp_directory_path().string());
        Use(sequence[i]);
        form->PlotCurve(0, 0, false);
        const std::vector<TColor>& fresh = canvas().Picture().Pixels();
        ASSERT_EQ(fresh.size(), inSequence[i].size());
        int differences = 0;
        for (std::size_t p = 0; p < fresh.size(); ++p) differences += fresh[p] != inSequence[i][p];
        EXPECT_EQ(differences, 0) << "curve " << i << " of the sequence";
        EXPECT_GT(CountPixels(clBlack, GraphArea), 100) << "curve " << i << " drew nothing";
    }
}
