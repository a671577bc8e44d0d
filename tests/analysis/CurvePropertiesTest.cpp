// The properties of curves as the panel draws them, checked against answers worked by hand: each
// type given as a fixed kind and as parametric, polar and Cartesian formulas, translated and
// rotated; curves that are no conic are never named one.
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/CurveProperties.h"
#include "analysis/PropertiesWindow.h"
#include "curves/Codec.h"

namespace {

struct HandWorked {
    int kind;
    const char* formula;  // kind 26: "x=…;y=…", 27: "r=…", 28: "…=…"; empty for a fixed kind
    int a, b, c;
    int thetaStart, thetaEnd;
    const char* type;
    const char* equation;
    const char* foci;      // the foci texts joined by "; "
    const char* eccentricity;
    bool part;
};

CurveEntry Entry(int kind, const std::string& formula) {
    CurveEntry entry;
    entry.Id = kind;
    if (kind == 26) {
        const std::size_t split = formula.find(';');
        entry.XFormula = Utf8ToCp932(formula.substr(0, split));
        entry.YFormula = Utf8ToCp932(formula.substr(split + 1));
    } else if (kind == 27) {
        entry.PolarFormula = Utf8ToCp932(formula);
    } else if (kind == 28) {
        entry.XFormula = Utf8ToCp932(formula);
    }
    return entry;
}

ConicProperties Analyse(const HandWorked& curve) {
    const CurveEntry entry = Entry(curve.kind, curve.formula);
    return AnalyseCurve({&entry, curve.a, curve.b, curve.c, curve.thetaStart, curve.thetaEnd, 4});
}

std::string Joined(const std::vector<std::string>& texts) {
    std::string out;
    for (const std::string& text : texts) out += (out.empty() ? "" : "; ") + text;
    return out;
}

// Worked by hand: r = 3/(1 + ½cos θ) squares to (x + 2)²/16 + y²/12 = 1, r = 3/(1 + 2cos θ) to
// (x − 2)² − y²/3 = 1, r = 2/(1 + cos θ) to y² = −4(x − 1); the rotated ellipse is X²/9 + Y²/4 = 1
// turned by π/4, x² + xy + y² = 3 has λ = 1/2 along (1, −1) and 3/2 along (1, 1).
const HandWorked Table[] = {
    {23, "", 3, 2, 1, 0, 2, "ellipse", "x²/9 + y²/4 = 1", "(√5, 0); (−√5, 0)", "√5/3", false},
    {23, "", 2, 5, 1, 0, 1, "ellipse", "x²/4 + y²/25 = 1", "(0, √21); (0, −√21)", "√21/5", true},
    {16, "", 2, 3, 1, 0, 2, "hyperbola", "x²/4 − y²/9 = 1", "(√13, 0); (−√13, 0)", "√13/2", false},
    {15, "", 2, 1, 1, 0, 2, "parabola", "y² = 8x", "(2, 0)", "1", true},
    {15, "", 1, 1, 1, -2, 2, "parabola", "y² = 4x", "(1, 0)", "1", false},
    {20, "", 3, 1, 1, 0, 2, "circle", "x² + y² = 9", "", "0", false},
    {25, "", 1, 2, 1, 0, 1, "circle", "(x − 1)² + (y − 2)² = 5", "", "0", false},
    {17, "", 1, 2, 3, 0, 2, "ellipse", "(x + 2)²/16 + y²/12 = 1", "(0, 0); (−4, 0)", "1/2", false},
    {17, "", 2, 1, 3, 0, 2, "hyperbola", "(x − 2)² − y²/3 = 1", "(4, 0); (0, 0)", "2", false},
    {17, "", 1, 1, 2, 0, 2, "parabola", "y² = −4(x − 1)", "(0, 0)", "1", false},
    {18, "", 1, 4, 2, 0, 2, "line", "y = −x + 2√2", "", "", false},
    {26, "x=2+3cos t;y=-1+2sin t", 1, 1, 1, 0, 2, "ellipse", "(x − 2)²/9 + (y + 1)²/4 = 1", "(2 + √5, −1); (2 − √5, −1)", "√5/3", false},
    {26, "x=(3cos t-2sin t)/√2;y=(3cos t+2sin t)/√2", 1, 1, 1, 0, 2, "ellipse", "X²/9 + Y²/4 = 1", "(√10/2, √10/2); (−√10/2, −√10/2)", "√5/3", false},
    {26, "x=1/cos t;y=tan t", 1, 1, 1, 0, 2, "hyperbola", "x² − y² = 1", "(√2, 0); (−√2, 0)", "√2", false},
    {26, "x=t;y=1/t (-4<=t<=4)", 1, 1, 1, 0, 2, "hyperbola", "X²/2 − Y²/2 = 1", "(√2, √2); (−√2, −√2)", "√2", true},
    {26, "x=t;y=t^2-2t (-2<=t<=4)", 1, 1, 1, 0, 2, "parabola", "(x − 1)² = y + 1", "(1, −3/4)", "1", true},
    {26, "x=a cos t;y=a sin t+c", 2, 1, 3, 0, 2, "circle", "x² + (y − 3)² = 4", "", "0", false},
    {27, "r=4/(1-cos θ)", 1, 1, 1, 0, 2, "parabola", "y² = 8(x + 2)", "(0, 0)", "1", false},
    {27, "r=6cos θ", 1, 1, 1, 0, 1, "circle", "(x − 3)² + y² = 9", "", "0", false},
    {27, "r=5/(3+2cos θ)", 1, 1, 1, 0, 2, "ellipse", "(x + 2)²/9 + y²/5 = 1", "(0, 0); (−4, 0)", "2/3", false},
    {28, "x^2/9+y^2/4=1", 1, 1, 1, 0, 2, "ellipse", "x²/9 + y²/4 = 1", "(√5, 0); (−√5, 0)", "√5/3", false},
    {28, "(x-1)^2/4-(y+2)^2/9=-1", 1, 1, 1, 0, 2, "hyperbola", "(x − 1)²/4 − (y + 2)²/9 = −1", "(1, −2 + √13); (1, −2 − √13)", "√13/3", false},
    {28, "y=x^2/4", 1, 1, 1, 0, 2, "parabola", "x² = 4y", "(0, 1)", "1", false},
    {28, "x^2+y^2-4x+2y=4", 1, 1, 1, 0, 2, "circle", "(x − 2)² + (y + 1)² = 9", "", "0", false},
    {28, "x^2+xy+y^2=3", 1, 1, 1, 0, 2, "ellipse", "X²/6 + Y²/2 = 1", "(√2, −√2); (−√2, √2)", "√6/3", false},
    {28, "y=2x+1", 1, 1, 1, 0, 2, "line", "y = 2x + 1", "", "", false},
};

}  // namespace

TEST(CurveProperties, EveryConicOfTheTableReadsAsWorkedByHand) {
    for (const HandWorked& curve : Table) {
        SCOPED_TRACE(std::to_string(curve.kind) + " " + curve.formula + " a=" + std::to_string(curve.a) +
                     " b=" + std::to_string(curve.b) + " c=" + std::to_string(curve.c));
        const ConicProperties found = Analyse(curve);
        EXPECT_STREQ(ConicTypeName(found.type), curve.type);
        EXPECT_EQ(found.equation, curve.equation);
        EXPECT_EQ(Joined(found.fociText), curve.foci);
        EXPECT_EQ(found.eccentricityText, curve.eccentricity);
        if (found.type != ConicType::Line) EXPECT_EQ(found.part, curve.part);
    }
}

TEST(CurveProperties, ARotatedConicGivesItsAngleAndItsFigureInTheWorld) {
    // x² + xy + y² = 3: X along (1, −1), so the rotation is −π/4; the directrices X = ±3
    // (a²/c = 6/2) are x − y = ±3√2.
    const ConicProperties found = Analyse({28, "x^2+xy+y^2=3", 1, 1, 1, 0, 2, "", "", "", "", false});
    EXPECT_EQ(found.angleText, "−π/4");
    EXPECT_NEAR(found.angle, -M_PI / 4, 1e-9);
    ASSERT_EQ(found.directrices.size(), 2u);
    const ConicLine& d = found.directrices[0];
    EXPECT_NEAR(d.A / d.B, -1, 1e-9);
    EXPECT_NEAR(std::fabs(d.C / d.A), 3 * std::sqrt(2.0), 1e-7);
}

TEST(CurveProperties, CurvesThatAreNoConicAreOther) {
    const HandWorked others[] = {
        {2, "", 2, 1, 3, 0, 2},     // a rose
        {4, "", 1, 1, 1, 0, 2},     // a cycloid
        {10, "", 2, 1, 1, 0, 2},    // a cardioid
        {12, "", 1, 1, 1, 0, 4},    // a spiral
        {21, "", 1, 1, 2, -2, 2},   // a sine curve
        {0, "", 1, 2, 3, 0, 2},     // a Lissajous figure, a quartic
        {26, "x=5cos t;y=0.00001sin t", 1, 1, 1, 0, 2},  // an ellipse thin as a segment
        {28, "x^2-y^2=0", 1, 1, 1, 0, 2},                // a pair of lines
        {28, "x^2+y^2=0", 1, 1, 1, 0, 2},                // a point
    };
    for (const HandWorked& curve : others) {
        SCOPED_TRACE(std::to_string(curve.kind) + " " + curve.formula);
        const ConicType type = Analyse(curve).type;
        EXPECT_TRUE(type == ConicType::Other) << ConicTypeName(type);
    }
}

// The window draws every line's label, those after a typeset formula too, and grows with its lines.
TEST(CurveProperties, TheWindowShowsEveryLabelBesideItsValue) {
    TfrmProperties window;
    window.Follow(Analyse({28, "(x-2)^2/4-(y+1)^2/9=1", 1, 1, 1, 0, 2, "", "", "", "", false}));
    const Bitmap& picture = window.Picture();
    const std::vector<TfrmProperties::Line>& lines = window.Lines();
    ASSERT_GE(lines.size(), 7u);  // 種類, 方程式, 中心, 主軸, 焦点, 準線, 漸近線, 離心率
    EXPECT_EQ(picture.Height(), 20 + 32 * static_cast<int>(lines.size()));
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (lines[k].label.empty()) continue;
        int ink = 0;
        for (int y = 10 + 32 * static_cast<int>(k); y < 10 + 32 * static_cast<int>(k + 1); ++y)
            for (int x = 10; x < 40; ++x) ink += picture.Pixel(x, y) != clWhite;
        EXPECT_GT(ink, 20) << lines[k].label;
    }
}
