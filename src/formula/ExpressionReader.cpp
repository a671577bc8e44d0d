#include "formula/ExpressionReader.h"

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <locale>
#include <numbers>
#include <sstream>

#include "curves/Codec.h"
#include "picture/Fonts.h"

namespace {

// ---- Characters.

// What a Japanese IME or a textbook's character stands for in the language: full-width forms,
// the minus sign and its look-alikes (the IME's "ー" comes from the minus key), the other
// spellings of ×, ÷, ≦ and ≧. Characters without a meaning of their own are returned unchanged.
char32_t Canonical(char32_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFEE0;  // full-width ASCII
    switch (c) {
    case U'\t': case 0x3000: case 0x00A0: return U' ';
    case 0x2212: case 0x2010: case 0x2011: case 0x2012: case 0x2013: case 0x2014: case 0x2015:
    case 0x30FC: case 0xFF70: return U'-';
    case 0x00B7: case 0x22C5: case 0x2219: case 0x30FB: case 0xFF65: return U'*';
    case 0x2215: return U'/';
    case 0x2223: return U'|';
    case 0x2264: return U'≦';
    case 0x2265: return U'≧';
    case 0x03D1: return U'θ';
    case 0x3001: case 0xFF64: return U',';
    case 0x2032: return U'\'';
    default: return c;
    }
}

}  // namespace

char SuperscriptAscii(char32_t c) {
    switch (c) {
    case U'¹': return '1';
    case U'²': return '2';
    case U'³': return '3';
    case U'⁰': return '0';
    case U'⁺': return '+';
    case U'⁻': return '-';
    default: return c >= U'⁴' && c <= U'⁹' ? static_cast<char>('4' + (c - U'⁴')) : 0;
    }
}

namespace {

bool IsLatin(char32_t c) { return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z'); }
bool IsGreek(char32_t c) { return (c >= 0x0391 && c <= 0x03A9) || (c >= 0x03B1 && c <= 0x03C9); }
bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

// The names a run of Latin letters is cut into, longest first where several begin alike.
constexpr const char* Words[] = {"arcsin", "arccos", "arctan", "theta", "sqrt", "sin", "cos", "tan",
                                 "log", "exp", "abs", "ln", "pi"};
// The single letters the language knows in any field (the others only in a text for display).
constexpr const char* LanguageLetters = "abcetxyr";

unsigned SymbolOf(const std::string& letter) {
    if (letter == "a") return fsA;
    if (letter == "b") return fsB;
    if (letter == "c") return fsC;
    if (letter == "t") return fsT;
    if (letter == "θ") return fsTheta;
    if (letter == "x") return fsX;
    if (letter == "y") return fsY;
    if (letter == "r") return fsR;
    return 0;
}

// Cuts the letters [begin, end) of `chars` into names and letters: the cut in which every piece
// reads, preferring the longest name at each place ("absinθ" is a·b·sin θ, "ccos" c·cos). An
// empty result means no cut reads.
std::vector<int> CutRun(const std::u32string& chars, std::size_t begin, std::size_t end, bool display) {
    const std::size_t n = end - begin;
    std::vector<int> piece(n + 1, -1);  // length of the piece chosen at each place; -1: nothing reads
    piece[n] = 0;
    for (std::size_t i = n; i-- > 0;) {
        for (const char* word : Words) {
            std::size_t length = std::char_traits<char>::length(word);
            if (i + length > n || piece[i + length] < 0) continue;
            bool same = true;
            for (std::size_t k = 0; k < length && same; ++k) same = chars[begin + i + k] == static_cast<char32_t>(word[k]);
            if (same) {
                piece[i] = static_cast<int>(length);
                break;
            }
        }
        const char32_t c = chars[begin + i];
        const bool letterReads = display || (c < 128 && std::char_traits<char>::find(LanguageLetters, 8, static_cast<char>(c)));
        if (piece[i] < 0 && letterReads && piece[i + 1] >= 0) piece[i] = 1;
    }
    std::vector<int> cut;
    if (piece[0] < 0) return cut;
    for (std::size_t i = 0; i < n; i += piece[i]) cut.push_back(piece[i]);
    return cut;
}

std::string TextOf(const std::u32string& chars, std::size_t begin, std::size_t end) {
    std::string text;
    for (std::size_t i = begin; i < end; ++i) text += Utf8Of(chars[i]);
    return text;
}

}  // namespace

std::vector<FormulaToken> CutIntoTokens(const std::string& utf8, bool display) {
    const std::u32string typed = DecodeUtf8(utf8);
    std::vector<FormulaToken> tokens;
    // A text past the limit is not cut at all: the caller reports its length from the end token.
    if (typed.size() > static_cast<std::size_t>(FormulaLengthLimit)) {
        FormulaToken& end = tokens.emplace_back();
        end.begin = end.end = static_cast<int>(std::min<std::size_t>(typed.size(), INT32_MAX - 1)) + 1;
        return tokens;
    }
    std::u32string chars(typed.size(), U' ');
    std::transform(typed.begin(), typed.end(), chars.begin(), Canonical);
    const std::size_t n = chars.size();
    std::size_t i = 0;
    auto add = [&](TokenKind kind, std::size_t length, Operator op = Operator::None) -> FormulaToken& {
        FormulaToken& token = tokens.emplace_back();
        token.kind = kind;
        token.op = op;
        token.begin = static_cast<int>(i) + 1;
        token.end = static_cast<int>(i + length) + 1;
        token.typed = TextOf(typed, i, i + length);
        token.text = token.typed;
        i += length;
        return token;
    };
    while (i < n) {
        const char32_t c = chars[i];
        const char32_t next = i + 1 < n ? chars[i + 1] : 0;
        if (c == U' ') { ++i; continue; }
        if (IsDigit(c) || (c == U'.' && IsDigit(next))) {
            std::size_t j = i;
            while (j < n && IsDigit(chars[j])) ++j;
            if (j < n && chars[j] == U'.') {
                ++j;
                while (j < n && IsDigit(chars[j])) ++j;
            }
            FormulaToken& token = add(TokenKind::Number, j - i);
            token.text = TextOf(chars, token.begin - 1, j);
            continue;
        }
        if (SuperscriptAscii(c)) {
            std::size_t j = i;
            std::string ascii;
            while (j < n && SuperscriptAscii(typed[j])) ascii += SuperscriptAscii(typed[j++]);
            add(TokenKind::Superscript, j - i).text = ascii;
            continue;
        }
        if (IsLatin(c)) {
            std::size_t j = i;
            while (j < n && IsLatin(chars[j])) ++j;
            std::vector<int> cut = CutRun(chars, i, j, display);
            if (cut.empty()) {
                // No cut reads: one token for the whole run, which a message names.
                FormulaToken& token = add(TokenKind::Letter, j - i);
                token.run = token.typed;
                token.text = TextOf(chars, token.begin - 1, j);
                token.runReads = false;
                continue;
            }
            for (int length : cut) {
                const std::string piece = TextOf(chars, i, i + length);
                FormulaToken& token = add(length == 1 ? TokenKind::Letter : TokenKind::Word, length);
                token.text = piece;
                if (token.kind == TokenKind::Word && piece == "theta") {
                    token.kind = TokenKind::Letter;
                    token.text = "θ";
                }
            }
            continue;
        }
        if (c == U'π') { add(TokenKind::Word, 1).text = "pi"; continue; }
        if (IsGreek(c)) {
            FormulaToken& token = add(TokenKind::Letter, 1);
            token.text = Utf8Of(c);
            token.run = token.typed;
            token.runReads = display || c == U'θ';
            continue;
        }
        switch (c) {
        case U'+': add(TokenKind::Sign, 1, Operator::Plus); continue;
        case U'-': add(TokenKind::Sign, 1, Operator::Minus); continue;
        case U'±': add(TokenKind::Sign, 1, Operator::PlusMinus); continue;
        case U'*': case U'×': add(TokenKind::Times, 1, Operator::Times); continue;
        case U'/': add(TokenKind::Slash, 1, Operator::Slash); continue;
        case U'÷': add(TokenKind::Obelus, 1, Operator::Obelus); continue;
        case U'^': add(TokenKind::Caret, 1); continue;
        case U'(': case U'[': case U'{': add(TokenKind::Open, 1).bracket = static_cast<char>(c); continue;
        case U')': add(TokenKind::Close, 1).bracket = '('; continue;
        case U']': add(TokenKind::Close, 1).bracket = '['; continue;
        case U'}': add(TokenKind::Close, 1).bracket = '{'; continue;
        case U'|': add(TokenKind::Bar, 1); continue;
        case U'√': add(TokenKind::Root, 1); continue;
        case U',': add(TokenKind::Comma, 1); continue;
        case U'=': add(TokenKind::Relation, 1, Operator::Equal); continue;
        case U'≠': add(TokenKind::Relation, 1, Operator::NotEqual); continue;
        case U'≦': add(TokenKind::Relation, 1, Operator::LessEqual); continue;
        case U'≧': add(TokenKind::Relation, 1, Operator::GreaterEqual); continue;
        case U'<':
            if (next == U'=') add(TokenKind::Relation, 2, Operator::LessEqual);
            else add(TokenKind::Relation, 1, Operator::Less);
            continue;
        case U'>':
            if (next == U'=') add(TokenKind::Relation, 2, Operator::GreaterEqual);
            else add(TokenKind::Relation, 1, Operator::Greater);
            continue;
        case U'\'':
            // A prime belongs to the letter before it, in a text for display ("F′").
            if (display && !tokens.empty() && tokens.back().kind == TokenKind::Letter && tokens.back().end == static_cast<int>(i) + 1) {
                tokens.back().text += "′";
                tokens.back().typed += Utf8Of(typed[i]);
                tokens.back().end += 1;
                ++i;
                continue;
            }
            break;
        default:
            break;
        }
        add(TokenKind::Unknown, 1);
    }
    FormulaToken& end = tokens.emplace_back();
    end.begin = end.end = static_cast<int>(n) + 1;
    return tokens;
}

std::string FailureMessage(const std::string& field, const ReadFailure& failure) {
    return field + "の " + std::to_string(failure.character) + " 文字目：" + failure.what;
}

const ExpressionNode* FirstUseOf(const ExpressionNode& tree, unsigned bit) {
    if (tree.kind == NodeKind::Symbol && tree.symbol == bit) return &tree;
    const ExpressionNode* first = nullptr;
    for (const ExpressionNode& child : tree.children) {
        const ExpressionNode* found = FirstUseOf(child, bit);
        if (found && (!first || found->begin < first->begin)) first = found;
    }
    return first;
}

namespace {

// ---- The parser: recursive descent over a run of tokens, every level of recursion counted.

using Node = ExpressionNode;

class Parser {
public:
    Parser(const std::vector<FormulaToken>& tokens, std::size_t begin, std::size_t end, const ReadRules& rules)
        : tokens(tokens), at(begin), end(end), rules(rules) {
        // The end of the run stands where the token after it begins.
        endToken.begin = endToken.end = tokens[end].begin;
    }

    ParsedRun Run() {
        ParsedRun result;
        Node tree = rules.display ? List() : rules.relations ? Relations() : Sum();
        if (!failure && at < end) {
            const FormulaToken& token = Peek();
            if (token.kind == TokenKind::Close) Fail(token, "「" + token.typed + "」の前に「" + Opening(token.bracket) + "」がありません");
            else if (token.kind == TokenKind::Relation) Fail(token, "「" + token.typed + "」はここでは使えません");
            else if (token.kind == TokenKind::Comma) Fail(token, "「" + token.typed + "」はここでは使えません");
            else if (token.kind == TokenKind::Bar) Fail(token, "「|」の前に「|」がありません");
            else if (token.kind == TokenKind::Superscript || token.kind == TokenKind::Caret) Fail(token, "「" + token.typed + "」はここでは使えません");
            else if (token.kind == TokenKind::Unknown) Fail(token, "「" + token.typed + "」は使えません");
            else Fail(token, "「" + token.typed + "」の前に「+」「×」などの記号がありません");
        }
        if (failure) result.failure = failure;
        else result.tree = std::make_shared<Node>(std::move(tree));
        return result;
    }

private:
    // One level of nesting for as long as it lives; past the limit the read fails.
    class Level {
    public:
        explicit Level(Parser& parser) : parser(parser) {
            if (++parser.depth > FormulaNestingLimit)
                parser.Fail(parser.Peek(), "入れ子が深すぎます（" + std::to_string(FormulaNestingLimit) + " 段まで）");
        }
        ~Level() { --parser.depth; }
        Level(const Level&) = delete;
        Level& operator=(const Level&) = delete;

    private:
        Parser& parser;
    };

    static std::string Opening(char bracket) { return std::string(1, bracket); }
    static std::string Closing(char bracket) { return bracket == '[' ? "]" : bracket == '{' ? "}" : ")"; }

    const FormulaToken& Peek() const { return at < end ? tokens[at] : endToken; }
    TokenKind PeekKind() const { return Peek().kind; }
    const FormulaToken& Take() { return at < end ? tokens[at++] : endToken; }

    void Fail(const FormulaToken& token, const std::string& what) {
        if (!failure) failure = ReadFailure{token.begin, what};
        at = end;
    }

    static Node Make(NodeKind kind, std::vector<Node> children, int begin, int end) {
        Node node;
        node.kind = kind;
        node.begin = begin;
        node.end = end;
        for (const Node& child : children) node.height = std::max(node.height, child.height + 1);
        node.children = std::move(children);
        return node;
    }

    // An n-ary node over `children` joined by `operators` (none for a list), spanning them all.
    static Node Chain(NodeKind kind, std::vector<Node> children, std::vector<Operator> operators) {
        const int begin = children.front().begin, finish = children.back().end;
        Node node = Make(kind, std::move(children), begin, finish);
        node.operators = std::move(operators);
        return node;
    }

    // left ∘ right (Divide, Power), spanning both.
    static Node Pair(NodeKind kind, Node left, Node right) {
        std::vector<Node> children;
        children.push_back(std::move(left));
        children.push_back(std::move(right));
        return Chain(kind, std::move(children), {});
    }

    // −operand (or ±operand), from the sign at `begin`.
    static Node Negation(Node operand, int begin, Operator sign) {
        const int finish = operand.end;
        Node negate = Make(NodeKind::Negate, Children(std::move(operand)), begin, finish);
        negate.sign = sign;
        return negate;
    }

    // Can this token begin a factor that follows another without a sign?
    bool BeginsFactor(const FormulaToken& token) const {
        switch (token.kind) {
        case TokenKind::Number: case TokenKind::Letter: case TokenKind::Word: case TokenKind::Open: case TokenKind::Root:
            return true;
        case TokenKind::Bar:
            return absoluteDepth == 0;
        default:
            return false;
        }
    }
    // A function's name, a root or an absolute value ends the argument before it.
    static bool BeginsFunction(const FormulaToken& token) {
        return (token.kind == TokenKind::Word && token.text != "pi") || token.kind == TokenKind::Root || token.kind == TokenKind::Bar;
    }
    // "2 3": a number may not follow a number.
    bool CheckNotTwoNumbers() {
        if (at > 0 && at < end && tokens[at].kind == TokenKind::Number && tokens[at - 1].kind == TokenKind::Number) {
            Fail(tokens[at], "「" + tokens[at].typed + "」の前に「+」「×」などの記号がありません");
            return false;
        }
        return true;
    }

    Node List() {
        Node first = Relations();
        if (PeekKind() != TokenKind::Comma) return first;
        std::vector<Node> items{std::move(first)};
        while (!failure && PeekKind() == TokenKind::Comma) {
            Take();
            items.push_back(Relations());
        }
        return Chain(NodeKind::List, std::move(items), {});
    }

    Node Relations() {
        Node first = Sum();
        if (!(rules.display || rules.relations) || PeekKind() != TokenKind::Relation) return first;
        std::vector<Node> sides{std::move(first)};
        std::vector<Operator> operators{Operator::None};
        while (!failure && PeekKind() == TokenKind::Relation) {
            operators.push_back(Take().op);
            sides.push_back(Sum());
        }
        return Chain(NodeKind::Relation, std::move(sides), std::move(operators));
    }

    Node Sum() {
        Node first = Term();
        if (PeekKind() != TokenKind::Sign) return first;
        std::vector<Node> terms{std::move(first)};
        std::vector<Operator> operators{Operator::None};
        while (!failure && PeekKind() == TokenKind::Sign) {
            const FormulaToken& sign = Take();
            if (sign.op == Operator::PlusMinus && !rules.display) return Fail(sign, "「±」は使えません"), Node();
            operators.push_back(sign.op);
            terms.push_back(Term());
        }
        return Chain(NodeKind::Sum, std::move(terms), std::move(operators));
    }

    // Factors joined by "×", "/", "÷" or nothing, left to right: "2/3x" is (2/3)·x.
    Node Term() {
        Node product = Unary();
        std::vector<Node> factors;
        std::vector<Operator> operators;
        // The factors since the last division form one product.
        auto closeProduct = [&]() {
            if (factors.empty()) return;
            factors.insert(factors.begin(), std::move(product));
            operators.insert(operators.begin(), Operator::None);
            product = Chain(NodeKind::Product, std::move(factors), std::move(operators));
            factors.clear();
            operators.clear();
        };
        int divisions = 0;
        while (!failure) {
            const FormulaToken& token = Peek();
            if (token.kind == TokenKind::Times) {
                Take();
                factors.push_back(Unary());
                operators.push_back(Operator::Times);
            } else if (token.kind == TokenKind::Slash || token.kind == TokenKind::Obelus) {
                // A run of divisions nests as deep as brackets do.
                if (++divisions + depth > FormulaNestingLimit) {
                    Fail(token, "入れ子が深すぎます（" + std::to_string(FormulaNestingLimit) + " 段まで）");
                    break;
                }
                Take();
                closeProduct();
                Node divisor = Unary();
                product = Pair(NodeKind::Divide, std::move(product), std::move(divisor));
                product.sign = token.op;
            } else if (BeginsFactor(token)) {
                if (!CheckNotTwoNumbers()) break;
                factors.push_back(Power());
                operators.push_back(Operator::Implicit);
            } else {
                break;
            }
        }
        closeProduct();
        return product;
    }

    Node Unary() {
        if (PeekKind() != TokenKind::Sign) return Power();
        const FormulaToken& sign = Take();
        Level level(*this);
        if (sign.op == Operator::PlusMinus && !rules.display) return Fail(sign, "「±」は使えません"), Node();
        Node operand = Unary();
        if (sign.op == Operator::Plus) return operand;
        return Negation(std::move(operand), sign.begin, sign.op);
    }

    // The exponent after a superscript run: its ASCII read as a signed number.
    Node SuperscriptExponent(const FormulaToken& token) {
        std::string digits = token.text;
        bool negative = false;
        while (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) {
            negative = negative != (digits[0] == '-');
            digits.erase(0, 1);
        }
        if (digits.empty() || digits.find_first_of("+-") != std::string::npos)
            return Fail(token, "「" + token.typed + "」は指数として読めません"), Node();
        Node number = Number(token, digits);
        if (!negative) return number;
        return Negation(std::move(number), token.begin, Operator::Minus);
    }

    // An exponent after "^" or a superscript run.
    Node ExponentAfter(const FormulaToken& caretOrSuperscript) {
        if (caretOrSuperscript.kind == TokenKind::Superscript) return SuperscriptExponent(caretOrSuperscript);
        return Exponent();
    }

    // A primary with its exponents: "x²", "e^-t", "2^3^2" (= 2^9).
    Node Power() {
        Node base = Primary();
        int powers = 0;
        while (!failure && (PeekKind() == TokenKind::Superscript || PeekKind() == TokenKind::Caret)) {
            const FormulaToken& token = Take();
            if (++powers + depth > FormulaNestingLimit) {
                Fail(token, "入れ子が深すぎます（" + std::to_string(FormulaNestingLimit) + " 段まで）");
                break;
            }
            if (token.kind == TokenKind::Superscript && PeekKind() == TokenKind::Caret)
                return Fail(Peek(), "「" + token.typed + "」のあとに「^」は続けられません（括弧でくくります）"), Node();
            Node exponent = ExponentAfter(token);
            base = Pair(NodeKind::Power, std::move(base), std::move(exponent));
        }
        return base;
    }

    // What follows "^": a signed primary, itself raised to what follows it ("e^-t", "x^(1/3)").
    Node Exponent() {
        Level level(*this);
        if (failure) return Node();
        if (PeekKind() == TokenKind::Sign) return Unary();
        Node base = Primary();
        if (!failure && PeekKind() == TokenKind::Superscript) {
            const FormulaToken& token = Take();
            Node exponent = SuperscriptExponent(token);
            base = Pair(NodeKind::Power, std::move(base), std::move(exponent));
        }
        if (!failure && PeekKind() == TokenKind::Caret) {
            Take();
            Node exponent = Exponent();
            base = Pair(NodeKind::Power, std::move(base), std::move(exponent));
        }
        return base;
    }

    Node Number(const FormulaToken& token, const std::string& digits) {
        Node number;
        number.kind = NodeKind::Number;
        number.text = digits;
        number.begin = token.begin;
        number.end = token.end;
        // Read in the classic locale, whatever the program's locale says a decimal point is
        // (the browser's library has no from_chars for floating point).
        std::istringstream in(digits.front() == '.' ? "0" + digits : digits);
        in.imbue(std::locale::classic());
        in >> number.value;
        if (in.fail() || !std::isfinite(number.value)) Fail(token, "「" + token.typed + "」は大きすぎます");
        return number;
    }

    std::string AllowedNames() const {
        std::string names;
        const std::pair<unsigned, const char*> order[] = {{fsT, "t"}, {fsTheta, "θ"}, {fsX, "x"}, {fsY, "y"}, {fsR, "r"},
                                                          {fsA, "a"}, {fsB, "b"}, {fsC, "c"}};
        for (auto [bit, name] : order) {
            if (!(rules.allowed & bit)) continue;
            if (!names.empty()) names += ", ";
            names += name;
        }
        return names;
    }

    Node Letter(const FormulaToken& token) {
        const std::string& name = token.runReads ? token.typed : token.run;
        const unsigned symbol = SymbolOf(token.text);
        const bool constant = token.runReads && token.text == "e";
        if (!rules.display && !constant && (!token.runReads || !(symbol & rules.allowed))) {
            std::string what = "「" + name + "」は使えません";
            const std::string allowed = AllowedNames();
            if (!allowed.empty()) what += "（使える文字は " + allowed + "）";
            return Fail(token, what), Node();
        }
        Node node;
        node.begin = token.begin;
        node.end = token.end;
        if (token.text == "e") {
            node.kind = NodeKind::Constant;
            node.text = "e";
            node.value = std::numbers::e;
        } else {
            node.kind = NodeKind::Symbol;
            node.text = token.text;
            node.symbol = symbol;
        }
        return node;
    }

    Node Primary() {
        Level level(*this);
        if (failure) return Node();
        const FormulaToken& token = Peek();
        switch (PeekKind()) {
        case TokenKind::Number:
            Take();
            return Number(token, token.text);
        case TokenKind::Letter:
            Take();
            return Letter(token);
        case TokenKind::Word:
            Take();
            if (token.text == "pi") {
                Node pi;
                pi.kind = NodeKind::Constant;
                pi.text = "π";
                pi.value = std::numbers::pi;
                pi.begin = token.begin;
                pi.end = token.end;
                return pi;
            }
            return Function(token);
        case TokenKind::Root: {
            Take();
            Node radicand = Argument(token);
            const int finish = radicand.end;
            return Make(NodeKind::Root, Children(std::move(radicand)), token.begin, finish);
        }
        case TokenKind::Open: {
            Take();
            Node inside = rules.display ? List() : Sum();
            if (failure) return Node();
            const FormulaToken& close = Peek();
            if (close.kind != TokenKind::Close || close.bracket != token.bracket) {
                if (close.kind == TokenKind::Relation && !rules.display)
                    return Fail(close, "「" + close.typed + "」はここでは使えません"), Node();
                if (close.kind == TokenKind::Comma && !rules.display)
                    return Fail(close, "「" + close.typed + "」はここでは使えません"), Node();
                return Fail(close, "「" + Closing(token.bracket) + "」がありません"), Node();
            }
            Take();
            Node group = Make(NodeKind::Group, Children(std::move(inside)), token.begin, close.end);
            group.bracket = token.bracket;
            return group;
        }
        case TokenKind::Bar: {
            Take();
            ++absoluteDepth;
            Node inside = Sum();
            --absoluteDepth;
            if (failure) return Node();
            const FormulaToken& close = Peek();
            if (close.kind != TokenKind::Bar) return Fail(close, "「|」がありません"), Node();
            Take();
            return Make(NodeKind::Absolute, Children(std::move(inside)), token.begin, close.end);
        }
        case TokenKind::End:
            if (at > start && IsOperator(tokens[at - 1]))
                return Fail(token, "「" + tokens[at - 1].typed + "」のあとに式がありません"), Node();
            return Fail(token, "式がありません"), Node();
        case TokenKind::Close:
            if (at > start && tokens[at - 1].kind == TokenKind::Open) return Fail(token, "括弧の中に式がありません"), Node();
            return Fail(token, "「" + token.typed + "」の前に式がありません"), Node();
        case TokenKind::Unknown:
            return Fail(token, "「" + token.typed + "」は使えません"), Node();
        default:
            return Fail(token, "「" + token.typed + "」の前に式がありません"), Node();
        }
    }

    static bool IsOperator(const FormulaToken& token) {
        switch (token.kind) {
        case TokenKind::Sign: case TokenKind::Times: case TokenKind::Slash: case TokenKind::Obelus: case TokenKind::Caret:
        case TokenKind::Relation: case TokenKind::Comma:
            return true;
        default:
            return false;
        }
    }

    static std::vector<Node> Children(Node child) {
        std::vector<Node> children;
        children.push_back(std::move(child));
        return children;
    }

    // sin, cos, tan, log, ln, exp, sqrt, abs: the exponent written after the name, then the argument.
    Node Function(const FormulaToken& name) {
        if (name.text.starts_with("arc") && !rules.display)
            return Fail(name, "逆三角関数（" + name.text + " など）は使えません"), Node();
        const bool root = name.text == "sqrt", absolute = name.text == "abs";
        std::optional<Node> exponent;
        if (!root && !absolute && (PeekKind() == TokenKind::Superscript || PeekKind() == TokenKind::Caret)) {
            const FormulaToken& token = Take();
            exponent = ExponentAfter(token);
            if (failure) return Node();
            if (exponent->kind == NodeKind::Negate && !rules.display)
                return Fail(token, name.text + "^-1 のような逆関数は使えません（指数は正の数だけです）"), Node();
        }
        Node argument = Argument(name);
        if (failure) return Node();
        const int finish = argument.end;
        if (root) return Make(NodeKind::Root, Children(std::move(argument)), name.begin, finish);
        if (absolute) return Make(NodeKind::Absolute, Children(std::move(argument)), name.begin, finish);
        std::vector<Node> children;
        children.push_back(std::move(argument));
        if (exponent) children.push_back(std::move(*exponent));
        Node function = Make(NodeKind::Function, std::move(children), name.begin, finish);
        function.text = name.text;
        return function;
    }

    // The argument of a function or root without brackets of its own: the factors that follow one
    // another without a sign, up to a sign, a comma, a closing bracket or the next function's name
    // ("cos 2θ", "sin θ cos θ"); or one function application ("sin cos θ", "√|x|").
    Node Argument(const FormulaToken& function) {
        Level level(*this);
        if (failure) return Node();
        const FormulaToken* minus = nullptr;
        if (PeekKind() == TokenKind::Sign && Peek().op == Operator::Minus) minus = &Take();
        if (!BeginsFactor(Peek())) {
            const std::string name = function.kind == TokenKind::Root ? "√" : function.text;
            return Fail(Peek(), "「" + name + "」のあとに式がありません"), Node();
        }
        Node argument;
        if (BeginsFunction(Peek())) {
            argument = Power();
        } else {
            std::vector<Node> factors;
            factors.push_back(Power());
            while (!failure && BeginsFactor(Peek()) && !BeginsFunction(Peek())) {
                if (!CheckNotTwoNumbers()) break;
                factors.push_back(Power());
            }
            if (factors.size() == 1) {
                argument = std::move(factors.front());
            } else {
                std::vector<Operator> operators(factors.size(), Operator::Implicit);
                operators[0] = Operator::None;
                argument = Chain(NodeKind::Product, std::move(factors), std::move(operators));
            }
        }
        if (!minus) return argument;
        return Negation(std::move(argument), minus->begin, Operator::Minus);
    }

    const std::vector<FormulaToken>& tokens;
    std::size_t at;
    const std::size_t start = at;
    std::size_t end;
    const ReadRules& rules;
    FormulaToken endToken;
    int depth = 0;
    int absoluteDepth = 0;
    std::optional<ReadFailure> failure;
};

}  // namespace

ParsedRun ParseTokens(const std::vector<FormulaToken>& tokens, std::size_t begin, std::size_t end, const ReadRules& rules) {
    ParsedRun run = Parser(tokens, begin, end, rules).Run();
    // Each level of nesting adds at most a few nodes; the evaluator's stack is sized for this height.
    if (run.tree && run.tree->height > FormulaTreeHeightLimit) {
        run.failure = ReadFailure{run.tree->begin, "入れ子が深すぎます（" + std::to_string(FormulaNestingLimit) + " 段まで）"};
        run.tree.reset();
    }
    return run;
}
