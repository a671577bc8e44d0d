#include "curves/Nickname.h"

#include "curves/Codec.h"

TfrmNickName::TfrmNickName(TfrmEdit& workingRecord) : TForm("frmNickName", "名前の入力"), record(workingRecord) {
    Width = 606;
    Height = 300;
    btnOk.OnClick = [this] {
        record.SetRecordLine(rlName, Utf8ToCp932(edtName.Text()));
        for (int line = rlNote1; line < rlNote1 + 5; ++line) record.SetRecordLine(line, "*");
        Close(mrOk);
    };
    btnCancel.OnClick = [this] { Close(mrCancel); };
}

void TfrmNickName::FormShow() { edtName.SetText(Cp932ToUtf8(record.RecordLine(rlName))); }
