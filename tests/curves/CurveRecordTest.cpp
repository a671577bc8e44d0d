#include <gtest/gtest.h>

#include "curves/Codec.h"
#include "curves/CurveRecord.h"

namespace {

struct NumberCase {
    std::string line;
    std::int32_t value;
};

std::int32_t ReadOne(const std::string& line, ReadProblems& problems) {
    return ReadNumberLine(RecordLines{line}, 0, problems, {"a.crv"});
}

}  // namespace

TEST(CurveRecordNumbers, ValidLinesReadWithoutMessage) {
    const NumberCase cases[] = {
        {"*", 99}, {"", 99}, {"99", 99}, {" 12", 12}, {"   -3", -3}, {"+7", 7}, {"0", 0},
        {"$00E0C1FF", 14729727}, {"14729727", 14729727}, {"$ff", 255}, {"$Ff", 255},
        {"$FFFFFFFF", -1}, {"$00000063", 99}, {"2147483647", 2147483647}, {"-2147483648", INT32_MIN},
        {"007", 7}, {"$000000001", 1},
    };
    for (const auto& c : cases) {
        ReadProblems problems;
        EXPECT_EQ(ReadOne(c.line, problems), c.value) << "line \"" << c.line << "\"";
        EXPECT_TRUE(problems.Empty()) << "line \"" << c.line << "\"";
    }
}

TEST(CurveRecordNumbers, InvalidLinesShowThemselvesAndReadAsZero) {
    for (const std::string line : {"12 ", "1.5", "abc", "2147483648", "-2147483649", "4294967296",
                                   "99999999999999999999", "$100000000", "$", "-", "+", " ", " *",
                                   "**", "-$10", "$-1", "0x10", "1e3", "+-1", "$12G"}) {
        ReadProblems problems;
        EXPECT_EQ(ReadOne(line, problems), 0) << "line \"" << line << "\"";
        EXPECT_EQ(problems.Listed(), std::vector<std::string>{"a.crv の「名前」: " + line});
    }
    // The problem shows the line converted for display: full-width digits are not digits.
    ReadProblems problems;
    EXPECT_EQ(ReadOne(Utf8ToCp932("１２"), problems), 0);
    EXPECT_EQ(problems.Listed(), std::vector<std::string>{"a.crv の「名前」: １２"});
}

TEST(CurveRecordText, StarBecomesEmptyOtherwiseUnchanged) {
    RecordLines lines{"*", "**", " ", " *", "", Utf8ToCp932("曲線")};
    EXPECT_EQ(ReadTextLine(lines, 0), "");
    EXPECT_EQ(ReadTextLine(lines, 1), "**");
    EXPECT_EQ(ReadTextLine(lines, 2), " ");
    EXPECT_EQ(ReadTextLine(lines, 3), " *");
    EXPECT_EQ(ReadTextLine(lines, 4), "");
    EXPECT_EQ(ReadTextLine(lines, 5), Utf8ToCp932("曲線"));
}

TEST(CurveRecordParse, FieldsInLineOrderWithTargetUnconvertedAndMessagesInOrder) {
    RecordLines lines = BuiltInRecord(1);
    lines[rlRepeatTarget - 1] = "*";
    lines[rlParamB - 1] = "x";
    lines[rlLineWidth - 1] = "y";
    lines.at(rlNote1) = Utf8ToCp932("b を 1 ずつ");  // note 2
    lines.at(rlNote1 + 3) = "*";                  // note 5
    // A record behind another one: record 1 of a two-record list.
    RecordLines two = BuiltInRecord(3);
    two.insert(two.end(), lines.begin(), lines.end());
    two.push_back("left over");

    ReadProblems problems;
    CurveEntry entry = ParseRecord(two, 1, problems, {"Curves20.crx", 26});
    EXPECT_EQ(problems.Listed(), (std::vector<std::string>{"Curves20.crx の 32 行目「パラメータｂ」: x",
                                                           "Curves20.crx の 45 行目「線幅」: y"}));
    EXPECT_EQ(Cp932ToUtf8(entry.Name), "バラ（ハイポトロコイド）");
    EXPECT_EQ(entry.Id, 3);
    EXPECT_EQ(entry.PolarFormula, "");
    EXPECT_EQ(Cp932ToUtf8(entry.XFormula), "x=(a-b)cosθ+ccos [a-b]/b θ");
    EXPECT_EQ(Cp932ToUtf8(entry.YFormula), "y=(a-b)sinθ-csin [a-b]/b θ");
    EXPECT_EQ(entry.ParamA, 13);
    EXPECT_EQ(entry.ParamB, 0);
    EXPECT_EQ(entry.ParamC, 11);
    EXPECT_EQ(entry.ThetaStart, 0);
    EXPECT_EQ(entry.ThetaEnd, 6);
    EXPECT_EQ(entry.RepeatStart, 1);
    EXPECT_EQ(entry.RepeatEnd, 11);
    EXPECT_EQ(entry.Zoom, 3);
    EXPECT_EQ(entry.RepeatTarget, "*") << "line 14 keeps its \"*\"";
    EXPECT_EQ(entry.AuxLine, 0);
    EXPECT_EQ(entry.StepIndex, 0);
    EXPECT_EQ(entry.Background, 0);
    EXPECT_EQ(entry.LineColor, 0x00FFFFFF);
    EXPECT_EQ(entry.BackColorValue, 0);
    EXPECT_EQ(entry.LineWidth, 0);
    EXPECT_EQ(Cp932ToUtf8(entry.Notes[1]), "b を 1 ずつ");
    EXPECT_EQ(entry.Notes[0], "");
    EXPECT_EQ(entry.Notes[4], "");
}

TEST(CurveRecordParse, RecordCountIgnoresAnIncompleteRemainder) {
    EXPECT_EQ(RecordCount(RecordLines(60)), 2);
    EXPECT_EQ(RecordCount(RecordLines(512)), 20);
    EXPECT_EQ(RecordCount(RecordLines(24)), 0);
    EXPECT_EQ(RecordCount(RecordLines(25)), 1);
    EXPECT_EQ(RecordCount(RecordLines{}), 0);
}

TEST(CurveRecordBuiltIn, ThreeRecordsExactlyAsShipped) {
    const RecordLines& all = BuiltInRecords();
    ASSERT_EQ(all.size(), 75u);
    for (int n = 1; n <= 3; ++n) {
        RecordLines record = BuiltInRecord(n);
        ASSERT_EQ(record.size(), 25u);
        EXPECT_TRUE(std::equal(record.begin(), record.end(), all.begin() + (n - 1) * 25));
    }
    RecordLines r1 = BuiltInRecord(1), r2 = BuiltInRecord(2), r3 = BuiltInRecord(3);
    EXPECT_EQ(Cp932ToUtf8(r2[0]), "ツボミ（エピトロコイド）");
    EXPECT_EQ(Cp932ToUtf8(r3[0]), "クッション丸（正葉曲線１）");
    EXPECT_EQ(r1[2], "") << "record 1 has an empty polar line, record 2 a \"*\"";
    EXPECT_EQ(r2[2], "*");
    EXPECT_EQ(Cp932ToUtf8(r2[3]), "x=(a+b)cosθ-ccos [a+b]/b θ ") << "one trailing blank";
    EXPECT_EQ(Cp932ToUtf8(r2[4]), "y=(a+b)sinθ-csin [a+b]/b θ ");
    EXPECT_EQ(Cp932ToUtf8(r3[2]), "r = c sin [a]/b θ");
    EXPECT_EQ(r3[3], " ") << "a single blank";
    EXPECT_EQ(r3[4], "");
    EXPECT_EQ(r2[17], "$00E0C1FF");
    EXPECT_EQ(r3[17], "$0000FFFF");
    EXPECT_EQ(r3[13], "a");
    for (int line = 20; line < 25; ++line) EXPECT_EQ(r1[line] + r2[line] + r3[line], "***");

    ReadProblems problems;
    CurveEntry rose = ParseRecord(all, 2, problems);
    CurveEntry bud = ParseRecord(all, 1, problems);
    EXPECT_TRUE(problems.Empty());
    EXPECT_EQ(std::vector<int>({rose.Id, rose.ParamA, rose.ParamB, rose.ParamC, rose.ThetaEnd, rose.RepeatEnd,
                                rose.Zoom, rose.StepIndex, rose.LineColor}),
              std::vector<int>({2, 20, 9, 10, 20, 1, 4, 4, 0x0000FFFF}));
    EXPECT_EQ(std::vector<int>({bud.Id, bud.ParamA, bud.ParamB, bud.ParamC, bud.ThetaEnd, bud.RepeatEnd,
                                bud.Zoom, bud.StepIndex, bud.LineColor}),
              std::vector<int>({8, 7, 3, 8, 6, 8, 3, 1, 0x00E0C1FF}));
    EXPECT_TRUE(BuiltInRecord(0).empty());
    EXPECT_TRUE(BuiltInRecord(4).empty());
}

TEST(CurveRecordLabels, FromNameToFifthNote) {
    EXPECT_STREQ(RecordLineLabels[0], "名前");
    EXPECT_STREQ(RecordLineLabels[rlParamA - 1], "パラメータａ");
    EXPECT_STREQ(RecordLineLabels[rlRepeatTarget - 1], "対象(A,B,C)");
    EXPECT_STREQ(RecordLineLabels[rlBackColorValue - 1], "背景色");
    EXPECT_STREQ(RecordLineLabels[24], "指示５");
}

TEST(CurveRecordColor, EightUpperCaseHexDigitsThatReadBack) {
    EXPECT_EQ(ColorText(0x00FFFFFF), "$00FFFFFF");
    EXPECT_EQ(ColorText(0x00E0C1FF), "$00E0C1FF");
    EXPECT_EQ(ColorText(0), "$00000000");
    EXPECT_EQ(ColorText(99), "$00000063");
    std::int32_t value = 0;
    ASSERT_TRUE(ParseNumberText(ColorText(0x00ABCDEF), value));
    EXPECT_EQ(value, 0x00ABCDEF);
}

TEST(CurveRecordSplit, LineEndsNulAndTheLastLine) {
    EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (RecordLines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n"), (RecordLines{"a"})) << "a final line end starts no new line";
    EXPECT_EQ(SplitLines("a\r\n\r\n"), (RecordLines{"a", ""}));
    EXPECT_EQ(SplitLines("a\n\r"), (RecordLines{"a", ""})) << "LF CR is two line ends";
    EXPECT_EQ(SplitLines("\r\n\n\r"), (RecordLines{"", "", ""}));
    EXPECT_EQ(SplitLines(""), RecordLines{});
    EXPECT_EQ(SplitLines(std::string("a\r\nb\0c\r\nd", 9)), (RecordLines{"a", "b"})) << "NUL ends the text";
    EXPECT_EQ(SplitLines(std::string("\0a", 2)), RecordLines{});
    // CP932 trail bytes never look like a line end or NUL, so the bytes split safely.
    EXPECT_EQ(SplitLines(Utf8ToCp932("θ\r\nソ")), (RecordLines{Utf8ToCp932("θ"), Utf8ToCp932("ソ")}));

    std::string record;
    for (int i = 1; i <= 25; ++i) record += "line" + std::to_string(i) + "\r\n";
    EXPECT_EQ(SplitLines(record).size(), 25u);
    EXPECT_EQ(SplitLines(record + "\r\n").size(), 26u);
    EXPECT_EQ(SplitLines(record.substr(0, record.size() - 2)).size(), 25u);
}

TEST(CurveRecordNumbers, AHugeInvalidLineShowsItsBeginningInWholeCharacters) {
    std::string fullWidthOnes;
    for (int i = 0; i < 300000; ++i) fullWidthOnes += "\x82\x50";  // １
    ReadProblems problems;
    EXPECT_EQ(ReadOne(fullWidthOnes, problems), 0);
    std::string beginning;
    for (int i = 0; i < 40; ++i) beginning += "１";
    EXPECT_EQ(problems.Listed(), std::vector<std::string>{"a.crv の「名前」: " + beginning + "…"});
}
