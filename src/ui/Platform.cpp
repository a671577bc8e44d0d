#include "ui/Platform.h"

std::string MessageExcerpt(const std::string& utf8) {
    constexpr std::size_t MaxCharacters = std::size_t{MessageBoxLines} * MessageBoxColumns;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) continue;  // inside a character
        if (characters++ == MaxCharacters) return utf8.substr(0, i) + "…";
    }
    return utf8;
}
