#include "analysis/PropertiesWindow.h"

#include "analysis/CurveProperties.h"
#include "app/Main.h"
#include "formula/Annotation.h"
#include "formula/FormulaCaption.h"

namespace {

constexpr int TextSize = 14;
constexpr int LabelWidth = 96;  // the formulas start in one column
constexpr int Margin = 10;

std::string Joined(const std::vector<std::string>& texts, const std::string& between) {
    std::string out;
    for (const std::string& text : texts) out += (out.empty() ? "" : between) + text;
    return out;
}

}  // namespace

TfrmProperties::TfrmProperties() : TForm("frmProperties", "曲線の性質") {
    btnClose.OnClick = [this] { showing = false; };
    Follow({});
}

std::vector<TfrmProperties::Line> TfrmProperties::LinesOf(const ConicProperties& p) {
    std::vector<Line> lines;
    std::string kind = ConicTypeJapanese(p.type);
    if (p.part && p.type != ConicType::Other) kind += "（その一部を描いています）";
    lines.push_back({"種類　" + kind, ""});
    if (p.type == ConicType::Other) {
        lines.push_back({"直線・円・楕円・放物線・双曲線のどれでもありません", ""});
        return lines;
    }
    if (p.type != ConicType::Line && p.angle != 0) {
        lines.push_back({"回転", "θ = " + p.angleText});
        lines.push_back({"", "X = x cos θ + y sin θ,  Y = −x sin θ + y cos θ"});
    }
    lines.push_back({"方程式", p.equation});
    if (p.center) lines.push_back({"中心", p.centerText});
    if (p.vertex) lines.push_back({"頂点", p.vertexText});
    if (p.type == ConicType::Circle && !p.axesText.empty()) lines.push_back({"半径", "r = " + p.axesText[0]});
    if (p.type == ConicType::Ellipse && p.axesText.size() == 2) {
        lines.push_back({"長軸の長さ", p.axesText[0]});
        lines.push_back({"短軸の長さ", p.axesText[1]});
    }
    if (p.type == ConicType::Hyperbola && p.axesText.size() == 2) {
        lines.push_back({"主軸の長さ", p.axesText[0]});
    }
    if (!p.fociText.empty()) {
        std::vector<std::string> named;
        for (std::size_t k = 0; k < p.fociText.size(); ++k) named.push_back((k == 0 ? "F" : "F′") + p.fociText[k]);
        lines.push_back({"焦点", Joined(named, ",  ")});
    }
    if (!p.directricesText.empty()) lines.push_back({"準線", Joined(p.directricesText, ",  ")});
    if (!p.asymptotesText.empty()) lines.push_back({"漸近線", Joined(p.asymptotesText, ",  ")});
    if (p.eccentricity) lines.push_back({"離心率", "e = " + p.eccentricityText});
    return lines;
}

void TfrmProperties::Follow(const ConicProperties& properties) {
    lines = LinesOf(properties);
    const int lineHeight = 2 * TextSize + 4;
    imgProperties.Height = Margin * 2 + lineHeight * static_cast<int>(lines.size());
    imgProperties.canvas = Canvas(PictureWidth, imgProperties.Height);
    Canvas& canvas = imgProperties.canvas;
    int baseline = Margin + TextSize + 6;
    for (const Line& line : lines) {
        // The typesetting leaves its own font behind: each label sets the label's again.
        canvas.Font.Name = AnnotationFontFace;
        canvas.Font.Size = 11;
        canvas.Font.Italic = canvas.Font.Bold = false;
        canvas.Font.Color = clBlack;
        canvas.Brush.Style = BrushStyle::Clear;
        const TPoint extent = canvas.TextExtent(line.label.empty() ? "X" : line.label);
        if (!line.label.empty()) canvas.TextOut(Margin, baseline - extent.y + 3, line.label);
        if (!line.formula.empty()) {
            const int left = std::max(Margin + LabelWidth, line.label.empty() ? 0 : Margin + extent.x + 12);
            TypesetFormula(canvas, line.formula, left, baseline, TextSize, clBlack);
        }
        baseline += lineHeight;
    }
    if (PictureChanged) PictureChanged();
}

void TfrmMain::mnuPropertiesClick() {
    frmProperties.Show();
    FollowPanelCurve();
    platform.ShowProperties(frmProperties);
}

void TfrmMain::FollowPanelCurve() {
    if (frmProperties.Showing()) frmProperties.Follow(PanelCurveProperties());
}
