// Arbitrary bytes as the content of a curve file or catalog: line splitting, the number and text
// reading rules, the codec, every record parsed, and the curve table of the catalog collection.
#include <cstring>
#include <memory>

#include "FuzzInput.h"
#include "FuzzSetup.h"
#include "app/Main.h"
#include "curves/Codec.h"
#include "ui/ScriptedPlatform.h"

namespace {

std::string Decimal(std::int32_t value) { return std::to_string(value); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ScriptedPlatform platform;
    static std::unique_ptr<TfrmMain> form = std::make_unique<TfrmMain>(platform, "/nonexistent/");
    platform.messages.clear();
    platform.log.clear();

    const std::string text(reinterpret_cast<const char*>(data), size);
    RecordLines lines = SplitLines(text);

    std::size_t lineBytes = 0;
    for (const std::string& line : lines) {
        FUZZ_CHECK(line.find_first_of(std::string("\r\n\0", 3)) == std::string::npos);
        lineBytes += line.size();
        FUZZ_CHECK(IsValidUtf8(Cp932ToUtf8(line)));

        // A number that reads must read back the same from its decimal and "$" forms.
        std::int32_t value = 0;
        if (ParseNumberText(line, value)) {
            std::int32_t again = 1;
            FUZZ_CHECK(ParseNumberText(Decimal(value), again) && again == value);
            FUZZ_CHECK(ParseNumberText(ColorText(static_cast<std::uint32_t>(value)), again) && again == value);
        }
    }
    FUZZ_CHECK(lineBytes <= size);
    // Joining with LF and splitting again gives the same lines (an empty last line aside, which a
    // trailing line end cannot express).
    if (!lines.empty() && !lines.back().empty()) {
        std::string joined;
        for (const std::string& line : lines) joined += line + "\n";
        FUZZ_CHECK(SplitLines(joined) == lines);
    }

    const int records = RecordCount(lines);
    FUZZ_CHECK(records == static_cast<int>(lines.size() / RecordLineCount));
    ReadProblems problems;
    for (int k = 0; k < records && k < 60; ++k) {
        CurveEntry entry = ParseRecord(lines, k, problems, {"f.crx", k * RecordLineCount + 1});
        FUZZ_CHECK(entry.Name != "*");
    }
    FUZZ_CHECK(static_cast<int>(problems.Listed().size()) == std::min(problems.Count(), ReadProblems::MaxListed));
    FUZZ_CHECK(IsValidUtf8(problems.Message()));
    // Number reading past the end of the list gives the placeholder, never a read out of range.
    FUZZ_CHECK(ReadNumberLine(lines, lines.size() + 3, problems) == NotPlaceholder);

    // The catalog path: the built-in record in front, then the table of at most 50 entries.
    form->CollectionKind = 1 + static_cast<int>(size % 3);
    form->lstCurve = lines;
    form->InsertBuiltInCurve();
    ReadProblems tableProblems;
    form->BuildCurveTable(tableProblems, {});
    const int expected = std::min(records + 1, CurveTableCapacity);
    FUZZ_CHECK(form->curveTable.Count == expected);
    FUZZ_CHECK(form->lstShiki.Count() == 1);
    FUZZ_CHECK(form->curveTable[0].Id == (form->CollectionKind == 1 ? 3 : form->CollectionKind == 2 ? 8 : 2));
    FUZZ_CHECK(IsValidUtf8(tableProblems.Message()));
    return 0;
}
