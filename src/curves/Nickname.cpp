#include "curves/Nickname.h"

#include "curves/Codec.h"

TfrmNickName::TfrmNickName(TfrmEdit& workingRecord) : TForm("frmNickName", "名前の入力"), record(workingRecord) {
    Width = 606;
    Height = 300;
    btnOk.OnClick = [this] {
        // A name is one line of the record: a line break pasted into it would split the saved
        // file into more lines than a curve file may have, so line breaks and other control
        // characters are dropped, in the field too, so that the name is found in the list again.
        edtName.SetText(WithoutControlCharacters(edtName.Text()));
        record.SetRecordLine(rlName, Utf8ToCp932(edtName.Text()));
        for (int line = rlNote1; line < rlNote1 + 5; ++line) record.SetRecordLine(line, "*");
        Close(mrOk);
    };
    btnCancel.OnClick = [this] { Close(mrCancel); };
}

void TfrmNickName::FormShow() { edtName.SetText(Cp932ToUtf8(record.RecordLine(rlName))); }
