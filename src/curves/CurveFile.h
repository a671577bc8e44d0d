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
// is complete and flushed. False, with nothing written, when `lines` is not one whole record of
// RecordLineCount lines. False when the file could not be written; the previous file at `path`
// is then untouched (unless only the final flush of the folder failed, when the new content is
// already in place but not known to be durable) and no temporary file is left behind.
// An existing file that is read-only for this process, or a folder, is not replaced; a symbolic
// link is written through (the file it names is replaced, the link stays). Before it writes, it
// removes from the folder the temporary files that an interrupted save left there more than
// StaleTemporaryAge ago.
[[nodiscard]] bool WriteCurveLines(const std::string& path, const RecordLines& lines,
                                   FileSteps& steps = SystemFileSteps());

// Writes `bytes` to `path` in the same way, for any file the program writes whole (pictures too):
// false, with the previous file untouched and no temporary file left, when it could not be written.
[[nodiscard]] bool WriteFileAtomically(const std::string& path, const std::string& bytes,
                                       FileSteps& steps = SystemFileSteps());

// The temporary file for `path`, in the same folder: ".quorbel-" + the process id + "-" + `token`
// in 8 lower-case hexadecimal digits + ".tmp". Hidden, and without the ".crv" end, so that no
// loader lists it; at most 32 bytes, so it fits wherever the file's own name does.
std::string TemporaryCurveFileName(const std::string& path, std::uint32_t token);
// True for a file name that TemporaryCurveFileName makes, and for no other.
bool IsTemporaryCurveFileName(const std::string& fileName);

// A temporary file this old is a leftover of an interrupted save, never one still being written.
constexpr std::chrono::minutes StaleTemporaryAge{10};
