// Making a folder's entries durable on the desktop: fsync of the folder itself.
#include "curves/CurveFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

bool FileSteps::FlushFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    // Some file systems cannot flush a folder at all; their renames are as durable as they get.
    bool flushed = ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
    const int error = errno;
    ::close(fd);
    errno = error;
    return flushed;
}

