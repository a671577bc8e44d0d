#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>

#include "app/Main.h"
#include "output/Print.h"
#include "ui/ScriptedPlatform.h"

namespace {
constexpr TColor Graph = RGB(200, 0, 0);

struct Bounds {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;  // inclusive
};

Bounds BoundsOf(const Bitmap& bitmap, TColor color) {
    Bounds bounds;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (bitmap.Pixel(x, y) != color) continue;
            bounds.left = std::min(bounds.left, x);
            bounds.right = std::max(bounds.right, x);
            bounds.top = std::min(bounds.top, y);
            bounds.bottom = std::max(bounds.bottom, y);
        }
    }
    return bounds;
}

// The print dialog over a main picture filled with one colour.
struct PrintFixture : ::testing::Test {
    ScriptedPlatform platform;
    TImage mainPicture{"imgCood", 513, 640};
    TLabel mainSpec{"lblSpec", "バラ（ハイポトロコイド） Curves20.crx [#3]"};
    TfrmPrint print{platform, mainPicture, mainSpec};
    std::filesystem::path temporary;
    std::string savedTmpdir;

    void SetUp() override {
        mainPicture.canvas.Reset(513, 640, Graph);
        if (const char* tmpdir = std::getenv("TMPDIR")) savedTmpdir = tmpdir;
        temporary = std::filesystem::temp_directory_path() / ("quorbel-print-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(temporary);
        setenv("TMPDIR", temporary.c_str(), 1);
    }
    void TearDown() override {
        if (savedTmpdir.empty()) unsetenv("TMPDIR"); else setenv("TMPDIR", savedTmpdir.c_str(), 1);
        std::filesystem::remove_all(temporary);
    }
    const Bitmap& Preview() const { return print.imgCood.canvas.Picture(); }
    bool TemporaryFolderEmpty() const { return std::filesystem::is_empty(temporary); }
};
}  // namespace

TEST_F(PrintFixture, GraphPlacedByMarginsAndSize) {
    print.chkDate.SetChecked(false);
    print.FormShow();
    ASSERT_EQ(Preview().Width(), 600);
    ASSERT_EQ(Preview().Height(), 849);
    Bounds full = BoundsOf(Preview(), Graph);
    EXPECT_EQ(full.left, 50);
    EXPECT_EQ(full.right, 562);
    EXPECT_EQ(full.top, 100);
    EXPECT_EQ(full.bottom, 739);
    EXPECT_EQ(Preview().Pixel(0, 0), clWhite);

    print.spnShukusho.SetValue(50);  // the change rebuilds the preview at once
    Bounds half = BoundsOf(Preview(), Graph);
    EXPECT_EQ(half.right - half.left + 1, 256) << "513 × 0.5 = 256.5 rounds to the even 256";
    EXPECT_EQ(half.bottom - half.top + 1, 320);

    print.spnShukusho.SetValue(100);
    print.spnLeft.SetValue(200);
    Bounds cut = BoundsOf(Preview(), Graph);
    EXPECT_EQ(cut.left, 200);
    EXPECT_EQ(cut.right, 599) << "the right 113 columns fall off the page";
}

TEST_F(PrintFixture, TypedSizesOutsideTheRangeCountAsTheirLimit) {
    print.chkDate.SetChecked(false);
    print.FormShow();
    print.spnShukusho.UserTypeText("-300");
    Bounds smallest = BoundsOf(Preview(), Graph);
    EXPECT_EQ(smallest.right - smallest.left + 1, 256) << "a negative size would mirror the graph";
    print.spnLeft.UserTypeText("x");
    EXPECT_EQ(BoundsOf(Preview(), Graph).left, 0);
}

TEST_F(PrintFixture, CommentLineFollowsTheEditAndCoversTheGraphAtTopZero) {
    print.FormShow();
    EXPECT_EQ(print.edtFile.Text(), mainSpec.Caption() + "  " + DateText() + "  " + TimeText());
    print.spnTop.SetValue(0);
    // The white box of the comment stands on the graph's rows 15 and below, from column L + 10.
    EXPECT_EQ(Preview().Pixel(59, 16), Graph);
    EXPECT_NE(Preview().Pixel(61, 16), Graph);
    Bitmap withComment = Preview();
    print.edtFile.UserTypeText("A");
    EXPECT_NE(Preview(), withComment) << "editing the comment rebuilds the preview";
    EXPECT_NE(Preview().Pixel(61, 16), Graph);
    EXPECT_EQ(Preview().Pixel(200, 16), Graph) << "a one-letter comment is short";
    print.chkDate.UserClick();
    int uncovered = 0;
    for (int y = 15; y < 32; ++y) {
        for (int x = 60; x < 500; ++x) uncovered += Preview().Pixel(x, y) == Graph;
    }
    EXPECT_EQ(uncovered, 17 * 440) << "without the comment the graph shows where its box stood";
}

TEST_F(PrintFixture, ShowingTakesTheMainWindowsPlaceAndFreshText) {
    print.MainLeft = 0;
    print.MainTop = 0;
    print.MainWidth = 1024;
    print.MainHeight = 740;
    print.FormShow();
    print.edtFile.UserTypeText("edited");
    print.FormShow();
    EXPECT_EQ(print.Width, 1024);
    EXPECT_EQ(print.Height, 740);
    EXPECT_NE(print.edtFile.Text(), "edited") << "the comment is set afresh at every showing";
}

TEST_F(PrintFixture, EveryCopyIsAJobOfThePreviewStretchedFromTheTopLeft) {
    print.FormShow();
    platform.printAnswers.push_back(2);
    print.btnPrint.Click();
    ASSERT_EQ(platform.printed.size(), 2u);
    for (const auto& job : platform.printed) {
        EXPECT_EQ(job.dest, (TRect{0, 0, 2743, 3881}));
        EXPECT_EQ(job.page, Preview()) << "what is printed is the preview read back from the bitmap file";
    }
    EXPECT_EQ(platform.busyCount, 1);
    EXPECT_FALSE(platform.busy);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(TemporaryFolderEmpty()) << "the temporary bitmap is removed";
}

TEST_F(PrintFixture, CancelledDialogPrintsNothing) {
    print.FormShow();
    Bitmap before = Preview();
    print.btnPrint.Click();  // no answer queued: cancelled
    EXPECT_TRUE(platform.printed.empty());
    EXPECT_EQ(platform.busyCount, 0);
    EXPECT_EQ(Preview(), before);
    EXPECT_TRUE(TemporaryFolderEmpty());
}

TEST_F(PrintFixture, TemporaryFileFailureAndPrinterFailureAreReported) {
    print.FormShow();
    setenv("TMPDIR", (temporary / "missing").c_str(), 1);
    platform.printAnswers.push_back(1);
    print.btnPrint.Click();
    EXPECT_EQ(platform.messages, std::vector<std::string>{"一時ファイルが作成できません"});
    EXPECT_TRUE(platform.printed.empty());
    EXPECT_FALSE(platform.busy);

    setenv("TMPDIR", temporary.c_str(), 1);
    platform.messages.clear();
    platform.printerFails = true;
    platform.printAnswers.push_back(3);
    print.btnPrint.Click();
    EXPECT_EQ(platform.messages, std::vector<std::string>{"印刷できませんでした"});
    EXPECT_EQ(std::count(platform.log.begin(), platform.log.end(), "print"), 1) << "no more copies after a failed job";
    EXPECT_FALSE(platform.busy);
    EXPECT_TRUE(TemporaryFolderEmpty());
}

TEST(PrintTexts, TwoDigitsDateAndTime) {
    EXPECT_EQ(TwoDigits(0), "00");
    EXPECT_EQ(TwoDigits(9), "09");
    EXPECT_EQ(TwoDigits(10), "10");
    EXPECT_EQ(TwoDigits(2004), "2004");
    EXPECT_TRUE(std::regex_match(DateText(), std::regex(R"(\d{4}\.\d{2}\.\d{2})"))) << DateText();
    EXPECT_TRUE(std::regex_match(TimeText(), std::regex(R"(\d{2}:\d{2})"))) << TimeText();
}

TEST(PrintCommand, ShowsThePreviewOverTheMainWindow) {
    ScriptedPlatform platform;
    platform.screen = {800, 600};
    TfrmMain form(platform, std::filesystem::temp_directory_path().string());
    form.spdPrint.Click();
    EXPECT_EQ(platform.modalsShown, std::vector<std::string>{"frmPrint"});
    EXPECT_EQ(form.frmPrint.Width, 800);
    EXPECT_EQ(form.frmPrint.Height, 572);
    EXPECT_EQ(form.frmPrint.Caption, "グラフの印刷");
}
