// Exercise curves typed as a textbook writes them, each drawn as the formula dialog draws it and
// checked against its known equation: every point drawn in the square lies on the true curve
// within a quarter of a pixel. The pictures, captions included, are put together at half size in
// one contact sheet (typed-formula-sheet.png) for looking at.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>

#include "app/Main.h"
#include "picture/ImageIO.h"
#include "plot/CurveKinds.h"
#include "support/LineRecorder.h"
#include "support/PictureFiles.h"
#include "ui/ScriptedPlatform.h"

namespace {

struct Exercise {
    const char* name;
    int kind;
    const char* line3;
    const char* line4;
    const char* line5;
    int zoom;
    std::function<double(double, double)> equation;  // zero on the true curve
    int thetaEnd = 2;                                 // θ終了 where the formula has no range
};

const double Root3 = std::sqrt(3.0);

const Exercise Exercises[] = {
    {"放物線 y^2=4x", 26, "", "x=t^2", "y=2t (-2<=t<=2)", 5, [](double x, double y) { return y * y - 4 * x; }},
    {"楕円", 26, "", "x=3cos t", "y=2sin t", 5, [](double x, double y) { return x * x / 9 + y * y / 4 - 1; }},
    {"円の有理式表示", 26, "", "x=5(1-t^2)/(1+t^2)", "y=10t/(1+t^2) (-10<=t<=10)", 4,
     [](double x, double y) { return x * x + y * y - 25; }},
    {"双曲線 x=t+1/t", 26, "", "x=t+1/t", "y=t-1/t (-6<=t<=6)", 4, [](double x, double y) { return x * x - y * y - 4; }},
    {"正接曲線（媒介変数）", 26, "", "x=t", "y=tan t (-2π<=t<=2π)", 5,
     [](double x, double y) { return std::atan(y) - std::atan(std::tan(x)); }},
    {"双曲線 x=2/cosθ", 26, "", "x=2/cosθ", "y=3tanθ", 4, [](double x, double y) { return x * x / 4 - y * y / 9 - 1; }},
    {"アステロイド", 26, "", "x=4cos³t", "y=4sin³t", 5,
     [](double x, double y) { return std::cbrt(x * x) + std::cbrt(y * y) - std::cbrt(16.0); }},
    {"リサージュ 1:2", 26, "", "x=4cos t", "y=4sin 2t", 5,
     [](double x, double y) { return y * y / 16 - 4 * (x * x / 16) * (1 - x * x / 16); }},
    {"y=1/(1-t^2)", 26, "", "x=t", "y=1/(1-t^2) (-3<=t<=3)", 5, [](double x, double y) { return y * (1 - x * x) - 1; }},
    {"30°回転した楕円", 26, "", "x=2√3cos t-sin t", "y=2cos t+√3sin t", 5, [](double x, double y) {
         const double u = x * Root3 / 2 + y / 2, v = -x / 2 + y * Root3 / 2;
         return u * u / 16 + v * v / 4 - 1;
     }},
    {"リマソン", 27, "r=1+2cosθ", "", "", 5, [](double x, double y) {
         const double q = x * x + y * y - 2 * x;
         return q * q - (x * x + y * y);
     }},
    {"円 r=2cosθ", 27, "r=2cosθ (-π/2<=θ<=π/2)", "", "", 6, [](double x, double y) { return x * x + y * y - 2 * x; }},
    {"カージオイド r=1-sinθ", 27, "r=1-sinθ", "", "", 6, [](double x, double y) {
         const double q = x * x + y * y + y;
         return q * q - (x * x + y * y);
     }},
    {"楕円 r=3/(2+cosθ)", 27, "r=3/(2+cosθ)", "", "", 5,
     [](double x, double y) { return (x + 1) * (x + 1) / 4 + y * y / 3 - 1; }},
    {"放物線 r=2/(1-cosθ)", 27, "r=2/(1-cosθ)", "", "", 4, [](double x, double y) { return y * y - 4 * (x + 1); }},
    {"正葉曲線 r=4sin3θ", 27, "r=4sin3θ", "", "", 5, [](double x, double y) {
         const double q = x * x + y * y;
         return q * q - 4 * (3 * x * x * y - y * y * y);
     }},
    {"直線 r=3/cos(θ-π/4)", 27, "r=3/cos(θ-π/4)", "", "", 4, [](double x, double y) { return (x + y) / std::sqrt(2.0) - 3; }},
    {"平行移動した双曲線", 28, "", "(x-2)^2/4-(y+1)^2/9=1", "", 4,
     [](double x, double y) { return (x - 2) * (x - 2) / 4 - (y + 1) * (y + 1) / 9 - 1; }},
    {"回転した楕円", 28, "", "x^2+xy+y^2=3", "", 5, [](double x, double y) { return x * x + x * y + y * y - 3; }},
    {"直角双曲線", 28, "", "xy=1", "", 5, [](double x, double y) { return x * y - 1; }},
    {"y=tan x", 28, "", "y=tan x", "", 5, [](double x, double y) { return std::atan(y) - std::atan(std::tan(x)); }},
    {"2重の直線", 28, "", "(x-y)^2=0", "", 4, [](double x, double y) { return x - y; }},
    {"円 x^2+y^2-4x+2y=4", 28, "", "x^2+y^2-4x+2y=4", "", 4,
     [](double x, double y) { return (x - 2) * (x - 2) + (y + 1) * (y + 1) - 9; }},
    {"放物線の一部", 28, "", "y^2=4(x+2) (-3<=y<=3)", "", 5, [](double x, double y) { return y * y - 4 * (x + 2); }},
    {"焦点が y 軸上の双曲線", 28, "", "x^2/9-y^2/16=-1", "", 4, [](double x, double y) { return x * x / 9 - y * y / 16 + 1; }},
    {"y=1/x", 28, "", "y=1/x", "", 5, [](double x, double y) { return x * y - 1; }},
    {"半直線 θ=5π/6", 28, "", "θ=5π/6", "", 4, [](double x, double y) { return x * 0.5 + y * Root3 / 2; }},
};

// |F| over the length of its gradient: about the distance to the curve near it.
double Distance(const std::function<double(double, double)>& f, double x, double y) {
    constexpr double h = 1e-6;
    const double dx = (f(x + h, y) - f(x - h, y)) / (2 * h), dy = (f(x, y + h) - f(x, y - h)) / (2 * h);
    return std::fabs(f(x, y)) / std::hypot(dx, dy);
}

}  // namespace

TEST(TypedContactSheet, EveryExerciseIsDrawnOnItsTrueCurve) {
    constexpr TColor Ink = RGB(0, 0, 255);
    ScriptedPlatform platform;
    TfrmMain form(platform, std::filesystem::temp_directory_path().string() + "/");
    constexpr int columns = 6, count = static_cast<int>(std::size(Exercises));
    Bitmap sheet(columns * 257, (count + columns - 1) / columns * 320, clSilver);
    for (int k = 0; k < count; ++k) {
        const Exercise& e = Exercises[k];
        SCOPED_TRACE(e.name);
        form.colors.CurrentLineColor = Ink;
        form.colors.CurrentBackColor = clWhite;
        form.colors.SetAxisColorFromBack();
        form.cmbHaikei.SetItemIndex(4);
        form.cmbStep.SetItemIndex(2);
        form.radWidth2.SetChecked(true);
        form.updKakudai.SetValue(e.zoom);
        form.updStart.SetValue(0);
        form.updSend.SetValue(e.thetaEnd);
        platform.messages.clear();
        ASSERT_TRUE(form.ShowFormulaCurve(form.FormulaCurveRecord(e.kind, e.name, e.line3, e.line4, e.line5)));
        EXPECT_TRUE(platform.messages.empty()) << platform.messages.front();

        LineRecorder lines;
        form.view.drawing.Replay(lines);
        const double tolerance = 0.25 / form.view.ScaleX;
        int checked = 0;
        double farthest = 0;
        for (const auto& line : lines.lines) {
            if (line.color != Ink) continue;
            for (const PicturePoint& p : {line.from, line.to}) {
                if (p.x < 0 || p.y < 0 || p.x > PlotView::PictureWidth || p.y > PlotView::PictureWidth) continue;
                const double x = (p.x - (form.view.OriginX - 0.5)) / form.view.ScaleX;
                const double y = ((form.view.OriginY + 1.5) - p.y) / form.view.ScaleY;
                farthest = std::max(farthest, Distance(e.equation, x, y));
                ++checked;
            }
        }
        EXPECT_GT(checked, 200);
        EXPECT_LE(farthest, tolerance);
        picturefiles::PasteHalf(sheet, form.view.canvas().Picture(), k % columns * 257, k / columns * 320);
    }
    if (const char* out = std::getenv("QUORBEL_TEST_OUT")) {
        std::filesystem::create_directories(out);
        EXPECT_TRUE(WritePng((std::filesystem::path(out) / "typed-formula-sheet.png").string(), sheet));
    }
}
