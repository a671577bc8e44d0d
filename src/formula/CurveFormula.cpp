// The formula lines of a record of a typed-formula kind: each line's prefix ("x=", "y=", "r="),
// its expression or equation, and the range that may follow the last of them.
#include <algorithm>
#include <cmath>

#include "formula/Expression.h"
#include "formula/ExpressionReader.h"

namespace {

constexpr unsigned Parameters = fsA | fsB | fsC;

struct Field {
    const char* name;  // as messages name it: "x の式"
    int line;          // record line
    char prefix;       // 'x', 'y' or 'r'; 0 for the equation of kind 28
    unsigned allowed;
};

constexpr Field XField{"x の式", 4, 'x', Parameters | fsT | fsTheta};
constexpr Field YField{"y の式", 5, 'y', Parameters | fsT | fsTheta};
constexpr Field RField{"r の式", 3, 'r', Parameters | fsTheta};
constexpr Field Equation{"方程式", 4, 0, Parameters | fsX | fsY | fsR | fsTheta};
constexpr const char* RangeName = "範囲";

FormulaError ErrorAt(const std::string& field, int line, const ReadFailure& failure) {
    return FormulaError{FailureMessage(field, failure), line, failure.character};
}

// One formula line cut into tokens, its prefix and range found.
class FormulaLine {
public:
    FormulaLine(const Field& field, const std::string& text) : field(field), tokens(CutIntoTokens(text, false)) {}

    // Finds the prefix and the range; a range is read only where `rangeAllowed`, and `lastName`
    // names the field it must follow.
    std::optional<FormulaError> Cut(bool rangeAllowed, const char* lastName) {
        const int characters = tokens.back().begin - 1;
        if (characters > FormulaLengthLimit)
            return Error({FormulaLengthLimit + 1, "式が長すぎます（" + std::to_string(FormulaLengthLimit) + " 文字まで）"});
        expressionEnd = tokens.size() - 1;
        if (field.prefix) {
            const FormulaToken& name = tokens[0];
            const bool prefixed = name.kind == TokenKind::Letter &&
                                  (name.text == std::string(1, field.prefix) || name.text == std::string(1, field.prefix - 'a' + 'A')) &&
                                  tokens[1].kind == TokenKind::Relation && tokens[1].op == Operator::Equal;
            if (!prefixed) return Error({1, std::string("「") + field.prefix + "=」がありません"});
            expressionBegin = 2;
        }
        // A range is the bracket that ends the line and holds a relation ("(0<=t<=π)").
        if (expressionEnd > expressionBegin && tokens[expressionEnd - 1].kind == TokenKind::Close) {
            int depth = 0;
            bool relation = false;
            for (std::size_t i = expressionEnd; i-- > expressionBegin;) {
                const TokenKind kind = tokens[i].kind;
                if (kind == TokenKind::Close) ++depth;
                if (kind == TokenKind::Relation && depth == 1) relation = true;
                if (kind == TokenKind::Open && --depth == 0) {
                    if (relation) range = std::pair(i + 1, expressionEnd - 1);
                    break;
                }
            }
        }
        if (range) {
            if (!rangeAllowed) return Error({tokens[range->first - 1].begin, std::string("範囲は ") + lastName + "のあとに書きます"});
            expressionEnd = range->first - 1;
        }
        return std::nullopt;
    }

    ParsedRun Parse(bool relations) const {
        ReadRules rules;
        rules.field = field.name;
        rules.allowed = field.allowed;
        rules.relations = relations;
        return ParseTokens(tokens, expressionBegin, expressionEnd, rules);
    }

    FormulaError Error(const ReadFailure& failure) const { return ErrorAt(field.name, field.line, failure); }
    FormulaError RangeError(const ReadFailure& failure) const { return ErrorAt(RangeName, field.line, failure); }

    const Field& field;
    std::vector<FormulaToken> tokens;
    std::size_t expressionBegin = 0, expressionEnd = 0;
    std::optional<std::pair<std::size_t, std::size_t>> range;  // tokens inside the range's brackets
};

using Result = std::variant<CurveFormula, FormulaError>;

// Reads an expression field ("x=…", "y=…", "r=…").
std::variant<Expression, FormulaError> ReadField(FormulaLine& line, bool rangeAllowed, const char* lastName) {
    if (auto error = line.Cut(rangeAllowed, lastName)) return *error;
    ParsedRun run = line.Parse(false);
    if (run.failure) return line.Error(*run.failure);
    return ExpressionReader::Compile(std::move(run.tree));
}

bool IsLess(Operator op) { return op == Operator::Less || op == Operator::LessEqual; }
bool IsGreater(Operator op) { return op == Operator::Greater || op == Operator::GreaterEqual; }

std::string Names(unsigned variables) {
    std::string names;
    for (auto [bit, name] : {std::pair{fsT, "t"}, {fsTheta, "θ"}, {fsX, "x"}, {fsY, "y"}}) {
        if (!(variables & bit)) continue;
        names += names.empty() ? name : std::string(" か ") + name;
    }
    return names;
}

// The range inside its brackets: "low < v < high" (or with ">"), or for kind 28 one side only.
// `variables` are the names it may bound.
std::variant<FormulaRange, FormulaError> ReadRange(const FormulaLine& line, unsigned variables, bool oneSided) {
    ReadRules rules;
    rules.field = RangeName;
    rules.allowed = Parameters | variables;
    rules.relations = true;
    const auto [begin, end] = *line.range;
    ParsedRun run = ParseTokens(line.tokens, begin, end, rules);
    if (run.failure) return line.RangeError(*run.failure);
    const ExpressionNode& tree = *run.tree;
    const int start = line.tokens[begin].begin;
    const std::string form = oneSided ? "範囲は「0≦x≦2」や「y≧0」のように書きます" : "範囲は「0≦t≦π/2」のように書きます";
    if (tree.kind != NodeKind::Relation || tree.children.size() > 3) return line.RangeError({start, form});
    const std::vector<Operator>& ops = tree.operators;
    for (std::size_t i = 1; i < ops.size(); ++i) {
        if (!IsLess(ops[i]) && !IsGreater(ops[i])) return line.RangeError({start, form});
    }
    if (tree.children.size() == 2 && !oneSided) return line.RangeError({start, "範囲は「0≦t≦π/2」のように両端を書きます"});

    // Which side is the variable: the middle of three, else the side that is a name alone.
    auto isVariable = [&](const ExpressionNode& node) { return node.kind == NodeKind::Symbol && (node.symbol & variables); };
    std::size_t middle = 1;
    if (tree.children.size() == 2 && !isVariable(tree.children[1])) middle = 0;
    if (tree.children.size() == 3 && !(IsLess(ops[1]) == IsLess(ops[2]))) return line.RangeError({start, form});
    if (!isVariable(tree.children[middle]))
        return line.RangeError({tree.children[middle].begin, "ここには " + Names(variables) + " を書きます"});

    FormulaRange range;
    range.variable = tree.children[middle].symbol;
    const bool ascending = IsLess(ops[1]);
    for (std::size_t side = 0; side < tree.children.size(); ++side) {
        if (side == middle) continue;
        const ExpressionNode& bound = tree.children[side];
        for (unsigned bit : {fsT, fsTheta, fsX, fsY}) {
            if (const ExpressionNode* use = FirstUseOf(bound, bit))
                return line.RangeError({use->begin, "範囲の端に「" + use->text + "」は使えません"});
        }
        const Operator op = ops[side < middle ? side + 1 : side];
        const bool low = (side < middle) == ascending;
        Expression value = ExpressionReader::Compile(std::make_shared<ExpressionNode>(bound));
        if (low) {
            range.low = std::move(value);
            range.lowStrict = op == Operator::Less || op == Operator::Greater;
        } else {
            range.high = std::move(value);
            range.highStrict = op == Operator::Less || op == Operator::Greater;
        }
    }
    range.hasLow = tree.children.size() == 3 || (middle == 0) != ascending;
    range.hasHigh = tree.children.size() == 3 || (middle == 0) == ascending;
    for (const Expression* bound : {&range.low, &range.high}) {
        const bool given = bound == &range.low ? range.hasLow : range.hasHigh;
        if (given && bound->Uses() == 0 && std::isnan(bound->Evaluate({})))
            return line.RangeError({start, "範囲の端の値がありません"});
    }
    if (range.hasLow && range.hasHigh && range.low.Uses() == 0 && range.high.Uses() == 0 &&
        range.low.Evaluate({}) > range.high.Evaluate({}))
        return line.RangeError({start, "範囲の下の端が上の端より大きくなっています"});
    range.tree = std::move(run.tree);
    return range;
}

Result ReadParametric(const std::string& line4, const std::string& line5) {
    FormulaLine xLine(XField, line4), yLine(YField, line5);
    auto x = ReadField(xLine, false, YField.name);
    if (auto* error = std::get_if<FormulaError>(&x)) return *error;
    auto y = ReadField(yLine, true, YField.name);
    if (auto* error = std::get_if<FormulaError>(&y)) return *error;
    CurveFormula formula;
    formula.kind = 26;
    formula.x = std::move(std::get<Expression>(x));
    formula.y = std::move(std::get<Expression>(y));

    // One parameter, t or θ: the one written first; a use of the other is the error.
    const ExpressionNode* firstOther = nullptr;
    const FormulaLine* otherLine = nullptr;
    unsigned parameter = 0;
    for (auto [expression, line] : {std::pair{&formula.x, &xLine}, {&formula.y, &yLine}}) {
        const ExpressionNode* t = FirstUseOf(expression->Tree(), fsT);
        const ExpressionNode* theta = FirstUseOf(expression->Tree(), fsTheta);
        if (!parameter && (t || theta)) parameter = t && (!theta || t->begin < theta->begin) ? fsT : fsTheta;
        const ExpressionNode* other = parameter == fsT ? theta : parameter == fsTheta ? t : nullptr;
        if (other && !firstOther) {
            firstOther = other;
            otherLine = line;
        }
    }
    if (firstOther) {
        return otherLine->Error({firstOther->begin, "t と θ は一緒に使えません（" +
                                                        std::string(parameter == fsT ? "t" : "θ") + " の式にします）"});
    }
    if (yLine.range) {
        auto range = ReadRange(yLine, parameter ? parameter : fsT | fsTheta, false);
        if (auto* error = std::get_if<FormulaError>(&range)) return *error;
        formula.range = std::move(std::get<FormulaRange>(range));
        // The reader allowed only the formulas' parameter, or either when they use neither.
        parameter = formula.range->variable;
    }
    formula.parameter = parameter ? parameter : fsT;
    return formula;
}

Result ReadPolar(const std::string& line3) {
    FormulaLine rLine(RField, line3);
    auto r = ReadField(rLine, true, RField.name);
    if (auto* error = std::get_if<FormulaError>(&r)) return *error;
    CurveFormula formula;
    formula.kind = 27;
    formula.parameter = fsTheta;
    formula.r = std::move(std::get<Expression>(r));
    if (rLine.range) {
        auto range = ReadRange(rLine, fsTheta, false);
        if (auto* error = std::get_if<FormulaError>(&range)) return *error;
        formula.range = std::move(std::get<FormulaRange>(range));
    }
    return formula;
}

Result ReadEquation(const std::string& line4) {
    FormulaLine line(Equation, line4);
    if (auto error = line.Cut(true, Equation.name)) return *error;
    // The equation has one "=" outside brackets; an inequality belongs in the range.
    const FormulaToken* equals = nullptr;
    int depth = 0;
    for (std::size_t i = line.expressionBegin; i < line.expressionEnd; ++i) {
        const FormulaToken& token = line.tokens[i];
        if (token.kind == TokenKind::Open) ++depth;
        if (token.kind == TokenKind::Close) --depth;
        if (token.kind != TokenKind::Relation || depth != 0) continue;
        if (token.op != Operator::Equal)
            return line.Error({token.begin, "「" + token.typed + "」は使えません（範囲は式のあとの括弧の中に書きます）"});
        if (equals) return line.Error({token.begin, "「=」は一つだけです"});
        equals = &token;
    }
    ParsedRun run = line.Parse(true);
    if (run.failure) return line.Error(*run.failure);
    if (!equals) return line.Error({line.tokens[line.expressionEnd].begin, "「=」がありません"});
    CurveFormula formula;
    formula.kind = 28;
    formula.parameter = 0;
    const ExpressionNode& relation = *run.tree;
    formula.left = ExpressionReader::Compile(std::make_shared<ExpressionNode>(relation.children[0]));
    formula.right = ExpressionReader::Compile(std::make_shared<ExpressionNode>(relation.children[1]));
    if (line.range) {
        auto range = ReadRange(line, fsX | fsY, true);
        if (auto* error = std::get_if<FormulaError>(&range)) return *error;
        formula.range = std::move(std::get<FormulaRange>(range));
    }
    return formula;
}

}  // namespace

std::variant<CurveFormula, FormulaError> ReadCurveFormula(int kind, const std::string& line3, const std::string& line4,
                                                          const std::string& line5) {
    Result result = kind == 26   ? ReadParametric(line4, line5)
                    : kind == 27 ? ReadPolar(line3)
                    : kind == 28 ? ReadEquation(line4)
                                 : Result(FormulaError{"曲線の種類 " + std::to_string(kind) + " は式で描く種類ではありません", 2, 1});
    if (CurveFormula* formula = std::get_if<CurveFormula>(&result)) {
        unsigned uses = formula->x.Uses() | formula->y.Uses() | formula->r.Uses() | formula->left.Uses() | formula->right.Uses();
        if (formula->range) uses |= formula->range->low.Uses() | formula->range->high.Uses();
        formula->parameters = uses & Parameters;
    }
    return result;
}
