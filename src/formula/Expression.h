// The formula language of the typed-formula kinds (26 媒介変数表示（式）, 27 極方程式（式）, 28
// 方程式（式）): a formula as a pupil types it into a school calculator, read once into a tree (for
// the caption) and a compiled program (for the points). This unit reads and evaluates; drawing
// the points is the plot routine's, typesetting the tree the caption's (formula/FormulaCaption.h).
// All texts here are UTF-8; record lines are converted at the boundary (curves/Codec.h).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// The names a formula may use, as bits. Which are allowed depends on the kind and the field.
enum FormulaSymbol : unsigned {
    fsA = 1u << 0, fsB = 1u << 1, fsC = 1u << 2,  // the panel's integer parameters
    fsT = 1u << 3, fsTheta = 1u << 4,             // the parameter of kinds 26 and 27
    fsX = 1u << 5, fsY = 1u << 6, fsR = 1u << 7,  // the coordinates of kind 28
};

// Values bound to the symbols when an expression is evaluated, by name.
struct FormulaValues {
    double a = 0, b = 0, c = 0;
    double t = 0, theta = 0;
    double x = 0, y = 0, r = 0;
};

struct ExpressionNode;  // the tree, defined in formula/ExpressionTree.h for the caption

// What a formula line may hold: its characters, prefix and range included; and the nesting of
// brackets, function arguments, roots, absolute values, signs, exponents and divisions in it.
// Every recursion over a formula and its tree is bounded by the nesting limit.
constexpr int FormulaLengthLimit = 1000;
constexpr int FormulaNestingLimit = 100;

// One compiled expression. Evaluate never throws and never traps: where the value does not exist
// (a division by zero, √ or log of a negative, an overflow) it returns NaN.
class Expression {
public:
    Expression();
    ~Expression();
    Expression(const Expression&);
    Expression& operator=(const Expression&);
    Expression(Expression&&) noexcept;
    Expression& operator=(Expression&&) noexcept;

    double Evaluate(const FormulaValues& values) const;
    // The FormulaSymbol bits of the names it uses.
    unsigned Uses() const;
    // The tree as read (for the caption); a default-constructed expression has an empty one.
    const ExpressionNode& Tree() const;
    // The same expression with a, b and c fixed and folded into its constants: what a plot
    // evaluates point by point once the parameters of a curve are known.
    Expression WithParameters(double a, double b, double c) const;

private:
    friend class ExpressionReader;
    struct Program;
    std::unique_ptr<Program> program;
    std::shared_ptr<const ExpressionNode> tree;
};

// A range written after the last formula of a record: "(0<=t<=π/2)", "(-2≦t≦2)". Both bounds
// are expressions of a, b, c; `<` and `<=` draw the same closed range.
struct FormulaRange {
    unsigned variable = fsT;   // fsT, fsTheta (or fsX, fsY for kind 28)
    Expression low, high;
    bool lowStrict = false, highStrict = false;  // written "<" rather than "<=" (for the caption)
    // Kind 28 may bound one side only: "(y>=0)". Kinds 26 and 27 always have both.
    bool hasLow = true, hasHigh = true;
    // The range as read, "0<=t<=π/2" (a Relation node), for the caption.
    std::shared_ptr<const ExpressionNode> tree;
};

// The formulas of one record of a typed-formula kind, read and checked.
struct CurveFormula {
    int kind = 26;
    unsigned parameter = fsT;  // kind 26: fsT or fsTheta, the one the formulas use; kind 27: fsTheta; kind 28: 0
    Expression x, y;           // kind 26: x and y of the parameter
    Expression r;              // kind 27: r of θ
    Expression left, right;    // kind 28: the equation left = right (x, y, r, θ)
    std::optional<FormulaRange> range;
    // The FormulaSymbol bits among fsA, fsB, fsC that the formulas or the range use.
    unsigned parameters = 0;
};

// Why a formula could not be read: the whole Japanese message, naming the field and the place
// ("y の式の 7 文字目：「)」がありません"), and the field's record line and the 1-based character.
struct FormulaError {
    std::string message;
    int line = 0;       // record line 3, 4 or 5
    int character = 0;  // 1-based, counted in characters of that line as typed
};

// Reads the formula lines of a record of kind 26, 27 or 28 (UTF-8, as stored: line 3 "r=…",
// line 4 "x=…" or "…=…", line 5 "y=…"). Never throws; a text too long or nested too deep is an
// error like any other.
std::variant<CurveFormula, FormulaError> ReadCurveFormula(int kind, const std::string& line3,
                                                          const std::string& line4, const std::string& line5);

// Reads one expression of the names in `allowed` (FormulaSymbol bits; e and π are always
// there); a message names the field as `field` does ("x の式").
std::variant<Expression, FormulaError> ReadExpression(const std::string& text, unsigned allowed,
                                                      const std::string& field = "式");

// Reads a text for display only, such as "(x−2)²/4 − (y+1)²/9 = 1" or "F(√13, 0)": any letter is a
// name, and relations, lists and "±" may stand anywhere. What the curve-properties window typesets.
std::variant<std::shared_ptr<const ExpressionNode>, FormulaError> ReadFormulaText(const std::string& text);

// The text a record line stores for a typed formula: what the user typed, with the characters the
// record's code page cannot hold ("²", "−", "≤" …) written in the language's own equivalents
// ("^2", "-", "<="), so that it reads back to the same formula.
std::string FormulaForRecord(const std::string& typed);
