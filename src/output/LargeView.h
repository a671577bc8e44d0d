// The picture shown large for a class (大きく表示): the current picture alone, full screen, as large
// as the screen allows, drawn again at that size from the picture's drawing. The platform's view
// shows it without waiting and hands the keys to the buttons here: Enter draws as 表示 does,
// Space answers 次を表示 while a STEP display waits, P plays or pauses it (自動), Backspace goes
// back one pause (the dialog's 戻る), Escape returns to the main window.
#pragma once

#include "picture/PlotView.h"
#include "plot/Step.h"
#include "ui/Controls.h"
#include "ui/Platform.h"

class TfrmLarge : public TForm {
public:
    // `draw` is the main window's 表示, `step` its STEP dialog; `view` the picture shown.
    TfrmLarge(const PlotView& view, TButton& draw, TfrmStep& step);
    TButton btnDraw{*this, "btnDraw", "表示"};      // Enter
    TButton btnNext{*this, "btnNext", "次を表示"};  // Space
    TButton btnBack{*this, "btnBack", "戻る"};      // Escape
    TButton btnPlay{*this, "btnPlay", "自動"};      // P
    TButton btnStepBack{*this, "btnStepBack", "1つ前"};  // Backspace

    const PlotView& view;
    bool Showing() const { return showing; }
    void Show() { showing = true; }

    // Screen pixels per picture pixel: the picture's whole height fills the screen's, unless the
    // screen is too narrow for the picture's width at that size.
    static double ScaleFor(ScreenSize screen);

private:
    bool showing = false;
};
