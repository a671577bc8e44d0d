// The browser's implementations of the platform seams, checked against the desktop's on this
// machine: the generated code page table against glibc's iconv, the fixed face table against
// fontconfig. Both pairs are linked into one program, the browser's under other names.
#include <gtest/gtest.h>

#include <string>

#include "curves/Codec.h"
#include "picture/FaceLookup.h"

std::string TableCp932ToUtf8(const std::string& cp932);
std::string TableUtf8ToCp932(const std::string& utf8);
std::optional<FaceInfo> LookUpBundledFace(const std::string& name, bool italic, bool bold);

namespace {
std::string FileName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }
}  // namespace

TEST(Seams, TheTableDecodesEveryOneAndTwoByteSequenceAsIconvDoes) {
    for (int first = 0; first < 256; ++first) {
        const std::string single(1, static_cast<char>(first));
        ASSERT_EQ(TableCp932ToUtf8(single), Cp932ToUtf8(single)) << "byte " << first;
        for (int second = 0; second < 256; ++second) {
            // A third byte shows where decoding resumes after a refused pair.
            const std::string bytes{static_cast<char>(first), static_cast<char>(second), 'x'};
            ASSERT_EQ(TableCp932ToUtf8(bytes), Cp932ToUtf8(bytes)) << "bytes " << first << " " << second;
        }
    }
}

TEST(Seams, TheTableEncodesEveryCharacterAsIconvDoes) {
    for (char32_t code = 1; code <= 0x10FFFF; code += code < 0x10000 ? 1 : 0x101) {
        if (code >= 0xD800 && code <= 0xDFFF) continue;
        std::string utf8;
        if (code < 0x80) utf8 = std::string(1, static_cast<char>(code));
        else if (code < 0x800) utf8 = {static_cast<char>(0xC0 | (code >> 6)), static_cast<char>(0x80 | (code & 0x3F))};
        else if (code < 0x10000)
            utf8 = {static_cast<char>(0xE0 | (code >> 12)), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
                    static_cast<char>(0x80 | (code & 0x3F))};
        else
            utf8 = {static_cast<char>(0xF0 | (code >> 18)), static_cast<char>(0x80 | ((code >> 12) & 0x3F)),
                    static_cast<char>(0x80 | ((code >> 6) & 0x3F)), static_cast<char>(0x80 | (code & 0x3F))};
        ASSERT_EQ(TableUtf8ToCp932(utf8 + "a"), Utf8ToCp932(utf8 + "a")) << "U+" << std::hex << static_cast<unsigned>(code);
    }
    // Malformed UTF-8: overlong forms, surrogates, cut-off sequences, stray continuation bytes.
    for (const std::string bad : {"\xC0\xAF", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE3\x81", "\x80\x80",
                                  "\xF8\x88\x80\x80\x80", "a\xE3"}) {
        EXPECT_EQ(TableUtf8ToCp932(bad), Utf8ToCp932(bad));
    }
}

TEST(Seams, TheFaceTableNamesTheFilesFontconfigFinds) {
    for (const std::string name : {"ＭＳ Ｐゴシック", "ＭＳ ゴシック", "Bookman Old Style", "Times New Roman", "Braggadocio", "Wingdings"}) {
        for (bool italic : {false, true}) {
            for (bool bold : {false, true}) {
                std::optional<FaceInfo> desktop = LookUpFace(name, italic, bold);
                std::optional<FaceInfo> browser = LookUpBundledFace(name, italic, bold);
                ASSERT_TRUE(desktop && browser) << name;
                EXPECT_EQ(FileName(browser->File), FileName(desktop->File)) << name << italic << bold;
                EXPECT_EQ(browser->Family, desktop->Family);
                EXPECT_EQ(browser->Style, desktop->Style);
                EXPECT_EQ(browser->SyntheticBold, desktop->SyntheticBold) << name << italic << bold;
                EXPECT_EQ(browser->SyntheticItalic, desktop->SyntheticItalic) << name << italic << bold;
            }
        }
    }
}
