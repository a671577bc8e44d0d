#include "curves/CurveFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace fs = std::filesystem;

namespace {
// Enough tries to step over leftovers of earlier crashes without looping for ever.
constexpr int MaxTemporaryAttempts = 100;

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
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string TemporaryCurveFileName(const std::string& path, int attempt) {
    fs::path target(path);
    std::string hidden = "." + target.filename().string() + "." + std::to_string(::getpid()) + "-" +
                         std::to_string(attempt) + ".tmp";
    return (target.parent_path() / hidden).string();
}

bool WriteCurveLines(const std::string& requestedPath, const RecordLines& lines, FileSteps& steps) {
    const std::string path = ResolveLink(requestedPath);

    // A new file takes the permissions of the one it replaces, and a file the user may not write
    // stays as it is, just as when it would be opened for writing in place.
    unsigned mode = 0666;
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode) || ::access(path.c_str(), W_OK) != 0) return false;
        mode = existing.st_mode & 07777;
    }

    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < MaxTemporaryAttempts && fd < 0; ++attempt) {
        temporary = TemporaryCurveFileName(path, attempt);
        fd = steps.CreateNew(temporary, mode);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;

    const std::string text = CurveFileText(lines);
    bool written = steps.WriteAll(fd, text.data(), text.size()) && steps.Flush(fd);
    bool closed = steps.Close(fd);
    if (!written || !closed || !steps.Rename(temporary, path)) {
        steps.Remove(temporary);
        return false;
    }
    return steps.FlushFolder(FolderOf(path));
}
