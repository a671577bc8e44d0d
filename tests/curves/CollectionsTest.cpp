#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "app/Main.h"
#include "curves/Codec.h"
#include "support/ProblemLines.h"
#include "ui/ScriptedPlatform.h"

namespace fs = std::filesystem;

namespace {

const std::string CatalogHeader = "==========　いろいろな曲線　　==========";
const std::string BeautifulHeader = "==========　　美しい曲線　　　==========";
const std::string UserHeader = "==========　 あなたの曲線　 　==========";

// A valid record named `name` (UTF-8), as CP932 lines.
RecordLines Record(const std::string& name, int a = 5) {
    RecordLines lines = BuiltInRecord(1);
    lines[0] = Utf8ToCp932(name);
    lines[rlParamA - 1] = std::to_string(a);
    return lines;
}

std::string Join(const RecordLines& lines, const std::string& end = "\r\n") {
    std::string text;
    for (const auto& line : lines) text += line + end;
    return text;
}

void WriteFile(const fs::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
}

class Collections : public ::testing::Test {
protected:
    void SetUp() override {
        savedFolder = fs::current_path();
        char pattern[] = "/tmp/quorbel-collections-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        base = pattern;
        form = std::make_unique<TfrmMain>(platform, base.string());
    }
    void TearDown() override {
        fs::current_path(savedFolder);
        std::error_code ignored;
        fs::permissions(base, fs::perms::all, fs::perm_options::add, ignored);
        fs::remove_all(base, ignored);
    }

    fs::path Folder(const std::string& name) {
        fs::create_directories(base / name);
        return base / name;
    }
    std::string Path(const std::string& relative) { return (base / relative).string(); }
    void LoadFolder(int kind, const std::string& folder) {
        form->CollectionKind = kind;
        form->LoadCurveFolder(folder + "/");
    }

    ScriptedPlatform platform;
    fs::path savedFolder, base;
    std::unique_ptr<TfrmMain> form;
};

}  // namespace

TEST_F(Collections, MissingCatalogIsReportedWithItsPathAndLeavesTheListEmpty) {
    form->lstShiki.Add("stale");
    form->CollectionKind = 1;
    form->LoadCatalog("Curves20.crx");
    EXPECT_EQ(platform.messages, std::vector<std::string>{Path("Curves20.crx") + "がありません"});
    EXPECT_EQ(form->lstShiki.Count(), 0);
    EXPECT_TRUE(form->lstCurve.empty());
}

TEST_F(Collections, CatalogOf512LinesGivesTwentyCurvesBehindTheBuiltInOne) {
    RecordLines catalog;
    for (int i = 1; i <= 20; ++i) {
        RecordLines record = Record("曲線" + std::to_string(i), i);
        catalog.insert(catalog.end(), record.begin(), record.end());
    }
    for (int i = 0; i < 12; ++i) catalog.push_back("not a number");
    ASSERT_EQ(catalog.size(), 512u);
    WriteFile(base / "Curves20.crx", Join(catalog));

    form->CollectionKind = 1;
    form->LoadCatalog("Curves20.crx");
    EXPECT_TRUE(platform.messages.empty()) << "the remainder is never parsed";
    ASSERT_EQ(form->lstShiki.Count(), 21);
    EXPECT_EQ(form->lstShiki.Item(0), CatalogHeader);
    EXPECT_EQ(form->lstShiki.Item(1), "曲線1");
    EXPECT_EQ(form->lstShiki.Item(20), "曲線20");
    EXPECT_EQ(form->curveTable.Count, 21);
    EXPECT_EQ(Cp932ToUtf8(form->curveTable[0].Name), "バラ（ハイポトロコイド）");
    EXPECT_EQ(form->curveTable[20].ParamA, 20);
    EXPECT_EQ(form->lstCurve.size(), 25u + 512u) << "the built-in record stands in front";
    EXPECT_EQ(form->lstCurve[25], Utf8ToCp932("曲線1"));
}

TEST_F(Collections, CatalogBeyondFiftyRecordsIsCutWithOneMessage) {
    RecordLines catalog;
    for (int i = 1; i <= 55; ++i) {
        RecordLines record = Record("曲線" + std::to_string(i));
        catalog.insert(catalog.end(), record.begin(), record.end());
    }
    WriteFile(base / "Curves20.crx", Join(catalog, "\n"));
    form->CollectionKind = 1;
    form->LoadCatalog("Curves20.crx");
    EXPECT_EQ(platform.messages, std::vector<std::string>{"登録できる数は50です"});
    ASSERT_EQ(form->lstShiki.Count(), 50);
    EXPECT_EQ(form->lstShiki.Item(49), "曲線49");
    EXPECT_EQ(form->curveTable.Count, 50);
}

TEST_F(Collections, SixtyCurveFilesGiveTheLimitMessageAndFortyNineNamesInFileOrder) {
    fs::path folder = Folder("BtCurves");
    // Written in reverse so that the order comes from the sorting, not from the directory.
    for (int i = 60; i >= 1; --i) {
        char name[16];
        std::snprintf(name, sizeof name, "f%02d.crv", i);
        WriteFile(folder / name, Join(Record("名前" + std::to_string(i))));
    }
    LoadFolder(2, "BtCurves");
    EXPECT_EQ(platform.messages, std::vector<std::string>{"登録できる数は50です"});
    ASSERT_EQ(form->lstShiki.Count(), 50);
    EXPECT_EQ(form->lstShiki.Item(0), BeautifulHeader);
    EXPECT_EQ(form->lstShiki.Item(1), "名前1");
    EXPECT_EQ(form->lstShiki.Item(49), "名前49");
    EXPECT_EQ(Cp932ToUtf8(form->curveTable[0].Name), "ツボミ（エピトロコイド）");
    ASSERT_GE(form->flbCurve.size(), 50u);
    EXPECT_EQ(form->flbCurve[0], " ");
    EXPECT_EQ(form->flbCurve[49], "f49.crv");
}

TEST_F(Collections, FilesOfAnyOtherLineCountAreRejectedAndTheRestStillLoad) {
    fs::path folder = Folder("UsCurves");
    WriteFile(folder / "a.crv", Join(Record("first")));
    WriteFile(folder / "b.crv", Join(Record("extra line")) + "\r\n");  // 25 lines and an empty 26th
    WriteFile(folder / "c.crv", "");
    RecordLines short24 = Record("short");
    short24.pop_back();
    WriteFile(folder / "d.crv", Join(short24));
    // Lone CR, lone LF, no end on the last line, and junk behind a NUL: still 25 lines.
    RecordLines mixed = Record("mixed");
    std::string text;
    for (int i = 0; i < 25; ++i) text += mixed[i] + (i == 24 ? std::string("\0junk\r\nmore", 11) : i < 10 ? "\n" : "\r");
    WriteFile(folder / "e.crv", text);
    WriteFile(folder / "f.crv", Join(Record("last")));

    LoadFolder(3, "UsCurves");
    EXPECT_EQ(ProblemLines(platform.messages), (std::vector<std::string>{
                                     Path("UsCurves/b.crv") + "：フォーマットが違います",
                                     Path("UsCurves/c.crv") + "：フォーマットが違います",
                                     Path("UsCurves/d.crv") + "：フォーマットが違います"}));
    EXPECT_EQ(form->lstShiki.Items(), (std::vector<std::string>{UserHeader, "first", "mixed", "last"}));
    // Each entry keeps the name of its own file, also behind rejected ones.
    EXPECT_EQ(form->flbCurve, (std::vector<std::string>{" ", "a.crv", "e.crv", "f.crv"}));
    EXPECT_EQ(form->curveTable.Count, 4);
    EXPECT_EQ(Cp932ToUtf8(form->curveTable[0].Name), "クッション丸（正葉曲線１）");
}

TEST_F(Collections, OnlyVisibleRegularCrvFilesAreListedSortedWithoutRegardToCase) {
    fs::path folder = Folder("BtCurves");
    WriteFile(folder / "c.CRV", Join(Record("c")));
    WriteFile(folder / "B.crv", Join(Record("B")));
    WriteFile(folder / "a.crv", Join(Record("a")));
    WriteFile(folder / "A2.Crv", Join(Record("A2")));
    WriteFile(folder / ".hidden.crv", Join(Record("hidden")));
    WriteFile(folder / ".gitkeep", "");
    WriteFile(folder / "notes.txt", Join(Record("txt")));
    WriteFile(folder / "x.crv.bak", Join(Record("bak")));
    WriteFile(folder / "crv", Join(Record("bare")));
    fs::create_directory(folder / "sub.crv");
    fs::create_symlink(folder / "nowhere", folder / "dangling.crv");

    LoadFolder(2, "BtCurves");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(form->lstShiki.Items(), (std::vector<std::string>{BeautifulHeader, "a", "A2", "B", "c"}));
    EXPECT_EQ(form->flbCurve, (std::vector<std::string>{" ", "a.crv", "A2.Crv", "B.crv", "c.CRV"}));
}

TEST_F(Collections, UnreadableAndOversizedFilesAreReportedAndSkipped) {
    fs::path folder = Folder("BtCurves");
    WriteFile(folder / "a.crv", Join(Record("good")));
    // A file that opens but cannot be read, even for root: the process's own memory at address 0.
    fs::create_symlink("/proc/self/mem", folder / "b.crv");
    if (geteuid() != 0) {
        WriteFile(folder / "c.crv", Join(Record("locked")));
        fs::permissions(folder / "c.crv", fs::perms::none);
    }
    std::string binary(3 * 1024 * 1024, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 7919 % 251 + 1);
    WriteFile(folder / "d.crv", binary);
    WriteFile(folder / "e.crv", Join(Record("also good")));

    LoadFolder(2, "BtCurves");
    std::vector<std::string> expected{Path("BtCurves/b.crv") + "：読み込めません"};
    if (geteuid() != 0) expected.push_back(Path("BtCurves/c.crv") + "：読み込めません");
    expected.push_back(Path("BtCurves/d.crv") + "：フォーマットが違います");
    EXPECT_EQ(ProblemLines(platform.messages), expected);
    EXPECT_EQ(form->lstShiki.Items(), (std::vector<std::string>{BeautifulHeader, "good", "also good"}));
}

TEST_F(Collections, AFolderThatIsMissingOrNoFolderIsNamedAndLeavesNoCurve) {
    form->OpenCollection(3);
    EXPECT_EQ(platform.messages, std::vector<std::string>{Path("UsCurves/") + "がありません"});
    EXPECT_EQ(form->lstShiki.Count(), 0);
    EXPECT_TRUE(form->lstCurve.empty());
    EXPECT_TRUE(form->flbCurve.empty());
    EXPECT_EQ(form->CurrentCurve, -1) << "no curve is chosen";

    WriteFile(base / "UsCurves", Join(Record("a file")));
    fs::create_symlink("loop", base / "BtCurves");
    fs::create_symlink("BtCurves", base / "loop");
    form->OpenCollection(3);
    form->OpenCollection(2);
    EXPECT_EQ(platform.messages, (std::vector<std::string>{Path("UsCurves/") + "がありません",
                                                           Path("UsCurves/") + "：フォルダではありません",
                                                           Path("BtCurves/") + "：リンクが循環しています"}));
    EXPECT_EQ(form->lstShiki.Count(), 0);
    EXPECT_EQ(form->CurrentCurve, -1);
}

TEST_F(Collections, EmptyFolderGivesTheHeaderOnlyAndBecomesTheWorkingFolder) {
    Folder("UsCurves");
    WriteFile(base / "UsCurves" / ".gitkeep", "");
    LoadFolder(3, "UsCurves");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(form->lstShiki.Items(), std::vector<std::string>{UserHeader});
    EXPECT_EQ(fs::current_path(), fs::canonical(base / "UsCurves"));
    // Reading again from elsewhere lists the folder afresh.
    fs::current_path("/");
    WriteFile(base / "UsCurves" / "new.crv", Join(Record("new")));
    LoadFolder(3, "UsCurves");
    EXPECT_EQ(form->lstShiki.Items(), (std::vector<std::string>{UserHeader, "new"}));
}

TEST_F(Collections, NamesAreListedAsTheyStandIncludingDuplicatesAndStars) {
    fs::path folder = Folder("UsCurves");
    WriteFile(folder / "1.crv", Join(Record("同じ名前")));
    WriteFile(folder / "2.crv", Join(Record("同じ名前", 7)));
    RecordLines unnamed = Record("");
    unnamed[0] = "*";
    WriteFile(folder / "3.crv", Join(unnamed));
    LoadFolder(3, "UsCurves");
    EXPECT_EQ(form->lstShiki.Items(), (std::vector<std::string>{UserHeader, "同じ名前", "同じ名前", ""}));
    EXPECT_EQ(form->curveTable[2].ParamA, 7);
}

TEST_F(Collections, NumberErrorsInAFileAreShownAndTheFieldIsZero) {
    fs::path folder = Folder("UsCurves");
    RecordLines broken = Record("broken");
    broken[rlZoom - 1] = Utf8ToCp932("３");
    WriteFile(folder / "x.crv", Join(broken));
    LoadFolder(3, "UsCurves");
    EXPECT_EQ(ProblemLines(platform.messages), std::vector<std::string>{"UsCurves/x.crv の「拡大率」: ３"});
    EXPECT_EQ(form->curveTable[1].Zoom, 0);
    EXPECT_EQ(form->lstShiki.Count(), 2);
}

TEST_F(Collections, ShiftJisFileNamesAreShownInUtf8) {
    fs::path folder = Folder("UsCurves");
    const std::string name = Utf8ToCp932("バラ") + ".crv";
    WriteFile(folder / name, "");
    LoadFolder(3, "UsCurves");
    EXPECT_EQ(platform.messages, std::vector<std::string>{Path("UsCurves/") + "バラ.crv：フォーマットが違います"});
}

TEST_F(Collections, CatalogThatIsAFolderOrTooLargeIsReported) {
    fs::create_directory(base / "Curves20.crx");
    form->CollectionKind = 1;
    form->LoadCatalog("Curves20.crx");
    EXPECT_EQ(platform.messages, std::vector<std::string>{Path("Curves20.crx") + "：読み込めません"});
    EXPECT_EQ(form->lstShiki.Count(), 0);

    fs::remove(base / "Curves20.crx");
    WriteFile(base / "Curves20.crx", std::string(2 * 1024 * 1024, 'x'));
    form->LoadCatalog("Curves20.crx");
    EXPECT_EQ(platform.messages.back(), Path("Curves20.crx") + "：フォーマットが違います");
    EXPECT_EQ(form->lstShiki.Count(), 0);
}

TEST_F(Collections, OpeningChoosesTheRememberedLineOfEachCollection) {
    fs::path folder = Folder("UsCurves");
    WriteFile(folder / "a.crv", "");  // rejected: the entries behind it keep their own file names
    WriteFile(folder / "b.crv", Join(Record("first")));
    WriteFile(folder / "c.crv", Join(Record("second")));
    WriteFile(base / "Curves20.crx", Join(Record("catalog")));

    form->OpenCollection(3);
    EXPECT_TRUE(form->spdUserOpen.Down());
    EXPECT_FALSE(form->spdOpenFile.Down() || form->spdKihonOpen.Down());
    EXPECT_EQ(form->CurrentCurve, 0);
    EXPECT_TRUE(form->lstShiki.Selected(0));

    form->lstShiki.UserClick(2);
    EXPECT_EQ(form->CurrentFileName, "c.crv");
    form->OpenCollection(1);
    EXPECT_TRUE(form->spdOpenFile.Down() && !form->spdUserOpen.Down());
    EXPECT_EQ(form->lstShiki.ItemIndex(), 0);
    EXPECT_EQ(form->CurrentFileName, "Curves20.crx");

    form->OpenCollection(3);
    EXPECT_EQ(form->lstShiki.ItemIndex(), 2);
    EXPECT_EQ(form->CurrentCurve, 2);
    EXPECT_TRUE(form->lstShiki.Selected(2));
    EXPECT_FALSE(form->lstShiki.Selected(0));
    EXPECT_EQ(form->CurrentFileName, "c.crv");

    // The remembered line is gone once its file is: the header line is chosen instead.
    fs::remove(folder / "c.crv");
    form->OpenCollection(3);
    EXPECT_EQ(form->lstShiki.ItemIndex(), 0);
    EXPECT_EQ(form->CurrentFileName, " ");
    EXPECT_EQ(platform.messages, std::vector<std::string>(3, Path("UsCurves/a.crv") + "：フォーマットが違います"));
}

TEST_F(Collections, OpeningAMissingCatalogChoosesNothing) {
    Folder("UsCurves");
    form->OpenCollection(3);  // an empty folder lists and chooses the built-in curve
    EXPECT_EQ(form->CurrentCurve, 0);
    form->OpenCollection(1);
    EXPECT_EQ(form->lstShiki.Count(), 0);
    EXPECT_EQ(form->CurrentCurve, 0) << "the panel keeps what it showed";
    EXPECT_EQ(platform.messages.back(), Path("Curves20.crx") + "がありません");
}

TEST_F(Collections, TheProblemsOfOneReadingAreOneBoxOfTwentyWithTheRestCounted) {
    // A catalog of 30 records with two bad number lines each: 60 problems.
    RecordLines catalog;
    for (int i = 1; i <= 30; ++i) {
        RecordLines record = Record("曲線" + std::to_string(i));
        record[rlParamA - 1] = "x";
        record[rlParamB - 1] = "2147483648";
        catalog.insert(catalog.end(), record.begin(), record.end());
    }
    WriteFile(base / "Curves20.crx", Join(catalog));
    form->CollectionKind = 1;
    form->LoadCatalog("Curves20.crx");
    std::vector<std::string> lines = ProblemLines(platform.messages);
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[0], "Curves20.crx の 6 行目「パラメータａ」: x");
    EXPECT_EQ(lines[19], "Curves20.crx の 232 行目「パラメータｂ」: 2147483648") << "record 10's line 7";
    EXPECT_EQ(lines[20], "ほか 40 件");
    EXPECT_EQ(form->lstShiki.Count(), 31);
    EXPECT_EQ(form->curveTable[30].ParamA, 0);
    EXPECT_EQ(form->curveTable[30].ParamB, 0);

    // A folder of 25 files that are not curve files.
    platform.messages.clear();
    fs::path folder = Folder("UsCurves");
    for (int i = 10; i < 35; ++i) WriteFile(folder / (std::to_string(i) + ".crv"), "");
    LoadFolder(3, "UsCurves");
    lines = ProblemLines(platform.messages);
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[0], Path("UsCurves/10.crv") + "：フォーマットが違います");
    EXPECT_EQ(lines[20], "ほか 5 件");
}

TEST_F(Collections, ANulByteInTheCatalogIsReportedWithItsLine) {
    RecordLines catalog = Record("前");
    RecordLines second = Record("後");
    second[4] += std::string(1, '\0') + "rest";
    catalog.insert(catalog.end(), second.begin(), second.end());
    WriteFile(base / "Curves20.crx", Join(catalog));
    form->CollectionKind = 1;
    form->LoadCatalog("Curves20.crx");
    EXPECT_EQ(platform.messages,
              std::vector<std::string>{Path("Curves20.crx") + "：30 行目に 0x00 のバイトがあるため、そこから後ろは読みませんでした"});
    EXPECT_EQ(form->lstShiki.Items(), (std::vector<std::string>{CatalogHeader, "前"})) << "the values read are as before";
}
