#include <gtest/gtest.h>

#include <cerrno>

#include "curves/CurveFile.h"
#include "curves/SavingFolder.h"

namespace {
// A record with CP932 bytes (0x5C as a trail byte included) and empty last notes.
RecordLines SampleRecord(const std::string& name) {
    RecordLines lines(RecordLineCount, "*");
    lines[0] = name;
    lines[1] = "3";
    lines[2] = "";
    lines[3] = "x=(a-b)cos\x83\xC6+ccos [a-b]/b \x83\xC6";
    lines[20] = "\x95\x5C\x8E\xA6";  // 表示: its second byte is a backslash
    lines[23] = "";
    lines[24] = "";
    return lines;
}

const std::string OldBytes = std::string("old\r\n") + "\x83\x6F\x83\x89\r\n";

// Real file system steps, one of which fails (or "crashes" the process) when its turn comes.
enum class Step { None, Create, Write, PartialWrite, Flush, Close, Rename, FlushFolder, CrashBeforeRename };

struct FaultySteps : FileSteps {
    explicit FaultySteps(Step step) : failing(step) {}
    struct Crash {};
    Step failing;
    std::vector<std::string> created;

    int CreateNew(const std::string& path, unsigned mode) override {
        if (failing == Step::Create) return errno = EACCES, -1;
        int fd = FileSteps::CreateNew(path, mode);
        if (fd >= 0) created.push_back(path);
        return fd;
    }
    bool WriteAll(int fd, const char* data, std::size_t size) override {
        if (failing == Step::Write) return errno = EIO, false;
        if (failing == Step::PartialWrite) {  // the disk fills up half way
            FileSteps::WriteAll(fd, data, size / 2);
            return errno = ENOSPC, false;
        }
        return FileSteps::WriteAll(fd, data, size);
    }
    bool Flush(int fd) override { return failing == Step::Flush ? (errno = EIO, false) : FileSteps::Flush(fd); }
    bool Close(int fd) override { return FileSteps::Close(fd) && failing != Step::Close; }
    bool Rename(const std::string& from, const std::string& to) override {
        if (failing == Step::CrashBeforeRename) throw Crash{};
        return failing == Step::Rename ? (errno = EXDEV, false) : FileSteps::Rename(from, to);
    }
    bool FlushFolder(const std::string& folder) override {
        return failing == Step::FlushFolder ? (errno = EIO, false) : FileSteps::FlushFolder(folder);
    }
};
}  // namespace

TEST(CurveFile, WritesEveryLineWithCrLfExactlyAsHeld) {
    SavingFolder folder;
    const RecordLines record = SampleRecord("\x83\x6F\x83\x89");
    ASSERT_TRUE(WriteCurveLines(folder / "rose.crv", record));
    std::string expected;
    for (const std::string& line : record) expected += line + "\r\n";
    EXPECT_EQ(ReadAll(folder / "rose.crv"), expected);
    EXPECT_EQ(expected.substr(expected.size() - 6), "\r\n\r\n\r\n") << "the empty last notes keep their line ends";
    EXPECT_EQ(folder.Names(), std::set<std::string>{"rose.crv"}) << "no temporary file is left";
}

TEST(CurveFile, ReplacesTheOldFileKeepingItsPermissionsAndLinks) {
    SavingFolder folder;
    WriteAll(folder / "real.crv", OldBytes);
    ::chmod((folder / "real.crv").c_str(), 0640);
    std::filesystem::create_symlink("real.crv", folder / "link.crv");

    ASSERT_TRUE(WriteCurveLines(folder / "link.crv", SampleRecord("new")));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.crv"));
    EXPECT_EQ(ReadAll(folder / "real.crv"), CurveFileText(SampleRecord("new")));
    struct stat info {};
    ::stat((folder / "real.crv").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"link.crv", "real.crv"}));
}

TEST(CurveFile, AFailureAtAnyStepKeepsTheOldFileAndLeavesNoTemporaryFile) {
    for (auto step : {Step::Create, Step::Write, Step::PartialWrite, Step::Flush,
                      Step::Close, Step::Rename}) {
        SCOPED_TRACE(static_cast<int>(step));
        SavingFolder folder;
        WriteAll(folder / "mine.crv", OldBytes);
        FaultySteps steps(step);
        EXPECT_FALSE(WriteCurveLines(folder / "mine.crv", SampleRecord("new"), steps));
        EXPECT_EQ(ReadAll(folder / "mine.crv"), OldBytes);
        EXPECT_EQ(folder.Names(), std::set<std::string>{"mine.crv"});
    }
}

TEST(CurveFile, AFailedFolderFlushIsReportedThoughTheNewContentIsInPlace) {
    SavingFolder folder;
    WriteAll(folder / "mine.crv", OldBytes);
    FaultySteps steps(Step::FlushFolder);
    EXPECT_FALSE(WriteCurveLines(folder / "mine.crv", SampleRecord("new"), steps));
    EXPECT_EQ(ReadAll(folder / "mine.crv"), CurveFileText(SampleRecord("new")));
}

TEST(CurveFile, ACrashBeforeTheRenameLeavesTheOldFileAndAHiddenLeftover) {
    SavingFolder folder;
    const std::string oldRecord = CurveFileText(SampleRecord("old"));
    WriteAll(folder / "mine.crv", oldRecord);
    FaultySteps crashing(Step::CrashBeforeRename);
    EXPECT_THROW((void)WriteCurveLines(folder / "mine.crv", SampleRecord("new"), crashing), FaultySteps::Crash);

    EXPECT_EQ(ReadAll(folder / "mine.crv"), oldRecord);
    ASSERT_EQ(crashing.created.size(), 1u);
    std::string leftover = std::filesystem::path(crashing.created[0]).filename().string();
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"mine.crv", leftover}));
    EXPECT_EQ(leftover[0], '.');
    EXPECT_NE(leftover.substr(leftover.size() - 4), ".crv");

    // The next save takes another temporary name and leaves the fresh leftover alone.
    FaultySteps working(Step::None);
    ASSERT_TRUE(WriteCurveLines(folder / "mine.crv", SampleRecord("newer"), working));
    EXPECT_EQ(ReadAll(folder / "mine.crv"), CurveFileText(SampleRecord("newer")));
    EXPECT_EQ(ReadAll(folder / leftover), CurveFileText(SampleRecord("new")));
}

TEST(CurveFile, NothingIsReplacedInAReadOnlyFolderOrOverAReadOnlyFileOrAFolder) {
    SavingFolder folder;
    std::filesystem::create_directory(folder / "locked");
    WriteAll(folder / "locked/mine.crv", OldBytes);
    ::chmod((folder / "locked").c_str(), 0555);
    WriteAll(folder / "kept.crv", OldBytes);
    ::chmod((folder / "kept.crv").c_str(), 0444);
    ::chmod(folder.path.c_str(), 0777);  // the folder itself stays writable for everyone

    auto locked = RunUnprivileged([&] { return static_cast<bool>(WriteCurveLines(folder / "locked/mine.crv", SampleRecord("new"))); });
    ASSERT_TRUE(locked.has_value()) << "the unprivileged child could not run";
    EXPECT_FALSE(*locked);
    EXPECT_EQ(ReadAll(folder / "locked/mine.crv"), OldBytes);
    EXPECT_EQ(folder.Names("locked"), std::set<std::string>{"mine.crv"});

    auto readOnly = RunUnprivileged([&] { return static_cast<bool>(WriteCurveLines(folder / "kept.crv", SampleRecord("new"))); });
    ASSERT_TRUE(readOnly.has_value());
    EXPECT_FALSE(*readOnly);
    EXPECT_EQ(ReadAll(folder / "kept.crv"), OldBytes);

    std::filesystem::create_directory(folder / "dir.crv");
    EXPECT_FALSE(WriteCurveLines(folder / "dir.crv", SampleRecord("new")));
    EXPECT_FALSE(WriteCurveLines(folder / "missing/mine.crv", SampleRecord("new")));
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"dir.crv", "kept.crv", "locked"}));
}

TEST(CurveFile, AWrittenRecordAlwaysSplitsIntoItsTwentyFiveLinesAgain) {
    SavingFolder folder;
    RecordLines record = SampleRecord("abc\r\ndef");
    record[20] = std::string("n\ro\nt\te\x01\x1F\x7F", 10) + '\0' + "s";
    ASSERT_TRUE(WriteCurveLines(folder / "pasted.crv", record));
    const RecordLines back = SplitLines(ReadAll(folder / "pasted.crv"));
    ASSERT_EQ(back.size(), 25u);
    EXPECT_EQ(back[0], "abcdef");
    EXPECT_EQ(back[20], "notes");
    EXPECT_EQ(back[3], record[3]) << "two-byte characters stay whole";

    RecordLines longer = SampleRecord("x");
    longer.push_back("one line too many");
    EXPECT_FALSE(WriteCurveLines(folder / "longer.crv", longer));
    EXPECT_FALSE(WriteCurveLines(folder / "shorter.crv", RecordLines(24, "*")));
    EXPECT_EQ(folder.Names(), std::set<std::string>{"pasted.crv"});
}

TEST(CurveFile, ANameOfTheFullLengthSavesAndOnlyStaleLeftoversOfSavesGo) {
    SavingFolder folder;
    const auto hourAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    const std::string stale = ".quorbel-4242-0badc0de.tmp";
    const std::string writing = ".quorbel-4243-00c0ffee.tmp";  // another save, still running
    const std::set<std::string> users = {".quorbel-notes.tmp", "4242-0badc0de.tmp", ".quorbel-4242-0badc0de.tmp.crv",
                                         ".quorbel-42x-0badc0de.tmp", "old.tmp"};
    for (const std::string& name : users) WriteAll(folder / name, "mine");
    WriteAll(folder / stale, "left by a crash");
    WriteAll(folder / writing, "half");
    for (const std::string& name : users) std::filesystem::last_write_time(folder / name, hourAgo);
    std::filesystem::last_write_time(folder / stale, hourAgo);

    const std::string longest = std::string(255 - 4, 'n') + ".crv";
    ASSERT_TRUE(WriteCurveLines(folder / longest, SampleRecord("long")));
    EXPECT_EQ(ReadAll(folder / longest), CurveFileText(SampleRecord("long")));
    std::set<std::string> expected = users;
    expected.insert({longest, writing});
    EXPECT_EQ(folder.Names(), expected);
}
