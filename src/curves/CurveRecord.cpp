#include "curves/CurveRecord.h"

#include <cstdio>
#include <limits>

#include "curves/Codec.h"
#include "ui/Platform.h"

const std::array<const char*, RecordLineCount> RecordLineLabels = {
    "名前", "ID", "極形式の式", "Ｘ成分", "Ｙ成分", "パラメータａ", "パラメータｂ", "パラメータｃ",
    "θ開始", "θ終了", "反復開始Ｓ", "反復終了Ｅ", "拡大率", "対象(A,B,C)", "補助線", "STEP",
    "背景", "線色", "背景色", "線幅", "指示１", "指示２", "指示３", "指示４", "指示５"};

namespace {

const std::string& LineAt(const RecordLines& lines, std::size_t index) {
    // A line beyond the list reads as an empty line, so a short list cannot be read past its end.
    static const std::string empty;
    return index < lines.size() ? lines[index] : empty;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The three built-in records as UTF-8 source text; BuiltInRecords() converts them once.
const char* const BuiltInSource[3][RecordLineCount] = {
    {"バラ（ハイポトロコイド）", "3", "", "x=(a-b)cosθ+ccos [a-b]/b θ", "y=(a-b)sinθ-csin [a-b]/b θ",
     "13", "3", "11", "0", "6", "1", "11", "3", "c", "0", "0", "0", "$00FFFFFF", "0", "1",
     "*", "*", "*", "*", "*"},
    {"ツボミ（エピトロコイド）", "8", "*", "x=(a+b)cosθ-ccos [a+b]/b θ ", "y=(a+b)sinθ-csin [a+b]/b θ ",
     "7", "3", "8", "0", "6", "1", "8", "3", "c", "0", "1", "0", "$00E0C1FF", "0", "1",
     "*", "*", "*", "*", "*"},
    {"クッション丸（正葉曲線１）", "2", "r = c sin [a]/b θ", " ", "",
     "20", "9", "10", "0", "20", "1", "1", "4", "a", "0", "4", "0", "$0000FFFF", "0", "1",
     "*", "*", "*", "*", "*"},
};

}  // namespace

bool ParseNumberText(const std::string& text, std::int32_t& value) {
    std::size_t at = 0;
    while (at < text.size() && text[at] == ' ') ++at;
    if (at == text.size()) return false;

    if (text[at] == '$') {
        ++at;
        if (at == text.size()) return false;
        std::uint64_t bits = 0;
        for (; at < text.size(); ++at) {
            int digit = HexDigit(text[at]);
            if (digit < 0) return false;
            bits = bits * 16 + static_cast<unsigned>(digit);
            if (bits > std::numeric_limits<std::uint32_t>::max()) return false;
        }
        // Hexadecimal gives the 32 bits as they stand: "$FFFFFFFF" is -1.
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
        return true;
    }

    bool negative = false;
    if (text[at] == '+' || text[at] == '-') {
        negative = text[at] == '-';
        ++at;
    }
    if (at == text.size()) return false;
    std::int64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        char c = text[at];
        if (c < '0' || c > '9') return false;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return false;
    }
    std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > std::numeric_limits<std::int32_t>::max()) return false;
    value = static_cast<std::int32_t>(signedValue);
    return true;
}

std::int32_t ReadNumberLine(const RecordLines& lines, std::size_t index, ReadProblems& problems,
                            const RecordSource& source) {
    const std::string& line = LineAt(lines, index);
    if (line.empty() || line == "*") return NotPlaceholder;
    std::int32_t value = 0;
    if (ParseNumberText(line, value)) return value;
    problems.AddBadNumber(source, static_cast<int>(index % RecordLineCount) + 1, line);
    return 0;
}

std::string ReadTextLine(const RecordLines& lines, std::size_t index) {
    const std::string& line = LineAt(lines, index);
    return line == "*" ? std::string() : line;
}

int RecordCount(const RecordLines& lines) { return static_cast<int>(lines.size() / RecordLineCount); }

CurveEntry ParseRecord(const RecordLines& lines, int record, ReadProblems& problems, const RecordSource& source) {
    const std::size_t first = static_cast<std::size_t>(record) * RecordLineCount;
    // Fields are read strictly in line order, so the problems of invalid number lines come in
    // the order the lines stand in the record.
    auto text = [&](RecordLine line) { return ReadTextLine(lines, first + line - 1); };
    auto number = [&](RecordLine line) { return ReadNumberLine(lines, first + line - 1, problems, source); };

    CurveEntry entry;
    entry.Name = text(rlName);
    entry.Id = number(rlId);
    entry.PolarFormula = text(rlPolarFormula);
    entry.XFormula = text(rlXFormula);
    entry.YFormula = text(rlYFormula);
    entry.ParamA = number(rlParamA);
    entry.ParamB = number(rlParamB);
    entry.ParamC = number(rlParamC);
    entry.ThetaStart = number(rlThetaStart);
    entry.ThetaEnd = number(rlThetaEnd);
    entry.RepeatStart = number(rlRepeatStart);
    entry.RepeatEnd = number(rlRepeatEnd);
    entry.Zoom = number(rlZoom);
    entry.RepeatTarget = LineAt(lines, first + rlRepeatTarget - 1);
    entry.AuxLine = number(rlAuxLine);
    entry.StepIndex = number(rlStepIndex);
    entry.Background = number(rlBackground);
    entry.LineColor = number(rlLineColor);
    entry.BackColorValue = number(rlBackColorValue);
    entry.LineWidth = number(rlLineWidth);
    for (int i = 0; i < 5; ++i) entry.Notes[i] = text(static_cast<RecordLine>(rlNote1 + i));
    return entry;
}

const RecordLines& BuiltInRecords() {
    static const RecordLines lines = [] {
        RecordLines all;
        for (const auto& record : BuiltInSource) {
            for (const char* line : record) all.push_back(Utf8ToCp932(line));
        }
        return all;
    }();
    return lines;
}

RecordLines BuiltInRecord(int n) {
    const RecordLines& all = BuiltInRecords();
    if (n < 1 || n > 3) return {};
    auto first = all.begin() + (n - 1) * RecordLineCount;
    return RecordLines(first, first + RecordLineCount);
}

std::string ColorText(std::uint32_t color) {
    char text[16];
    std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(color));
    return text;
}

RecordLines SplitLines(const std::string& text, std::size_t* nulLine) {
    RecordLines lines;
    std::size_t end = text.find('\0');
    if (nulLine) *nulLine = 0;
    if (end == std::string::npos) end = text.size();
    std::size_t start = 0;
    while (start < end) {
        std::size_t stop = start;
        while (stop < end && text[stop] != '\r' && text[stop] != '\n') ++stop;
        lines.push_back(text.substr(start, stop - start));
        if (stop < end) stop += (text[stop] == '\r' && stop + 1 < end && text[stop + 1] == '\n') ? 2 : 1;
        start = stop;
    }
    if (nulLine && end < text.size()) {
        // The NUL stands in the last line read, or begins a line of its own after a line end.
        const bool atLineStart = end == 0 || text[end - 1] == '\r' || text[end - 1] == '\n';
        *nulLine = lines.size() + (atLineStart ? 1 : 0);
    }
    return lines;
}
