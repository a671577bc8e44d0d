// The tree of a formula as it was read: what the caption typesets. It keeps how the formula was
// written wherever a textbook prints it so (the brackets typed, "/" or "÷", "×" or nothing, the
// exponent after a function's name), and each node's place in the text. Sums, products, relations
// and lists are n-ary, so a tree is never deeper than its nesting (ReadLimits): every routine may
// walk it recursively. Reading is formula/Expression.h's business; this header only describes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class NodeKind : std::uint8_t {
    Number,    // text: the digits as typed, in ASCII ("0.5", ".5"); value
    Symbol,    // text: one letter ("x", "θ", "F′" in a text for display); symbol: its FormulaSymbol bit
    Constant,  // π or e: text "π" or "e"; value
    Negate,    // −children[0] (or ±children[0], sign PlusMinus, in a text for display)
    Sum,       // children joined by operators[i] (Plus, Minus, PlusMinus); operators[0] is None
    Product,   // children joined by operators[i] (Implicit or Times); operators[0] is None
    Divide,    // children[0] over children[1]; sign Slash (a fraction) or Obelus ("÷")
    Power,     // children[0] to the children[1]
    Function,  // text "sin", "cos", "tan", "log", "ln" or "exp"; children[0] the argument and, when
               // the exponent was written after the name (sin²θ), children[1] that exponent
    Root,      // the square root of children[0] ("√" or "sqrt")
    Absolute,  // |children[0]| ("|…|" or "abs")
    Group,     // children[0] in the brackets typed: bracket '(', '[' or '{'
    Relation,  // children joined by operators[i] (Equal, Less, …); operators[0] is None
    List,      // children joined by commas (only in a text for display: "F(√13, 0)")
};

enum class Operator : std::uint8_t {
    None, Plus, Minus, PlusMinus, Implicit, Times, Slash, Obelus,
    Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual,
};

struct ExpressionNode {
    NodeKind kind = NodeKind::Number;
    std::string text;
    double value = 0;
    unsigned symbol = 0;
    Operator sign = Operator::None;  // Negate, Divide
    char bracket = '(';              // Group
    std::vector<ExpressionNode> children;
    std::vector<Operator> operators;  // Sum, Product, Relation: one per child
    // Characters of the text that the node covers, 1-based, `end` one past its last.
    int begin = 0, end = 0;
    // Nodes on the longest path down from this one, itself included.
    int height = 1;
};
