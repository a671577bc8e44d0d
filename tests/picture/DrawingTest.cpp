// The drawing a picture keeps of itself: replayed onto a fresh exact canvas it gives the picture
// bit for bit (so nothing drawn escapes it), and replayed at other scales it puts every stroke and
// character where the exact picture has them.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "app/Main.h"
#include "picture/ImageIO.h"
#include "picture/ScaledCanvas.h"
#include "support/InkAgreement.h"
#include "support/ShippedSession.h"

namespace fs = std::filesystem;

namespace {

constexpr int W = PlotView::PictureWidth, H = PlotView::PictureHeight;

using Session = ShippedSession;

struct Scene {
    const char* name;
    std::function<void(Session&)> act;
};

// Pictures that exercise every drawing routine: each background at several zooms with auxiliary
// lines, the caption's formulas and glyphs, overwriting, the split display, a STEP display
// stopped half way, a pasted bitmap.
std::vector<Scene> Scenes() {
    std::vector<Scene> scenes = {
        {"start", [](Session&) {}},
        {"split display", [](Session& s) { s.form->btnDev.Click(); }},
        {"STEP stopped after two segments", [](Session& s) {
             s.platform.QueueModal("frmStep", [](TForm& f) { static_cast<TfrmStep&>(f).btnOk.Click(); });
             s.platform.QueueModal("frmStep", [](TForm& f) { static_cast<TfrmStep&>(f).btnOk.Click(); });
             s.platform.QueueModal("frmStep", [](TForm& f) { static_cast<TfrmStep&>(f).btnCancel.Click(); });
             s.form->btnStep.Click();
         }},
        {"two curves overwritten", [](Session& s) {
             s.form->lstShiki.UserClick(2);
             s.form->chkOverWrite.SetChecked(true);
             s.form->lstShiki.UserClick(3);
         }},
        {"every catalog curve with its auxiliary lines, one over the other", [](Session& s) {
             s.form->chkOverWrite.SetChecked(true);
             for (int line = 1; line < s.form->lstShiki.Count(); ++line) {
                 s.form->lstShiki.UserClick(line);
                 s.form->chkHojoEn.SetChecked(true);
                 s.form->btnDraw.Click();
             }
         }},
        {"a typed formula's caption", [](Session& s) { CaptionTypedFormula(*s.form); }},
        {"pasted bitmap", [](Session& s) {
             s.platform.clipboardImage = Bitmap(100, 60, RGB(10, 200, 30));
             s.form->mnuPasteClick();
         }},
    };
    for (int background = 0; background <= 6; ++background) {
        for (int zoom : {1, 2, 4, 6}) {
            scenes.push_back({"a background at a zoom", [background, zoom](Session& s) {
                                  s.form->lstShiki.UserClick(1);
                                  s.form->cmbHaikei.UserSelect(background);
                                  s.form->chkHojoEn.SetChecked(true);
                                  s.form->updKakudai.SetValue(zoom);
                                  s.form->btnDraw.Click();
                              }});
        }
    }
    return scenes;
}

Bitmap ReplayExact(const Session& s) {
    Canvas canvas(W, H);
    s.Recorded().Replay(canvas);
    return canvas.Picture();
}

Bitmap ReplayScaled(const Session& s, double scale) {
    ScaledCanvas canvas = ScaledCanvas::ForPicture(W, H, scale);
    s.Recorded().Replay(canvas);
    return canvas.Picture();
}

void SaveForLooking(const std::string& name, const Bitmap& bitmap) {
    if (const char* folder = std::getenv("QUORBEL_TEST_OUT")) {
        fs::create_directories(folder);
        WritePng((fs::path(folder) / name).string(), bitmap);
    }
}

}  // namespace

TEST(Drawing, ReplayedOntoAnExactCanvasGivesThePictureBitForBit) {
    int index = 0;
    for (const Scene& scene : Scenes()) {
        Session session;
        scene.act(session);
        SCOPED_TRACE(std::string(scene.name) + " #" + std::to_string(index++));
        EXPECT_TRUE(session.platform.messages.empty());
        EXPECT_TRUE(ReplayExact(session) == session.Exact());
    }
}

TEST(Drawing, ScaledPicturesPutEveryStrokeWhereTheExactPictureHasIt) {
    const std::vector<Scene> scenes = Scenes();
    for (std::size_t i = 0; i < scenes.size(); ++i) {
        Session session;
        scenes[i].act(session);
        for (double scale : {1.5, 2.0, 4.0}) {
            SCOPED_TRACE(std::string(scenes[i].name) + " #" + std::to_string(i) + " at " + std::to_string(scale));
            const Bitmap scaled = ReplayScaled(session, scale);
            ASSERT_EQ(scaled.Width(), static_cast<int>(std::ceil(W * scale)));
            const Bitmap back = ink::Downsample(scaled, W, H);
            const ink::Agreement forward = ink::Compare(session.Exact(), back, W + 1);
            const ink::Agreement backward = ink::Compare(back, session.Exact(), W + 1);
            EXPECT_GE(forward.Share(), 0.99) << forward.matched << " of " << forward.ink;
            EXPECT_GE(backward.Share(), 0.99) << backward.matched << " of " << backward.ink;
            if ((i < 2 || scenes[i].name == std::string("a typed formula's caption")) && scale == 4.0)
                SaveForLooking("scaled-4x-" + std::to_string(i) + ".png", scaled);
        }
    }
}

// At scale 4 a curve is drawn from its points before rounding: its strokes cross the 4 × 4 blocks
// that stand for picture pixels instead of filling them whole, as an enlarged bitmap would.
TEST(Drawing, ScaledCurvesAreSmoothNotEnlargedPixels) {
    Session session;
    const Bitmap scaled = ReplayScaled(session, 4);
    const TColor background = ink::Background(scaled, 0, 4 * W);
    int blocks = 0, partial = 0;
    for (int by = 0; by < W; ++by) {
        for (int bx = 0; bx < W; ++bx) {
            int inked = 0;
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 4; ++x) inked += scaled.Pixel(4 * bx + x, 4 * by + y) != background;
            blocks += inked > 0;
            partial += inked > 0 && inked < 16;
        }
    }
    ASSERT_GT(blocks, 1000);
    EXPECT_GT(partial, blocks / 2);
}

// A view kept up to date from the drawing as it grows shows what a full replay shows, also after
// the picture was cleared in between.
TEST(Drawing, ReplayFromACursorCatchesUpWithTheWholeDrawing) {
    Session session;
    ScaledCanvas kept = ScaledCanvas::ForPicture(W, H, 2);
    Drawing::Cursor cursor;
    const Drawing& drawing = session.form->view.drawing;
    EXPECT_TRUE(drawing.ReplayFrom(kept, cursor));
    EXPECT_FALSE(drawing.ReplayFrom(kept, cursor));
    session.form->chkOverWrite.SetChecked(true);
    session.form->lstShiki.UserClick(2);
    EXPECT_FALSE(drawing.ReplayFrom(kept, cursor));
    EXPECT_TRUE(kept.Picture() == ReplayScaled(session, 2));
    session.form->chkOverWrite.SetChecked(false);
    session.form->lstShiki.UserClick(3);
    EXPECT_TRUE(drawing.ReplayFrom(kept, cursor));
    EXPECT_TRUE(kept.Picture() == ReplayScaled(session, 2));
}
