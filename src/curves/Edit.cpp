#include "curves/Edit.h"

#include "curves/Codec.h"

TfrmEdit::TfrmEdit(const TLabel& mainSpec) : TForm("frmEdit", "編集"), mainSpec(mainSpec) {
    Width = 758;
    Height = 500;
    for (const char* label : RecordLineLabels) lstContents.Add(label);
    for (int i = 0; i < 3; ++i) lstContents.Add("");
    btnOk.OnClick = [this] { Close(mrOk); };
}

std::string TfrmEdit::RecordLine(int line) const {
    if (line < 1 || line > lstBuffer.Count()) return {};
    return lstBuffer.Item(line - 1);
}

void TfrmEdit::SetRecordLine(int line, std::string cp932) {
    if (line < 1 || line > lstBuffer.Count()) return;
    lstBuffer.SetItem(line - 1, std::move(cp932));
}

std::vector<std::string> TfrmEdit::ShownRecord() const {
    std::vector<std::string> shown;
    for (const std::string& line : lstBuffer.Items()) shown.push_back(Cp932ToUtf8(line));
    return shown;
}
