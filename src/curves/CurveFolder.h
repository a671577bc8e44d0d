// Which files a folder collection lists, and in what order: the loader reads them, and saving
// asks the same question before it writes a file that the list could not show.
#pragma once

#include <string>
#include <system_error>
#include <vector>

// True for a name ending in ".crv" without regard to case that does not begin with "." (hidden
// files, ".gitkeep" among them, are not listed).
bool IsCurveFileName(const std::string& name);
// Orders names as the list shows them: by name without regard to ASCII case, then by bytes.
bool CurveFileNameLess(const std::string& x, const std::string& y);
// The listed curve files of `folderPath` (regular files only), in list order; `error` is set
// when the folder cannot be listed.
std::vector<std::string> ListCurveFiles(const std::string& folderPath, std::error_code& error);
