// The displays in motion: the STEP dialog's 戻る, 自動 and 補助線は今の位置だけ, the frames of
// the animation, live change and the 動画 repeat. The built-in hypotrochoid (48 pauses at π/8)
// is on the panel, with 補助線 where a test needs its rolling circles.
#include "picture/PictureSnapshot.h"
#include "plot/AuxLines.h"
#include "plot/StepPause.h"
#include "support/GifFrames.h"
#include "support/MainFormFixture.h"

namespace {

using Step = TButton TfrmStep::*;

class Motion : public MainFormTest {
protected:
    TfrmMain& StartDemo(bool auxLines = false) {
        WriteCatalog(MakeRecord({}));
        TfrmMain& f = Start();
        f.chkHojoEn.SetChecked(auxLines);
        platform.Attach(f.frmStep.tmrAuto, &f.frmStep);
        platform.Attach(f.tmrAnime);
        platform.beforeModal = [this, &f](TForm& shown) {
            if (&shown == &f.frmStep) pauses.push_back(f.view.imgCood.canvas.Picture());
        };
        platform.SetDefaultModal("frmStep", [](TForm& shown) { static_cast<TfrmStep&>(shown).btnOk.Click(); });
        return f;
    }
    void Queue(std::initializer_list<Step> answers) {
        for (Step answer : answers) {
            platform.QueueModal("frmStep", [answer](TForm& f) { (static_cast<TfrmStep&>(f).*answer).Click(); });
        }
    }
    const Bitmap& Picture() const { return form->view.imgCood.canvas.Picture(); }
    // The picture drawn again from its drawing on a fresh exact canvas.
    Bitmap Replayed() const {
        Canvas canvas(PlotView::PictureWidth, PlotView::PictureHeight);
        form->view.drawing.Replay(canvas);
        return canvas.Picture();
    }
    static int MarkerPixels(const Bitmap& picture) {
        int count = 0;
        for (int y = 0; y < 513; ++y)
            for (int x = 0; x < 513; ++x) count += picture.Pixel(x, y) == AuxMarkerColor;
        return count;
    }
    // The picture 表示 draws for the panel as it stands, in a window of its own.
    Bitmap DrawnAfresh(const std::function<void(TfrmMain&)>& set) {
        ScriptedPlatform other;
        TfrmMain fresh(other, root.string());
        fresh.FormShow();
        set(fresh);
        fresh.btnDraw.Click();
        return fresh.view.imgCood.canvas.Picture();
    }
    std::vector<Bitmap> pauses;  // the picture at every showing of the STEP dialog
};

TEST(TracingPlace, SaysThetaAsAFractionOfPiAndThePointToTwoPlaces) {
    EXPECT_EQ(TracingPlace(0, 6, 45, 1.254, -3.5, true), "θ = 3π/4    (x, y) = (1.25, -3.50)");
    EXPECT_EQ(TracingPlace(0, 0, 45, -0.001, 0, true), "θ = 0    (x, y) = (0.00, 0.00)");
    EXPECT_EQ(TracingPlace(-1, 2, 90, 0, 0, false), "θ = -π/2    点なし");
    EXPECT_EQ(TracingPlace(1, 2, 180, 0, 0, false), "θ = 2π    点なし");
    EXPECT_EQ(TracingPlace(0, 1, 360, 0, 0, false), "θ = π    点なし");
}

TEST_F(Motion, BackGivesThePictureOfThePreviousPauseAndTheDisplayGoesOnFromThere) {
    TfrmMain& f = StartDemo(true);
    f.btnStep.Click();
    ASSERT_EQ(pauses.size(), 48u);
    const std::vector<Bitmap> straight = pauses;
    const Bitmap finished = Picture();

    pauses.clear();
    Queue({&TfrmStep::btnOk, &TfrmStep::btnOk, &TfrmStep::btnOk, &TfrmStep::btnBack, &TfrmStep::btnBack});
    f.btnStep.Click();
    ASSERT_EQ(pauses.size(), 48u + 4);
    EXPECT_TRUE(pauses[4] == straight[2]) << "戻る at pause 3 shows pause 2 again, bit for bit";
    EXPECT_TRUE(pauses[5] == straight[1]);
    EXPECT_EQ(f.frmStep.edtCount.Text(), "47 / 48 回");
    EXPECT_TRUE(Picture() == finished) << "the display went on from there to the same end";
    EXPECT_TRUE(Replayed() == Picture()) << "the drawing forgot what was taken back";
    EXPECT_EQ(platform.messages.back(), "表示終了");
}

TEST_F(Motion, TheAuxiliaryFigureShowsAtTheCurrentPositionOnlyAndTheBoxRedrawsThePause) {
    TfrmMain& f = StartDemo(true);
    f.btnStep.Click();
    const std::vector<Bitmap> everyCircle = pauses;
    const int oneCircle = MarkerPixels(everyCircle[0]);
    ASSERT_GT(oneCircle, 0);
    ASSERT_GT(MarkerPixels(everyCircle[20]), 3 * oneCircle) << "by default every earlier circle stays";

    pauses.clear();
    f.frmStep.chkCurrentOnly.SetChecked(true);
    f.btnStep.Click();
    ASSERT_EQ(pauses.size(), 48u);
    for (const Bitmap& pause : pauses) {
        EXPECT_GT(MarkerPixels(pause), oneCircle / 2);
        EXPECT_LT(MarkerPixels(pause), 2 * oneCircle);
    }
    EXPECT_LT(MarkerPixels(Picture()), 2 * oneCircle) << "the finished picture keeps the last circle alone";
    EXPECT_TRUE(Replayed() == Picture());

    // Ticked and unticked while the dialog waits: the same pause drawn again each way.
    pauses.clear();
    f.frmStep.chkCurrentOnly.SetChecked(false);
    for (int i = 0; i < 10; ++i) Queue({&TfrmStep::btnOk});
    platform.QueueModal("frmStep", [](TForm& d) { static_cast<TfrmStep&>(d).chkCurrentOnly.UserClick(); });
    platform.QueueModal("frmStep", [](TForm& d) { static_cast<TfrmStep&>(d).chkCurrentOnly.UserClick(); });
    Queue({&TfrmStep::btnCancel});
    f.btnStep.Click();
    ASSERT_EQ(pauses.size(), 13u);
    EXPECT_LT(MarkerPixels(pauses[11]), 2 * oneCircle);
    EXPECT_TRUE(pauses[12] == everyCircle[10]);
}

TEST_F(Motion, AutoPlaysToTheEndAtTheChosenSpeedAndStopsPlaying) {
    TfrmMain& f = StartDemo();
    f.btnStep.Click();
    const Bitmap finished = Picture();

    f.frmStep.cmbSpeed.UserSelect(3);  // 1秒
    Queue({&TfrmStep::btnAuto});
    platform.SetDefaultModal("frmStep", nullptr);  // nobody presses anything else
    platform.timerLog.clear();
    const long long started = platform.clock;
    f.btnStep.Click();
    EXPECT_TRUE(Picture() == finished);
    EXPECT_EQ(platform.messages.back(), "表示終了");
    ASSERT_EQ(platform.timerLog.size(), 47u) << "自動 takes the first step at once, the rest one a tick";
    EXPECT_EQ(platform.timerLog.back(), std::to_string(started + 47 * 1000) + " tmrAuto");
    EXPECT_FALSE(f.frmStep.Playing());
    EXPECT_EQ(f.frmStep.btnAuto.Caption(), "自動");
}

TEST_F(Motion, TheGifsFramesAreThePicturesAtThePausesAndTheFinishedPictureLast) {
    TfrmMain& f = StartDemo(true);
    f.frmStep.cmbSpeed.UserSelect(1);  // 0.2秒
    Queue({&TfrmStep::btnOk, &TfrmStep::btnOk, &TfrmStep::btnBack});
    f.btnStep.Click();
    ASSERT_EQ(pauses.size(), 48u + 2);
    ASSERT_EQ(f.animation.Count(), 49) << "one frame a position, the finished picture last";

    const giffiles::Decoded gif = giffiles::Decode(EncodeGif(f.animation));
    ASSERT_TRUE(gif.ok);
    EXPECT_TRUE(gif.loops);
    ASSERT_EQ(gif.frames.size(), 49u);
    for (int k = 0; k < 48; ++k) {
        // Pauses 0, 1, 2, then 1 again after 戻る, and on from there.
        const Bitmap& atPause = pauses[k < 3 ? k : k + 2];
        EXPECT_TRUE(gif.frames[k].picture == atPause) << "frame " << k;
        EXPECT_EQ(gif.frames[k].delay, 200);
    }
    EXPECT_TRUE(gif.frames.back().picture == Picture());
    EXPECT_EQ(gif.frames.back().delay, FinishedFrameDelay);
}

TEST(AnimationGif, APictureOfMoreThan256ColoursIsReducedAndStillDecodes) {
    Bitmap photograph(64, 48);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) photograph.SetPixel(x, y, RGB(x * 4, y * 5, (x * y) % 256));
    Animation animation;
    animation.Add(photograph, 100);
    animation.Add(Bitmap(64, 48, clWhite), 100);
    EXPECT_LE(animation.Colors(0).size(), 256u);
    const giffiles::Decoded gif = giffiles::Decode(EncodeGif(animation));
    ASSERT_TRUE(gif.ok);
    ASSERT_EQ(gif.frames.size(), 2u);
    EXPECT_TRUE(gif.frames[1].picture == Bitmap(64, 48, clWhite));
    int near = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            const TColor a = gif.frames[0].picture.Pixel(x, y), b = photograph.Pixel(x, y);
            near += std::abs(int(a & 0xFF) - int(b & 0xFF)) < 24 && std::abs(int(a >> 8 & 0xFF) - int(b >> 8 & 0xFF)) < 24;
        }
    EXPECT_GT(near, 64 * 48 * 8 / 10);
    EXPECT_TRUE(EncodeGif(Animation()).empty());
}

TEST_F(Motion, LiveChangeDrawsOnceExactlyWhatDrawWouldAndOnlyWhileOn) {
    TfrmMain& f = StartDemo();
    int plots = PlotsDrawn();
    f.lstShiki.UserClick(0);
    const int choosing = PlotsDrawn() - plots;
    plots = PlotsDrawn();
    f.updA.UserStep(1);
    f.cmbHaikei.UserSelect(4);
    EXPECT_EQ(PlotsDrawn(), plots) << "off: the panel's controls never draw";

    f.mnuLive.UserClick();
    plots = PlotsDrawn();
    f.updB.UserStep(1);  // b drives θ end: still one drawing
    EXPECT_EQ(PlotsDrawn() - plots, 1);
    EXPECT_TRUE(Picture() == DrawnAfresh([](TfrmMain& g) {
        g.updA.SetValue(14);
        g.updB.SetValue(4);
        g.cmbHaikei.UserSelect(4);
    }));
    plots = PlotsDrawn();
    f.lstShiki.UserClick(0);
    EXPECT_EQ(PlotsDrawn() - plots, choosing) << "choosing a curve draws as it does, not once more a control";

    // While a STEP display waits, a change shows at the next drawing, not in one of its own.
    platform.QueueModal("frmStep", [&f](TForm& d) {
        f.updC.UserStep(-1);
        static_cast<TfrmStep&>(d).btnCancel.Click();
    });
    plots = PlotsDrawn();
    f.btnStep.Click();
    EXPECT_EQ(PlotsDrawn() - plots, 1);
}

TEST_F(Motion, AnimeRepeatDrawsEachValueAloneInTurnLoopingUntilStopped) {
    TfrmMain& f = StartDemo();
    f.updRpEnd.SetValue(3);
    f.chkAnime.UserClick();
    f.btnHanpuku.Click();
    ASSERT_TRUE(f.Animating());
    EXPECT_EQ(f.btnHanpuku.Caption(), "停止");
    EXPECT_EQ(f.updC.Value(), 1);
    EXPECT_TRUE(Picture() == DrawnAfresh([](TfrmMain& g) { g.updC.SetValue(1); })) << "alone, its value on the caption";

    const int interval = f.frmStep.StepInterval();
    platform.RunTimers(interval);
    EXPECT_EQ(f.updC.Value(), 2);
    EXPECT_TRUE(Picture() == DrawnAfresh([](TfrmMain& g) { g.updC.SetValue(2); }));
    platform.RunTimers(2 * interval);
    EXPECT_EQ(f.updC.Value(), 1) << "after the last value the first again";
    EXPECT_EQ(f.animation.Count(), 3) << "one whole cycle kept for the GIF";

    // A change meanwhile shows with the next value; 反復 again stops.
    f.updA.SetValue(9);
    platform.RunTimers(interval);
    EXPECT_TRUE(Picture() == DrawnAfresh([](TfrmMain& g) {
        g.updA.SetValue(9);
        g.updC.SetValue(2);
    }));
    f.btnHanpuku.Click();
    EXPECT_FALSE(f.Animating());
    EXPECT_EQ(f.btnHanpuku.Caption(), "反復");
    const int plots = PlotsDrawn();
    EXPECT_EQ(platform.RunTimers(10 * interval), 0);
    EXPECT_EQ(PlotsDrawn(), plots);
}

}  // namespace
