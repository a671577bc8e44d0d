// The STEP dialog: the pause of a STEP display or STEP repeat, with its three answers, and what
// lets it play by itself and go back: 自動 answers 次を表示 at the chosen speed until pressed again,
// 戻る goes back one pause, the position line says where the tracing stands, and a check box
// shows the auxiliary figure at the current position only. What a pause does with these is
// StepPause.h.
#pragma once

#include "ui/Controls.h"

// Results of the dialog besides 次を表示 (mrOk), 中止 (mrCancel) and すべて表示 (3).
constexpr int StepBackResult = 4;    // 戻る: back to the previous pause
constexpr int StepRedrawResult = 5;  // 補助線は今の位置だけ changed: the same pause drawn again

// The speeds of 自動 (and of the 動画 repeat), and the one chosen at start.
extern const std::vector<std::string> StepSpeedItems;
constexpr int DefaultStepSpeed = 2;

class TfrmStep : public TForm {
public:
    TfrmStep();
    TButton btnAll{*this, "btnAll", "すべて表示", 3};
    TButton btnOk{*this, "btnOk", "次を表示", mrOk};
    TButton btnCancel{*this, "btnCancel", "中止", mrCancel};
    TEdit edtStep{*this, "edtStep"};    // read-only: the selected STEP text
    TEdit edtCount{*this, "edtCount"};  // "%2d / %2d 回"
    TButton btnBack{*this, "btnBack", "戻る", StepBackResult};  // disabled at the first pause
    TButton btnAuto{*this, "btnAuto", "自動"};                  // "一時停止" (and down) while playing
    TComboBox cmbSpeed{*this, "cmbSpeed", StepSpeedItems};
    TLabel lblWhere{*this, "lblWhere"};                         // "θ = 3π/4    (x, y) = (1.25, -3.50)"
    TCheckBox chkCurrentOnly{*this, "chkCurrentOnly", "補助線は今の位置だけ"};
    TTimer tmrAuto{*this, "tmrAuto", 500};                      // while playing: 次を表示 at every tick

    // Places the dialog at (groupLeft, groupTop + 42) and shows `stepText` in edtStep.
    void Prepare(int groupLeft, int groupTop, const std::string& stepText);

    // True from the dialog's showing until it is answered or closed: a STEP display waits.
    bool Waiting() const { return shown && ModalResult == mrNone; }
    void FormShow() override { shown = true; }

    bool Playing() const { return tmrAuto.Enabled(); }
    // Plays or pauses; a display that ends stops playing.
    void SetPlaying(bool playing);
    // Milliseconds between two steps at the chosen speed.
    int StepInterval() const;

private:
    bool shown = false;
};

// "%2d / %2d 回" of (done, total): each number right-aligned in two places.
std::string StepCountText(int done, int total);
