// Malformed formula text is normal input: every byte string is drawn somehow and nothing reads
// outside its string. The sanitizer build runs these over thousands of random lines.
#include <gtest/gtest.h>

#include <random>

#include "curves/Codec.h"
#include "formula/FormulaTestSupport.h"
#include "formula/Typeset.h"

using namespace formula_test;

namespace {

constexpr int X = 30;
constexpr int Y = 10;

class TypesetRobustnessTest : public ::testing::Test {
protected:
    TfrmMath glyphs;
    Typesetter typesetter{glyphs};
    Canvas canvas = MakeCanvas(300, 100);

    TPoint Line(const std::string& cp932, int x = X) {
        return typesetter.TypesetLine(16, x, Y, 1.0, canvas, cp932, clBlack);
    }
};

TEST_F(TypesetRobustnessTest, TruncatedGroupsAndLeadBytesStayInsideTheirStrings) {
    // A lead byte as the very last byte is written on its own, unchanged.
    EXPECT_GT(Line("x=\x83").x, X);

    canvas = MakeCanvas(300, 100);
    // The group ends before the token's last byte, which is lost; an opening byte at the end
    // leaves an empty group and an empty numerator, so nothing is drawn.
    Canvas reference = MakeCanvas(300, 100);
    EXPECT_EQ(Line("1|2(ab", 100).x, typesetter.DrawPiece(reference, 16, "a", "2", 100, Y, 1.0));
    EXPECT_TRUE(SamePixels(canvas, reference, "group-unclosed"));
    EXPECT_EQ(Line("1|2(").x, X);

    // "/" with nothing before it: a plain piece, no fraction.
    canvas = MakeCanvas(300, 100);
    reference = MakeCanvas(300, 100);
    EXPECT_EQ(Line("/ab").x, typesetter.DrawPiece(reference, 16, "ab", "", X, Y, 1.0));
    EXPECT_TRUE(SamePixels(canvas, reference, "slash-first"));
}

TEST_F(TypesetRobustnessTest, UnbalancedBracketsAndCaretsAreDrawnSomehow) {
    for (const char* text : {"]a[b", "[a/b", "[[[", "]]]", "[", "]", "x^", "^", "^^^9", "[R", "R]", "[]/[]",
                             "a/b/c", "|", "1|", "[R^]", "[R/]", "[R()]", "[R)(]", "<", ">=", "<=>="}) {
        canvas = MakeCanvas(300, 100);
        EXPECT_EQ(Line(text).y, Y) << text;
    }
    // A caret inside brackets with nothing to raise ends the run where it began, not where an
    // earlier drawing left the canvas position.
    canvas.MoveTo(250, 0);
    EXPECT_EQ(Line("[^]").x, X + 10);
}

TEST_F(TypesetRobustnessTest, RootWithoutClosingBracketIsStillDrawnOverItsInside) {
    Line("[R3]");
    Canvas reference = canvas;
    canvas = MakeCanvas(300, 100);
    Line("[R3");
    EXPECT_TRUE(SamePixels(canvas, reference, "root-unclosed"));
    EXPECT_EQ(canvas.Pixel(X + 16, Y + 20), clBlack);
}

TEST_F(TypesetRobustnessTest, TenThousandByteLinesAndTokens) {
    std::string mixed;
    while (mixed.size() < 10000) mixed += "[a-b]/b*c x^2 [R1/2] 1|2(a+b) \x83\xC6 ";
    EXPECT_EQ(Line(mixed).y, Y);
    // One token: a root whose inside is ten thousand digits, and an unclosed bracket.
    EXPECT_EQ(Line("[R" + std::string(10000, '7') + "]").y, Y);
    EXPECT_EQ(Line("[" + std::string(10000, 'a')).y, Y);
    EXPECT_EQ(Line("1|2(" + std::string(10000, 'x')).y, Y);
}

TEST_F(TypesetRobustnessTest, LineStopsPastTheRightEdgeWithoutChangingWhatShows) {
    auto repeat = [](const std::string& text, int times) {
        std::string all;
        for (int i = 0; i < times; ++i) all += text;
        return all;
    };
    const std::string theta = "\x83\xC6", halfWidthA = "\xB1";
    const std::string lines[] = {
        "x=" + repeat("(a+b)", 60),
        // The denominator starts inside; where depends on the numerator's whole width.
        "x=[" + repeat("a", 400) + "]/[" + repeat("b", 396) + "]",
        // Exponents after the edge step back towards it.
        "x=" + repeat("a+", 12) + repeat("^.", 200),
        repeat(theta + halfWidthA + "x", 150) + " [R1/2]",
    };
    for (const std::string& line : lines) {
        for (int x : {X, 200}) {
            Canvas wide = MakeCanvas(8000, 100);
            TPoint whole = typesetter.TypesetLine(16, x, Y, 1.0, wide, line, clBlack);
            canvas = MakeCanvas(300, 100);
            TPoint cut = Line(line, x);
            Canvas shown = MakeCanvas(300, 100);
            shown.CopyRect({0, 0, 300, 100}, wide.Picture(), {0, 0, 300, 100});
            EXPECT_TRUE(SamePixels(canvas, shown, "cut-line")) << line.substr(0, 12) << " at " << x;
            if (&line == &lines[0]) {
                EXPECT_LT(cut.x, whole.x) << "typesetting went on past the edge";
            }
        }
    }
    // A long text written unchanged goes out in pieces that add up to the one text.
    const std::string text = repeat(theta + halfWidthA + "x\x81", 150);
    canvas = MakeCanvas(300, 100);
    Canvas whole = MakeCanvas(300, 100);
    EXPECT_EQ(typesetter.DrawTextAsIs(canvas, -2000, Y, text), whole.TextExtent(Cp932ToUtf8(text)).x - 2000);
    whole.TextOut(-2000, Y + 20, Cp932ToUtf8(text));
    EXPECT_TRUE(SamePixels(canvas, whole, "text-in-pieces"));
}

TEST_F(TypesetRobustnessTest, RandomAndMutatedLinesDrawTheSameTwice) {
    std::mt19937 random(20240531);
    const std::string alphabet = "[]R/|^&*\\<>=_()+-$.,0123456789abcxyztgl~# @\x81\x83\xC6\x40\x80";
    const std::string seeds[] = {"x=(a-b)cosθ+ccos [a-b]/b θ", "r = c sin [a]/b θ", "1|2(a+b) [R1/2] x^2",
                                 "a<=b*[R$] 3|2(x)&c"};
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };

    for (int round = 0; round < 3000; ++round) {
        std::string line;
        if (round % 2 == 0) {
            std::size_t length = pick(60);
            for (std::size_t i = 0; i < length; ++i) {
                line += pick(4) == 0 ? static_cast<char>(pick(256)) : alphabet[pick(alphabet.size())];
            }
        } else {
            line = seeds[pick(std::size(seeds))];
            for (std::size_t edits = pick(6) + 1; edits > 0; --edits) {
                std::size_t at = line.empty() ? 0 : pick(line.size());
                char byte = pick(3) == 0 ? static_cast<char>(pick(256)) : alphabet[pick(alphabet.size())];
                switch (pick(3)) {
                    case 0: line.insert(at, 1, byte); break;
                    case 1: if (!line.empty()) line.erase(at, 1); break;
                    default: if (!line.empty()) line[at] = byte; break;
                }
            }
        }
        int x = static_cast<int>(pick(400)) - 100;  // starts off the canvas too
        canvas = MakeCanvas(300, 100);
        TPoint first = Line(line, x);
        ASSERT_EQ(first.y, Y) << round;
        // Drawing depends on nothing but the line: the second drawing is pixel for pixel the same.
        if (round % 10 == 0) {
            Canvas once = canvas;
            canvas = MakeCanvas(300, 100);
            ASSERT_EQ(Line(line, x), first) << round;
            ASSERT_EQ(canvas.Picture(), once.Picture()) << round;
        }
    }
}

}  // namespace
