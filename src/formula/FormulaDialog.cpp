#include "formula/FormulaDialog.h"

#include <variant>

#include "formula/Expression.h"

namespace {

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool Absent(const std::string& line) { return line.empty() || line == "*"; }

// "x=3cos t" without its "x=" (the dialog's label says it); any other text as it stands.
std::string WithoutName(const std::string& line, char name) {
    const std::string text = Trimmed(line);
    if (text.size() >= 2 && text[0] == name) {
        const std::string rest = Trimmed(text.substr(1));
        if (!rest.empty() && rest[0] == '=') return Trimmed(rest.substr(1));
    }
    return text;
}

bool IsRelation(const std::string& text) {
    for (const char* mark : {"<", ">", "≦", "≧", "≤", "≥", "＜", "＞"})
        if (text.find(mark) != std::string::npos) return true;
    return false;
}

// Characters (code points) of a UTF-8 text.
int Characters(const std::string& text) {
    int count = 0;
    for (unsigned char byte : text) count += (byte & 0xC0) != 0x80;
    return count;
}

// The message of an error in a record line, with its place counted in the dialog's own field
// rather than in the line the dialog made of it: `offset` characters of the line come before the
// field ("x=", or the formula and " (" before the range).
std::string InField(const FormulaError& error, int offset) {
    const std::string mark = " 文字目：";
    const std::size_t at = error.message.find(mark);
    const std::size_t number = error.message.rfind("の ", at);
    if (at == std::string::npos || number == std::string::npos || error.character - offset < 1) return error.message;
    return error.message.substr(0, number) + "の " + std::to_string(error.character - offset) + error.message.substr(at);
}

}  // namespace

std::array<std::string, 2> SplitFormulaRange(const std::string& line) {
    const std::string text = Trimmed(line);
    // The group of parentheses that ends the line, found from its end; "（）" count as "()".
    const auto closes = [&](std::size_t at, const char* paren) { return text.compare(at, std::string(paren).size(), paren) == 0; };
    std::size_t end = text.size(), closeLength = 0;
    if (end >= 1 && text[end - 1] == ')') closeLength = 1;
    else if (end >= 3 && closes(end - 3, "）")) closeLength = 3;
    if (closeLength == 0) return {text, ""};
    int depth = 0;
    for (std::size_t at = end; at-- > 0;) {
        if (text[at] == ')' || (at + 3 <= end && closes(at, "）"))) ++depth;
        else if (text[at] == '(' || (at + 3 <= end && closes(at, "（"))) {
            if (--depth == 0) {
                const std::size_t openLength = text[at] == '(' ? 1 : 3;
                const std::string inside = text.substr(at + openLength, end - closeLength - at - openLength);
                if (!IsRelation(inside) || at == 0) return {text, ""};
                return {Trimmed(text.substr(0, at)), Trimmed(inside)};
            }
        }
    }
    return {text, ""};
}

TfrmFormula::TfrmFormula() : TForm("frmFormula", "式を入力") {
    TRadioButton::Group({&radParametric, &radPolar, &radEquation});
    radParametric.SetChecked(true);
    for (TRadioButton* kind : {&radParametric, &radPolar, &radEquation}) kind->OnClick = [this] { KindChanged(); };
    for (TEdit* edit : {&edtFirst, &edtSecond, &edtRange, &edtName}) edit->OnChange = [this] { Update(); };
    for (TButton* button : {&btnOk, &btnCancel}) button->OnClick = [this, button] { Close(button->ModalResult); };
    KindChanged();
}

void TfrmFormula::StartWith(const Curve& curve) {
    (curve.kind == 27 ? radPolar : curve.kind == 28 ? radEquation : radParametric).SetChecked(true);
    const std::string& last = curve.kind == 26 ? curve.line5 : curve.kind == 27 ? curve.line3 : curve.line4;
    const auto [formula, range] = SplitFormulaRange(Absent(last) ? "" : last);
    if (curve.kind == 26) {
        edtFirst.SetText(Absent(curve.line4) ? "" : WithoutName(curve.line4, 'x'));
        edtSecond.SetText(WithoutName(formula, 'y'));
    } else {
        edtFirst.SetText(curve.kind == 27 ? WithoutName(formula, 'r') : formula);
        edtSecond.SetText("");
    }
    edtRange.SetText(range);
    edtName.SetText(curve.name);
    KindChanged();
}

void TfrmFormula::SetPanel(int a_, int b_, int c_, const std::string& range) {
    a = a_, b = b_, c = c_, thetaRange = range;
    Update();
}

TfrmFormula::Curve TfrmFormula::Typed() const {
    Curve curve;
    curve.kind = Kind();
    curve.name = Trimmed(edtName.Text());
    std::string range = Trimmed(edtRange.Text());
    if (!range.empty() && !(range.front() == '(' && range.back() == ')')) range = "(" + range + ")";
    const std::string after = range.empty() ? "" : " " + range;
    if (curve.kind == 26) {
        curve.line4 = "x=" + Trimmed(edtFirst.Text());
        curve.line5 = "y=" + Trimmed(edtSecond.Text()) + after;
    } else if (curve.kind == 27) {
        curve.line3 = "r=" + Trimmed(edtFirst.Text()) + after;
    } else {
        curve.line4 = Trimmed(edtFirst.Text()) + after;
    }
    return curve;
}

void TfrmFormula::KindChanged() {
    const int kind = Kind();
    lblFirst.SetCaption(kind == 26 ? "x =" : kind == 27 ? "r =" : "方程式");
    lblSecond.SetVisible(kind == 26);
    edtSecond.SetVisible(kind == 26);
    lblRangeNote.SetCaption(kind == 28 ? "例 x>=0（空欄なら画面全体）"
                                       : kind == 27 ? "例 0<=θ<=π（空欄なら θ開始～θ終了）"
                                                    : "例 -2<=t<=2（空欄なら θ開始～θ終了）");
    Update();
}

void TfrmFormula::Update() {
    const Curve curve = Typed();
    std::string message;
    if (Trimmed(edtFirst.Text()).empty() || (curve.kind == 26 && Trimmed(edtSecond.Text()).empty())) {
        message = "式を入力してください";
    } else {
        const auto read = ReadCurveFormula(curve.kind, curve.line3, curve.line4, curve.line5);
        if (const FormulaError* error = std::get_if<FormulaError>(&read)) {
            const std::string& line = error->line == 3 ? curve.line3 : error->line == 4 ? curve.line4 : curve.line5;
            const bool inRange = error->message.rfind("範囲", 0) == 0;
            const int prefix = curve.kind == 28 ? 0 : 2;  // "x=", "y=", "r="
            const int offset = inRange ? Characters(SplitFormulaRange(line)[0]) + 2 : prefix;
            message = InField(*error, offset);
        }
    }
    lblMessage.SetCaption(message);
    btnOk.SetEnabled(message.empty());
    imgPreview.canvas = Canvas(CaptionStripWidth, CaptionStripHeight);
    const FormulaCaption caption{curve.name.empty() ? "式で描いた曲線" : curve.name, curve.kind, curve.line3, curve.line4,
                                 curve.line5, a, b, c, false, 0, '\0', thetaRange};
    DrawFormulaCaption(imgPreview.canvas, caption, 0);
    if (PreviewChanged) PreviewChanged();
}
