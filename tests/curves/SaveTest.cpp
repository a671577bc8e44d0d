#include <gtest/gtest.h>

#include <filesystem>

#include "app/Main.h"
#include "curves/Codec.h"
#include "curves/CurveFile.h"
#include "curves/SavingFolder.h"
#include "ui/ScriptedPlatform.h"

namespace {
RecordLines Record(const std::string& name) {
    RecordLines lines(RecordLineCount, "*");
    lines[0] = name;
    lines[1] = "2";
    lines[5] = "20";
    return lines;
}

// A main window on a fresh working folder with an empty "UsCurves", holding a curve on the panel
// without any collection code: the working record, the collection's lines and the shown notes.
struct SaveCommands : ::testing::Test {
    SavingFolder base;
    ScriptedPlatform platform;
    std::unique_ptr<TfrmMain> main;
    std::string users;

    void SetUp() override {
        users = base / "UsCurves";
        std::filesystem::create_directory(users);
        main = std::make_unique<TfrmMain>(platform, base.path);
        main->frmEdit.SetRecord(Record("rose"));
        main->lstCurve = Record("rose");
        main->lstComment.SetItems({"一つめ", "", "", "", ""});
    }
    void Nickname(const std::string& name) {
        platform.QueueModal("frmNickName", [name](TForm& form) {
            auto& dialog = static_cast<TfrmNickName&>(form);
            dialog.edtName.UserTypeText(name);
            dialog.btnOk.Click();
        });
    }
};
}  // namespace

TEST_F(SaveCommands, FixCurveFileNameAddsTheExtensionAndRefusesNamesTheListCannotShow) {
    EXPECT_EQ(main->FixCurveFileName("abc"), "abc.crv");
    EXPECT_EQ(main->FixCurveFileName("/x/my.folder/abc"), "/x/my.folder/abc.crv");
    EXPECT_EQ(main->FixCurveFileName("/x/abc.Crv"), "/x/abc.Crv");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(main->FixCurveFileName(""), "Sample.crv");
    for (const char* unlisted : {"a.b", "/x/note.TXT", "/x/.hidden.crv", "/x/", "/x/a\x1B.crv"}) {
        EXPECT_EQ(main->FixCurveFileName(unlisted), std::nullopt) << unlisted;
    }
    const std::string notSaved = "（ほかの拡張子の曲線は一覧に出ないため、保存しませんでした）";
    EXPECT_EQ(platform.messages, (std::vector<std::string>{"ファイル名をSample.crvにしました",
                                                           "b拡張子はＣＲＶを使ってください" + notSaved,
                                                           "txt拡張子はＣＲＶを使ってください" + notSaved,
                                                           "「.」で始まる名前は一覧に出ないため、.hidden.crv には保存しませんでした",
                                                           "「.」で始まる名前は一覧に出ないため、.crv には保存しませんでした",
                                                           "名前に制御文字があるため、a\x1B.crv には保存しませんでした"}));

    // Refused in the save dialog's flow: nothing is written and the name stays.
    platform.saveAnswers.push_back(users + "/note.txt");
    main->CurrentFileName = "before.crv";
    main->WriteCurveFile();
    EXPECT_TRUE(base.Names("UsCurves").empty());
    EXPECT_EQ(main->CurrentFileName, "before.crv");
}

TEST_F(SaveCommands, ANewFileThatTheFullListCannotShowIsSaidAndAsked) {
    for (int i = 1; i <= 49; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "c%02d.crv", i);
        WriteAll(users + "/" + name, CurveFileText(Record("c")));
    }
    // A file the list rejects takes no place in it: with it beside 48 curves there is room.
    WriteAll(users + "/c49.crv", "24 lines\n");
    platform.saveAnswers.push_back(users + "/b.crv");
    main->WriteCurveFile();
    EXPECT_EQ(ReadAll(users + "/b.crv"), CurveFileText(Record("rose")));
    ASSERT_TRUE(std::filesystem::remove(users + "/b.crv"));
    WriteAll(users + "/c49.crv", CurveFileText(Record("c")));

    const std::string full = users + "には一覧に出せるだけの 49 個の曲線があります。";
    platform.saveAnswers.push_back(users + "/zz.crv");
    platform.confirmAnswers.push_back(YesNoCancel::No);
    main->WriteCurveFile();
    EXPECT_EQ(platform.log.back(), "confirm: 確認: " + full + "この曲線は保存しても一覧に出ません。保存しますか");
    EXPECT_EQ(base.Names("UsCurves").size(), 49u) << "No writes nothing";

    platform.saveAnswers.push_back(users + "/a.crv");
    platform.confirmAnswers.push_back(YesNoCancel::Yes);
    main->WriteCurveFile();
    EXPECT_EQ(platform.log.back(), "confirm: 確認: " + full + "保存すると c49.crv が一覧に出なくなります。保存しますか");
    EXPECT_EQ(ReadAll(users + "/a.crv"), CurveFileText(Record("rose")));

    // Overwriting a listed file adds nothing to the list: no question beyond the overwrite one.
    platform.saveAnswers.push_back(users + "/c01.crv");
    platform.confirmAnswers.push_back(YesNoCancel::Yes);
    main->WriteCurveFile();
    EXPECT_EQ(platform.log.back(), "confirm: 確認: " + users + "/c01.crv上書きしてもいいですか");
}

TEST_F(SaveCommands, TheSaveDialogOpensOnUsCurvesProposingMyCurveOnlyForCatalogCurves) {
    main->CollectionKind = 3;
    main->CurrentFileName = "mine.crv";
    main->WriteCurveFile();  // cancelled: nothing written, the name stays
    main->CollectionKind = 1;
    main->CurrentFileName = "Curves20.crx";
    main->WriteCurveFile();
    ASSERT_EQ(platform.saveRequests.size(), 2u);
    EXPECT_EQ(platform.saveRequests[0].initialFolder, users + "/");
    EXPECT_EQ(platform.saveRequests[0].filter, "CRVファイル|*.CRV");
    EXPECT_EQ(platform.saveRequests[0].fileName, "mine.crv");
    EXPECT_EQ(platform.saveRequests[1].fileName, "MyCurve.crv");
    EXPECT_EQ(main->CurrentFileName, "Curves20.crx");
    EXPECT_TRUE(base.Names("UsCurves").empty());
}

TEST_F(SaveCommands, NoToTheOverwriteQuestionWritesNothingButTakesTheName) {
    WriteAll(users + "/old.crv", "old\r\n");
    for (YesNoCancel answer : {YesNoCancel::No, YesNoCancel::Cancel}) {
        platform.saveAnswers.push_back(users + "/old");
        platform.confirmAnswers.push_back(answer);
        main->CurrentFileName = "before.crv";
        main->WriteCurveFile();
        EXPECT_EQ(ReadAll(users + "/old.crv"), "old\r\n");
        EXPECT_EQ(main->CurrentFileName, users + "/old.crv");
    }
    EXPECT_EQ(platform.log.back(), "confirm: 確認: " + users + "/old.crv上書きしてもいいですか");

    platform.saveAnswers.push_back(users + "/old.crv");
    platform.confirmAnswers.push_back(YesNoCancel::Yes);
    main->WriteCurveFile();
    EXPECT_EQ(ReadAll(users + "/old.crv"), CurveFileText(Record("rose")));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(SaveCommands, AFileThatCannotBeCreatedIsReportedAndKeepsTheCurrentName) {
    const std::string path = base / "missing/new.crv";
    platform.saveAnswers.push_back(path);
    main->CurrentFileName = "before.crv";
    main->WriteCurveFile();
    EXPECT_EQ(platform.messages, std::vector<std::string>{"ﾌｧｲﾙ " + path + " を作成できません（フォルダがありません）"});
    EXPECT_EQ(main->CurrentFileName, "before.crv");
}

TEST_F(SaveCommands, AnEmptyNameSavesSampleInTheProcessWorkingFolder) {
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(users);
    platform.saveAnswers.push_back("");
    main->WriteCurveFile();
    std::filesystem::current_path(previous);
    EXPECT_EQ(ReadAll(users + "/Sample.crv"), CurveFileText(Record("rose")));
    EXPECT_EQ(main->CurrentFileName, "Sample.crv");
}

TEST_F(SaveCommands, SaveAsWritesTheNicknameWithStarNotesAndRestoresTheShownNotes) {
    main->frmEdit.SetRecordLine(rlNote1 + 1, "\x83\x6D");  // a stored note the panel does not show
    Nickname("マイ曲線");
    platform.saveAnswers.push_back(users + "/mine.crv");
    EXPECT_TRUE(main->SaveAs());

    RecordLines expected = Record("\x83\x7D\x83\x43\x8B\xC8\x90\xFC");  // マイ曲線 in CP932
    EXPECT_EQ(ReadAll(users + "/mine.crv"), CurveFileText(expected)) << "line 1 the nickname, notes \"*\"";
    RecordLines record = main->frmEdit.Record();
    EXPECT_EQ(record[0], Utf8ToCp932("マイ曲線"));
    EXPECT_EQ(RecordLines(record.begin() + 20, record.end()),
              (RecordLines{Utf8ToCp932("一つめ"), "", "", "", ""}));
}

TEST_F(SaveCommands, SaveAsStopsWithoutDataOrWhenTheNameIsNotConfirmed) {
    main->frmEdit.SetRecordLine(rlName, "*");
    platform.QueueModal("frmNickName", [](TForm& form) {
        auto& dialog = static_cast<TfrmNickName&>(form);
        EXPECT_EQ(dialog.edtName.Text(), "*") << "a \"*\" name shows as it stands";
        dialog.edtName.UserTypeText("other");
        dialog.btnCancel.Click();
    });
    EXPECT_FALSE(main->SaveAs());
    EXPECT_EQ(main->frmEdit.Record(), [] { auto r = Record("rose"); r[0] = "*"; return r; }());
    EXPECT_TRUE(platform.saveRequests.empty());

    main->lstCurve.clear();
    EXPECT_FALSE(main->SaveAs());
    EXPECT_EQ(platform.messages, std::vector<std::string>{"保存するﾃﾞｰﾀがありません"});
    EXPECT_EQ(platform.modalsShown.size(), 1u);
}

TEST_F(SaveCommands, SavingInPlaceNeverEmptiesAFileBeforeAnyCurveWasChosen) {
    WriteAll(users + "/Sample.crv", "kept\r\n");
    main->frmEdit.ClearRecord();
    main->spdOverWriteClick();
    EXPECT_EQ(ReadAll(users + "/Sample.crv"), "kept\r\n");
    EXPECT_EQ(platform.messages, std::vector<std::string>{"保存するﾃﾞｰﾀがありません"});
}

TEST_F(SaveCommands, NothingIsSavedWhileAPlotIsYielding) {
    WriteAll(users + "/Sample.crv", "kept\r\n");
    main->plotDepth = 1;
    main->spdOverWriteClick();
    main->mnuSaveClick();
    EXPECT_EQ(ReadAll(users + "/Sample.crv"), "kept\r\n");
    EXPECT_TRUE(platform.log.empty());
}
