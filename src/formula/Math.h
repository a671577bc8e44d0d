// The hidden holder of the formula glyph pictures: a script ℓ, a script g with a descender and a
// Greek α, each 16 × 16 with one-pixel strokes on white, in black and in red. Drawn by this
// project once, when the form is created; DrawGlyph paints their strokes, enlarged, in the
// formula's colour.
#pragma once

#include "picture/PlotView.h"
#include "ui/Controls.h"

class TfrmMath : public TForm {
public:
    TfrmMath();
    TImage imgLitter{"imgLitter", 16, 16};
    TImage imgRedLitter{"imgRedLitter", 16, 16};
    TImage imgGram{"imgGram", 16, 16};
    TImage imgRedGram{"imgRedGram", 16, 16};
    TImage imgABlack{"imgABlack", 16, 16};
    TImage imgARed{"imgARed", 16, 16};
};
