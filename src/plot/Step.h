// The STEP dialog: the pause of a STEP display or STEP repeat, with its three answers.
#pragma once

#include "ui/Controls.h"

class TfrmStep : public TForm {
public:
    TfrmStep();
    TButton btnAll{*this, "btnAll", "すべて表示", 3};
    TButton btnOk{*this, "btnOk", "次を表示", mrOk};
    TButton btnCancel{*this, "btnCancel", "中止", mrCancel};
    TEdit edtStep{*this, "edtStep"};    // read-only: the selected STEP text
    TEdit edtCount{*this, "edtCount"};  // "%2d / %2d 回"

    // Places the dialog at (groupLeft, groupTop + 42) and shows `stepText` in edtStep.
    void Prepare(int groupLeft, int groupTop, const std::string& stepText);

    // True from the dialog's showing until it is answered or closed: a STEP display waits.
    bool Waiting() const { return shown && ModalResult == mrNone; }
    void FormShow() override { shown = true; }

private:
    bool shown = false;
};

// "%2d / %2d 回" of (done, total): each number right-aligned in two places.
std::string StepCountText(int done, int total);
