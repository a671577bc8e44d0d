// Code page 932 from a table, for builds without iconv (the browser). The table is generated at
// build time from glibc's iconv by tools/MakeCp932Table.cpp, so both builds convert alike: a byte
// iconv refuses is refused here too, and each character gets the bytes iconv chooses.
#include "curves/Codec.h"

#include <algorithm>
#include <iterator>

namespace {

struct Cp932Pair {
    unsigned bytes;  // lead × 256 + trail
    char32_t code;
};
struct Cp932Form {
    char32_t code;
    unsigned bytes;  // the bytes, most significant first
    unsigned length;
};

#include "Cp932Table.inc"

constexpr char32_t NoCharacter = 0xFFFFFFFF;
constexpr const char* Replacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// The character of a well-formed sequence of `length` bytes; NoCharacter for an overlong form,
// a surrogate or a value beyond U+10FFFF, which iconv refuses as well.
char32_t Utf8Character(const unsigned char* text, std::size_t length) {
    if (length == 1) return text[0] < 0x80 ? text[0] : NoCharacter;
    char32_t code = text[0] & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) code = (code << 6) | (text[i] & 0x3F);
    static constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return NoCharacter;
    return code;
}

}  // namespace

std::string Cp932ToUtf8(const std::string& cp932) {
    std::string out;
    out.reserve(cp932.size() * 3 / 2);
    const auto* text = reinterpret_cast<const unsigned char*>(cp932.data());
    const std::size_t size = cp932.size();
    for (std::size_t i = 0; i < size;) {
        const unsigned char byte = text[i];
        if (Cp932Single[byte] != NoCharacter) {
            out += Utf8Of(Cp932Single[byte]);
            ++i;
            continue;
        }
        if (Cp932Lead[byte] && i + 1 < size) {
            const unsigned bytes = byte * 256u + text[i + 1];
            const auto* found = std::lower_bound(std::begin(Cp932Pairs), std::end(Cp932Pairs), bytes,
                                                 [](const Cp932Pair& pair, unsigned key) { return pair.bytes < key; });
            if (found != std::end(Cp932Pairs) && found->bytes == bytes) {
                out += Utf8Of(found->code);
                i += 2;
                continue;
            }
        }
        // A refused byte is replaced alone: after a bad trail byte, the trail is read again.
        out += Replacement;
        ++i;
    }
    return out;
}

std::string Utf8ToCp932(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    const auto* text = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t size = utf8.size();
    for (std::size_t i = 0; i < size;) {
        const std::size_t length = Utf8SequenceLength(text + i, size - i);
        const char32_t code = Utf8Character(text + i, length);
        i += length;
        const auto* found = std::lower_bound(std::begin(Cp932Forms), std::end(Cp932Forms), code,
                                             [](const Cp932Form& form, char32_t key) { return form.code < key; });
        if (code == NoCharacter || found == std::end(Cp932Forms) || found->code != code) {
            out += '?';  // no CP932 form, or not UTF-8 at all
            continue;
        }
        for (unsigned k = found->length; k-- > 0;) out += static_cast<char>((found->bytes >> (8 * k)) & 0xFF);
    }
    return out;
}
