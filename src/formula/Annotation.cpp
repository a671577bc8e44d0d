#include "formula/Annotation.h"

#include "app/Main.h"
#include "curves/Codec.h"

namespace {

constexpr int FormulaSize = 16;

std::string ParameterText(const char* prefix, char letter, int value, bool stepped, int repeatStart) {
    if (value == NotPlaceholder) return {};
    std::string text = std::string(prefix) + letter + " = ";
    if (stepped) text += std::to_string(repeatStart) + "～";
    return text + std::to_string(value);
}

}  // namespace

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
    const TColor textColor = colors.AxisColor;

    canvas.Brush.Style = BrushStyle::Clear;
    FillAnnotationStrip(view.imgCood, cmbHaikei.ItemIndex() == 0 ? colors.CurrentBackColor : clWhite);
    canvas.Font.Name = AnnotationFontFace;
    canvas.Font.Size = AnnotationTextSize;
    canvas.Font.Color = textColor;
    canvas.TextOut(10, row, Cp932ToUtf8(entry.Name));

    // The leading blanks only separate tokens: the formula still starts at column 10.
    if (entry.PolarFormula.size() < 2) {
        TPoint end = typesetter.TypesetLine(FormulaSize, 10, row + 10, 1.0, canvas, "      " + entry.XFormula, textColor);
        typesetter.TypesetLine(FormulaSize, end.x + 10, row + 10, 1.0, canvas, "  , " + entry.YFormula, textColor);
    } else {
        typesetter.TypesetLine(FormulaSize, 10, row + 10, 1.0, canvas, "      " + entry.PolarFormula, textColor);
    }

    char target = radA.Checked() ? 'a' : radB.Checked() ? 'b' : radC.Checked() ? 'c' : '\0';
    int repeatStart = updRpStart.Value();
    // The parameter line and the label keep whatever font the typesetter left.
    canvas.TextOut(100, row + 75, AnnotationParameterLine(a, b, c, repeat, repeatStart, target, edtHeniki.Text()));

    const int half = PlotView::PictureWidth / 2;
    const TPoint labelCorners[] = {{0, 7}, {half, 7}, {0, half + 7}, {half, half + 7}};
    if (quadrant >= 1 && quadrant <= 4) {
        TPoint corner = labelCorners[quadrant - 1];
        canvas.TextOut(corner.x, corner.y, QuadrantLabel(target, repeatStart, quadrant));
    }
}
