#include "curves/CurveFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

namespace fs = std::filesystem;

namespace {
// Enough tries to step over a name that is taken without looping for ever.
constexpr int MaxTemporaryAttempts = 100;
constexpr const char* TemporaryPrefix = ".quorbel-";
constexpr const char* TemporarySuffix = ".tmp";

// The folder that holds `path` ("." for a bare file name).
std::string FolderOf(const std::string& path) {
    fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// A link is written through, as opening it for writing would: the file it names is replaced.
std::string ResolveLink(const std::string& path) {
    std::error_code error;
    if (!fs::is_symlink(path, error)) return path;
    fs::path target = fs::weakly_canonical(path, error);
    return error ? path : target.string();
}

bool AllOf(const std::string& text, std::size_t from, std::size_t to, bool (*accept)(char)) {
    for (std::size_t i = from; i < to; ++i) {
        if (!accept(text[i])) return false;
    }
    return from < to;
}

// A fresh token for each temporary name, so that leftovers of earlier crashes are stepped over
// at the first try.
std::uint32_t NextTemporaryToken() {
    static std::mt19937 generator{std::random_device{}()};
    return static_cast<std::uint32_t>(generator());
}

// Removes the leftovers of interrupted saves from `folder`: regular files named as the writer
// names its temporary files and older than StaleTemporaryAge. Nothing else is ever touched.
void RemoveStaleTemporaryFiles(const std::string& folder, FileSteps& steps) {
    std::error_code error;
    const auto now = fs::file_time_type::clock::now();
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (!IsTemporaryCurveFileName(it->path().filename().string())) continue;
        std::error_code entryError;
        if (it->symlink_status(entryError).type() != fs::file_type::regular) continue;
        const auto written = fs::last_write_time(it->path(), entryError);
        if (!entryError && now - written >= StaleTemporaryAge) steps.Remove(it->path().string());
    }
}
}  // namespace

int FileSteps::CreateNew(const std::string& path, unsigned mode) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(mode));
}

bool FileSteps::WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool FileSteps::Flush(int fd) { return ::fsync(fd) == 0; }

bool FileSteps::Close(int fd) { return ::close(fd) == 0; }

bool FileSteps::Rename(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

void FileSteps::Remove(const std::string& path) { ::unlink(path.c_str()); }

FileSteps& SystemFileSteps() {
    static FileSteps steps;
    return steps;
}

std::string CurveFileText(const RecordLines& lines) {
    std::string text;
    for (const std::string& line : lines) {
        // No CP932 trail byte lies in the control range, so no two-byte character loses a byte.
        for (char c : line) {
            if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) text += c;
        }
        text += "\r\n";
    }
    return text;
}

std::string TemporaryCurveFileName(const std::string& path, std::uint32_t token) {
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(token));
    std::string hidden = TemporaryPrefix + std::to_string(::getpid()) + "-" + hex + TemporarySuffix;
    return (fs::path(path).parent_path() / hidden).string();
}

bool IsTemporaryCurveFileName(const std::string& name) {
    const std::string prefix = TemporaryPrefix, suffix = TemporarySuffix;
    if (name.size() < prefix.size() + 1 + 9 + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
        return false;
    }
    const std::size_t tokenEnd = name.size() - suffix.size();
    const std::size_t dash = tokenEnd - 9;
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    auto isHex = [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); };
    return name[dash] == '-' && AllOf(name, prefix.size(), dash, isDigit) && AllOf(name, dash + 1, tokenEnd, isHex);
}

std::string WriteErrorText(int error) {
    switch (error) {
        case ENOSPC:
        case EDQUOT: return "ディスクがいっぱいです";
        case EACCES:
        case EPERM: return "書き込む権限がありません";
        case EROFS: return "書き込みのできない場所です";
        case ENOENT:
        case ENOTDIR: return "フォルダがありません";
        case EISDIR: return "同じ名前のフォルダがあります";
        case ENAMETOOLONG: return "名前が長すぎます";
        case EIO: return "ディスクの読み書きに失敗しました";
        case EMFILE:
        case ENFILE: return "開いているファイルが多すぎます";
        case EXDEV: return "別のディスクへは置き換えられません";
        case EINVAL: return "書き込む内容が曲線の形になっていません";
        default: return "システムのエラー番号 " + std::to_string(error) + " です";
    }
}

WriteResult WriteCurveLines(const std::string& path, const RecordLines& lines, FileSteps& steps) {
    if (lines.size() != static_cast<std::size_t>(RecordLineCount)) return {WriteResult::NotWritten, EINVAL};
    return WriteFileAtomically(path, CurveFileText(lines), steps);
}

WriteResult WriteFileAtomically(const std::string& requestedPath, const std::string& text, FileSteps& steps) {
    const std::string path = ResolveLink(requestedPath);
    // errno of the step that failed, taken before the clean-up can change it (EIO should a step
    // fail without saying why).
    auto failed = [](int error) { return WriteResult{WriteResult::NotWritten, error != 0 ? error : EIO}; };

    // A new file takes the permissions of the one it replaces, and a file the user may not write
    // stays as it is, just as when it would be opened for writing in place.
    unsigned mode = 0666;
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode)) return failed(EISDIR);
        if (::access(path.c_str(), W_OK) != 0) return failed(errno);
        mode = existing.st_mode & 07777;
    }

    RemoveStaleTemporaryFiles(FolderOf(path), steps);
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < MaxTemporaryAttempts && fd < 0; ++attempt) {
        temporary = TemporaryCurveFileName(path, NextTemporaryToken());
        fd = steps.CreateNew(temporary, mode);
        if (fd < 0 && errno != EEXIST) return failed(errno);
    }
    if (fd < 0) return failed(EEXIST);

    bool ok = steps.WriteAll(fd, text.data(), text.size()) && steps.Flush(fd);
    int error = ok ? 0 : errno;
    if (!steps.Close(fd) && ok) ok = false, error = errno;
    if (ok && !steps.Rename(temporary, path)) ok = false, error = errno;
    if (!ok) {
        steps.Remove(temporary);
        return failed(error);
    }
    if (!steps.FlushFolder(FolderOf(path))) return {WriteResult::NotDurable, errno != 0 ? errno : EIO};
    return {};
}
