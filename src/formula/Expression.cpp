// The compiled program of an expression and its evaluation, the reading of one expression or of a
// text for display, and the record's spelling of a typed formula.
#include "formula/Expression.h"

#include <cfloat>
#include <cmath>
#include <limits>

#include "curves/Codec.h"
#include "formula/ExpressionReader.h"
#include "picture/Fonts.h"

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// The operations of a program. The value being computed is kept out of the stack (in `acc`);
// an operand is pushed only when a second one must be computed.
enum class Code : std::uint8_t {
    Constant, Variable,                     // push acc; acc = constant or a value
    Add, Subtract, Multiply, Divide, Power,  // acc = pop ∘ acc
    AddConstant, MultiplyConstant, DivideByConstant, SubtractFromConstant, DivideConstant, ConstantToPower,
    Negate, Square, Cube, IntegerPower, OddRootPower, ConstantPower,
    Sqrt, Abs, Sin, Cos, Tan, Log, Exp,
};

struct Instruction {
    Code code;
    std::uint8_t variable = 0;  // Variable: index into ValueMembers
    std::int32_t integer = 0;   // IntegerPower: the exponent; OddRootPower: 1 when its numerator is odd
    double constant = 0;
};

constexpr double FormulaValues::*ValueMembers[] = {&FormulaValues::a, &FormulaValues::b, &FormulaValues::c,
                                                   &FormulaValues::t, &FormulaValues::theta, &FormulaValues::x,
                                                   &FormulaValues::y, &FormulaValues::r};

// A value that has overflowed does not exist: ±∞ becomes NaN, so that nothing divides by it
// or takes its exponential back to a finite number.
inline double Finite(double value) { return std::fabs(value) <= DBL_MAX ? value : NaN; }

inline double IntegerPowerOf(double base, std::int32_t exponent) {
    double result = 1, factor = base;
    for (std::uint32_t n = exponent < 0 ? 0u - static_cast<std::uint32_t>(exponent) : exponent; n; n >>= 1) {
        if (n & 1) result *= factor;
        factor *= factor;
    }
    return Finite(exponent < 0 ? 1 / result : result);
}

// x^(p/q) with q odd is real for a negative x too: −8^(1/3) = −2, as the textbook reads it.
inline double OddRootPowerOf(double base, double exponent, bool oddNumerator) {
    double magnitude = std::pow(std::fabs(base), exponent);
    return Finite(oddNumerator && base < 0 ? -magnitude : magnitude);
}

inline double LogOf(double value) { return value > 0 ? Finite(std::log(value)) : NaN; }

// The operations shared by evaluation and folding, so that a folded constant is bit for bit what
// the program would have computed.
inline double Apply(Code code, double left, double right) {
    switch (code) {
    case Code::Add: return Finite(left + right);
    case Code::Subtract: return Finite(left - right);
    case Code::Multiply: return Finite(left * right);
    case Code::Divide: return Finite(left / right);
    case Code::Power: return Finite(std::pow(left, right));
    default: return NaN;
    }
}

inline double ApplyFunction(const std::string& name, double value) {
    if (name == "sin") return std::sin(value);
    if (name == "cos") return std::cos(value);
    if (name == "tan") return std::tan(value);
    if (name == "exp") return Finite(std::exp(value));
    return LogOf(value);  // log and ln
}

Code FunctionCode(const std::string& name) {
    if (name == "sin") return Code::Sin;
    if (name == "cos") return Code::Cos;
    if (name == "tan") return Code::Tan;
    if (name == "exp") return Code::Exp;
    return Code::Log;
}

int ValueIndex(unsigned symbol) {
    for (int i = 0; i < 8; ++i) {
        if (symbol == 1u << i) return i;
    }
    return -1;
}

// Denominators up to this are recognised in a constant exponent such as 1/3 or 2/5.
constexpr int LargestOddRootDenominator = 99;

// For an exponent p/q with q odd (q up to the largest denominator): whether p is odd, which makes
// the power of a negative base negative. Nothing for any other exponent. The numerator may be far
// beyond any integer type (x^1e30): its parity is taken in floating point, where every value from
// 2^53 on is even.
std::optional<bool> OddRootNumeratorIsOdd(double exponent) {
    for (int q = 3; q <= LargestOddRootDenominator; q += 2) {
        const double numerator = exponent * q;
        if (std::fabs(numerator - std::round(numerator)) < 1e-9 * q) return std::fmod(std::round(numerator), 2.0) != 0;
    }
    return std::nullopt;
}

}  // namespace

struct Expression::Program {
    std::vector<Instruction> code;
    int stackDepth = 0;
    unsigned uses = 0;
};

namespace {

// Compiles a tree into a program, folding every part without a variable into one constant. The
// recursion is as deep as the tree, which the reader keeps within the nesting limit.
class Compiler {
public:
    Compiler(std::vector<Instruction>& code, const double* bound) : code(code), bound(bound) {}

    // The value of `node` when it is constant; otherwise the code that leaves it in acc (having
    // pushed the former acc once) is emitted and nothing is returned.
    std::optional<double> Emit(const ExpressionNode& node) {
        switch (node.kind) {
        case NodeKind::Number: case NodeKind::Constant:
            return node.value;
        case NodeKind::Symbol: {
            const int index = ValueIndex(node.symbol);
            if (index < 0) return NaN;
            uses |= node.symbol;
            if (bound && index < 3) return bound[index];
            Push({Code::Variable, static_cast<std::uint8_t>(index)});
            return std::nullopt;
        }
        case NodeKind::Group:
            return Emit(node.children[0]);
        case NodeKind::Negate: {
            std::optional<double> value = Emit(node.children[0]);
            if (value) return -*value;
            code.push_back({Code::Negate});
            return std::nullopt;
        }
        case NodeKind::Sum:
            return Chain(node, [](Operator op) { return op == Operator::Minus ? Code::Subtract : Code::Add; });
        case NodeKind::Product:
            return Chain(node, [](Operator) { return Code::Multiply; });
        case NodeKind::Divide:
            return Binary(Code::Divide, node.children[0], node.children[1]);
        case NodeKind::Power:
            return PowerOf(node.children[0], node.children[1]);
        case NodeKind::Root:
            return Unary(node.children[0], Code::Sqrt, [](double v) { return std::sqrt(v); });
        case NodeKind::Absolute:
            return Unary(node.children[0], Code::Abs, [](double v) { return std::fabs(v); });
        case NodeKind::Function: {
            const std::string& name = node.text;
            std::optional<double> value = Unary(node.children[0], FunctionCode(name), [&](double v) { return ApplyFunction(name, v); });
            if (node.children.size() < 2) return value;
            // sin²θ: the function's value to the exponent written after its name.
            return PowerAfter(value, node.children[1]);
        }
        default:
            return NaN;  // relations and lists have no value
        }
    }

    unsigned uses = 0;
    int stackDepth = 0;

private:
    void Push(Instruction instruction) {
        code.push_back(instruction);
        stackDepth = std::max(stackDepth, ++depth);
    }
    void Pop(Code operation) {
        code.push_back({operation});
        --depth;
    }
    void Constant(double value) { Push({Code::Constant, 0, 0, value}); }

    template <typename Fold>
    std::optional<double> Unary(const ExpressionNode& operand, Code operation, Fold fold) {
        std::optional<double> value = Emit(operand);
        if (value) return fold(*value);
        code.push_back({operation});
        return std::nullopt;
    }

    // left ∘ right, with the forms that take a constant on either side.
    std::optional<double> Binary(Code operation, const ExpressionNode& left, const ExpressionNode& right) {
        std::optional<double> l = Emit(left);
        return Combine(operation, l, Emit(right));
    }

    // Joins the two sides once both are emitted; l and r are their values when they are constant.
    std::optional<double> Combine(Code operation, std::optional<double> l, std::optional<double> r) {
        if (l && r) return Apply(operation, *l, *r);
        if (r) {
            switch (operation) {
            case Code::Add: code.push_back({Code::AddConstant, 0, 0, *r}); break;
            case Code::Subtract: code.push_back({Code::AddConstant, 0, 0, -*r}); break;
            case Code::Multiply: code.push_back({Code::MultiplyConstant, 0, 0, *r}); break;
            case Code::Divide: code.push_back({Code::DivideByConstant, 0, 0, *r}); break;
            default: code.push_back({Code::ConstantPower, 0, 0, *r}); break;
            }
            return std::nullopt;
        }
        if (l) {
            switch (operation) {
            case Code::Add: code.push_back({Code::AddConstant, 0, 0, *l}); break;
            case Code::Subtract: code.push_back({Code::SubtractFromConstant, 0, 0, *l}); break;
            case Code::Multiply: code.push_back({Code::MultiplyConstant, 0, 0, *l}); break;
            case Code::Divide: code.push_back({Code::DivideConstant, 0, 0, *l}); break;
            default: code.push_back({Code::ConstantToPower, 0, 0, *l}); break;
            }
            return std::nullopt;
        }
        Pop(operation);
        return std::nullopt;
    }

    // children[0] op children[1] op …, left to right.
    template <typename OperationOf>
    std::optional<double> Chain(const ExpressionNode& node, OperationOf operationOf) {
        std::optional<double> value = Emit(node.children[0]);
        for (std::size_t i = 1; i < node.children.size(); ++i) {
            std::optional<double> next = Emit(node.children[i]);
            value = Combine(operationOf(node.operators[i]), value, next);
        }
        return value;
    }

    std::optional<double> PowerOf(const ExpressionNode& base, const ExpressionNode& exponent) {
        // e^x is the exponential function.
        if (base.kind == NodeKind::Constant && base.text == "e") {
            std::optional<double> value = Emit(exponent);
            if (value) return Finite(std::exp(*value));
            code.push_back({Code::Exp});
            return std::nullopt;
        }
        return PowerAfter(Emit(base), exponent);
    }

    // The base is emitted (or constant); raises it to `exponent`.
    std::optional<double> PowerAfter(std::optional<double> base, const ExpressionNode& exponent) {
        std::optional<double> power = Emit(exponent);
        if (base || !power) {
            if (base && power) return ConstantPowerOf(*base, *power);
            return Combine(Code::Power, base, power);
        }
        const double p = *power;
        if (p == std::round(p) && std::fabs(p) <= 64) {
            const auto n = static_cast<std::int32_t>(p);
            if (n == 2) code.push_back({Code::Square});
            else if (n == 3) code.push_back({Code::Cube});
            else code.push_back({Code::IntegerPower, 0, n});
            return std::nullopt;
        }
        if (const std::optional<bool> odd = OddRootNumeratorIsOdd(p)) {
            code.push_back({Code::OddRootPower, 0, *odd ? 1 : 0, p});
            return std::nullopt;
        }
        code.push_back({Code::ConstantPower, 0, 0, p});
        return std::nullopt;
    }

    static double ConstantPowerOf(double base, double power) {
        if (power == std::round(power) && std::fabs(power) <= 64) return IntegerPowerOf(base, static_cast<std::int32_t>(power));
        if (const std::optional<bool> odd = OddRootNumeratorIsOdd(power)) return OddRootPowerOf(base, power, *odd);
        return Finite(std::pow(base, power));
    }

    std::vector<Instruction>& code;
    const double* bound;
    int depth = 0;
};

}  // namespace

Expression ExpressionReader::Compile(std::shared_ptr<const ExpressionNode> tree, const double* bound) {
    Expression expression;
    auto program = std::make_unique<Expression::Program>();
    Compiler compiler(program->code, bound);
    std::optional<double> value = compiler.Emit(*tree);
    if (value) program->code.push_back({Code::Constant, 0, 0, *value});
    program->stackDepth = compiler.stackDepth + 1;
    program->uses = compiler.uses;
    expression.program = std::move(program);
    expression.tree = std::move(tree);
    return expression;
}

Expression::Expression() = default;
Expression::~Expression() = default;
Expression::Expression(Expression&&) noexcept = default;
Expression& Expression::operator=(Expression&&) noexcept = default;
Expression::Expression(const Expression& other)
    : program(other.program ? std::make_unique<Program>(*other.program) : nullptr), tree(other.tree) {}
Expression& Expression::operator=(const Expression& other) {
    if (this != &other) *this = Expression(other);
    return *this;
}

unsigned Expression::Uses() const { return program ? program->uses : 0; }

const ExpressionNode& Expression::Tree() const {
    static const ExpressionNode empty = [] {
        ExpressionNode list;
        list.kind = NodeKind::List;
        return list;
    }();
    return tree ? *tree : empty;
}

Expression Expression::WithParameters(double a, double b, double c) const {
    if (!tree) return {};
    const double bound[] = {a, b, c};
    return ExpressionReader::Compile(tree, bound);
}

// The hot path: one pass over a flat program, no allocation, no call but the mathematical
// functions. The stack holds at most stackDepth values, which the nesting limit keeps small.
double Expression::Evaluate(const FormulaValues& values) const {
    if (!program) return NaN;
    constexpr int Capacity = FormulaTreeHeightLimit + 2;
    double stack[Capacity];
    int top = 0;
    double acc = 0;
    for (const Instruction& instruction : program->code) {
        switch (instruction.code) {
        case Code::Constant: stack[top++] = acc; acc = instruction.constant; break;
        case Code::Variable: stack[top++] = acc; acc = values.*ValueMembers[instruction.variable]; break;
        case Code::Add: acc = Finite(stack[--top] + acc); break;
        case Code::Subtract: acc = Finite(stack[--top] - acc); break;
        case Code::Multiply: acc = Finite(stack[--top] * acc); break;
        case Code::Divide: acc = Finite(stack[--top] / acc); break;
        case Code::Power: acc = Finite(std::pow(stack[--top], acc)); break;
        case Code::AddConstant: acc = Finite(acc + instruction.constant); break;
        case Code::MultiplyConstant: acc = Finite(acc * instruction.constant); break;
        case Code::DivideByConstant: acc = Finite(acc / instruction.constant); break;
        case Code::SubtractFromConstant: acc = Finite(instruction.constant - acc); break;
        case Code::DivideConstant: acc = Finite(instruction.constant / acc); break;
        case Code::ConstantToPower: acc = Finite(std::pow(instruction.constant, acc)); break;
        case Code::Negate: acc = -acc; break;
        case Code::Square: acc = Finite(acc * acc); break;
        case Code::Cube: acc = Finite(acc * acc * acc); break;
        case Code::IntegerPower: acc = IntegerPowerOf(acc, instruction.integer); break;
        case Code::OddRootPower: acc = OddRootPowerOf(acc, instruction.constant, instruction.integer != 0); break;
        case Code::ConstantPower: acc = Finite(std::pow(acc, instruction.constant)); break;
        case Code::Sqrt: acc = std::sqrt(acc); break;
        case Code::Abs: acc = std::fabs(acc); break;
        case Code::Sin: acc = std::sin(acc); break;
        case Code::Cos: acc = std::cos(acc); break;
        case Code::Tan: acc = std::tan(acc); break;
        case Code::Log: acc = LogOf(acc); break;
        case Code::Exp: acc = Finite(std::exp(acc)); break;
        }
    }
    return Finite(acc);
}

std::variant<Expression, FormulaError> ReadExpression(const std::string& text, unsigned allowed, const std::string& field) {
    const std::vector<FormulaToken> tokens = CutIntoTokens(text, false);
    if (tokens.back().begin > FormulaLengthLimit + 1) {
        return FormulaError{FailureMessage(field, {FormulaLengthLimit + 1, "式が長すぎます（" + std::to_string(FormulaLengthLimit) + " 文字まで）"}),
                            0, FormulaLengthLimit + 1};
    }
    ReadRules rules;
    rules.field = field;
    rules.allowed = allowed;
    ParsedRun run = ParseTokens(tokens, 0, tokens.size() - 1, rules);
    if (run.failure) return FormulaError{FailureMessage(field, *run.failure), 0, run.failure->character};
    return ExpressionReader::Compile(std::move(run.tree));
}

std::variant<std::shared_ptr<const ExpressionNode>, FormulaError> ReadFormulaText(const std::string& text) {
    const std::vector<FormulaToken> tokens = CutIntoTokens(text, true);
    if (tokens.back().begin > FormulaLengthLimit + 1) {
        return FormulaError{FailureMessage("式", {FormulaLengthLimit + 1, "式が長すぎます（" + std::to_string(FormulaLengthLimit) + " 文字まで）"}),
                            0, FormulaLengthLimit + 1};
    }
    ReadRules rules;
    rules.display = true;
    ParsedRun run = ParseTokens(tokens, 0, tokens.size() - 1, rules);
    if (run.failure) return FormulaError{FailureMessage("式", *run.failure), 0, run.failure->character};
    return std::shared_ptr<const ExpressionNode>(std::move(run.tree));
}

namespace {

// The language's own spelling of a character the code page lacks.
const char* RecordSpelling(char32_t c) {
    switch (c) {
    case 0x2212: case 0x2010: case 0x2011: case 0x2012: case 0x2013: case 0x2014: case 0x2015: return "-";
    case 0x2264: return "<=";
    case 0x2265: return ">=";
    case 0x00B7: case 0x22C5: case 0x2219: return "*";
    case 0x2215: return "/";
    case 0x2223: return "|";
    case 0x03D1: return "θ";
    case 0x00A0: return " ";
    default: return nullptr;
    }
}

bool SurvivesTheRecord(const std::string& character) { return Cp932ToUtf8(Utf8ToCp932(character)) == character; }

}  // namespace

std::string FormulaForRecord(const std::string& typed) {
    const std::u32string chars = DecodeUtf8(typed);
    std::string stored;
    for (std::size_t i = 0; i < chars.size();) {
        if (SuperscriptAscii(chars[i])) {
            std::string exponent;
            while (i < chars.size() && SuperscriptAscii(chars[i])) exponent += SuperscriptAscii(chars[i++]);
            // "x²3" is x²·3 and "x² 3" too, but "x^23" would be x to the 23rd and "x^2 3" two numbers
            // in a row: a digit after the exponent needs brackets around it.
            std::size_t after = i;
            while (after < chars.size() && (chars[after] == U' ' || chars[after] == U'\t' || chars[after] == 0x3000 || chars[after] == 0xA0)) ++after;
            const char32_t next = after < chars.size() ? chars[after] : 0;
            const bool joins = (next >= U'0' && next <= U'9') || (next >= U'０' && next <= U'９') || next == U'.' || next == U'．';
            stored += joins ? "^(" + exponent + ")" : "^" + exponent;
            continue;
        }
        const std::string character = Utf8Of(chars[i]);
        const char* spelling = RecordSpelling(chars[i]);
        stored += spelling && !SurvivesTheRecord(character) ? std::string(spelling) : character;
        ++i;
    }
    return stored;
}
