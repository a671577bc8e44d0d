#include "plot/Step.h"

#include <cstdio>

const std::vector<std::string> StepSpeedItems = {"0.1秒", "0.2秒", "0.5秒", "1秒", "2秒"};

namespace {
constexpr int SpeedMilliseconds[] = {100, 200, 500, 1000, 2000};
}

TfrmStep::TfrmStep() : TForm("frmStep", "STEP表示") {
    edtStep.ReadOnly = true;
    for (TButton* button : {&btnAll, &btnOk, &btnCancel, &btnBack}) {
        button->OnClick = [this, button] { Close(button->ModalResult); };
    }
    btnBack.SetEnabled(false);
    cmbSpeed.SetItemIndex(DefaultStepSpeed);
    tmrAuto.SetInterval(StepInterval());
    btnAuto.OnClick = [this] {
        SetPlaying(!Playing());
        if (Playing() && Waiting()) btnOk.Click();  // the first step at once: the press is its cue
    };
    cmbSpeed.OnChange = [this] { tmrAuto.SetInterval(StepInterval()); };
    tmrAuto.OnTimer = [this] {
        if (Waiting()) btnOk.Click();
    };
    chkCurrentOnly.OnClick = [this] {
        if (Waiting()) Close(StepRedrawResult);
    };
}

void TfrmStep::Prepare(int groupLeft, int groupTop, const std::string& stepText) {
    Left = groupLeft;
    Top = groupTop + 42;
    edtStep.SetText(stepText);
}

void TfrmStep::SetPlaying(bool playing) {
    tmrAuto.SetEnabled(playing);
    btnAuto.SetDown(playing);
    btnAuto.SetCaption(playing ? "一時停止" : "自動");
}

int TfrmStep::StepInterval() const {
    const int index = cmbSpeed.ItemIndex();
    return SpeedMilliseconds[index >= 0 && index < static_cast<int>(std::size(SpeedMilliseconds)) ? index : DefaultStepSpeed];
}

std::string StepCountText(int done, int total) {
    char text[64];
    std::snprintf(text, sizeof text, "%2d / %2d 回", done, total);
    return text;
}
