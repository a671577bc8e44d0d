// Boxes of typeset mathematics: a formula's tree laid out as a textbook prints it (fractions,
// roots, scripts, brackets that grow with what they hold, upright function names and italic
// letters), measured from the faces' own glyphs, then drawn with a painter's text and line
// operations only. The caption (formula/FormulaCaption.h) arranges such boxes in its strip.
#pragma once

#include <string>
#include <vector>

#include "formula/ExpressionTree.h"
#include "picture/Painter.h"

// The faces of typeset formulas: letters, digits and signs in the serif face; "≦", "≧" and
// anything Japanese in the caption's face.
inline constexpr const char* MathFace = "Times New Roman";
inline constexpr const char* MathSignFace = "ＭＳ Ｐゴシック";

// One thing to draw, placed relative to the box's origin: its left end on its baseline.
struct MathPiece {
    bool line = false;
    int x = 0, y = 0;    // text: the pen's start on the baseline; line: one end
    int x2 = 0, y2 = 0;  // line: the other end (drawn, unlike the end of a LineTo)
    std::string text;    // UTF-8
    const char* face = MathFace;
    int size = 16;       // points
    bool italic = false;
    int penWidth = 1;
};

// A laid-out formula or part of one. Rows grow downwards: ink reaches from `ascent` rows above
// the baseline to `descent` rows below it, and from column `inkLeft` to before `inkRight`; the
// next box begins at `width`.
struct MathBox {
    int width = 0;
    int ascent = 0, descent = 0;
    int inkLeft = 0, inkRight = 0;
    std::vector<MathPiece> pieces;

    bool Empty() const { return pieces.empty() && width == 0; }
    // Puts `other` after this box, its baseline `raise` rows higher, `gap` columns on.
    void Append(const MathBox& other, int gap = 0, int raise = 0);
    void Append(MathBox&& other, int gap = 0, int raise = 0);
};

// A text in one face and style, measured as the exact picture sets it.
MathBox TextBox(const std::string& utf8, const char* face, int size, bool italic);

// The layout of `tree` with `size` points as its base size.
MathBox LayOutFormula(const ExpressionNode& tree, int size);
// The terms of a sum laid out one by one, each after the first with its sign and spaces in front:
// where a formula too long for its line may break. Anything but a sum is one term.
std::vector<MathBox> LayOutTerms(const ExpressionNode& tree, int size);
// A relation sign ("=", "≦", …) with the spaces around it, as a formula sets it.
MathBox RelationBox(Operator relation, int size);

// Draws a box with its origin at (x, baseline) in `color`; sets the painter's font and pen.
void DrawMathBox(Painter& painter, const MathBox& box, int x, int baseline, TColor color);
