// The inside of the formula reader, shared by Expression.cpp (compiling) and CurveFormula.cpp
// (the fields of a record): the tokens of one line and the parser over a run of them. A line is
// cut into tokens once; a field, its range and a text for display are parsed from runs of them.
// Everything here works on UTF-8 and counts places in characters (code points), 1-based.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "formula/Expression.h"
#include "formula/ExpressionTree.h"

enum class TokenKind : std::uint8_t {
    End, Number, Letter, Word, Superscript, Sign, Times, Slash, Obelus, Caret, Open, Close, Bar, Root,
    Comma, Relation, Unknown,
};

struct FormulaToken {
    TokenKind kind = TokenKind::End;
    Operator op = Operator::None;  // Sign: Plus, Minus, PlusMinus; Relation: Equal, Less, …
    // Number: its ASCII digits; Letter: the letter ("x", "θ", "F′"); Word: the name ("sin", "pi");
    // Superscript: its ASCII ("2", "-1").
    std::string text;
    std::string typed;   // the characters as they stand in the line, for messages
    char bracket = 0;    // Open and Close: '(', '[' or '{'
    // Letter: the run of letters it was cut from, and whether the whole run reads as names of
    // the language (a run such as "sec" does not, and a message names the whole run).
    std::string run;
    bool runReads = true;
    int begin = 0, end = 0;  // characters of the line, 1-based, end one past the last
};

// The ASCII of a superscript character ("²" → '2', "⁻" → '-'), or 0.
char SuperscriptAscii(char32_t c);

// No tree the reader returns is higher than this, and no program needs a deeper stack.
constexpr int FormulaTreeHeightLimit = 4 * FormulaNestingLimit;

// The tokens of a line; in a text for display every letter is a name. The last token is End, at
// the character after the line. Never fails: what is not part of the language is Unknown.
std::vector<FormulaToken> CutIntoTokens(const std::string& utf8, bool display);

// What a run of tokens may hold, and how a message names it ("x の式", "範囲").
struct ReadRules {
    std::string field = "式";
    unsigned allowed = 0;        // FormulaSymbol bits of the names it may use
    bool display = false;        // any letter, lists, "±" and several relations (for typesetting)
    bool relations = false;      // a chain of relations ("0<=t<=π"; "…=…")
};

// A failure to read: where (1-based character) and what, before the field's name is put in front.
struct ReadFailure {
    int character = 0;
    std::string what;
};

// "x の式の 7 文字目：「)」がありません".
std::string FailureMessage(const std::string& field, const ReadFailure& failure);

// Reads the tokens [begin, end) of `tokens` (tokens[end] stands for the end of the run) as one
// expression, or as a relation chain when the rules allow it. Recursion is bounded by
// FormulaNestingLimit.
struct ParsedRun {
    std::shared_ptr<ExpressionNode> tree;
    std::optional<ReadFailure> failure;
};
ParsedRun ParseTokens(const std::vector<FormulaToken>& tokens, std::size_t begin, std::size_t end, const ReadRules& rules);

// The first Symbol node, in the order of the text, whose symbol is `bit`; nullptr when none is.
const ExpressionNode* FirstUseOf(const ExpressionNode& tree, unsigned bit);

class ExpressionReader {
public:
    // The compiled program of a tree read under some rules; a, b and c as constants when `bound`
    // gives their values (a, b, c in that order).
    static Expression Compile(std::shared_ptr<const ExpressionNode> tree, const double* bound = nullptr);
};
