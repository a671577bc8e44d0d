// The file contents view and, in its list lstBuffer, the store of the working record: the 25
// CP932 lines of the curve on the panel, kept in step with the controls and written by saving.
// The view and the store are one object, so the view always shows the present state.
#pragma once

#include "curves/CurveRecord.h"
#include "ui/Controls.h"

class TfrmEdit : public TForm {
public:
    explicit TfrmEdit(const TLabel& mainSpec);
    TLabel lblSpec{*this, "lblSpec"};
    TListBox lstContents{*this, "lstContents"};  // the 25 labels and three empty lines (UTF-8)
    TListBox lstBuffer{*this, "lstBuffer"};      // the working record, CP932 lines
    TButton btnOk{*this, "btnOk", "閉じる", mrOk};

    void FormShow() override { lblSpec.SetCaption(mainSpec.Caption()); }

    // The working record's operations.
    bool HasRecord() const { return lstBuffer.Count() > 0; }
    void ClearRecord() { lstBuffer.Clear(); }
    void SetRecord(RecordLines lines) { lstBuffer.SetItems(std::move(lines)); }
    RecordLines Record() const { return lstBuffer.Items(); }
    // Line `line` (1-based); empty when the record has no such line.
    std::string RecordLine(int line) const;
    // Replaces line `line` (1-based) when the record holds one; does nothing otherwise.
    void SetRecordLine(int line, std::string cp932);
    // The record lines as the view shows them: each converted to UTF-8 and otherwise as it
    // stands ("*" stays "*"); none before the first curve is chosen.
    std::vector<std::string> ShownRecord() const;

private:
    const TLabel& mainSpec;
};
