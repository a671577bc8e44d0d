// 画像として保存 and the driver's -o: the dialog's proposal, the format and scale each filter or
// extension gives, and files that are whole or not there at all.
#include <gtest/gtest.h>

#include <sstream>

#include "app/RenderScript.h"
#include "output/Export.h"
#include "support/MainFormFixture.h"
#include "support/PictureFiles.h"

namespace {

class SaveImage : public MainFormTest {
protected:
    SaveImage() {
        WriteCatalog(MakeRecord({{1, "バラ/曲線?"}}));
        Start();
        form->lstShiki.UserClick(1);
    }
    // Answers the next save dialog with `name` in UsCurves and, when given, the filter chosen.
    void Answer(const std::string& name, std::optional<int> filter = std::nullopt) {
        platform.saveAnswers.push_back((root / "UsCurves" / name).string());
        if (filter) platform.saveFilterAnswers.push_back(*filter);
    }
    fs::path Saved(const std::string& name) const { return root / "UsCurves" / name; }
    std::string Head(const fs::path& path, std::size_t bytes) const {
        std::ifstream file(path, std::ios::binary);
        std::string head(bytes, '\0');
        file.read(head.data(), static_cast<std::streamsize>(bytes));
        return head;
    }
};

// Every write fails half way through.
struct FailingWrites : FileSteps {
    bool WriteAll(int fd, const char* data, std::size_t size) override {
        FileSteps::WriteAll(fd, data, size / 2);
        return false;
    }
};

}  // namespace

TEST_F(SaveImage, TheDialogProposesTheCurveInUsCurvesAndTheFilterGivesFormatAndScale) {
    Answer("a", 2);
    form->mnuSaveImage.Click();
    ASSERT_EQ(platform.saveRequests.size(), 1u);
    EXPECT_EQ(platform.saveRequests[0].initialFolder, (root / "UsCurves").string() + "/");
    EXPECT_EQ(platform.saveRequests[0].fileName, "バラ_曲線_");
    EXPECT_EQ(platform.saveRequests[0].filter, std::string("PNG 等倍|*.png|PNG 2倍|*.png|PNG 4倍|*.png|SVG|*.svg") +
                                                   (PdfAvailable() ? "|PDF|*.pdf" : "") + "|アニメーション GIF|*.gif");
    std::optional<Bitmap> fourTimes = picturefiles::ReadPng(Saved("a.png").string());
    ASSERT_TRUE(fourTimes.has_value()) << "PNG 4倍 adds its extension";
    EXPECT_EQ(fourTimes->Width(), 4 * PlotView::PictureWidth);
    EXPECT_EQ(fourTimes->Height(), 4 * PlotView::PictureHeight);

    Answer("b", 0);
    form->mnuSaveImage.Click();
    EXPECT_EQ(picturefiles::ReadPng(Saved("b.png").string()), form->view.imgCood.canvas.Picture())
        << "PNG 等倍 is the picture itself";

    // An extension typed names the format, whatever filter is showing.
    Answer("c.SVG", 0);
    Answer("d.pdf");
    form->mnuSaveImage.Click();
    form->mnuSaveImage.Click();
    EXPECT_EQ(Head(Saved("c.SVG"), 5), "<?xml");
    if (PdfAvailable()) {
        EXPECT_EQ(Head(Saved("d.pdf"), 5), "%PDF-");
        EXPECT_TRUE(platform.messages.empty());
    } else {
        EXPECT_FALSE(fs::exists(Saved("d.pdf")));
        EXPECT_EQ(platform.messages, std::vector<std::string>{"この版ではPDFに保存できません"});
    }
}

TEST_F(SaveImage, AnExistingFileIsReplacedOnlyAfterYesAndAFailedWriteLeavesNothing) {
    const fs::path existing = Saved("old.png");
    picturefiles::WriteFile(existing, "kept");
    Answer("old.png");
    platform.confirmAnswers.push_back(YesNoCancel::No);
    form->mnuSaveImage.Click();
    EXPECT_EQ(Head(existing, 5), std::string("kept") + '\0');

    FailingWrites failing;
    form->curveFileSteps = &failing;
    Answer("new.svg");
    Answer("old.png");
    platform.confirmAnswers.push_back(YesNoCancel::Yes);
    form->mnuSaveImage.Click();
    form->mnuSaveImage.Click();
    EXPECT_EQ(platform.messages, (std::vector<std::string>{"ﾌｧｲﾙ " + Saved("new.svg").string() + " を作成できません",
                                                           "ﾌｧｲﾙ " + existing.string() + " を作成できません"}));
    EXPECT_FALSE(fs::exists(Saved("new.svg")));
    EXPECT_EQ(Head(existing, 5), std::string("kept") + '\0');
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(root / "UsCurves")) left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"old.png"}) << "no temporary file stays behind";
}

TEST(SafeFileName, KeepsWhatEveryFileSystemTakes) {
    EXPECT_EQ(SafeFileName("バラ（ハイポトロコイド）"), "バラ（ハイポトロコイド）");
    EXPECT_EQ(SafeFileName("a/b\\c:d*e?f\"g<h>i|j\tk"), "a_b_c_d_e_f_g_h_i_j_k");
    EXPECT_EQ(SafeFileName(" ..hidden. "), "hidden");
    EXPECT_EQ(SafeFileName(" . "), "");
    std::string many;
    for (int i = 0; i < 200; ++i) many += "あ";
    EXPECT_EQ(SafeFileName(many), many.substr(0, 120)) << "40 whole characters of three bytes";
}

TEST(RenderPictureFiles, TheExtensionChoosesTheFormatAndScaleSetsThePngSize) {
    const fs::path folder = fs::temp_directory_path() / ("quorbel-render-files-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string data = (fs::path(QUORBEL_SOURCE_DIR) / "data").string();
    std::ostringstream out, err;
    auto run = [&](std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"-C", data});
        return RunRenderScript(arguments, out, err);
    };
    ASSERT_EQ(run({"-o", (folder / "half.png").string(), "--scale", "1.5"}), RenderOk) << err.str();
    std::optional<Bitmap> scaled = picturefiles::ReadPng((folder / "half.png").string());
    ASSERT_TRUE(scaled.has_value());
    EXPECT_EQ(scaled->Width(), 770);  // 513 × 1.5, rounded up
    EXPECT_EQ(scaled->Height(), 960);
    ASSERT_EQ(run({"-o", (folder / "first.svg").string()}), RenderOk) << err.str();
    EXPECT_NE(picturefiles::Output("head -c 200 '" + (folder / "first.svg").string() + "'").find("<svg"), std::string::npos);

    EXPECT_EQ(run({"-o", (folder / "first.pdf").string()}), PdfAvailable() ? RenderOk : RenderScriptError) << err.str();
    EXPECT_EQ(fs::exists(folder / "first.pdf"), PdfAvailable());
    EXPECT_EQ(run({"-o", (folder / "x.png").string(), "--scale", "9"}), RenderScriptError);
    EXPECT_EQ(run({"-o", (folder / "x.png").string(), "--scale", "2x"}), RenderScriptError);
    EXPECT_EQ(run({"-o", (folder / "x.svg").string(), "--scale", "2"}), RenderScriptError);
    EXPECT_FALSE(fs::exists(folder / "x.png"));
    EXPECT_FALSE(fs::exists(folder / "x.svg"));
    out.str("");
    ASSERT_EQ(run({"--help"}), RenderOk);
    EXPECT_NE(out.str().find("--scale S"), std::string::npos);
    EXPECT_NE(out.str().find(".svg"), std::string::npos);
    fs::remove_all(folder);
}
