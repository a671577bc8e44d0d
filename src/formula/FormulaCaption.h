// Typeset formulas as a textbook prints them, for the caption of a typed-formula curve
// (媒介変数表示（式）, 極方程式（式）, 方程式（式）) and for any window that shows an equation: real
// fractions, roots over any expression, exponents of any length, |x|, function names upright and
// letters italic, no sign for implicit multiplication. Everything is drawn through a Painter's
// text and line operations, so the exact picture, a scaled bitmap, SVG and PDF show the same.
// The faces come through the face seam: "Times New Roman" (Nimbus Roman) and "ＭＳ Ｐゴシック".
#pragma once

#include <string>

#include "formula/ExpressionTree.h"
#include "picture/Painter.h"
#include "plot/CurveKinds.h"  // IsTypedFormulaKind: the kinds captioned by DrawFormulaCaption

// What a typeset formula covers around the point it was set at: columns x to x + width, rows
// baseline − ascent to baseline + descent − 1, ink included.
struct FormulaExtent {
    int width = 0;
    int ascent = 0;
    int descent = 0;
};

// Typesets an equation or expression in the formula language's notation, any letters allowed:
// "(x−2)²/4 − (y+1)²/9 = 1", "y² = −8(x − 5)", "F(√13, 0)". Its left end is at column x and its
// baseline on row `baseline`, at `size` points in `color`. A text that does not read is written
// as it stands in the caption's face. The painter's brush is left as it was.
FormulaExtent TypesetFormula(Painter& painter, const std::string& text, int x, int baseline, int size, TColor color);
FormulaExtent TypesetFormula(Painter& painter, const ExpressionNode& tree, int x, int baseline, int size, TColor color);
// What the same call would cover, without drawing anything.
FormulaExtent MeasureFormula(const std::string& text, int size);
FormulaExtent MeasureFormula(const ExpressionNode& tree, int size);


// What the caption of a typed-formula entry shows. Texts are UTF-8 (record lines through Cp932ToUtf8).
struct FormulaCaption {
    std::string name;
    int kind = 26;                    // 26, 27 or 28
    std::string line3, line4, line5;  // the record's formula lines
    int a = 0, b = 0, c = 0;          // the values the curve is drawn with
    bool repeat = false;              // one curve of a repeat display: the stepped parameter reads "S～value"
    int repeatStart = 0;
    char target = '\0';               // the stepped parameter: 'a', 'b', 'c' or none
    std::string thetaRange;           // the panel's range ("0≦θ≦2π"), shown when the formula has none of its own
    TColor stripColor = clWhite;
    TColor textColor = clBlack;
};

// The strip's size: the picture's width, and the rows from below the square to the picture's foot.
constexpr int CaptionStripWidth = 513;
constexpr int CaptionStripHeight = 127;
// Columns kept free at the strip's right edge.
constexpr int CaptionRightMargin = 8;

// Draws the whole caption with the strip's top-left corner at (0, top): the strip in its colour,
// the name, the formulas (at 16 points, set smaller down to 12 when too wide, then broken after
// "=" or "," onto further lines), and the parameter line with only the parameters the formulas
// use. A formula that does not read is written as it stands. Leaves the painter's font in the
// caption's face at 16 points in the text colour, as the parameter line left it.
void DrawFormulaCaption(Painter& painter, const FormulaCaption& caption, int top);
