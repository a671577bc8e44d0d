#include "ui/Platform.h"

#include <cctype>
#include <cstddef>
#include <vector>

std::string MessageExcerpt(const std::string& utf8) {
    constexpr std::size_t MaxCharacters = std::size_t{MessageBoxLines} * MessageBoxColumns;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) continue;  // inside a character
        if (characters++ == MaxCharacters) return utf8.substr(0, i) + "…";
    }
    return utf8;
}

namespace {
std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1) {
        parts.push_back(text.substr(start, at - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

bool EndsWithIgnoringCase(const std::string& text, const std::string& end) {
    if (end.size() > text.size()) return false;
    for (std::size_t i = 0; i < end.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[text.size() - end.size() + i])) !=
            std::tolower(static_cast<unsigned char>(end[i]))) {
            return false;
        }
    }
    return true;
}
}  // namespace

std::optional<SaveDialogChoice> Platform::SaveFileDialogWithFilter(const SaveDialogRequest& request) {
    std::optional<std::string> path = SaveFileDialog(request);
    if (!path) return std::nullopt;
    // "description|*.a;*.b|description|*.c": description and patterns in pairs.
    const std::vector<std::string> parts = Split(request.filter, '|');
    for (std::size_t pair = 0; 2 * pair + 1 < parts.size(); ++pair) {
        for (const std::string& pattern : Split(parts[2 * pair + 1], ';')) {
            if (pattern.size() > 1 && pattern[0] == '*' && EndsWithIgnoringCase(*path, pattern.substr(1))) {
                return SaveDialogChoice{*path, static_cast<int>(pair)};
            }
        }
    }
    return SaveDialogChoice{*path, 0};
}
