// The bad-input corpus (tests/data/bad-input, plus the large cases made here at run time) read
// through the commands a user gives: opening a collection, choosing its lines, starting the
// program. Every case checks the exact messages, that the files on disk are untouched, and for
// rejected files that the collection comes out exactly as without them.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>

#include "app/Main.h"
#include "curves/Codec.h"
#include "support/ProblemLines.h"
#include "ui/ScriptedPlatform.h"

namespace fs = std::filesystem;

namespace {

const std::string UserHeader = "==========　 あなたの曲線　 　==========";

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

fs::path Corpus(const std::string& name) { return fs::path(QUORBEL_SOURCE_DIR) / "tests/data/bad-input" / name; }

// What a user can see of a collection after opening it: the messages, the list, the panel's
// curve as a record, its caption and the picture.
struct Outcome {
    std::vector<std::string> messages;
    std::vector<std::string> list;
    RecordLines record;
    std::string spec;
    Bitmap picture;
    bool operator==(const Outcome&) const = default;
};

class BadInput : public ::testing::Test {
protected:
    void SetUp() override {
        startFolder = fs::current_path();
        char pattern[] = "/tmp/quorbel-bad-input-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        base = pattern;
        fs::create_directory(base / "UsCurves");
        form = std::make_unique<TfrmMain>(platform, base.string() + "/");
    }
    void TearDown() override {
        fs::current_path(startFolder);
        std::error_code ignored;
        for (const auto& entry : fs::recursive_directory_iterator(base, ignored)) {
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
        fs::remove_all(base, ignored);
    }

    void Put(const std::string& corpusName, const std::string& as = "") {
        fs::copy_file(Corpus(corpusName), base / "UsCurves" / (as.empty() ? corpusName : as));
    }
    std::string UserPath(const std::string& name) { return (base / "UsCurves" / name).string(); }

    Outcome OpenUserCurves() {
        platform.messages.clear();
        form->OpenCollection(3);
        return Snapshot();
    }
    Outcome Snapshot() {
        return {platform.messages, form->lstShiki.Items(), form->frmEdit.Record(), form->lblSpec.Caption(),
                form->view.canvas().Picture()};
    }
    // Every file under the base folder with its bytes.
    std::map<std::string, std::string> Disk() {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(base)) {
            files[entry.path().string()] = entry.is_regular_file() ? ReadBytes(entry.path()) : "<folder>";
        }
        return files;
    }
    // Chooses every line of the list in turn, as clicks; the messages they gave.
    std::vector<std::string> ChooseEveryLine() {
        platform.messages.clear();
        for (int line = 0; line < form->lstShiki.Count(); ++line) {
            form->lstShiki.SetItemIndex(line);
            form->lstShikiClick();
            EXPECT_FALSE(platform.busy) << "line " << line;
            EXPECT_EQ(form->plotDepth, 0);
        }
        return platform.messages;
    }

    ScriptedPlatform platform;
    fs::path startFolder, base;
    std::unique_ptr<TfrmMain> form;
};

}  // namespace

TEST_F(BadInput, RejectedFilesAreReportedInOneBoxAndChangeNothingElse) {
    Put("good.crv");
    const Outcome clean = OpenUserCurves();
    ASSERT_TRUE(clean.messages.empty());
    ASSERT_EQ(clean.list, (std::vector<std::string>{UserHeader, "テスト"}));

    Put("binary.crv");
    Put("nul-early.crv");
    Put("24-lines.crv");
    Put("26-lines.crv");
    // Five megabytes of record-like text: 25 lines would be a curve, these are far too many.
    std::string huge;
    while (huge.size() < 5 * 1024 * 1024) huge += ReadBytes(Corpus("good.crv"));
    WriteBytes(base / "UsCurves" / "huge.crv", huge);
    fs::create_directory(base / "UsCurves" / "x.crv");
    WriteBytes(base / "UsCurves" / "x.crv" / "inner.crv", ReadBytes(Corpus("good.crv")));
    const auto disk = Disk();

    Outcome withBad = OpenUserCurves();
    EXPECT_EQ(ProblemLines(withBad.messages), (std::vector<std::string>{
                                    UserPath("24-lines.crv") + "：フォーマットが違います",
                                    UserPath("26-lines.crv") + "：フォーマットが違います",
                                    UserPath("binary.crv") + "：フォーマットが違います",
                                    UserPath("huge.crv") + "：フォーマットが違います",
                                    UserPath("nul-early.crv") + "：フォーマットが違います"}))
        << "the folder x.crv is passed over in silence";
    withBad.messages.clear();
    EXPECT_TRUE(withBad == clean) << "the rejected files leave the list, the panel and the picture as they were";
    EXPECT_EQ(form->flbCurve, (std::vector<std::string>{" ", "good.crv"}));
    EXPECT_EQ(Disk(), disk) << "reading writes nothing";
    EXPECT_FALSE(platform.busy);
}

TEST_F(BadInput, OddButWholeRecordsAreListedWithTheirBytesKeptAndDraw) {
    for (const char* name : {"invalid-sjis.crv", "lone-lead.crv", "cr-only.crv", "mixed-ends.crv", "25-lines-no-end.crv"}) {
        Put(name);
    }
    const auto disk = Disk();
    Outcome opened = OpenUserCurves();
    EXPECT_TRUE(opened.messages.empty());
    // A byte the code page does not know shows as one replacement character; the byte after an
    // unusable lead byte is read again on its own, and a line end is never taken as a trail byte.
    const std::string replacement = "\xEF\xBF\xBD";
    ASSERT_EQ(opened.list.size(), 6u);
    EXPECT_EQ(opened.list[1], "no end");
    EXPECT_EQ(opened.list[2], "CR");
    EXPECT_EQ(opened.list[3], "バラ" + replacement + "@" + replacement + replacement);
    EXPECT_EQ(opened.list[4], "バ" + replacement);
    EXPECT_EQ(opened.list[5], "mixed");

    EXPECT_TRUE(ChooseEveryLine().empty());
    // The record on the panel keeps the file's bytes, lone lead bytes included, so that saving
    // it back writes what was read.
    form->lstShiki.SetItemIndex(4);
    form->lstShikiClick();
    const RecordLines record = form->frmEdit.Record();
    ASSERT_EQ(record.size(), 25u);
    EXPECT_EQ(record[0], "\x83\x6f\x83");
    EXPECT_EQ(record[21], "abc\x82");
    EXPECT_EQ(record[24], "\x83");
    EXPECT_EQ(form->lstComment.Item(1), "abc" + replacement);
    EXPECT_EQ(Disk(), disk);
}

TEST_F(BadInput, NumbersBeyondThirtyTwoBitsShowTheirLineAndReadAsZero) {
    Put("big-numbers.crv");
    Outcome opened = OpenUserCurves();
    // In line order: a = 4294967296, b = $123456789 (nine digits), θ end = −2147483649, each
    // with the explanation any bad number gets.
    EXPECT_EQ(ProblemLines(opened.messages), (std::vector<std::string>{
                                                 "UsCurves/big-numbers.crv の「パラメータａ」: 4294967296",
                                                 "UsCurves/big-numbers.crv の「パラメータｂ」: $123456789",
                                                 "UsCurves/big-numbers.crv の「θ終了」: -2147483649"}));
    EXPECT_NE(opened.messages[0].find("数として読めない行は 0 として読みました"), std::string::npos);
    const CurveEntry& entry = form->curveTable[1];
    EXPECT_EQ(entry.ParamA, 0);
    EXPECT_EQ(entry.ParamB, 0);
    EXPECT_EQ(entry.ThetaEnd, 0);
    EXPECT_EQ(entry.ParamC, 2147483647);
    EXPECT_EQ(entry.LineColor, -1) << "$FFFFFFFF is all 32 bits";

    // Choosing it: the spins clamp c to 100, and b = 0 for a rose curve is refused by the check.
    platform.messages.clear();
    form->lstShiki.SetItemIndex(1);
    form->lstShikiClick();
    EXPECT_EQ(platform.messages, std::vector<std::string>{"警告！ｂは０をとれません"});
    EXPECT_EQ(form->updC.Value(), 100);
    EXPECT_FALSE(platform.busy);
}

TEST_F(BadInput, ALineOfAHundredThousandBytesIsKeptWholeAndShownByItsBeginning) {
    RecordLines lines = SplitLines(ReadBytes(Corpus("good.crv")));
    std::string longName;
    while (longName.size() < 100000) longName += "\x83\x65";  // テ
    lines[0] = longName;
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    WriteBytes(base / "UsCurves" / "long-name.crv", text);
    lines[0] = "short";
    lines[rlParamB - 1] = std::string(100000, '7');
    text.clear();
    for (const std::string& line : lines) text += line + "\r\n";
    WriteBytes(base / "UsCurves" / "long-number.crv", text);

    Outcome opened = OpenUserCurves();
    EXPECT_EQ(ProblemLines(opened.messages),
              std::vector<std::string>{"UsCurves/long-number.crv の「パラメータｂ」: " + std::string(40, '7') + "…"});
    ASSERT_EQ(opened.list.size(), 3u);
    EXPECT_EQ(opened.list[1].size(), 150000u) << "50,000 テ of three UTF-8 bytes each";
    EXPECT_EQ(ChooseEveryLine(), std::vector<std::string>{"警告！ｂは０をとれません"}) << "b read as 0";
    form->lstShiki.SetItemIndex(1);
    form->lstShikiClick();
    EXPECT_EQ(form->frmEdit.Record()[0].size(), 100000u);
}

TEST_F(BadInput, AnUnreadableFileIsReportedAndSkipped) {
    Put("good.crv");
    Put("good.crv", "locked.crv");
    fs::permissions(base / "UsCurves" / "locked.crv", fs::perms::none);
    const std::vector<std::string> expectedMessages{UserPath("locked.crv") + "：読み込めません"};
    const std::vector<std::string> expectedList{UserHeader, "テスト"};
    if (::geteuid() != 0) {
        Outcome opened = OpenUserCurves();
        EXPECT_EQ(opened.messages, expectedMessages);
        EXPECT_EQ(opened.list, expectedList);
        return;
    }
    // Permissions do not bind root: the collection is opened by a child that gives root up.
    fs::permissions(base, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    fs::permissions(base / "UsCurves", fs::perms::all);
    pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
        Outcome opened = OpenUserCurves();
        ::_exit(opened.messages == expectedMessages && opened.list == expectedList ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_NE(WEXITSTATUS(status), 3) << "the child could not give up root";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the locked file was not reported alone, or the list differs";
}

TEST_F(BadInput, SixtyValidFilesGiveTheLimitMessageOnceAndFortyNineCurves) {
    const std::string good = ReadBytes(Corpus("good.crv"));
    for (int i = 1; i <= 60; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "c%02d.crv", i);
        WriteBytes(base / "UsCurves" / name, good);
    }
    Outcome opened = OpenUserCurves();
    EXPECT_EQ(opened.messages, std::vector<std::string>{"登録できる数は50です"});
    ASSERT_EQ(opened.list.size(), 50u);
    EXPECT_EQ(form->flbCurve[49], "c49.crv");
    EXPECT_EQ(form->CurrentCurve, 0) << "the header line is chosen and drawn";
    // The last curve listed can be chosen; nothing beyond it exists.
    platform.messages.clear();
    form->lstShiki.SetItemIndex(49);
    form->lstShikiClick();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(form->CurrentFileName, "c49.crv");
}

TEST_F(BadInput, EmptyUserFolderGivesTheHeaderAndTheBuiltInRose) {
    Outcome opened = OpenUserCurves();
    EXPECT_TRUE(opened.messages.empty());
    EXPECT_EQ(opened.list, std::vector<std::string>{UserHeader});
    EXPECT_EQ(form->curveTable[0].Id, 2);
    EXPECT_EQ(opened.spec.rfind("クッション丸（正葉曲線１）", 0), 0u);
    EXPECT_FALSE(platform.busy);
}

TEST_F(BadInput, MissingCatalogAtStartIsReportedOnceAndNothingIsDrawn) {
    const Bitmap before = form->view.canvas().Picture();
    form->FormShow();
    EXPECT_EQ(platform.messages, std::vector<std::string>{(base / "Curves20.crx").string() + "がありません"});
    EXPECT_EQ(form->lstShiki.Count(), 0);
    EXPECT_EQ(form->CurrentCurve, -1);
    EXPECT_EQ(form->cmbStep.ItemIndex(), 4) << "no curve set the STEP size";
    EXPECT_TRUE(form->view.canvas().Picture() == before);
    EXPECT_EQ(platform.busyCount, 0);
    EXPECT_TRUE(form->spdLineColor.Enabled() && form->spdBackColor.Enabled());
}

TEST_F(BadInput, AFiveMegabyteCatalogIsRefusedWithTheFormatMessage) {
    std::string huge;
    const std::string shipped = ReadBytes(fs::path(QUORBEL_SOURCE_DIR) / "data/Curves20.crx");
    while (huge.size() < 5 * 1024 * 1024) huge += shipped;
    WriteBytes(base / "Curves20.crx", huge);
    form->FormShow();
    EXPECT_EQ(platform.messages, std::vector<std::string>{(base / "Curves20.crx").string() + "：フォーマットが違います"});
    EXPECT_EQ(form->lstShiki.Count(), 0);
    EXPECT_EQ(form->CurrentCurve, -1);
}
