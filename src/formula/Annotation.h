// The caption below the plotting square: the strip, the curve's name, its typeset formulas, the
// parameter line and, in the split display, the quadrant labels. TfrmMain::DrawAnnotation draws
// it; these helpers build its parts. All texts here are UTF-8.
#pragma once

#include <string>

#include "curves/CurveRecord.h"
#include "formula/Typeset.h"
#include "picture/PlotView.h"

// The face of the whole caption (the parameter font's face).
inline constexpr const char* AnnotationFontFace = "ＭＳ Ｐゴシック";

// The largest size from 16 points down to 12 at which the entry's formulas, begun at column x,
// leave nothing past the picture's right edge; 12 when none does.
int CaptionFormulaSize(Typesetter& typesetter, const Canvas& picture, const CurveEntry& entry, int x);

// Paints the picture's rows from width + 1 on (the strip below the square) in `color`.
void FillAnnotationStrip(TImage& picture, TColor color);

// "    %s%s%s,  %s": the a-, b- and c-texts and the θ range text. A parameter of 99 is left out;
// the stepped parameter (`target` 'a', 'b' or 'c') reads "S～value" in a repeat.
std::string AnnotationParameterLine(int a, int b, int c, bool repeat, int repeatStart, char target,
                                    const std::string& thetaRange);

// " a=" (or " b=", " c=", or nothing without a target) and the value S + quadrant − 1.
std::string QuadrantLabel(char target, int repeatStart, int quadrant);
