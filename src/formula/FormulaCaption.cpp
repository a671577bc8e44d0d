#include "formula/FormulaCaption.h"

#include <algorithm>
#include <optional>
#include <tuple>

#include "curves/Codec.h"
#include "formula/Annotation.h"
#include "formula/Expression.h"
#include "formula/FormulaLayout.h"
#include "picture/Fonts.h"

namespace {

// Rows and columns of the strip, from its top-left corner: the name and the parameter line stand
// where every other caption has them.
constexpr int NameColumn = 10, NameRow = 9, NameSize = 14;
constexpr int ParameterColumn = 100, ParameterRow = 84, ParameterSize = 16;
constexpr int FormulaColumn = 10;
constexpr int FormulaTop = 31;  // the first row under the name's text box
constexpr int LastRow = CaptionStripHeight - 1;  // the strip's last row lies below the picture
constexpr int RightLimit = CaptionStripWidth - CaptionRightMargin;  // no ink from this column on
constexpr int LineGap = 3;
constexpr int ParameterGap = 3;  // rows between the formulas' ink and the parameter line's text box
constexpr int LargestSize = 16, SmallestSize = 12, LastResortSize = 6;

// An italic letter may lean left of its pen: a formula set at x is moved right by that much, so
// that its ink begins at x.
int LeftLean(const MathBox& box) { return box.pieces.empty() ? 0 : std::max(0, -box.inkLeft); }

FormulaExtent ExtentOf(const MathBox& box) {
    return {LeftLean(box) + std::max(box.width, box.inkRight), box.ascent, box.descent};
}

MathBox BoxOfText(const std::string& text, int size) {
    auto read = ReadFormulaText(text);
    if (auto* tree = std::get_if<std::shared_ptr<const ExpressionNode>>(&read)) return LayOutFormula(**tree, size);
    return TextBox(text, AnnotationFontFace, size, false);
}

int TextBoxHeight(int size) {
    FontFace* face = FindFace(AnnotationFontFace, false, false);
    return face ? face->Metrics(FontPixelSize(size)).Height() : FontPixelSize(size);
}

// The ink end of a text in the caption's face at a size, relative to where it begins.
int TextEnd(const std::string& text, int size) {
    const MathBox box = TextBox(text, AnnotationFontFace, size, false);
    return std::max(box.width, box.inkRight);
}

// Writes a line of plain text at (x, y) in the caption's face: at `size`, or smaller down to
// `smallest` where it would reach the right margin, and cut short with "…" where even that does.
void WriteFitting(Painter& painter, int x, int y, const std::string& text, int size, int smallest) {
    painter.Font.Name = AnnotationFontFace;
    painter.Font.Italic = false;
    painter.Font.Bold = false;
    painter.Font.Size = size;
    while (painter.Font.Size > smallest && x + TextEnd(text, painter.Font.Size) > RightLimit) --painter.Font.Size;
    std::string shown = text;
    FontFace* face = FindFace(AnnotationFontFace, false, false);
    if (face && x + TextEnd(text, painter.Font.Size) > RightLimit) {
        // The longest beginning whose advances leave room for the ellipsis, then shorter while its
        // ink still reaches the margin.
        const int pixels = FontPixelSize(painter.Font.Size);
        const std::u32string characters = DecodeUtf8(text);
        int end = x + face->Glyph(U'…', pixels).Advance;
        std::size_t count = 0;
        while (count < characters.size() && end + face->Glyph(characters[count], pixels).Advance <= RightLimit) {
            end += face->Glyph(characters[count++], pixels).Advance;
        }
        do {
            shown.clear();
            for (std::size_t i = 0; i < count; ++i) shown += Utf8Of(characters[i]);
            shown += "…";
        } while (x + TextEnd(shown, painter.Font.Size) > RightLimit && count-- > 0);
    }
    painter.TextOut(x, y, shown);
}

// One unbreakable piece of the formula line; the line may break before it.
struct Word {
    MathBox box;
    int gap = 0;                  // columns before it when it follows another word on its line
    bool beginsEquation = false;  // a line that begins with it is not indented
    // A formula that may be broken before its terms when it is too wide for a line, and what
    // follows its last term ("," or " =").
    const ExpressionNode* formula = nullptr;
    MathBox trailer;
};

struct Line {
    MathBox box;
    int indent = 0;
    int baseline = 0;
};

enum class Breaks { None, AfterEquals, BeforeTerms };

struct Arrangement {
    std::vector<Line> lines;
    int parameterRow = ParameterRow;
};

class CaptionLayout {
public:
    CaptionLayout(const CurveFormula& formula, bool hasParameterLine) : formula(formula), hasParameterLine(hasParameterLine) {}

    // The formulas at the largest size that fits on one line, down to 12 points; then broken
    // after "=" or ","; then before the terms of a sum too; smaller than 12 points only when even
    // that leaves the strip. Nothing when no size fits at all.
    std::optional<Arrangement> Arrange() const {
        for (Breaks breaks : {Breaks::None, Breaks::AfterEquals, Breaks::BeforeTerms}) {
            for (int size = LargestSize; size >= SmallestSize; --size) {
                int widest = 0;
                if (auto arrangement = Fit(size, breaks, &widest)) return arrangement;
                // On one line the width goes with the size: skip the sizes that are clearly too
                // large (a point to spare, as glyph widths are whole pixels).
                if (breaks == Breaks::None && widest > 0)
                    size = std::min(size, size * (RightLimit - FormulaColumn) / widest + 2);
            }
        }
        for (int size = SmallestSize - 1; size >= LastResortSize; --size) {
            if (auto arrangement = Fit(size, Breaks::BeforeTerms)) return arrangement;
        }
        return std::nullopt;
    }

private:
    static Word Formula(const ExpressionNode& tree, int size, const MathBox* trailer) {
        Word word;
        word.box = LayOutFormula(tree, size);
        word.formula = &tree;
        if (trailer) {
            word.trailer = *trailer;
            word.box.Append(*trailer);
        }
        return word;
    }

    static Word Label(const char* name, int size) {
        Word word;
        word.box = TextBox(name, MathFace, size, true);
        word.box.Append(RelationBox(Operator::Equal, size));
        word.beginsEquation = true;
        return word;
    }

    std::vector<Word> Words(int size) const {
        std::vector<Word> words;
        const MathBox comma = TextBox(",", MathFace, size, false);
        const MathBox equals = RelationBox(Operator::Equal, size);
        const int quad = FontPixelSize(size);
        if (formula.kind == 26) {
            words.push_back(Label("x", size));
            words.push_back(Formula(formula.x.Tree(), size, &comma));
            words.push_back(Label("y", size));
            words.back().gap = quad;
            words.push_back(Formula(formula.y.Tree(), size, nullptr));
        } else if (formula.kind == 27) {
            words.push_back(Label("r", size));
            words.push_back(Formula(formula.r.Tree(), size, nullptr));
        } else {
            words.push_back(Formula(formula.left.Tree(), size, &equals));
            words.back().beginsEquation = true;
            words.push_back(Formula(formula.right.Tree(), size, nullptr));
        }
        if (formula.range && formula.range->tree) {
            ExpressionNode group;
            group.kind = NodeKind::Group;
            group.children.push_back(*formula.range->tree);
            Word range;
            range.box = LayOutFormula(group, size);
            range.gap = quad;
            words.push_back(std::move(range));
        }
        return words;
    }

    static int InkEnd(const MathBox& box) { return box.pieces.empty() ? box.width : box.inkRight; }

    // The words on lines: all on one, or each line filled as far as it goes, a line that must
    // break breaking after its last comma where it has one; with BeforeTerms, a word too wide for
    // a line of its own is cut before the terms of its formula.
    static std::vector<Line> Fill(std::vector<Word> words, int size, Breaks breaks) {
        std::vector<Line> lines;
        if (breaks == Breaks::None) {
            Line line;
            for (const Word& word : words) line.box.Append(word.box, line.box.Empty() ? 0 : word.gap);
            lines.push_back(std::move(line));
            return lines;
        }
        const int indent = 2 * FontPixelSize(size);
        const int width = RightLimit - FormulaColumn;
        std::vector<Word> pieces;
        for (Word& word : words) {
            if (breaks != Breaks::BeforeTerms || InkEnd(word.box) <= width - indent || !word.formula) {
                pieces.push_back(std::move(word));
                continue;
            }
            std::vector<MathBox> terms = LayOutTerms(*word.formula, size);
            terms.back().Append(word.trailer);
            for (std::size_t i = 0; i < terms.size(); ++i) {
                Word piece;
                piece.box = std::move(terms[i]);
                piece.gap = i == 0 ? word.gap : 0;
                piece.beginsEquation = i == 0 && word.beginsEquation;
                pieces.push_back(std::move(piece));
            }
        }
        // Lines as runs of pieces [first, end).
        std::vector<std::pair<std::size_t, std::size_t>> runs;
        auto widthOf = [&](std::size_t first, std::size_t end) {
            MathBox joined;
            for (std::size_t i = first; i < end; ++i) joined.Append(pieces[i].box, i == first ? 0 : pieces[i].gap);
            return (pieces[first].beginsEquation || runs.empty() ? 0 : indent) + InkEnd(joined);
        };
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (runs.empty() || widthOf(runs.back().first, i + 1) > width) {
                // Break after the line's last comma, if moving what follows it leaves this piece room.
                if (!runs.empty()) {
                    auto& last = runs.back();
                    for (std::size_t k = i; k-- > last.first + 1;) {
                        if (!pieces[k].beginsEquation) continue;
                        if (widthOf(k, i + 1) <= width) {
                            last.second = k;
                            runs.push_back({k, i + 1});
                        }
                        break;
                    }
                    if (runs.back().second == i + 1) continue;
                }
                runs.push_back({i, i + 1});
            } else {
                runs.back().second = i + 1;
            }
        }
        for (auto [first, end] : runs) {
            Line line;
            line.indent = pieces[first].beginsEquation || lines.empty() ? 0 : indent;
            for (std::size_t i = first; i < end; ++i) line.box.Append(pieces[i].box, i == first ? 0 : pieces[i].gap);
            lines.push_back(std::move(line));
        }
        return lines;
    }

    // The lines stacked under the name: centred in the rows above the parameter line where they
    // fit there, else from the top with the parameter line moved down under them.
    std::optional<Arrangement> Place(std::vector<Line> lines) const {
        Arrangement arrangement;
        int height = 0;
        for (const Line& line : lines) height += line.box.ascent + line.box.descent;
        height += LineGap * static_cast<int>(lines.size() - 1);
        const int zone = ParameterRow - ParameterGap - FormulaTop;
        int row = FormulaTop + std::max(0, (zone - height) / 2);
        if (height > zone) {
            row = FormulaTop;
            const int parameterRow = FormulaTop + height + ParameterGap;
            const int bottom = hasParameterLine ? parameterRow + TextBoxHeight(ParameterSize) : FormulaTop + height;
            if (bottom > LastRow) return std::nullopt;
            arrangement.parameterRow = std::max(ParameterRow, parameterRow);
        }
        for (Line& line : lines) {
            line.baseline = row + line.box.ascent;
            row = line.baseline + line.box.descent + LineGap;
        }
        arrangement.lines = std::move(lines);
        return arrangement;
    }

    // The arrangement at `size`, if it fits; `widest` gets the widest line's ink end.
    std::optional<Arrangement> Fit(int size, Breaks breaks, int* widest = nullptr) const {
        std::vector<Line> lines = Fill(Words(size), size, breaks);
        bool fits = true;
        for (const Line& line : lines) {
            if (widest) *widest = std::max(*widest, line.indent + InkEnd(line.box));
            fits = fits && FormulaColumn + line.indent + InkEnd(line.box) <= RightLimit;
        }
        if (!fits) return std::nullopt;
        return Place(std::move(lines));
    }

    const CurveFormula& formula;
    bool hasParameterLine;
};

// "      a = 13,  b = 1～3,  0≦t≦2π": the parameters in `used`, the stepped one as a range in a
// repeat, and the range text when there is one.
std::string ParameterLine(const FormulaCaption& caption, unsigned used, const std::string& range) {
    std::string line;
    auto add = [&](const std::string& part) { line += line.empty() ? "      " + part : ",  " + part; };
    for (auto [letter, bit, value] : {std::tuple{'a', fsA, caption.a}, {'b', fsB, caption.b}, {'c', fsC, caption.c}}) {
        if (!(used & bit)) continue;
        std::string part = std::string(1, letter) + " = ";
        if (caption.repeat && caption.target == letter) part += std::to_string(caption.repeatStart) + "～";
        add(part + std::to_string(value));
    }
    if (!range.empty()) add(range);
    return line;
}

// The panel's θ range in the formula's own letter: "0≦t≦2π" for a curve of t.
std::string PanelRange(const FormulaCaption& caption, unsigned parameter) {
    if (parameter != fsT) return caption.thetaRange;
    const std::string theta = "θ";
    std::string range;
    for (std::size_t at = 0; at < caption.thetaRange.size();) {
        const bool isTheta = caption.thetaRange.compare(at, theta.size(), theta) == 0;
        range += isTheta ? std::string("t") : caption.thetaRange.substr(at, 1);
        at += isTheta ? theta.size() : 1;
    }
    return range;
}

// The formula lines as they stand: "x=…,  y=…", "r=…" or the equation.
std::string AsTyped(const FormulaCaption& caption) {
    return caption.kind == 26 ? caption.line4 + ",  " + caption.line5 : caption.kind == 27 ? caption.line3 : caption.line4;
}

}  // namespace

FormulaExtent TypesetFormula(Painter& painter, const std::string& text, int x, int baseline, int size, TColor color) {
    const MathBox box = BoxOfText(text, size);
    DrawMathBox(painter, box, x + LeftLean(box), baseline, color);
    return ExtentOf(box);
}

FormulaExtent TypesetFormula(Painter& painter, const ExpressionNode& tree, int x, int baseline, int size, TColor color) {
    const MathBox box = LayOutFormula(tree, size);
    DrawMathBox(painter, box, x + LeftLean(box), baseline, color);
    return ExtentOf(box);
}

FormulaExtent MeasureFormula(const std::string& text, int size) { return ExtentOf(BoxOfText(text, size)); }
FormulaExtent MeasureFormula(const ExpressionNode& tree, int size) { return ExtentOf(LayOutFormula(tree, size)); }

void DrawFormulaCaption(Painter& painter, const FormulaCaption& caption, int top) {
    painter.Brush.Style = BrushStyle::Clear;
    painter.FillRect({0, top, CaptionStripWidth, top + CaptionStripHeight}, caption.stripColor);
    painter.Font.Color = caption.textColor;
    WriteFitting(painter, NameColumn, top + NameRow, caption.name, NameSize, 8);

    auto read = ReadCurveFormula(caption.kind, caption.line3, caption.line4, caption.line5);
    std::string parameterLine;
    int parameterRow = ParameterRow;
    if (const CurveFormula* formula = std::get_if<CurveFormula>(&read)) {
        const std::string range = formula->range || formula->kind == 28 ? std::string() : PanelRange(caption, formula->parameter);
        parameterLine = ParameterLine(caption, formula->parameters, range);
        if (const std::optional<Arrangement> arrangement = CaptionLayout(*formula, !parameterLine.empty()).Arrange()) {
            for (const Line& line : arrangement->lines)
                DrawMathBox(painter, line.box, FormulaColumn + line.indent, top + line.baseline, caption.textColor);
            parameterRow = arrangement->parameterRow;
        } else {
            // Too long for the strip at any size: written as it stands, cut short.
            WriteFitting(painter, FormulaColumn, top + FormulaTop + 12, AsTyped(caption), ParameterSize, 8);
        }
    } else {
        // A formula that does not read is shown as it stands, with every parameter the panel has.
        WriteFitting(painter, FormulaColumn, top + FormulaTop + 12, AsTyped(caption), ParameterSize, 8);
        unsigned used = 0;
        for (auto [bit, value] : {std::pair{fsA, caption.a}, {fsB, caption.b}, {fsC, caption.c}}) {
            if (value != NotPlaceholder) used |= bit;
        }
        parameterLine = ParameterLine(caption, used, caption.kind == 28 ? std::string() : caption.thetaRange);
    }
    painter.Font.Color = caption.textColor;
    WriteFitting(painter, ParameterColumn, top + parameterRow, parameterLine, ParameterSize, 8);
    painter.Font.Size = ParameterSize;
}
