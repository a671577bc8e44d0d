// Making a folder's entries durable in the browser. The page's files live in memory; the page
// keeps the user's folder in the browser's own storage and writes what changed in it there in one
// storage transaction, so that a save cut off at any moment leaves the stored folder as it was
// before or as it is now, never between (web/Storage.js). The page's download folder holds files made for the
// user (picture files): once they are whole there, the page hands them to the browser as
// downloads. Other folders need no flush.
#include "curves/CurveFile.h"

#include <emscripten.h>

#include <cerrno>

namespace {
// 1 when the folder is stored (or is not one the page keeps), 0 when storing it failed.
EM_ASYNC_JS(int, PersistFolder, (const char* folder), {
    if (!Module.quorbelPersistFolder) return 1;
    return (await Module.quorbelPersistFolder(UTF8ToString(folder))) ? 1 : 0;
});
}  // namespace

// A folder the browser would not store fails as a disk does (EIO).
bool FileSteps::FlushFolder(const std::string& folder) { return PersistFolder(folder.c_str()) != 0 || (errno = EIO, false); }
