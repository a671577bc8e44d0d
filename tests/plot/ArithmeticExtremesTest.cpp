// Every curve kind at the ends of the parameter ranges (a ±100, b 0 to 100, c 1 to 100, θ −100π
// to 100π), drawn with 表示: each drawing either completes or ends with one of the program's
// messages, and the busy cursor is shown once and restored. The θ ranges are sampled at their
// ends (a one-π window at each) plus a few whole −100π to 100π walks, to keep the run short.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>

#include "app/Main.h"
#include "plot/CurveKinds.h"
#include "ui/ScriptedPlatform.h"

namespace {

const std::string BZeroWarning = "警告！ｂは０をとれません";
const std::string OverflowMessage = "計算の途中で値が大きくなりすぎたため、描画を中止しました";
const std::string InvalidMessage = "計算の途中で値が求められなくなったため、描画を中止しました";

bool DividesByB(int kind) {
    const CurveKind* found = FindCurveKind(kind);
    return found && found->BDivides;
}

struct Extremes : ::testing::Test {
    ScriptedPlatform platform;
    std::unique_ptr<TfrmMain> form =
        std::make_unique<TfrmMain>(platform, std::filesystem::temp_directory_path().string() + "/");

    // Draws kind `kind` with 表示; the messages it showed.
    std::vector<std::string> Draw(int kind, int a, int b, int c, int thetaStart, int thetaEnd, int zoom = 4) {
        TfrmMain& f = *form;
        f.curveTable = CurveTable{};
        f.curveTable.Count = 1;
        f.curveTable[0].Id = kind;
        f.curveTable[0].Zoom = zoom;
        f.CurrentCurve = 0;
        f.updA.SetValue(a);
        f.updB.SetValue(b);
        f.updC.SetValue(c);
        f.updStart.SetValue(thetaStart);
        f.updSend.SetValue(thetaEnd);
        f.updKakudai.SetValue(zoom);
        f.cmbStep.SetItemIndex(5);
        f.cmbHaikei.SetItemIndex(2);
        platform.messages.clear();
        const int shownBefore = platform.busyCount;
        f.btnDraw.Click();
        EXPECT_FALSE(platform.busy) << "the cursor is restored";
        EXPECT_EQ(platform.busyCount, shownBefore + 1) << "the busy cursor is shown once per drawing";
        EXPECT_EQ(f.plotDepth, 0);
        return platform.messages;
    }
};

}  // namespace

TEST_F(Extremes, EveryKindAtTheEndsOfEveryRangeDrawsOrSaysWhyNot) {
    // Every kind with a fixed formula, and numbers that are no kind.
    std::vector<int> kinds = {-5, -1, 29, 30};
    for (const CurveKind& kind : CurveKinds()) {
        if (!kind.UsesFromFormula) kinds.push_back(kind.Id);
    }
    const std::pair<int, int> windows[] = {{-100, -99}, {99, 100}};
    int drawn = 0, refused = 0, stopped = 0;
    for (int kind : kinds) {
        for (int a : {-100, 100}) {
            for (int b : {0, 1, 100}) {
                for (int c : {1, 100}) {
                    for (auto [start, end] : windows) {
                        SCOPED_TRACE(::testing::Message() << "kind " << kind << " a " << a << " b " << b << " c " << c
                                                          << " θ " << start << ".." << end);
                        const auto messages = Draw(kind, a, b, c, start, end);
                        if (b == 0 && DividesByB(kind)) {
                            EXPECT_EQ(messages, std::vector<std::string>{BZeroWarning});
                            ++refused;
                        } else if (messages.empty()) {
                            ++drawn;
                        } else {
                            ASSERT_EQ(messages.size(), 1u);
                            EXPECT_TRUE(messages[0] == OverflowMessage || messages[0] == InvalidMessage) << messages[0];
                            ++stopped;
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(drawn, 0);
    EXPECT_GT(refused, 0);
    EXPECT_GT(stopped, 0) << "the logarithmic spiral overflows at these ends";
}

TEST_F(Extremes, TheLogarithmicSpiralOverflowsAtEitherEnd) {
    // r = c·e^((a/b)·θ): with a/b = 100 the exponent passes the double range within the first π.
    EXPECT_EQ(Draw(13, 100, 1, 100, 99, 100), std::vector<std::string>{OverflowMessage});
    EXPECT_EQ(Draw(13, -100, 1, 100, -100, -99), std::vector<std::string>{OverflowMessage});
    // Shrinking towards the origin instead underflows harmlessly to 0.
    EXPECT_TRUE(Draw(13, -100, 1, 100, 99, 100).empty());
}

TEST_F(Extremes, WholeWalksFromMinusToPlusHundredPiEnd) {
    // 72,000 steps each: the longest drawing the panel allows.
    EXPECT_TRUE(Draw(3, 100, 1, 100, -100, 100, 1).empty());
    EXPECT_TRUE(Draw(14, 100, 1, 1, -100, 100, 6).empty()) << "no value for θ ≤ 0, then a / √θ";
    EXPECT_TRUE(Draw(21, -100, 100, 100, -100, 100).empty());
    EXPECT_TRUE(Draw(12, 100, 1, 1, -100, 100).empty());
    EXPECT_EQ(Draw(13, 1, 100, 1, -100, 100), std::vector<std::string>{}) << "e^(θ/100) stays finite";
}
