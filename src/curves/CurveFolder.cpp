#include "curves/CurveFolder.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "curves/CurveRecord.h"

namespace fs = std::filesystem;

namespace {
std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}
}  // namespace

bool IsCurveFileName(const std::string& name) {
    return name.size() > 4 && name.front() != '.' && Lower(name.substr(name.size() - 4)) == ".crv";
}

bool CurveFileNameLess(const std::string& x, const std::string& y) {
    std::string lx = Lower(x), ly = Lower(y);
    return lx != ly ? lx < ly : x < y;
}

std::vector<std::string> ListCurveFiles(const std::string& folderPath, std::error_code& error) {
    std::vector<std::string> names;
    fs::directory_iterator it(folderPath, error), end;
    for (; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        std::string fileName = it->path().filename().string();
        if (IsCurveFileName(fileName) && it->is_regular_file(typeError)) names.push_back(std::move(fileName));
    }
    std::sort(names.begin(), names.end(), CurveFileNameLess);
    return names;
}

ReadResult ReadSmallFile(const fs::path& path, std::string& content) {
    content.clear();
    std::error_code error;
    if (!fs::is_regular_file(path, error)) return ReadResult::Unreadable;
    auto size = fs::file_size(path, error);
    if (!error && size > MaxCurveFileBytes) return ReadResult::TooLarge;

    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) return ReadResult::Unreadable;
    char buffer[64 * 1024];
    while (true) {
        std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        content.append(buffer, got);
        if (content.size() > MaxCurveFileBytes) return ReadResult::TooLarge;
        if (got < sizeof buffer) break;
    }
    return std::ferror(file.get()) ? ReadResult::Unreadable : ReadResult::Ok;
}

bool ReadsAsCurve(const fs::path& path) {
    std::string content;
    return ReadSmallFile(path, content) == ReadResult::Ok && SplitLines(content).size() == RecordLineCount;
}
