#include <gtest/gtest.h>

#include "curves/Codec.h"

namespace {
const std::string ReplacementChar = "\xEF\xBF\xBD";
}

TEST(Codec, CollectionHeaderLinesAreFortyBytesAndRoundTrip) {
    for (const std::string header : {"==========　いろいろな曲線　　==========",
                                     "==========　　美しい曲線　　　==========",
                                     "==========　 あなたの曲線　 　=========="}) {
        std::string cp932 = Utf8ToCp932(header);
        EXPECT_EQ(cp932.size(), 40u) << header;
        EXPECT_EQ(Cp932ToUtf8(cp932), header);
    }
    EXPECT_EQ(Utf8ToCp932("　"), "\x81\x40") << "the full-width space is 81 40";
}

TEST(Codec, AsciiSpecialsStayAsciiAndWaveDashRoundTrips) {
    EXPECT_EQ(Utf8ToCp932("\\~"), "\\~");
    EXPECT_EQ(Cp932ToUtf8("\\~"), "\\~");
    EXPECT_EQ(Utf8ToCp932("～"), "\x81\x60");
    EXPECT_EQ(Cp932ToUtf8("\x81\x60"), "～");
    // Half-width katakana are single bytes, as in "ﾘｾｯﾄ".
    EXPECT_EQ(Utf8ToCp932("ﾘｾｯﾄ").size(), 4u);
    EXPECT_EQ(Cp932ToUtf8(Utf8ToCp932("ﾘｾｯﾄ θ≦π ①")), "ﾘｾｯﾄ θ≦π ①");
    EXPECT_EQ(Cp932ToUtf8(""), "");
    EXPECT_EQ(Utf8ToCp932(""), "");
}

TEST(Codec, UndecodableBytesBecomeReplacementAndDecodingGoesOn) {
    EXPECT_EQ(Cp932ToUtf8("a\x82"), "a" + ReplacementChar) << "a lone lead byte at the end";
    EXPECT_EQ(Cp932ToUtf8("\x80x\xA0y\xFD"), ReplacementChar + "x" + ReplacementChar + "y" + ReplacementChar);
    // A lead byte with an impossible trail byte costs only the lead byte; the trail is read again.
    EXPECT_EQ(Cp932ToUtf8("\x81\x20\x82\xA0"), ReplacementChar + " あ");
    // Long input with a bad byte deep inside crosses the converter's buffer boundary.
    std::string longText(5000, 'x');
    longText[3000] = '\x80';
    std::string decoded = Cp932ToUtf8(longText);
    EXPECT_EQ(decoded.size(), 4999u + ReplacementChar.size());
    EXPECT_EQ(decoded.substr(3000, 3), ReplacementChar);
}

TEST(Codec, UnmappableCharactersBecomeOneQuestionMarkEach) {
    EXPECT_EQ(Utf8ToCp932("a😀b"), "a?b");
    EXPECT_EQ(Utf8ToCp932("é€"), "??");
    EXPECT_EQ(Utf8ToCp932("x\xFFy"), "x?y") << "a byte that is not UTF-8";
    EXPECT_EQ(Utf8ToCp932("x\xE3\x81"), "x??") << "a UTF-8 sequence cut off at the end";
}
