// Saving with the real collections: a working folder with a catalog, "BtCurves" and "UsCurves".
#include <gtest/gtest.h>

#include <sstream>

#include "app/Main.h"
#include "app/RenderScript.h"
#include "curves/Codec.h"
#include "curves/CurveFile.h"
#include "curves/SavingFolder.h"
#include "ui/ScriptedPlatform.h"

namespace {
// A small rose as a curve file would hold it, CP932 with CR LF; `notes` are the lines 21 to 25.
std::string RoseFile(const std::string& nameUtf8, const std::string& notes = "*\r\n*\r\n*\r\n*\r\n*\r\n") {
    return Utf8ToCp932(nameUtf8) + "\r\n2\r\nr = c sin [a]/b \x83\xC6\r\n \r\n\r\n3\r\n1\r\n5\r\n0\r\n2\r\n1\r\n1\r\n4\r\n"
           "a\r\n0\r\n0\r\n0\r\n$0000FFFF\r\n0\r\n1\r\n" + Utf8ToCp932(notes);
}

struct SaveWithCollections : ::testing::Test {
    SavingFolder base;
    ScriptedPlatform platform;
    std::unique_ptr<TfrmMain> main;
    std::filesystem::path previousFolder = std::filesystem::current_path();

    void SetUp() override {
        std::filesystem::create_directory(base / "BtCurves");
        std::filesystem::create_directory(base / "UsCurves");
        WriteAll(base / "Curves20.crx", RoseFile("カタログ一") + RoseFile("カタログ二"));
        main = std::make_unique<TfrmMain>(platform, base.path);
    }
    void TearDown() override { std::filesystem::current_path(previousFolder); }

    void Nickname(const std::string& name) {
        platform.QueueModal("frmNickName", [name](TForm& form) {
            auto& dialog = static_cast<TfrmNickName&>(form);
            dialog.edtName.UserTypeText(name);
            dialog.btnOk.Click();
        });
    }
    bool Confirmed() const {
        for (const std::string& entry : platform.log) {
            if (entry.rfind("confirm:", 0) == 0) return true;
        }
        return false;
    }
};
}  // namespace

TEST_F(SaveWithCollections, SavingAUserCurveInPlaceRereadsTheCollectionAndKeepsItsLine) {
    WriteAll(base / "UsCurves/a.crv", RoseFile("アルファ"));
    WriteAll(base / "UsCurves/b.crv", RoseFile("ベータ"));
    main->OpenCollection(3);
    main->lstShiki.UserClick(2);
    main->updA.SetValue(5);
    WriteAll(base / "UsCurves/c.crv", RoseFile("ガンマ"));  // added since the opening

    main->spdOverWriteClick();
    EXPECT_FALSE(Confirmed());
    EXPECT_TRUE(platform.modalsShown.empty());
    RecordLines saved = SplitLines(ReadAll(base / "UsCurves/b.crv"));
    ASSERT_EQ(saved.size(), 25u);
    EXPECT_EQ(saved[rlParamA - 1], "5");
    EXPECT_EQ(main->lstShiki.Count(), 4) << "the folder was read again";
    EXPECT_EQ(main->lstShiki.ItemIndex(), 2);
    EXPECT_EQ(main->CurrentFileName, "b.crv");
    EXPECT_EQ(main->updA.Value(), 5);
}

TEST_F(SaveWithCollections, ACatalogCurveOrAHeaderCurveIsSavedUnderANewName) {
    main->OpenCollection(1);
    main->lstShiki.UserClick(1);
    main->spdOverWriteClick();  // no "UsCurves/Curves20.crx": the naming dialog, then the file dialog
    Nickname("マイ");
    platform.saveAnswers.push_back(base / "UsCurves/mine");
    main->spdOverWriteClick();
    ASSERT_EQ(platform.saveRequests.size(), 1u);
    EXPECT_EQ(platform.saveRequests[0].fileName, "MyCurve.crv");
    EXPECT_EQ(SplitLines(ReadAll(base / "UsCurves/mine.crv"))[0], Utf8ToCp932("マイ"));
    EXPECT_EQ(main->CurrentFileName, base / "UsCurves/mine.crv");

    // The full path now held finds no file inside "UsCurves": the next save asks for a name again.
    main->spdOverWriteClick();
    EXPECT_EQ(platform.modalsShown, (std::vector<std::string>{"frmNickName", "frmNickName", "frmNickName"}));

    main->OpenCollection(2);  // its header line: the built-in curve, file name " "
    EXPECT_EQ(main->CurrentFileName, " ");
    main->spdOverWriteClick();
    EXPECT_EQ(platform.modalsShown.size(), 4u);
    EXPECT_FALSE(Confirmed());
}

TEST_F(SaveWithCollections, ABeautifulCurveSavedInPlaceGoesToTheUserFileOfThatName) {
    const std::string beautiful = RoseFile("花");
    WriteAll(base / "BtCurves/same.crv", beautiful);
    WriteAll(base / "UsCurves/same.crv", RoseFile("わたしの"));
    main->OpenCollection(2);
    main->lstShiki.UserClick(1);
    main->updC.SetValue(9);
    main->spdOverWriteClick();
    EXPECT_EQ(ReadAll(base / "BtCurves/same.crv"), beautiful);
    RecordLines saved = SplitLines(ReadAll(base / "UsCurves/same.crv"));
    ASSERT_EQ(saved.size(), 25u);
    EXPECT_EQ(saved[0], Utf8ToCp932("花"));
    EXPECT_EQ(saved[rlParamC - 1], "9");
    EXPECT_EQ(main->CollectionKind, 2) << "only the user's collection is read again";
}

TEST_F(SaveWithCollections, ACurveReadAndSavedUnchangedIsByteIdenticalAndReadsBackWithEmptyNotes) {
    const std::string original = RoseFile("そのまま", "ひとつ\r\n\r\n\r\n\r\n\r\n");
    WriteAll(base / "UsCurves/keep.crv", original);
    main->OpenCollection(3);
    main->lstShiki.UserClick(1);
    main->spdOverWriteClick();
    EXPECT_EQ(ReadAll(base / "UsCurves/keep.crv"), original);
    EXPECT_TRUE(platform.messages.empty()) << "read back as 25 lines, without a format message";
    EXPECT_EQ(main->lstShiki.Count(), 2);
}

TEST_F(SaveWithCollections, ANicknameSharedWithAnotherCurveAppliesBothAndKeepsTheLater) {
    WriteAll(base / "UsCurves/a.crv", RoseFile("ふたご"));
    WriteAll(base / "UsCurves/m.crv", RoseFile("ほか"));
    main->OpenCollection(3);
    main->lstShiki.UserClick(2);
    main->updB.SetValue(2);
    Nickname("ふたご");
    platform.saveAnswers.push_back(base / "UsCurves/z.crv");
    main->mnuSaveClick();

    ASSERT_EQ(main->lstShiki.Count(), 4);
    EXPECT_EQ(main->lstShiki.ItemIndex(), 3);
    EXPECT_EQ(main->CurrentFileName, "z.crv");
    EXPECT_EQ(main->updB.Value(), 2);
    EXPECT_TRUE(main->lstShiki.Selected(1));
    EXPECT_TRUE(main->lstShiki.Selected(3));
    EXPECT_FALSE(main->lstShiki.Selected(2));
    EXPECT_FALSE(main->lstShiki.Selected(0));
}

TEST_F(SaveWithCollections, ALineBreakInTheNicknameIsDroppedSoTheCurveReadsBackAndIsChosen) {
    main->OpenCollection(3);
    Nickname("abc\r\ndef");
    platform.saveAnswers.push_back(base / "UsCurves/pasted");
    main->mnuSaveClick();
    RecordLines saved = SplitLines(ReadAll(base / "UsCurves/pasted.crv"));
    ASSERT_EQ(saved.size(), 25u);
    EXPECT_EQ(saved[0], "abcdef");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(main->lstShiki.Count(), 2);
    EXPECT_EQ(main->lstShiki.ItemIndex(), 1) << "the saved curve is found under its name and chosen";

    // The driver's nickname: takes the same way, whichever line end it holds.
    for (const std::string end : {"\r\n", "\n", "\r"}) {
        const std::string file = "UsCurves/driven" + std::to_string(end.size()) + std::to_string(end[0]);
        std::ostringstream out, err;
        ASSERT_EQ(RunRenderScript({"-C", base.path, "open:3", "nickname:x" + end + "y", "savefile:" + file, "press:mnuSave"},
                                  out, err), RenderOk) << err.str();
        saved = SplitLines(ReadAll(base / (file + ".crv")));
        ASSERT_EQ(saved.size(), 25u);
        EXPECT_EQ(saved[0], "xy");
        EXPECT_EQ(out.str(), "");
    }
}

TEST_F(SaveWithCollections, TheContentsViewShowsTheWorkingRecordBesideItsLabels) {
    main->mnuShowFileClick();
    EXPECT_TRUE(platform.modalsShown.empty()) << "nothing to show before a curve is listed";

    main->OpenCollection(1);
    const TfrmEdit& view = main->frmEdit;
    ASSERT_EQ(view.lstContents.Count(), 28);
    EXPECT_EQ(view.lstContents.Item(0), "名前");
    EXPECT_EQ(view.lstContents.Item(5), "パラメータａ");
    EXPECT_EQ(view.lstContents.Item(24), "指示５");
    EXPECT_EQ(view.lstContents.Item(25) + view.lstContents.Item(26) + view.lstContents.Item(27), "");

    std::vector<std::string> shown = view.ShownRecord();
    ASSERT_EQ(shown.size(), 25u);
    EXPECT_EQ(shown[0], "バラ（ハイポトロコイド）");
    EXPECT_EQ(shown[1], "3");
    EXPECT_EQ(shown[2], "");
    EXPECT_EQ(shown[20], "*") << "a \"*\" line is shown as it stands";
    main->updA.SetValue(5);
    EXPECT_EQ(view.ShownRecord()[5], "5");

    main->mnuShowFileClick();
    EXPECT_EQ(platform.modalsShown, std::vector<std::string>{"frmEdit"});
    EXPECT_EQ(view.lblSpec.Caption(), "バラ（ハイポトロコイド） Curves20.crx [#3]");
}

TEST(SaveWithTheDriver, AChangedCurveSavedUnderANewNameIsReadBackFromTheUserCollection) {
    SavingFolder base;
    std::filesystem::create_directory(base / "BtCurves");
    std::filesystem::create_directory(base / "UsCurves");
    WriteAll(base / "Curves20.crx", RoseFile("カタログ一", "ひとつ\r\n*\r\n*\r\n*\r\n*\r\n"));
    const std::string command = std::string(QUORBEL_RENDER) + " -C " + base.path +
                                " open:1 choose:1 set:updA=7 nickname:わたしのバラ savefile:UsCurves/rose press:mnuSave"
                                " open:3 choose:1 press:mnuShowFile";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    ASSERT_TRUE(pipe);
    std::string out;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) out.append(buffer, got);
    EXPECT_EQ(::pclose(pipe.release()), 0) << out;

    EXPECT_EQ(SplitLines(ReadAll(base / "UsCurves/rose.crv")).size(), 25u);
    EXPECT_NE(out.find("名前\tわたしのバラ\n"), std::string::npos) << out;
    EXPECT_NE(out.find("パラメータａ\t7\n"), std::string::npos) << out;
    EXPECT_NE(out.find("指示１\t*\n"), std::string::npos) << "the file holds \"*\" notes:\n" << out;
    EXPECT_EQ(out.find("message:"), std::string::npos) << out;
}
