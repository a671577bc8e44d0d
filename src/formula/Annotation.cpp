#include "formula/Annotation.h"

#include <algorithm>

#include "app/Main.h"
#include "curves/Codec.h"
#include "formula/FormulaCaption.h"

namespace {

constexpr int FormulaSize = 16;
// A formula too long for the strip is set a point smaller at a time, down to this size: the size
// of the small digits after "^" in every formula, and the last at which its exponents (0.6 of
// the size, 7 points) keep their digits apart in the caption's face.
constexpr int SmallestFormulaSize = 12;

std::string ParameterText(const char* prefix, char letter, int value, bool stepped, int repeatStart) {
    if (value == NotPlaceholder) return {};
    std::string text = std::string(prefix) + letter + " = ";
    if (stepped) text += std::to_string(repeatStart) + "～";
    return text + std::to_string(value);
}

// The caption's formulas with their first piece at x in the band whose top is y: the polar
// formula, or the x formula and, 10 pixels after its end, ", " and the y formula.
TPoint TypesetFormulas(Typesetter& typesetter, Canvas& canvas, const CurveEntry& entry, int size, int x, int y, TColor color) {
    if (entry.PolarFormula.size() >= 2) {
        return typesetter.TypesetLine(size, x, y, 1.0, canvas, "      " + entry.PolarFormula, color);
    }
    const std::string yLine = "  , " + entry.YFormula;
    typesetter.CaretsInFollowingText = static_cast<std::size_t>(std::count(yLine.begin(), yLine.end(), '^'));
    TPoint end = typesetter.TypesetLine(size, x, y, 1.0, canvas, "      " + entry.XFormula, color);
    typesetter.CaretsInFollowingText = 0;
    return typesetter.TypesetLine(size, end.x + 10, y, 1.0, canvas, yLine, color);
}

}  // namespace

int CaptionFormulaSize(Typesetter& typesetter, const Canvas& picture, const CurveEntry& entry, int x) {
    // The formulas are tried on a strip that holds only the columns past the picture's right
    // edge (the layout moves with x as a whole): a size fits when nothing is inked there.
    constexpr int Columns = 128, Rows = 128, BandTop = 32;
    for (int size = FormulaSize; size > SmallestFormulaSize; --size) {
        Canvas beyond(Columns, Rows, clWhite);
        beyond.Brush.Style = BrushStyle::Clear;
        beyond.Font = picture.Font;
        TPoint end = TypesetFormulas(typesetter, beyond, entry, size, x - picture.Width(), BandTop, clBlack);
        bool inked = false;
        for (int row = 0; row < Rows && !inked; ++row) {
            const TColor* pixels = beyond.Picture().Row(row);
            inked = std::any_of(pixels, pixels + Columns, [](TColor pixel) { return pixel != clWhite; });
        }
        // A formula that goes on past the strip has more to show there even where it is blank.
        if (!inked && end.x < Columns) return size;
    }
    return SmallestFormulaSize;
}

void FillAnnotationStrip(TImage& picture, TColor color) {
    // The strip starts one row below the square; its last row falls off the picture.
    picture.canvas.FillRect({0, picture.Width + 1, picture.Width, picture.Height + 1}, color);
}

std::string AnnotationParameterLine(int a, int b, int c, bool repeat, int repeatStart, char target,
                                    const std::string& thetaRange) {
    return "    " + ParameterText("  ", 'a', a, repeat && target == 'a', repeatStart) +
           ParameterText(",  ", 'b', b, repeat && target == 'b', repeatStart) +
           ParameterText(",  ", 'c', c, repeat && target == 'c', repeatStart) + ",  " + thetaRange;
}

std::string QuadrantLabel(char target, int repeatStart, int quadrant) {
    std::string label = target ? std::string(" ") + target + "=" : std::string();
    return label + std::to_string(repeatStart + quadrant - 1);
}

void TfrmMain::DrawAnnotation(int n, int a, int b, int c, bool repeat, int quadrant) {
    Canvas& canvas = view.canvas();
    const CurveEntry& entry = curveTable[n];
    const int row = AnnotationRow;
    const bool stripIsBackground = cmbHaikei.ItemIndex() == 0;
    // The other kinds' strip is white, so their caption is black even on a black background.
    const TColor textColor = stripIsBackground ? colors.AxisColor : clBlack;

    const char target = radA.Checked() ? 'a' : radB.Checked() ? 'b' : radC.Checked() ? 'c' : '\0';
    const int repeatStart = updRpStart.Value();
    const TColor stripColor = stripIsBackground ? colors.CurrentBackColor : clWhite;
    canvas.Brush.Style = BrushStyle::Clear;
    if (IsTypedFormulaKind(entry.Id)) {
        // The exercise's own equation, typeset from the formula lines.
        FormulaCaption caption{Cp932ToUtf8(entry.Name), entry.Id, Cp932ToUtf8(entry.PolarFormula), Cp932ToUtf8(entry.XFormula),
                               Cp932ToUtf8(entry.YFormula), a, b, c, repeat, repeatStart, target, edtHeniki.Text(), stripColor,
                               textColor};
        DrawFormulaCaption(canvas, caption, PlotView::PictureWidth + 1);
    } else {
        FillAnnotationStrip(view.imgCood, stripColor);
        canvas.Font.Name = AnnotationFontFace;
        canvas.Font.Size = AnnotationTextSize;
        canvas.Font.Color = textColor;
        canvas.TextOut(10, row, Cp932ToUtf8(entry.Name));

        // The leading blanks only separate tokens: the formula still starts at column 10. A root's
        // roof may rise no higher than the numerators' tops, just under the name's ink.
        const int band = row + 10;
        const int size = CaptionFormulaSize(typesetter, canvas, entry, 10);
        typesetter.RoofCeiling = band + 8;
        TypesetFormulas(typesetter, canvas, entry, size, 10, band, textColor);
        typesetter.RoofCeiling = Typesetter::NoRoofCeiling;

        canvas.Font.Size = FormulaSize;
        canvas.Font.Color = textColor;
        canvas.TextOut(100, row + 75, AnnotationParameterLine(a, b, c, repeat, repeatStart, target, edtHeniki.Text()));
    }

    // The labels stand on the plotting square, not on the strip.
    canvas.Font.Color = colors.AxisColor;
    const int half = PlotView::PictureWidth / 2;
    const TPoint labelCorners[] = {{0, 7}, {half, 7}, {0, half + 7}, {half, half + 7}};
    if (quadrant >= 1 && quadrant <= 4) {
        TPoint corner = labelCorners[quadrant - 1];
        canvas.TextOut(corner.x, corner.y, QuadrantLabel(target, repeatStart, quadrant));
    }
}
