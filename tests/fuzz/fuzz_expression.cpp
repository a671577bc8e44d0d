// The formula lines of a typed-formula record, as arbitrary bytes: every line reads or gives a
// message with a place inside it; what reads evaluates to a number or NaN, never to infinity; the
// folded program agrees with the full one; the line as the record stores it reads the same; and
// the caption and the typesetter draw whatever they are given inside their strip and extent.
#include <cmath>
#include <cstring>

#include "FuzzInput.h"
#include "FuzzSetup.h"
#include "curves/Codec.h"
#include "formula/Expression.h"
#include "formula/FormulaCaption.h"
#include "picture/Canvas.h"
#include "picture/Fonts.h"

namespace {

bool Same(double a, double b) { return (std::isnan(a) && std::isnan(b)) || a == b; }

// The values of everything a formula holds, at one place.
std::vector<double> Values(const CurveFormula& formula, const FormulaValues& at) {
    std::vector<double> values;
    for (const Expression* e : {&formula.x, &formula.y, &formula.r, &formula.left, &formula.right}) values.push_back(e->Evaluate(at));
    if (formula.range) {
        values.push_back(formula.range->low.Evaluate(at));
        values.push_back(formula.range->high.Evaluate(at));
    }
    return values;
}

double Coordinate(FuzzInput& input) { return (input.Range(0, 4000) - 2000) / 100.0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    // The first byte picks the kind. One input in sixteen is drawn too (drawing costs ten times
    // what reading does), chosen by a hash of all its bytes: were it a byte of its own, the inputs
    // that draw would fill the corpus, as drawing adds coverage, and their mutations would draw.
    const int kind = 26 + input.Byte() % 3;
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 16777619u;
    const bool draw = hash % 16 == 0;
    FormulaValues at;
    at.a = input.Range(-5, 20), at.b = input.Range(-5, 20), at.c = input.Range(-5, 20);
    at.t = at.theta = Coordinate(input);
    at.x = Coordinate(input), at.y = Coordinate(input), at.r = std::hypot(at.x, at.y);
    const std::string lines[3] = {input.Text(1200), input.Text(1200), input.Text(1200)};

    auto result = ReadCurveFormula(kind, lines[0], lines[1], lines[2]);
    if (auto* error = std::get_if<FormulaError>(&result)) {
        FUZZ_CHECK(!error->message.empty() && IsValidUtf8(error->message));
        FUZZ_CHECK(error->line >= 3 && error->line <= 5);
        FUZZ_CHECK(error->character >= 1 && error->character <= static_cast<int>(DecodeUtf8(lines[error->line - 3]).size()) + 1);
    }
    const CurveFormula* formula = std::get_if<CurveFormula>(&result);
    if (formula) {
        for (double value : Values(*formula, at)) FUZZ_CHECK(!std::isinf(value));
        for (const Expression* e : {&formula->x, &formula->y, &formula->r, &formula->left, &formula->right})
            FUZZ_CHECK(Same(e->Evaluate(at), e->WithParameters(at.a, at.b, at.c).Evaluate(at)));
        FUZZ_CHECK((formula->parameters & ~(fsA | fsB | fsC)) == 0);
    }

    // The record's spelling: what it keeps survives the code page, and it reads as typed.
    std::string stored[3];
    bool storable = true;
    for (int i = 0; i < 3; ++i) {
        const std::string spelled = FormulaForRecord(lines[i]);
        stored[i] = Cp932ToUtf8(Utf8ToCp932(spelled));
        storable = storable && stored[i] == spelled && DecodeUtf8(spelled).size() <= FormulaLengthLimit;
    }
    if (formula && storable) {
        auto again = ReadCurveFormula(kind, stored[0], stored[1], stored[2]);
        FUZZ_CHECK(std::holds_alternative<CurveFormula>(again));
        const std::vector<double> before = Values(*formula, at), after = Values(std::get<CurveFormula>(again), at);
        FUZZ_CHECK(before.size() == after.size());
        for (std::size_t i = 0; i < before.size(); ++i) FUZZ_CHECK(Same(before[i], after[i]));
    }

    auto text = ReadFormulaText(lines[1]);
    if (auto* error = std::get_if<FormulaError>(&text)) FUZZ_CHECK(!error->message.empty());
    if (!draw) return 0;

    // The caption keeps its ink off the strip's right margin.
    static Canvas strip(CaptionStripWidth, CaptionStripHeight);  // the caption paints its own strip
    FormulaCaption caption;
    caption.kind = kind;
    caption.line3 = lines[0], caption.line4 = lines[1], caption.line5 = lines[2];
    caption.a = static_cast<int>(at.a), caption.b = static_cast<int>(at.b), caption.c = static_cast<int>(at.c);
    DrawFormulaCaption(strip, caption, 0);
    for (int y = 0; y < CaptionStripHeight; ++y) {
        for (int x = CaptionStripWidth - CaptionRightMargin; x < CaptionStripWidth; ++x) FUZZ_CHECK(strip.Pixel(x, y) == clWhite);
    }

    // The same bytes as a text for display, typeset as it measures.
    const FormulaExtent measured = MeasureFormula(lines[1], 12);
    static Canvas canvas(300, 150);
    const FormulaExtent drawn = TypesetFormula(canvas, lines[1], 10, 75, 12, clBlack);
    FUZZ_CHECK(drawn.width == measured.width && drawn.ascent == measured.ascent && drawn.descent == measured.descent);
    FUZZ_CHECK(drawn.width >= 0 && drawn.ascent >= 0 && drawn.descent >= 0);
    return 0;
}
