// The change handlers of the parameter panel. Each writes its line of the working record (only
// while it holds a record) and does its one coupling: b drives θ end for the rolling-circle kinds
// and the rose, and a change of a, b or c cancels a pending reload. They draw only while
// 変更をすぐに描く is on (DrawLive, plot/Motion.cpp).
#include <algorithm>
#include <string>

#include "app/Main.h"
#include "plot/CurveKinds.h"
#include "plot/PlotCurve.h"

namespace {
// The kinds whose curve closes after 2·b·π, so θ end follows b.
bool ThetaEndFollowsB(int kind) {
    const CurveKind* found = FindCurveKind(kind);
    return found && found->ThetaEndFollowsB;
}

std::string Decimal(const TUpDown& spin) { return std::to_string(spin.Value()); }
}  // namespace

void TfrmMain::updAChange() {
    WriteRecordLine(rlParamA, Decimal(updA));
    ReloadBeforeDraw = false;
    DrawLive();
}

void TfrmMain::updBChange() {
    WriteRecordLine(rlParamB, Decimal(updB));
    if (curveTable.Holds(CurrentCurve) && ThetaEndFollowsB(curveTable[CurrentCurve].Id)) {
        // A typed b is read as typed until the focus leaves, so 2·b may not fit an int.
        const long long twice = 2LL * updB.Value();
        CountGuard followsB(liveHold);  // one drawing for the change of b, below
        updSend.SetValue(static_cast<int>(std::clamp<long long>(twice, updSend.Min(), updSend.Max())));
    }
    ReloadBeforeDraw = false;
    DrawLive();
}

void TfrmMain::updCChange() {
    WriteRecordLine(rlParamC, Decimal(updC));
    ReloadBeforeDraw = false;
    DrawLive();
}

void TfrmMain::updStartChange() {
    WriteRecordLine(rlThetaStart, Decimal(updStart));
    UpdateThetaRangeText();
    DrawLive();
}

void TfrmMain::updSendChange() {
    WriteRecordLine(rlThetaEnd, Decimal(updSend));
    UpdateThetaRangeText();
    DrawLive();
}

void TfrmMain::updKakudaiChange() {
    WriteRecordLine(rlZoom, Decimal(updKakudai));
    DrawLive();
}

void TfrmMain::updRpStartChange() { WriteRecordLine(rlRepeatStart, Decimal(updRpStart)); }

void TfrmMain::updRpEndChange() { WriteRecordLine(rlRepeatEnd, Decimal(updRpEnd)); }

void TfrmMain::radTargetClick(const char* letter) { WriteRecordLine(rlRepeatTarget, letter); }

void TfrmMain::chkHojoEnClick() { WriteRecordLine(rlAuxLine, chkHojoEn.Checked() ? "1" : "0"); }

void TfrmMain::cmbStepChange() { WriteRecordLine(rlStepIndex, std::to_string(cmbStep.ItemIndex())); }

void TfrmMain::cmbHaikeiChange() {
    WriteRecordLine(rlBackground, std::to_string(cmbHaikei.ItemIndex()));
    RefreshWidthSamples();
    DrawLive();
}
