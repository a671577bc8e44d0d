// The curve file writer: puts the lines of a record on disk, each followed by CR LF, the bytes the
// lines hold (CP932 already) less any control character. A save never loses the previous file: the lines go to a
// hidden temporary file in the same folder, which is flushed and then renamed over the target, so
// a failure or a crash at any moment leaves either the old file or the new one, never a torn one.
// The file system steps sit behind FileSteps so that tests can make any one of them fail.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "curves/CurveRecord.h"

// How a write ended: written; not written, the previous file untouched; or in place but not known
// to be durable, when only the flush of the folder after the rename failed. `error` is the errno of
// the step that failed (0 when written).
struct [[nodiscard]] WriteResult {
    enum Outcome { Written, NotWritten, NotDurable };
    Outcome outcome = Written;
    int error = 0;
    explicit operator bool() const { return outcome == Written; }
};

// What keeps a file from being written, as the user reads it: "ディスクがいっぱいです" for ENOSPC,
// "書き込む権限がありません" for EACCES, and so on for every errno a write may give.
std::string WriteErrorText(int error);

// The file system operations the writer needs. Every path is a UTF-8 string used as it stands;
// a relative path is taken from the process's working folder. Failures set errno.
class FileSteps {
public:
    virtual ~FileSteps() = default;
    // Creates `path` with permission bits `mode` for writing, only when nothing is there yet;
    // a descriptor, or -1.
    virtual int CreateNew(const std::string& path, unsigned mode);
    // Writes all `size` bytes (retrying short writes); false when some could not be written.
    virtual bool WriteAll(int fd, const char* data, std::size_t size);
    // Makes the written bytes durable.
    virtual bool Flush(int fd);
    virtual bool Close(int fd);
    // Replaces `to` by `from` in one step.
    virtual bool Rename(const std::string& from, const std::string& to);
    // Makes the folder's entries (the rename) durable.
    virtual bool FlushFolder(const std::string& folder);
    virtual void Remove(const std::string& path);
};

// The steps of the real file system.
FileSteps& SystemFileSteps();

// The bytes of a curve file: every line followed by CR LF, without the control characters (bytes
// below 0x20 and 0x7F) a line may hold, so that the file splits into as many lines again.
std::string CurveFileText(const RecordLines& lines);

// Writes `lines` to `path` as CurveFileText, replacing any file there only once the new content
// is complete and flushed. NotWritten (EINVAL), with nothing written, when `lines` is not one
// whole record of RecordLineCount lines. NotWritten when the file could not be written: the
// previous file at `path` is then untouched and no temporary file is left behind. NotDurable when
// only the final flush of the folder failed: the new content is already in place.
// An existing file that is read-only for this process, or a folder, is not replaced; a symbolic
// link is written through (the file it names is replaced, the link stays). Before it writes, it
// removes from the folder the temporary files that an interrupted save left there more than
// StaleTemporaryAge ago.
WriteResult WriteCurveLines(const std::string& path, const RecordLines& lines, FileSteps& steps = SystemFileSteps());

// Writes `bytes` to `path` in the same way, for any file the program writes whole (pictures too).
WriteResult WriteFileAtomically(const std::string& path, const std::string& bytes, FileSteps& steps = SystemFileSteps());

// The temporary file for `path`, in the same folder: ".quorbel-" + the process id + "-" + `token`
// in 8 lower-case hexadecimal digits + ".tmp". Hidden, and without the ".crv" end, so that no
// loader lists it; at most 32 bytes, so it fits wherever the file's own name does.
std::string TemporaryCurveFileName(const std::string& path, std::uint32_t token);
// True for a file name that TemporaryCurveFileName makes, and for no other.
bool IsTemporaryCurveFileName(const std::string& fileName);

// A temporary file this old is a leftover of an interrupted save, never one still being written.
constexpr std::chrono::minutes StaleTemporaryAge{10};
