#include "plot/Step.h"

#include <cstdio>

TfrmStep::TfrmStep() : TForm("frmStep", "STEP表示") {
    edtStep.ReadOnly = true;
    for (TButton* button : {&btnAll, &btnOk, &btnCancel}) {
        button->OnClick = [this, button] { Close(button->ModalResult); };
    }
}

void TfrmStep::Prepare(int groupLeft, int groupTop, const std::string& stepText) {
    Left = groupLeft;
    Top = groupTop + 42;
    edtStep.SetText(stepText);
}

std::string StepCountText(int done, int total) {
    char text[64];
    std::snprintf(text, sizeof text, "%2d / %2d 回", done, total);
    return text;
}
