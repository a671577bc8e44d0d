#include "curves/ReadProblems.h"

#include "curves/Codec.h"
#include "curves/CurveRecord.h"
#include "ui/Platform.h"

namespace {
// Enough of a bad line to recognise it; one problem stays about one line of the box.
constexpr std::size_t ShownCharacters = 40;

std::string Excerpt(const std::string& utf8) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) continue;
        if (characters++ == ShownCharacters) return utf8.substr(0, i) + "…";
    }
    return utf8;
}
}  // namespace

void ReadProblems::Add(std::string problem) {
    if (++count <= MaxListed) listed.push_back(MessageExcerpt(problem));
}

void ReadProblems::AddBadNumber(const RecordSource& source, int line, const std::string& cp932) {
    badNumbers = true;
    if (count >= MaxListed) {
        ++count;
        return;
    }
    std::string where = source.file + " の";
    if (source.firstLine > 0) where += " " + std::to_string(source.firstLine + line - 1) + " 行目";
    Add(where + "「" + RecordLineLabels.at(static_cast<std::size_t>(line - 1)) + "」: " + Excerpt(Cp932ToUtf8(cp932)));
}

std::string ReadProblems::Message() const {
    // A lone problem that needs no explanation is its own message, worded as it always was.
    if (count == 1 && !badNumbers) return listed.front();
    std::string text = "曲線を読み込むときに、次の問題がありました。";
    if (badNumbers) text += "数として読めない行は 0 として読みました。";
    for (const std::string& problem : listed) text += "\n" + problem;
    if (count > MaxListed) text += "\nほか " + std::to_string(count - MaxListed) + " 件";
    return text;
}
