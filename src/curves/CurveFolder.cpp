#include "curves/CurveFolder.h"

#include <algorithm>
#include <filesystem>

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
