// The formula language: precedence and implicit multiplication, function arguments without
// brackets, values that do not exist, messages with their places, the limits, the fields and
// ranges of a typed-formula record, and the record's spelling of what was typed.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "curves/Codec.h"
#include "formula/Expression.h"
#include "formula/ExpressionTree.h"

namespace {

constexpr unsigned Everything = fsA | fsB | fsC | fsT | fsTheta | fsX | fsY | fsR;
const FormulaValues Sample{.a = 2, .b = 3, .c = 5, .t = 0.7, .theta = 0.3, .x = 1.5, .y = -0.5, .r = 1.6};

Expression Read(const std::string& text, unsigned allowed = Everything) {
    auto result = ReadExpression(text, allowed);
    if (auto* error = std::get_if<FormulaError>(&result)) ADD_FAILURE() << text << ": " << error->message;
    return std::holds_alternative<Expression>(result) ? std::get<Expression>(result) : Expression();
}

double Value(const std::string& text, FormulaValues values = Sample) { return Read(text).Evaluate(values); }

std::string Message(const std::string& text, unsigned allowed = Everything) {
    auto result = ReadExpression(text, allowed);
    if (auto* error = std::get_if<FormulaError>(&result)) return error->message;
    return "(read)";
}

TEST(ExpressionTest, ReadsPrecedenceAndImplicitMultiplicationAsTheTextbookDoes) {
    const double t = Sample.t, q = Sample.theta, x = Sample.x, a = Sample.a, b = Sample.b;
    const std::pair<const char*, double> cases[] = {
        {"2t", 2 * t}, {"a t²", a * t * t}, {"2(x-1)", 2 * (x - 1)}, {"(x-1)(x+1)", (x - 1) * (x + 1)},
        {"-x^2", -(x * x)}, {"-x²+1", 1 - x * x}, {"2^3^2", 512}, {"2/3x", 2.0 / 3 * x}, {"t/2π", t / 2 * std::numbers::pi},
        {"2×3÷4", 1.5}, {"2*-3", -6}, {".5t", 0.5 * t}, {"0.5t", 0.5 * t}, {"2.t", 2 * t}, {"πa", std::numbers::pi * a},
        {"pi", std::numbers::pi}, {"e", std::numbers::e}, {"x·y", x * Sample.y},
        // Exponents: a signed primary after "^", superscripts, e^…
        {"e^-t", std::exp(-t)}, {"e^2t", std::exp(2) * t}, {"e^(2t)", std::exp(2 * t)}, {"x^(1/3)", std::cbrt(x)},
        {"x^-1", 1 / x}, {"x⁻¹", 1 / x}, {"t¹⁰", std::pow(t, 10)}, {"x²y", x * x * Sample.y}, {"(-8)^(1/3)", -2},
        {"(-8)^(2/3)", 4}, {"xy", x * Sample.y}, {"(-1)^(10^30)", 1}, {"(t-1.7)^(10^30)", 1},
        // Functions take the factors that follow them without a sign, up to the next function.
        {"cos 2θ", std::cos(2 * q)}, {"cos2θ+3", std::cos(2 * q) + 3}, {"sin θ cos θ", std::sin(q) * std::cos(q)},
        {"sinθcosθ", std::sin(q) * std::cos(q)}, {"sin θ/2", std::sin(q) / 2}, {"3cosθ", 3 * std::cos(q)},
        {"sin²θ", std::sin(q) * std::sin(q)}, {"sin^2θ", std::sin(q) * std::sin(q)}, {"sin^2 2θ", std::pow(std::sin(2 * q), 2)},
        {"sin(a-b)θ", std::sin((a - b) * q)}, {"sin cos θ", std::sin(std::cos(q))}, {"cos -θ", std::cos(-q)},
        {"absinθ", a * b * std::sin(q)}, {"ccosθ", Sample.c * std::cos(q)}, {"tan t", std::tan(t)}, {"costheta", std::cos(q)},
        {"√2t", std::sqrt(2 * t)}, {"√(x+1)", std::sqrt(x + 1)}, {"2√3", 2 * std::sqrt(3)}, {"√3/2", std::sqrt(3) / 2},
        {"sqrt x", std::sqrt(x)}, {"|y-2|", 2.5}, {"||y|-3|", 2.5}, {"2|y||y|", 0.5}, {"abs(y)", 0.5},
        {"log e", 1}, {"ln(e^2)", 2}, {"exp(1)", std::numbers::e}, {"exp t", std::exp(t)},
        // Full-width input as a Japanese IME gives it, and the IME's "ー" from the minus key.
        {"２ｔ＋１", 2 * t + 1}, {"（ｘ－１）×（ｘ＋１）", (x - 1) * (x + 1)}, {"３ー１", 2}, {"３−１", 2}, {"ｓｉｎ　θ", std::sin(q)},
        {"[x+1]{x-1}", (x + 1) * (x - 1)},
    };
    for (auto [text, expected] : cases) EXPECT_NEAR(Value(text), expected, 1e-12 * (1 + std::fabs(expected))) << text;
}

TEST(ExpressionTest, AValueThatDoesNotExistIsNaNAndATangentNearItsPoleIsLarge) {
    for (const char* text : {"1/0", "1/(t-t)", "√(-1)", "log 0", "ln(-1)", "e^1000", "1/e^1000", "(10^200)^2", "0^-1",
                             "1/(10^200*10^200)", "(-8)^(1/2)", "x^0.5 - x^0.5 + √y"}) {
        EXPECT_TRUE(std::isnan(Value(text))) << text;
    }
    EXPECT_GT(std::fabs(Value("tan(π/2)")), 1e15);
    EXPECT_TRUE(std::isnan(Expression().Evaluate(Sample)));
}

TEST(ExpressionTest, FoldingConstantsAndParametersChangesNoValue) {
    for (const char* text : {"(a-b)cosθ+c cos((a-b)/b θ)", "2^3^2 t + a/b", "x^(a/3)", "(a+1)/(b-3) + t", "e^(a t)·sin(c/2 θ)",
                             "√(a-5)+t", "π/2 - a^-2 t", "|b - 3| / t", "1/(1-t²)"}) {
        const Expression expression = Read(text);
        for (double t : {-2.0, 0.0, 0.7, 1.0}) {
            FormulaValues values = Sample;
            values.t = t;
            const double direct = expression.Evaluate(values);
            const double bound = expression.WithParameters(values.a, values.b, values.c).Evaluate(values);
            if (std::isnan(direct)) {
                EXPECT_TRUE(std::isnan(bound)) << text;
            } else {
                EXPECT_EQ(direct, bound) << text << " at t = " << t;
            }
        }
        EXPECT_EQ(expression.WithParameters(1, 2, 3).Uses(), expression.Uses());
    }
    EXPECT_EQ(Read("a x + θ").Uses(), fsA | fsX | fsTheta);
    EXPECT_EQ(Read("2π e").Uses(), 0u);
}

TEST(ExpressionTest, AFormulaThatCannotBeReadSaysWhereAndWhat) {
    const std::pair<const char*, const char*> cases[] = {
        {"(t+1", "式の 5 文字目：「)」がありません"},
        {"[t+1)", "式の 5 文字目：「]」がありません"},
        {"t+1)", "式の 4 文字目：「)」の前に「(」がありません"},
        {"|t+1", "式の 5 文字目：「|」がありません"},
        {"2*/3", "式の 3 文字目：「/」の前に式がありません"},
        {"t+", "式の 3 文字目：「+」のあとに式がありません"},
        {"", "式の 1 文字目：式がありません"},
        {"()", "式の 2 文字目：括弧の中に式がありません"},
        {"2 3", "式の 3 文字目：「3」の前に「+」「×」などの記号がありません"},
        {"sin + 1", "式の 5 文字目：「sin」のあとに式がありません"},
        {"sin^-1 t", "式の 4 文字目：sin^-1 のような逆関数は使えません（指数は正の数だけです）"},
        {"arcsin t", "式の 1 文字目：逆三角関数（arcsin など）は使えません"},
        {"sec t", "式の 1 文字目：「sec」は使えません（使える文字は t, a, b, c）"},
        {"2ｘ", "式の 2 文字目：「ｘ」は使えません（使える文字は t, a, b, c）"},
        {"φ", "式の 1 文字目：「φ」は使えません（使える文字は t, a, b, c）"},
        {"t＠2", "式の 2 文字目：「＠」は使えません"},
        {"t<1", "式の 2 文字目：「<」はここでは使えません"},
        {"(t, 1)", "式の 3 文字目：「,」はここでは使えません"},
        {"±t", "式の 1 文字目：「±」は使えません"},
        {"t²^2", "式の 3 文字目：「²」のあとに「^」は続けられません（括弧でくくります）"},
    };
    for (auto [text, message] : cases) EXPECT_EQ(Message(text, fsT | fsA | fsB | fsC), message) << text;
}

TEST(ExpressionTest, LongAndDeepTextsGiveAMessageNeverACrash) {
    const std::string nesting = "式の 101 文字目：入れ子が深すぎます（100 段まで）";
    EXPECT_EQ(Message(std::string(100000, 't')), "式の 1001 文字目：式が長すぎます（1000 文字まで）");
    EXPECT_EQ(Message(std::string(10000, '(') + "t" + std::string(10000, ')')), "式の 1001 文字目：式が長すぎます（1000 文字まで）");
    EXPECT_EQ(Message(std::string(150, '(') + "t" + std::string(150, ')')), nesting);
    for (const std::string& deep : {std::string(400, '-') + "t", std::string(400, '|') + "t", [] {
             std::string text = "t";
             for (int i = 0; i < 300; ++i) text += "^t";
             return text;
         }(),
                                    [] {
                                        std::string text = "1";
                                        for (int i = 0; i < 300; ++i) text += "/2";
                                        return text;
                                    }(),
                                    [] {
                                        std::string text;
                                        for (int i = 0; i < 200; ++i) text += "sin ";
                                        return text + "t";
                                    }()}) {
        EXPECT_NE(Message(deep).find("入れ子が深すぎます（100 段まで）"), std::string::npos) << deep.substr(0, 20);
    }
    // Wide is fine: a sum of 300 terms is one level.
    std::string sum = "t";
    for (int i = 0; i < 300; ++i) sum += "+1";
    EXPECT_DOUBLE_EQ(Value(sum), 300 + Sample.t);
}

std::variant<CurveFormula, FormulaError> Curve(int kind, const std::string& line3, const std::string& line4, const std::string& line5) {
    return ReadCurveFormula(kind, line3, line4, line5);
}

FormulaError CurveError(int kind, const std::string& line3, const std::string& line4, const std::string& line5) {
    auto result = Curve(kind, line3, line4, line5);
    if (auto* error = std::get_if<FormulaError>(&result)) return *error;
    ADD_FAILURE() << "read: " << line3 << " | " << line4 << " | " << line5;
    return {};
}

CurveFormula ReadCurve(int kind, const std::string& line3, const std::string& line4, const std::string& line5) {
    auto result = Curve(kind, line3, line4, line5);
    if (auto* error = std::get_if<FormulaError>(&result)) ADD_FAILURE() << error->message;
    return std::holds_alternative<CurveFormula>(result) ? std::get<CurveFormula>(result) : CurveFormula();
}

TEST(CurveFormulaTest, ReadsTheFieldsAndTheRangeOfEachKind) {
    CurveFormula parametric = ReadCurve(26, "", "x=a cos t", " ｙ ＝ b sin t (0<=t<=π/2)");
    EXPECT_EQ(parametric.parameter, fsT);
    EXPECT_EQ(parametric.parameters, fsA | fsB);
    EXPECT_DOUBLE_EQ(parametric.y.Evaluate(Sample), 3 * std::sin(0.7));
    ASSERT_TRUE(parametric.range);
    EXPECT_EQ(parametric.range->variable, fsT);
    EXPECT_DOUBLE_EQ(parametric.range->high.Evaluate({}), std::numbers::pi / 2);
    EXPECT_FALSE(parametric.range->lowStrict || parametric.range->highStrict);

    CurveFormula angle = ReadCurve(26, "", "X=cosθ", "y=sin θ(π/2≧θ>-c)");
    EXPECT_EQ(angle.parameter, fsTheta);
    EXPECT_EQ(angle.parameters, fsC);
    EXPECT_DOUBLE_EQ(angle.range->low.Evaluate(Sample), -5);
    EXPECT_TRUE(angle.range->lowStrict);
    EXPECT_FALSE(angle.range->highStrict);

    CurveFormula polar = ReadCurve(27, "r=1+2cosθ (-π/2<θ<π/2)", "", "");
    EXPECT_EQ(polar.parameter, fsTheta);
    EXPECT_DOUBLE_EQ(polar.r.Evaluate(Sample), 1 + 2 * std::cos(0.3));
    EXPECT_TRUE(polar.range->lowStrict && polar.range->highStrict);
    EXPECT_FALSE(ReadCurve(27, "ｒ＝２", "", "").range);

    CurveFormula hyperbola = ReadCurve(28, "", "(x-2)^2/4-(y+1)^2/9=1", "");
    EXPECT_DOUBLE_EQ(hyperbola.left.Evaluate(Sample) - hyperbola.right.Evaluate(Sample), 0.25 / 4 - 0.25 / 9 - 1);
    EXPECT_EQ(hyperbola.parameters, 0u);
    CurveFormula upper = ReadCurve(28, "", "x²+y²=r^2 + a - a (y≧0)", "");
    ASSERT_TRUE(upper.range);
    EXPECT_EQ(upper.range->variable, fsY);
    EXPECT_TRUE(upper.range->hasLow);
    EXPECT_FALSE(upper.range->hasHigh);
    CurveFormula strip = ReadCurve(28, "", "xy=1 (x<b)", "");
    EXPECT_FALSE(strip.range->hasLow);
    EXPECT_TRUE(strip.range->hasHigh && strip.range->highStrict);
    EXPECT_EQ(strip.parameters, fsB);
}

const std::string LongLine(2000, 'x');

TEST(CurveFormulaTest, AFieldThatCannotBeReadNamesItsFieldLineAndPlace) {
    struct Case {
        int kind;
        const char *line3, *line4, *line5, *message;
        int line, character;
    };
    const Case cases[] = {
        {26, "", "x=t", "y=(t+1", "y の式の 7 文字目：「)」がありません", 5, 7},
        {26, "", "2cos t", "y=t", "x の式の 1 文字目：「x=」がありません", 4, 1},
        {26, "", "x=t", "", "y の式の 1 文字目：「y=」がありません", 5, 1},
        {26, "", "x=cos t", "y=sin θ", "y の式の 7 文字目：t と θ は一緒に使えません（t の式にします）", 5, 7},
        {26, "", "x=θ+t", "y=t", "x の式の 5 文字目：t と θ は一緒に使えません（θ の式にします）", 4, 5},
        {26, "", "x=cos t (0<t<1)", "y=t", "x の式の 9 文字目：範囲は y の式のあとに書きます", 4, 9},
        {26, "", "x=x", "y=t", "x の式の 3 文字目：「x」は使えません（使える文字は t, θ, a, b, c）", 4, 3},
        {26, "", "x=t", "y=t (0<θ<1)", "範囲の 8 文字目：「θ」は使えません（使える文字は t, a, b, c）", 5, 8},
        {26, "", "x=t", "y=t (0<t)", "範囲の 6 文字目：範囲は「0≦t≦π/2」のように両端を書きます", 5, 6},
        {26, "", "x=t", "y=t (0<t<t²)", "範囲の 10 文字目：範囲の端に「t」は使えません", 5, 10},
        {26, "", "x=t", "y=t (2<t<1)", "範囲の 6 文字目：範囲の下の端が上の端より大きくなっています", 5, 6},
        {26, "", "x=t", "y=t (0<t>1)", "範囲の 6 文字目：範囲は「0≦t≦π/2」のように書きます", 5, 6},
        {26, "", "x=t", "y=t (0<2t<1)", "範囲の 8 文字目：ここには t を書きます", 5, 8},
        {27, "r=t", "", "", "r の式の 3 文字目：「t」は使えません（使える文字は θ, a, b, c）", 3, 3},
        {28, "", "x^2+y^2", "", "方程式の 8 文字目：「=」がありません", 4, 8},
        {28, "", "x=y=1", "", "方程式の 4 文字目：「=」は一つだけです", 4, 4},
        {28, "", "x^2+y^2<1", "", "方程式の 8 文字目：「<」は使えません（範囲は式のあとの括弧の中に書きます）", 4, 8},
        {28, "", "y=x (t>0)", "", "範囲の 6 文字目：「t」は使えません（使える文字は x, y, a, b, c）", 4, 6},
        {28, "", LongLine.c_str(), "", "方程式の 1001 文字目：式が長すぎます（1000 文字まで）", 4, 1001},
    };
    for (const Case& c : cases) {
        FormulaError error = CurveError(c.kind, c.line3, c.line4, c.line5);
        EXPECT_EQ(error.message, c.message);
        EXPECT_EQ(error.line, c.line) << c.message;
        EXPECT_EQ(error.character, c.character) << c.message;
    }
}

TEST(FormulaForRecordTest, WritesWhatTheCodePageLacksSoThatTheLineReadsBackTheSame) {
    EXPECT_EQ(FormulaForRecord("x²+y²=1"), "x^2+y^2=1");
    EXPECT_EQ(FormulaForRecord("y=e⁻ᵗ"), "y=e^-ᵗ");  // a letter has no equivalent: the reader refuses it
    EXPECT_EQ(FormulaForRecord("y=x²3"), "y=x^(2)3");
    EXPECT_EQ(FormulaForRecord("y=t (0≤t≤π)"), "y=t (0<=t<=π)");
    struct Typed {
        int kind;
        const char *line3, *line4, *line5;
    };
    const Typed typed[] = {
        {26, "", "x=2cos t − 1", "y = sin²t·cos t (0≦t≦π)"}, {27, "r=1+2cos θ (−π/2<θ<π/2)", "", ""},
        {28, "", "x²/4 − y²/9 = 1 (x≥0)", ""}, {26, "", "x=（ｔ＋１）×√２÷３", "y=t²3 + t⁻¹ + t¹⁰ (0.5≤t≤1)"},
        {28, "", "y=|x|ー１", ""},
    };
    auto stored = [](const char* line) { return Cp932ToUtf8(Utf8ToCp932(FormulaForRecord(line))); };
    auto values = [](const CurveFormula& formula) {
        std::vector<double> result;
        for (const Expression* e : {&formula.x, &formula.y, &formula.r, &formula.left, &formula.right}) result.push_back(e->Evaluate(Sample));
        if (formula.range) result.insert(result.end(), {formula.range->low.Evaluate(Sample), formula.range->high.Evaluate(Sample)});
        return result;
    };
    for (const Typed& line : typed) {
        // Every character kept survives the code page.
        for (const char* text : {line.line3, line.line4, line.line5})
            EXPECT_EQ(Utf8ToCp932(stored(text)), Utf8ToCp932(FormulaForRecord(text))) << text;
        const CurveFormula before = ReadCurve(line.kind, line.line3, line.line4, line.line5);
        const CurveFormula after = ReadCurve(line.kind, stored(line.line3), stored(line.line4), stored(line.line5));
        const std::vector<double> a = values(before), b = values(after);
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (!std::isnan(a[i]) || !std::isnan(b[i])) {
                EXPECT_EQ(a[i], b[i]) << line.line3 << line.line4 << line.line5 << " value " << i;
            }
        }
        EXPECT_EQ(before.range.has_value(), after.range.has_value());
    }
}

}  // namespace
