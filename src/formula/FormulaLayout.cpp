#include "formula/FormulaLayout.h"

#include <algorithm>
#include <cmath>

#include "picture/Fonts.h"

namespace {

using Node = ExpressionNode;

int Round(double value) { return static_cast<int>(std::lround(value)); }

// The sizes a formula steps down to: exponents, and the parts of a fraction inside a fraction.
int ScriptSize(int size) { return std::max(7, Round(size * 0.7)); }
int InnerFractionSize(int size) { return std::max(8, Round(size * 0.8)); }

struct Style {
    int size = 16;
    bool script = false;    // inside an exponent: fractions are written on the line, "1/3"
    int fractionLevel = 0;  // fractions this part stands in
};

Style ScriptOf(Style style) { return {ScriptSize(style.size), true, style.fractionLevel}; }

// The spaces TeX puts between the parts of a formula, in eighteenths of the face's pixel size.
int Space(int size, int eighteenths) { return Round(FontPixelSize(size) * eighteenths / 18.0); }
int ThinSpace(int size) { return Space(size, 3); }
int MediumSpace(int size) { return Space(size, 4); }
int ThickSpace(int size) { return Space(size, 5); }

// The height of the mathematical axis above the baseline: the middle of the minus sign, on which
// fraction bars lie.
int AxisHeight(int size) {
    FontFace* face = FindFace(MathFace, false, false);
    if (!face) return Round(FontPixelSize(size) * 0.25);
    const GlyphImage& minus = face->Glyph(U'−', FontPixelSize(size));
    return minus.Top - minus.Height / 2;
}

MathPiece LinePiece(int x, int y, int x2, int y2, int penWidth) {
    MathPiece piece;
    piece.line = true;
    piece.x = x, piece.y = y, piece.x2 = x2, piece.y2 = y2;
    piece.penWidth = penWidth;
    return piece;
}

const Node& WithoutGroup(const Node& node) {
    return node.kind == NodeKind::Group ? node.children[0] : node;
}

bool StartsWithDigit(const Node& node) {
    switch (node.kind) {
    case NodeKind::Number: return true;
    case NodeKind::Sum: case NodeKind::Product: case NodeKind::Power: case NodeKind::Relation: case NodeKind::List:
        return StartsWithDigit(node.children[0]);
    case NodeKind::Divide: return node.sign == Operator::Obelus && StartsWithDigit(node.children[0]);
    default: return false;
    }
}

// Parts that want a thin space between them and a neighbour in a product: "2 sin θ", "½ x".
bool SetApart(const Node& node) {
    return (node.kind == NodeKind::Function && node.text != "exp") || (node.kind == NodeKind::Divide && node.sign == Operator::Slash);
}

class Layout {
public:
    std::vector<MathBox> Terms(const Node& node, Style style) {
        std::vector<MathBox> terms;
        if (node.kind != NodeKind::Sum) {
            terms.push_back(Set(node, style));
            return terms;
        }
        terms.push_back(Set(node.children[0], style));
        for (std::size_t i = 1; i < node.children.size(); ++i) {
            MathBox term;
            AppendBinary(term, node.operators[i], style);
            const Node& child = node.children[i];
            term.Append(child.kind == NodeKind::Negate ? Bracketed(child, style) : Set(child, style));
            terms.push_back(std::move(term));
        }
        return terms;
    }

    MathBox Set(const Node& node, Style style) {
        switch (node.kind) {
        case NodeKind::Number: return Upright(node.text, style);
        case NodeKind::Symbol: return Letter(node.text, style);
        case NodeKind::Constant: return node.text == "π" ? Upright("π", style) : Italic(node.text, style);
        case NodeKind::Negate: return Negate(node, style);
        case NodeKind::Sum: return Sum(node, style);
        case NodeKind::Product: return Product(node, style);
        case NodeKind::Divide: return Divide(node, style);
        case NodeKind::Power: return Superscript(BaseOfPower(node.children[0], style), Set(WithoutGroup(node.children[1]), ScriptOf(style)), style);
        case NodeKind::Function: return Function(node, style);
        case NodeKind::Root: return Radical(Set(WithoutGroup(node.children[0]), style), style);
        case NodeKind::Absolute: return Bars(Set(WithoutGroup(node.children[0]), style), style);
        case NodeKind::Group: return Brackets(Set(node.children[0], style), node.bracket, style);
        case NodeKind::Relation: return Relation(node, style);
        case NodeKind::List: return List(node, style);
        }
        return {};
    }

private:
    static MathBox Upright(const std::string& text, Style style) { return TextBox(text, MathFace, style.size, false); }
    static MathBox Italic(const std::string& text, Style style) { return TextBox(text, MathFace, style.size, true); }

    // A letter in italic; a prime after it upright ("F′").
    static MathBox Letter(const std::string& text, Style style) {
        const std::string prime = "′";
        if (text.size() > prime.size() && text.ends_with(prime)) {
            MathBox box = Italic(text.substr(0, text.size() - prime.size()), style);
            box.Append(Upright(prime, style), 1);
            return box;
        }
        return Italic(text, style);
    }

    static MathBox Sign(Operator op, Style style) {
        switch (op) {
        case Operator::Plus: return Upright("+", style);
        case Operator::PlusMinus: return Upright("±", style);
        case Operator::Times: return Upright("×", style);
        case Operator::Obelus: return Upright("÷", style);
        default: return Upright("−", style);
        }
    }

    // A binary sign with its spaces, which exponents go without.
    static void AppendBinary(MathBox& box, Operator op, Style style) {
        const int space = style.script ? 0 : MediumSpace(style.size);
        box.Append(Sign(op, style), space);
        box.width += space;
    }

    MathBox Bracketed(const Node& node, Style style) { return Brackets(Set(node, style), '(', style); }

    MathBox Negate(const Node& node, Style style) {
        MathBox box = Sign(node.sign == Operator::PlusMinus ? Operator::PlusMinus : Operator::Minus, style);
        const Node& operand = node.children[0];
        const bool bracket = operand.kind == NodeKind::Sum || operand.kind == NodeKind::Negate || operand.kind == NodeKind::Relation;
        box.Append(bracket ? Bracketed(operand, style) : Set(operand, style), 1);
        return box;
    }

    MathBox Sum(const Node& node, Style style) {
        MathBox box = Set(node.children[0], style);
        for (std::size_t i = 1; i < node.children.size(); ++i) {
            AppendBinary(box, node.operators[i], style);
            const Node& term = node.children[i];
            box.Append(term.kind == NodeKind::Negate ? Bracketed(term, style) : Set(term, style));
        }
        return box;
    }

    // Factors side by side; "×" only where a number would run into the one before it.
    MathBox Product(const Node& node, Style style) {
        MathBox box = Set(node.children[0], style);
        for (std::size_t i = 1; i < node.children.size(); ++i) {
            const Node& factor = node.children[i];
            MathBox part = factor.kind == NodeKind::Negate ? Bracketed(factor, style) : Set(factor, style);
            if (node.operators[i] == Operator::Times && StartsWithDigit(factor)) {
                AppendBinary(box, Operator::Times, style);
                box.Append(part);
                continue;
            }
            const bool apart = !style.script && (SetApart(node.children[i - 1]) || SetApart(factor));
            box.Append(part, apart ? ThinSpace(style.size) : 0);
        }
        return box;
    }

    MathBox Divide(const Node& node, Style style) {
        const Node& top = node.children[0];
        if (node.sign == Operator::Obelus || style.script) {
            MathBox box = Set(top, style);
            if (node.sign == Operator::Obelus) AppendBinary(box, Operator::Obelus, style);
            else box.Append(Upright("/", style));
            box.Append(Set(node.children[1], style));
            return box;
        }
        // −a/b is printed as −(a over b), the minus before the bar.
        if (top.kind == NodeKind::Negate && top.sign == Operator::Minus) {
            MathBox box = Sign(Operator::Minus, style);
            box.Append(Fraction(WithoutGroup(top.children[0]), WithoutGroup(node.children[1]), style), 1);
            return box;
        }
        return Fraction(WithoutGroup(top), WithoutGroup(node.children[1]), style);
    }

    MathBox Fraction(const Node& top, const Node& bottom, Style style) {
        const Style part{style.fractionLevel == 0 ? style.size : InnerFractionSize(style.size), false, style.fractionLevel + 1};
        const MathBox numerator = Set(top, part), denominator = Set(bottom, part);
        const int pixels = FontPixelSize(style.size);
        const int axis = AxisHeight(style.size);
        const int gap = std::max(2, Round(pixels * 0.12));
        const int rule = pixels >= 40 ? 2 : 1;
        const int overhang = std::max(1, Round(pixels * 0.08));
        const int barWidth = std::max(numerator.width, denominator.width) + 2 * overhang;
        const int raise = numerator.descent + axis + gap;
        const int lower = denominator.ascent - axis + rule + gap;

        MathBox box;
        box.width = 1;
        MathBox bar;
        bar.pieces.push_back(LinePiece(0, -axis, barWidth, -axis, rule));
        bar.width = barWidth;
        bar.ascent = axis + 1;
        bar.inkRight = barWidth;
        MathBox stack = bar;
        stack.width = 0;
        stack.Append(numerator, (barWidth - numerator.width) / 2, raise);
        stack.width = 0;
        stack.Append(denominator, (barWidth - denominator.width) / 2, -lower);
        stack.width = barWidth;
        box.Append(stack);
        box.width += 1;
        return box;
    }

    // The base of a power is bracketed unless it is one thing ("x", "(x−1)", "√2").
    MathBox BaseOfPower(const Node& base, Style style) {
        switch (base.kind) {
        case NodeKind::Sum: case NodeKind::Product: case NodeKind::Negate: case NodeKind::Divide: case NodeKind::Power:
        case NodeKind::Relation: case NodeKind::List: case NodeKind::Function:
            return Bracketed(base, style);
        default:
            return Set(base, style);
        }
    }

    static MathBox Superscript(MathBox base, const MathBox& script, Style style) {
        const int pixels = FontPixelSize(style.size), scriptPixels = FontPixelSize(ScriptSize(style.size));
        const int raise = std::max({Round(pixels * 0.40), base.ascent - Round(scriptPixels * 0.3), script.descent + Round(pixels * 0.15)});
        base.Append(script, 1, raise);
        return base;
    }

    MathBox Function(const Node& node, Style style) {
        const Node& argument = node.children[0];
        // exp x is printed e^x.
        if (node.text == "exp") return Superscript(Italic("e", style), Set(WithoutGroup(argument), ScriptOf(style)), style);
        MathBox box = Upright(node.text, style);
        if (node.children.size() > 1) box = Superscript(box, Set(WithoutGroup(node.children[1]), ScriptOf(style)), style);
        if (argument.kind == NodeKind::Group) {
            box.Append(Set(argument, style), 1);
        } else if (argument.kind == NodeKind::Negate || argument.kind == NodeKind::Sum) {
            box.Append(Bracketed(argument, style), 1);
        } else {
            box.Append(Set(argument, style), ThinSpace(style.size));
        }
        return box;
    }

    MathBox Relation(const Node& node, Style style) {
        MathBox box = Set(node.children[0], style);
        for (std::size_t i = 1; i < node.children.size(); ++i) {
            box.Append(RelationBox(node.operators[i], style.size));
            box.Append(Set(node.children[i], style));
        }
        return box;
    }

    MathBox List(const Node& node, Style style) {
        MathBox box = Set(node.children[0], style);
        for (std::size_t i = 1; i < node.children.size(); ++i) {
            box.Append(Upright(",", style));
            box.Append(Set(node.children[i], style), Space(style.size, 6));
        }
        return box;
    }

    // The root sign: a short tick, a stroke down to below the inside and one up to the bar over it.
    static MathBox Radical(const MathBox& inside, Style style) {
        const int pixels = FontPixelSize(style.size);
        const int gap = std::max(2, Round(pixels * 0.1));
        const int top = -(std::max(inside.ascent, Round(pixels * 0.5)) + gap + 1);
        const int bottom = std::max(inside.descent, 0) + std::max(1, Round(pixels * 0.05));
        const int height = bottom - top;
        const int sign = Round(pixels * 0.42 + height * 0.1);
        const int middle = bottom - Round(height * 0.42);
        const int heavy = pixels >= 20 ? 2 : 1;
        MathBox box;
        const int tick = Round(sign * 0.22), foot = Round(sign * 0.5);
        box.pieces.push_back(LinePiece(0, middle + 1, tick, middle, 1));
        box.pieces.push_back(LinePiece(tick, middle, foot, bottom, heavy));
        box.pieces.push_back(LinePiece(foot, bottom, sign, top, 1));
        box.pieces.push_back(LinePiece(sign, top, sign + 2 + inside.width + 2, top, 1));
        box.width = sign + 2;
        box.ascent = -top + 1;
        box.descent = bottom + 1;
        box.inkLeft = 0;
        box.inkRight = sign + 4 + inside.width;
        box.Append(inside);
        box.width += 3;
        return box;
    }

    static MathBox Bars(const MathBox& inside, Style style) {
        const int pixels = FontPixelSize(style.size);
        const int up = std::max(inside.ascent + 1, Round(pixels * 0.72)), down = std::max(inside.descent + 1, Round(pixels * 0.2));
        auto bar = [&] {
            MathBox line;
            line.pieces.push_back(LinePiece(1, -up, 1, down, 1));
            line.width = 3;
            line.ascent = up;
            line.descent = down;
            line.inkLeft = 1;
            line.inkRight = 2;
            return line;
        };
        MathBox box = bar();
        box.Append(inside, 2);
        box.Append(bar(), 2);
        return box;
    }

    // Brackets as tall as what they hold: the face's own at the formula's size where that covers
    // it, else the same glyph at a larger size, centred on it.
    static MathBox Brackets(const MathBox& inside, char bracket, Style style) {
        const std::string open(1, bracket), close(1, bracket == '[' ? ']' : bracket == '{' ? '}' : ')');
        MathBox normal = Upright(open, style);
        int size = style.size;
        // As in print, brackets grow only for what clearly outgrows them (a fraction, not an exponent).
        const int tolerance = Round(FontPixelSize(style.size) * 0.3);
        if (inside.ascent > normal.ascent + tolerance || inside.descent > normal.descent + tolerance) {
            const int needed = inside.ascent + inside.descent + 2, height = std::max(1, normal.ascent + normal.descent);
            size = std::min(3 * style.size, (style.size * needed + height - 1) / height);
        }
        const MathBox left = TextBox(open, MathFace, size, false), right = TextBox(close, MathFace, size, false);
        // Centre the bracket's ink on the ink it holds (rows grow downwards).
        const int raise = size == style.size ? 0 : ((left.descent - left.ascent) - (inside.descent - inside.ascent)) / 2;
        MathBox box;
        box.Append(left, 0, raise);
        box.Append(inside, 1);
        box.Append(right, 1, raise);
        return box;
    }
};

}  // namespace

void MathBox::Append(const MathBox& other, int gap, int raise) { Append(MathBox(other), gap, raise); }

void MathBox::Append(MathBox&& other, int gap, int raise) {
    const int dx = width + gap;
    const bool inked = !pieces.empty();
    if (!other.pieces.empty()) {
        inkLeft = inked ? std::min(inkLeft, dx + other.inkLeft) : dx + other.inkLeft;
        inkRight = inked ? std::max(inkRight, dx + other.inkRight) : dx + other.inkRight;
        ascent = std::max(ascent, other.ascent + raise);
        descent = std::max(descent, other.descent - raise);
    }
    pieces.reserve(pieces.size() + other.pieces.size());
    for (MathPiece& piece : other.pieces) {
        piece.x += dx;
        piece.x2 += dx;
        piece.y -= raise;
        piece.y2 -= raise;
        pieces.push_back(std::move(piece));
    }
    width = dx + other.width;
}

MathBox TextBox(const std::string& utf8, const char* face, int size, bool italic) {
    MathBox box;
    FontFace* font = FindFace(face, italic, false);
    const int pixels = FontPixelSize(size);
    if (!font || pixels <= 0) return box;
    int pen = 0;
    bool inked = false;
    for (char32_t code : DecodeUtf8(utf8)) {
        const GlyphImage& glyph = font->Glyph(code, pixels);
        if (glyph.Width > 0 && glyph.Height > 0) {
            const int left = pen + glyph.Left, right = left + glyph.Width;
            box.inkLeft = inked ? std::min(box.inkLeft, left) : left;
            box.inkRight = inked ? std::max(box.inkRight, right) : right;
            box.ascent = std::max(box.ascent, glyph.Top);
            box.descent = std::max(box.descent, glyph.Height - glyph.Top);
            inked = true;
        }
        pen += glyph.Advance;
    }
    // An italic letter leans past its advance; what follows it keeps clear of the lean.
    box.width = italic && inked ? std::max(pen, box.inkRight) : pen;
    MathPiece piece;
    piece.text = utf8;
    piece.face = face;
    piece.size = size;
    piece.italic = italic;
    box.pieces.push_back(std::move(piece));
    return box;
}

MathBox LayOutFormula(const ExpressionNode& tree, int size) { return Layout().Set(tree, Style{size, false, 0}); }

std::vector<MathBox> LayOutTerms(const ExpressionNode& tree, int size) { return Layout().Terms(tree, Style{size, false, 0}); }

MathBox RelationBox(Operator relation, int size) {
    const bool japanese = relation == Operator::LessEqual || relation == Operator::GreaterEqual;
    const char* sign = relation == Operator::LessEqual      ? "≦"
                       : relation == Operator::GreaterEqual ? "≧"
                       : relation == Operator::Less         ? "<"
                       : relation == Operator::Greater      ? ">"
                       : relation == Operator::NotEqual     ? "≠"
                                                            : "=";
    MathBox box;
    box.Append(TextBox(sign, japanese ? MathSignFace : MathFace, size, false), ThickSpace(size));
    box.width += ThickSpace(size);
    return box;
}

void DrawMathBox(Painter& painter, const MathBox& box, int x, int baseline, TColor color) {
    const TBrush brush = painter.Brush;
    painter.Brush.Style = BrushStyle::Clear;
    for (const MathPiece& piece : box.pieces) {
        if (piece.line) {
            painter.Pen.Color = color;
            painter.Pen.Width = piece.penWidth;
            painter.MoveTo(x + piece.x, baseline + piece.y);
            painter.LineTo(x + piece.x2, baseline + piece.y2);
            continue;
        }
        FontFace* face = FindFace(piece.face, piece.italic, false);
        if (!face) continue;
        painter.Font.Name = piece.face;
        painter.Font.Size = piece.size;
        painter.Font.Italic = piece.italic;
        painter.Font.Bold = false;
        painter.Font.Color = color;
        painter.TextOut(x + piece.x, baseline + piece.y - face->Metrics(FontPixelSize(piece.size)).Ascent, piece.text);
    }
    painter.Font.Italic = false;
    painter.Brush = brush;
}
