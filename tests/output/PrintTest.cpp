#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>

#include "app/Main.h"
#include "output/Print.h"
#include "support/InkAgreement.h"
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

// The printed sheet of a job: its pieces put together on paper the size of the printable area.
Bitmap SheetOf(const ScriptedPlatform::PrintedJob& job, PrinterPage paper) {
    Bitmap sheet(paper.width, paper.height);
    Bitmap covered(paper.width, paper.height, 0);
    for (const auto& piece : job) {
        EXPECT_TRUE(piece.place.left >= 0 && piece.place.top >= 0 && piece.place.right <= paper.width &&
                    piece.place.bottom <= paper.height) << "pieces stay inside the printable area";
        for (int y = 0; y < piece.pixels.Height(); ++y) {
            for (int x = 0; x < piece.pixels.Width(); ++x) {
                const int column = piece.place.left + x, row = piece.place.top + y;
                EXPECT_EQ(covered.Pixel(column, row), 0u) << "pieces do not overlap";
                covered.SetPixel(column, row, 1);
                sheet.SetPixel(column, row, piece.pixels.Pixel(x, y));
            }
        }
    }
    return sheet;
}

// The preview page's place on the sheet, width × height preview pixels from its top-left corner.
Bitmap Crop(const Bitmap& printed, const PrintedSheet& sheet, int width, int height) {
    const int left = RoundHalfEven(sheet.left), top = RoundHalfEven(sheet.top);
    Bitmap page(RoundHalfEven(width * sheet.scale), RoundHalfEven(height * sheet.scale));
    for (int y = 0; y < page.Height(); ++y)
        for (int x = 0; x < page.Width(); ++x) page.SetPixel(x, y, printed.Pixel(left + x, top + y));
    return page;
}

// The print dialog over a main picture filled with one colour.
struct PrintFixture : ::testing::Test {
    ScriptedPlatform platform;
    PlotView mainView;
    TImage& mainPicture = mainView.imgCood;
    TLabel mainSpec{"lblSpec", "バラ（ハイポトロコイド） Curves20.crx [#3]"};
    TfrmPrint print{platform, mainView, mainSpec};
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

TEST_F(PrintFixture, EveryCopyIsAJobOfThePreviewPageFittedToThePaper) {
    print.FormShow();
    platform.printAnswers.push_back(2);
    print.btnPrint.Click();
    ASSERT_EQ(platform.printed.size(), 2u);
    const PrinterPage paper = platform.printerPage;
    const PrintedSheet sheet = print.FitPage(paper);
    EXPECT_NEAR(sheet.scale, 1190.0 / 600, 1e-9) << "the width limits an A4 printable area";
    EXPECT_NEAR(sheet.top, (1704 - 849 * sheet.scale) / 2, 1e-9);
    for (const auto& job : platform.printed) {
        const Bitmap printed = SheetOf(job, paper);
        Bounds graph = BoundsOf(printed, Graph);
        EXPECT_EQ(graph.left, RoundHalfEven(sheet.left + 50 * sheet.scale));
        EXPECT_EQ(graph.right + 1, RoundHalfEven(sheet.left + 563 * sheet.scale));
        EXPECT_EQ(graph.top, RoundHalfEven(sheet.top + 100 * sheet.scale));
        EXPECT_EQ(graph.bottom + 1, RoundHalfEven(sheet.top + 740 * sheet.scale));
        // The page brought back to the preview's size shows the preview: the graph and the comment.
        const Bitmap back = ink::Downsample(Crop(printed, sheet, 600, 849), 600, 849);
        const ink::Agreement forward = ink::Compare(Preview(), back, 849), backward = ink::Compare(back, Preview(), 849);
        EXPECT_GE(forward.Share(), 0.99) << forward.matched << " of " << forward.ink;
        EXPECT_GE(backward.Share(), 0.99) << backward.matched << " of " << backward.ink;
    }
    EXPECT_EQ(platform.busyCount, 1);
    EXPECT_FALSE(platform.busy);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(TemporaryFolderEmpty());
}

// At 1200 dpi a whole A4 page would take over 500 MB: it goes in pieces, none larger than
// PrintPieceBytes, which together cover what the preview shows.
TEST_F(PrintFixture, AFinePrinterGetsThePageInPiecesOfBoundedSize) {
    print.FormShow();
    platform.printerPage = {9720, 13830};
    platform.keepPrintedPixels = false;
    platform.printAnswers.push_back(1);
    print.btnPrint.Click();
    ASSERT_EQ(platform.printed.size(), 1u);
    const auto& pieces = platform.printed[0];
    ASSERT_GT(pieces.size(), 4u);
    const PrintedSheet sheet = print.FitPage(platform.printerPage);
    int top = RoundHalfEven(sheet.top + 14 * sheet.scale);  // a pixel above the comment
    for (const auto& piece : pieces) {
        EXPECT_LE(static_cast<std::size_t>(piece.place.Width()) * piece.place.Height() * sizeof(TColor), PrintPieceBytes);
        EXPECT_EQ(piece.place.top, top) << "pieces follow each other down the page";
        EXPECT_EQ(piece.place.left, RoundHalfEven(sheet.left + 50 * sheet.scale)) << "the blank margin is not sent";
        top = piece.place.bottom;
    }
    EXPECT_EQ(top, RoundHalfEven(sheet.top + 740 * sheet.scale)) << "down to the graph's bottom";
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

TEST_F(PrintFixture, PrintingNeedsNoTemporaryFileAndAPrinterFailureIsReported) {
    print.FormShow();
    setenv("TMPDIR", (temporary / "missing").c_str(), 1);
    platform.printAnswers.push_back(1);
    print.btnPrint.Click();
    EXPECT_TRUE(platform.messages.empty()) << "the page is no longer written to a file first";
    EXPECT_EQ(platform.printed.size(), 1u);
    EXPECT_FALSE(platform.busy);

    setenv("TMPDIR", temporary.c_str(), 1);
    platform.messages.clear();
    platform.log.clear();
    platform.printerFails = true;
    platform.printAnswers.push_back(3);
    print.btnPrint.Click();
    EXPECT_EQ(platform.messages, std::vector<std::string>{"印刷できませんでした"});
    EXPECT_EQ(std::count(platform.log.begin(), platform.log.end(), "print"), 1) << "no more copies after a failed job";
    EXPECT_FALSE(platform.busy);
    EXPECT_TRUE(TemporaryFolderEmpty());
}

// The start picture printed at 4 printer pixels per preview pixel: its graph is drawn again at that
// scale where the preview shows it, the curves smooth rather than enlarged picture pixels.
TEST(PrintedGraph, IsDrawnAgainAtTheSheetsScaleWhereThePreviewShowsIt) {
    const std::filesystem::path saved = std::filesystem::current_path();
    ScriptedPlatform platform;
    TfrmMain form(platform, (std::filesystem::path(QUORBEL_SOURCE_DIR) / "data").string());
    form.FormShow();
    platform.printerPage = {2400, 3396};
    platform.printAnswers.push_back(1);
    platform.QueueModal("frmPrint", [](TForm& shown) { static_cast<TfrmPrint&>(shown).btnPrint.Click(); });
    form.spdPrint.Click();
    std::filesystem::current_path(saved);
    ASSERT_EQ(platform.printed.size(), 1u);
    const PrintedSheet sheet = form.frmPrint.FitPage(platform.printerPage);
    ASSERT_EQ(sheet.scale, 4.0);
    const Bitmap printed = SheetOf(platform.printed[0], platform.printerPage);

    constexpr int W = PlotView::PictureWidth, H = PlotView::PictureHeight;
    const Bitmap& exact = form.view.imgCood.canvas.Picture();
    Bitmap graph(4 * W, 4 * H);
    for (int y = 0; y < graph.Height(); ++y)
        for (int x = 0; x < graph.Width(); ++x) graph.SetPixel(x, y, printed.Pixel(4 * 50 + x, 4 * 100 + y));
    const Bitmap back = ink::Downsample(graph, W, H);
    const ink::Agreement forward = ink::Compare(exact, back, W + 1), backward = ink::Compare(back, exact, W + 1);
    EXPECT_GE(forward.Share(), 0.99) << forward.matched << " of " << forward.ink;
    EXPECT_GE(backward.Share(), 0.99) << backward.matched << " of " << backward.ink;

    const ink::Blocks blocks = ink::InkedBlocks(graph, 4, ink::Background(graph, 0, 4 * W));
    ASSERT_GT(blocks.inked, 1000);
    EXPECT_GT(blocks.partial, blocks.inked / 2) << "a stretched picture fills whole 4 × 4 blocks";
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
