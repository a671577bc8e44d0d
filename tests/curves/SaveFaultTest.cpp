// Saving under injected faults: each file system step of a save fails in turn behind the saving
// commands, and a long run of saves is cut short by simulated crashes at random points. The old
// file must survive every failure byte for byte, and no crash may lose or tear any curve file.
#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <random>

#include "app/Main.h"
#include "curves/CurveFile.h"
#include "curves/SavingFolder.h"
#include "ui/ScriptedPlatform.h"

namespace {

enum class Fault { None, Create, Write, PartialWrite, Flush, Close, Rename, CrashInWrite, CrashBeforeFlush,
                   CrashBeforeRename, CrashAfterRename, FlushFolder };

const char* FaultName(Fault fault) {
    static const char* const Names[] = {"none", "create", "write", "partial write", "flush", "close", "rename",
                                        "crash in write", "crash before flush", "crash before rename",
                                        "crash after rename", "folder flush"};
    return Names[static_cast<int>(fault)];
}

// The real file system with one step failing (errno set, as the system would) or the process
// "dying" there, which a test sees as the exception Crash. Flushing can be made free, so that a
// thousand saves do not wait for the disk.
struct FaultySteps : FileSteps {
    struct Crash {};
    Fault fault = Fault::None;
    bool realFlush = true;

    int CreateNew(const std::string& path, unsigned mode) override {
        if (fault == Fault::Create) return errno = ENOSPC, -1;
        return FileSteps::CreateNew(path, mode);
    }
    bool WriteAll(int fd, const char* data, std::size_t size) override {
        if (fault == Fault::Write) return errno = EIO, false;
        if (fault == Fault::PartialWrite || fault == Fault::CrashInWrite) {
            FileSteps::WriteAll(fd, data, size / 2);
            if (fault == Fault::CrashInWrite) throw Crash{};
            return errno = ENOSPC, false;
        }
        return FileSteps::WriteAll(fd, data, size);
    }
    bool Flush(int fd) override {
        if (fault == Fault::CrashBeforeFlush) throw Crash{};
        if (fault == Fault::Flush) return errno = EIO, false;
        return realFlush ? FileSteps::Flush(fd) : true;
    }
    bool Close(int fd) override { return FileSteps::Close(fd) && (fault != Fault::Close || (errno = EIO, false)); }
    bool Rename(const std::string& from, const std::string& to) override {
        if (fault == Fault::CrashBeforeRename) throw Crash{};
        if (fault == Fault::Rename) return errno = EXDEV, false;
        bool renamed = FileSteps::Rename(from, to);
        if (fault == Fault::CrashAfterRename) throw Crash{};
        return renamed;
    }
    bool FlushFolder(const std::string& folder) override {
        if (fault == Fault::FlushFolder) return errno = EIO, false;
        return realFlush ? FileSteps::FlushFolder(folder) : true;
    }
};

// A whole rose record (kind 2, a short θ range, no repeat) named `name` with `note` as its first note.
RecordLines Rose(const std::string& name, const std::string& note = "*") {
    RecordLines lines = {name, "2", "", " ", "", "5", "3", "6", "0", "2", "1", "1", "4", "a", "0", "4", "2",
                         "$000000FF", "$00FFFFFF", "1", note, "*", "*", "*", "*"};
    return lines;
}

class SaveFaults : public ::testing::Test {
protected:
    void SetUp() override {
        startFolder = std::filesystem::current_path();
        users = base / "UsCurves";
        std::filesystem::create_directory(users);
        WriteAll(users + "/mine.crv", OldBytes);
        WriteAll(users + "/other.crv", CurveFileText(Rose("other")));
        form = std::make_unique<TfrmMain>(platform, base.path + "/");
        form->OpenCollection(3);
        form->lstShiki.SetItemIndex(1);  // "mine"
        form->lstShikiClick();
        form->updA.SetValue(7);          // the working record now differs from the file
        ASSERT_EQ(form->CurrentFileName, "mine.crv");
        ASSERT_TRUE(platform.messages.empty());
    }
    void TearDown() override { std::filesystem::current_path(startFolder); }

    const std::string OldBytes = CurveFileText(Rose("mine", "old"));
    SavingFolder base;
    std::string users;
    ScriptedPlatform platform;
    std::unique_ptr<TfrmMain> form;
    std::filesystem::path startFolder;
};

}  // namespace

TEST_F(SaveFaults, AFailureAtAnyStepOfEitherSaveKeepsTheOldFileAndSaysWhy) {
    const std::string path = users + "/mine.crv";
    const auto names = base.Names("UsCurves");
    const std::pair<Fault, const char*> faults[] = {
        {Fault::Create, "ディスクがいっぱいです"}, {Fault::Write, "ディスクの読み書きに失敗しました"},
        {Fault::PartialWrite, "ディスクがいっぱいです"}, {Fault::Flush, "ディスクの読み書きに失敗しました"},
        {Fault::Close, "ディスクの読み書きに失敗しました"}, {Fault::Rename, "別のディスクへは置き換えられません"}};
    for (const auto& [fault, cause] : faults) {
        SCOPED_TRACE(FaultName(fault));
        const std::string message = "ﾌｧｲﾙ " + path + " を作成できません（" + cause + "）";
        FaultySteps steps;
        steps.fault = fault;
        form->curveFileSteps = &steps;
        form->updA.SetValue(7);  // the save under a new name below reopens the collection

        // Saving in place.
        platform.messages.clear();
        form->spdOverWriteClick();
        EXPECT_EQ(platform.messages, std::vector<std::string>{message});
        EXPECT_EQ(ReadAll(path), OldBytes);
        EXPECT_EQ(base.Names("UsCurves"), names) << "no temporary file is left";
        EXPECT_EQ(form->CurrentFileName, "mine.crv");

        // Saving under a new name, onto the same file, with Yes to the overwrite question.
        platform.messages.clear();
        platform.QueueModal("frmNickName", [](TForm& f) { static_cast<TfrmNickName&>(f).btnOk.Click(); });
        platform.saveAnswers.push_back(path);
        platform.confirmAnswers.push_back(YesNoCancel::Yes);
        form->mnuSaveClick();
        EXPECT_EQ(platform.messages, std::vector<std::string>{message});
        EXPECT_EQ(ReadAll(path), OldBytes);
        EXPECT_EQ(base.Names("UsCurves"), names);
        EXPECT_EQ(form->CurrentFileName, "mine.crv") << "a failed save does not take the name";
    }

    EXPECT_EQ(form->FailedSaves, 12);

    // Once the file system works again the same command saves.
    FaultySteps working;
    form->curveFileSteps = &working;
    form->updA.SetValue(7);
    platform.messages.clear();
    form->spdOverWriteClick();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_NE(ReadAll(path), OldBytes);
    EXPECT_EQ(SplitLines(ReadAll(path))[rlParamA - 1], "7");
}

TEST_F(SaveFaults, AThousandSavesCutShortByCrashesLoseNoFile) {
    form.reset();  // only the writer and the loader take part from here
    constexpr int FileCount = 20;
    std::map<std::string, std::string> expected;  // what each file must hold
    for (int i = 0; i < FileCount; ++i) {
        const std::string name = "f" + std::to_string(i) + ".crv";
        expected[name] = CurveFileText(Rose(name, "v0"));
        WriteAll(users + "/" + name, expected[name]);
    }
    expected["mine.crv"] = OldBytes;
    expected["other.crv"] = ReadAll(users + "/other.crv");

    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> pickFile(0, FileCount - 1);
    const Fault faults[] = {Fault::None, Fault::None, Fault::None, Fault::CrashInWrite, Fault::CrashBeforeFlush,
                            Fault::CrashBeforeRename, Fault::CrashAfterRename, Fault::Write, Fault::Rename};
    std::uniform_int_distribution<int> pickFault(0, std::size(faults) - 1);
    int crashes = 0, saved = 0, failed = 0;
    for (int cycle = 1; cycle <= 1000; ++cycle) {
        const std::string name = "f" + std::to_string(pickFile(random)) + ".crv";
        const std::string path = users + "/" + name;
        const RecordLines next = Rose(name, "v" + std::to_string(cycle));
        FaultySteps steps;
        steps.fault = faults[pickFault(random)];
        steps.realFlush = false;
        bool crashed = false, ok = false;
        try {
            ok = static_cast<bool>(WriteCurveLines(path, next, steps));
        } catch (const FaultySteps::Crash&) {
            crashed = true;
        }
        // After a crash the file holds the old or the new record, whole; without one the result says which.
        const std::string now = ReadAll(path);
        if (crashed) {
            ++crashes;
            const bool renamed = steps.fault == Fault::CrashAfterRename;
            ASSERT_EQ(now, renamed ? CurveFileText(next) : expected[name]) << "cycle " << cycle << ", " << FaultName(steps.fault);
        } else {
            ASSERT_EQ(ok, steps.fault == Fault::None) << "cycle " << cycle;
            ASSERT_EQ(now, ok ? CurveFileText(next) : expected[name]) << "cycle " << cycle;
            ok ? ++saved : ++failed;
        }
        expected[name] = now;

        if (cycle % 250 == 0) {
            // Every file is still there with its bytes, and the leftovers of crashes are never listed.
            for (const auto& [file, bytes] : expected) ASSERT_EQ(ReadAll(users + "/" + file), bytes) << file;
            ScriptedPlatform loaderPlatform;
            TfrmMain loader(loaderPlatform, base.path + "/");
            loader.CollectionKind = 3;
            loader.LoadCurveFolder("UsCurves");
            EXPECT_TRUE(loaderPlatform.messages.empty()) << "cycle " << cycle;
            EXPECT_EQ(loader.lstShiki.Count(), 1 + FileCount + 2) << "cycle " << cycle;
            std::filesystem::current_path(startFolder);
        }
    }
    RecordProperty("crashes", crashes);
    RecordProperty("saved", saved);
    RecordProperty("failed", failed);
    EXPECT_GT(crashes, 300);
    EXPECT_GT(saved, 250);
    EXPECT_GT(failed, 100);
    for (const std::string& name : base.Names("UsCurves")) {
        if (!expected.count(name)) {
            EXPECT_EQ(name[0], '.') << "a leftover that a loader would list: " << name;
        }
    }
}

TEST_F(SaveFaults, AFailedFlushOfTheFolderIsSaidAsSuchAndTheFileIsTheNewOne) {
    const std::string path = users + "/mine.crv";
    FaultySteps steps;
    steps.fault = Fault::FlushFolder;
    form->curveFileSteps = &steps;
    form->spdOverWriteClick();
    EXPECT_EQ(platform.messages, std::vector<std::string>{"ﾌｧｲﾙ " + path +
                                                          " は書き込みましたが、ディスクに残ったことを確かめられませんでした"
                                                          "（ディスクの読み書きに失敗しました）"});
    EXPECT_EQ(SplitLines(ReadAll(path))[rlParamA - 1], "7");
    EXPECT_EQ(form->FailedSaves, 0);
}
