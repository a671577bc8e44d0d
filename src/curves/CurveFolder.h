// Which files a folder collection lists, and in what order: the loader reads them, and saving
// asks the same question before it writes a file that the list could not show.
#pragma once

#include <filesystem>
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

// Curve files are 25 short lines; anything larger is not a curve file and is never read whole.
constexpr std::size_t MaxCurveFileBytes = 1024 * 1024;

enum class ReadResult { Ok, Unreadable, TooLarge };
// Reads a whole file of at most MaxCurveFileBytes; larger files are refused after reading just
// past the limit, so a file that grows meanwhile cannot make the read unbounded either.
ReadResult ReadSmallFile(const std::filesystem::path& path, std::string& content);
// True when the file at `path` is read as one curve: readable, small and of exactly 25 lines.
bool ReadsAsCurve(const std::filesystem::path& path);
