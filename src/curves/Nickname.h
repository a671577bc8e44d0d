// The naming dialog: asks for the curve's nickname before a save under a new name. OK writes the
// name, without line breaks or other control characters, into line 1 of the working record and
// "*" into the five note lines.
#pragma once

#include "curves/Edit.h"
#include "ui/Controls.h"

class TfrmNickName : public TForm {
public:
    explicit TfrmNickName(TfrmEdit& workingRecord);
    TLabel lblPrompt{*this, "lblPrompt", "ニックネーム（曲線に適当な名前をつけてください）"};
    TEdit edtName{*this, "edtName"};
    TButton btnOk{*this, "btnOk", "OK", mrOk};
    TButton btnCancel{*this, "btnCancel", "キャンセル", mrCancel};

    // edtName := line 1 of the working record, shown as it stands (a "*" stays "*").
    void FormShow() override;

private:
    TfrmEdit& record;
};
