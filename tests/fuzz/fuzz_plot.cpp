// One drawing from arbitrary parameters: curve kind −5..30, a, b, c, θ range (a span of at most 2π),
// STEP size, background, auxiliary lines, width, 上書き and 途中経過, started as 表示, STEP表示,
// 分割表示, 反復 or STEP反復 (or PlotCurve directly), with every STEP dialog answered from the input
// and, at the yields of 途中経過, a command started in between. Whatever the input, the drawing
// ends, the busy cursor is restored and no plot is left counted as running.
#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

#include "FuzzInput.h"
#include "FuzzSetup.h"
#include "app/Main.h"
#include "ui/ScriptedPlatform.h"

namespace {
constexpr int MaxSpan = 2;      // θ spans drawn, in multiples of π
constexpr int MaxRepeat = 2;    // curves of a repeat display
// STEP pauses answered from the input: each pause keeps a frame of the picture, which costs more
// than drawing a whole curve, and later pauses take the same paths as the first ones.
constexpr std::size_t MaxPauses = 12;
std::vector<int> stepAnswers;   // 0 次を表示, 1 すべて表示, 2 中止; when used up: すべて表示
std::size_t nextAnswer = 0;
int yieldCommand = 0;           // what the user does at a yield of 途中経過
int yieldValue = 0;
bool yielded = false;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ScriptedPlatform platform;
    static std::unique_ptr<TfrmMain> form = [] {
        auto made = std::make_unique<TfrmMain>(platform, std::filesystem::temp_directory_path().string() + "/");
        platform.SetDefaultModal("frmStep", [](TForm& f) {
            auto& step = static_cast<TfrmStep&>(f);
            int answer = nextAnswer < stepAnswers.size() ? stepAnswers[nextAnswer++] : 1;
            (answer == 0 ? step.btnOk : answer == 1 ? step.btnAll : step.btnCancel).Click();
        });
        platform.onProcessMessages = [] {
            if (yielded || yieldCommand == 0) return;
            yielded = true;  // one command per drawing, as a user clicking once
            TfrmMain& f = *form;
            switch (yieldCommand) {
                case 1: f.updA.SetValue(yieldValue); break;
                case 2: f.cmbHaikei.UserSelect(yieldValue % 7); break;
                case 3: f.btnDraw.Click(); break;
                case 4: f.updKakudai.SetValue(yieldValue % 8); break;
                case 5: f.spdUserOpen.Click(); break;
                default: break;
            }
        };
        return made;
    }();
    TfrmMain& f = *form;
    platform.messages.clear();
    platform.log.clear();
    platform.modalsShown.clear();

    FuzzInput input(data, size);
    const int kind = input.Range(-5, 30);
    const int a = input.Range(-100, 100);
    const int b = input.Range(0, 100);
    const int c = input.Range(1, 100);
    // Any θ end the panel allows, and a start at most MaxSpan before it (or a little after): a
    // span of 200π would spend a second of the run on one input drawing the same loops again.
    const int startOffset = input.Range(-MaxSpan, 1);
    const int thetaEnd = input.Range(0, 100);
    const int thetaStart = std::max(-100, thetaEnd + startOffset);
    const int zoom = input.Range(1, 6);
    const int quadrant = input.Range(-1, 4);
    const int stepIndex = input.Range(-1, 5);
    const int background = input.Range(0, 6);
    const bool aux = input.Flag();
    const bool wide = input.Flag();
    const bool overWrite = input.Flag();
    const bool progress = input.Flag();
    const bool repeatFlag = input.Flag();
    const int command = input.Range(0, 5);
    const int target = input.Range(0, 2);
    // A repeat over b moves θ end to 2b for the kinds whose curve closes there: its values stay
    // small, or one input would draw spans of up to 200π again.
    const int repeatStart = target == 1 ? input.Range(1, MaxSpan) : input.Range(1, 100);
    const int repeatCount = input.Range(1, MaxRepeat);
    yieldCommand = input.Range(0, 5);
    yieldValue = input.Range(-100, 100);
    yielded = false;
    stepAnswers.clear();
    nextAnswer = 0;
    while (!input.Empty() && stepAnswers.size() < MaxPauses) stepAnswers.push_back(input.Byte() % 3);

    f.StepMode = false;
    f.ReloadBeforeDraw = false;
    f.CollectionKind = 1;
    f.curveTable = CurveTable{};
    f.curveTable.Count = 1;
    CurveEntry& entry = f.curveTable[0];
    entry.Id = kind;
    entry.ParamA = a, entry.ParamB = b, entry.ParamC = c;
    entry.ThetaStart = thetaStart, entry.ThetaEnd = thetaEnd;
    entry.Zoom = zoom;
    entry.XFormula = "x=(a-b)cos\x83\xC6+ccos [a-b]/b \x83\xC6";
    f.CurrentCurve = 0;
    f.updA.SetValue(a);
    f.updB.SetValue(b);
    f.updC.SetValue(c);
    f.updStart.SetValue(thetaStart);
    f.updSend.SetValue(thetaEnd);
    f.updKakudai.SetValue(zoom);
    f.cmbStep.SetItemIndex(stepIndex);
    f.cmbHaikei.SetItemIndex(background);
    f.chkHojoEn.SetChecked(aux);
    (wide ? f.radWidth2 : f.radWidth1).SetChecked(true);
    f.chkOverWrite.SetChecked(overWrite);
    f.chkProgress.SetChecked(progress);
    (target == 0 ? f.radA : target == 1 ? f.radB : f.radC).SetChecked(true);
    f.updRpStart.SetValue(repeatStart);
    f.updRpEnd.SetValue(repeatStart + repeatCount - 1);

    switch (command) {
        case 0: f.PlotCurve(0, quadrant, repeatFlag); break;
        case 1: f.btnDraw.Click(); break;
        case 2: f.btnStep.Click(); break;
        case 3: f.btnDev.Click(); break;
        case 4: f.btnHanpuku.Click(); break;
        default: f.btnStepH.Click(); break;
    }

    FUZZ_CHECK(!platform.busy);
    FUZZ_CHECK(f.plotDepth == 0);
    FUZZ_CHECK(f.view.canvas().Width() == PlotView::PictureWidth);
    FUZZ_CHECK(f.view.canvas().Height() == PlotView::PictureHeight);
    return 0;
}
