#include "output/LargeView.h"

#include <algorithm>

#include "app/Main.h"

TfrmLarge::TfrmLarge(const PlotView& view, TButton& draw, TfrmStep& step)
    : TForm("frmLarge", "大きく表示"), view(view) {
    btnDraw.OnClick = [&draw] { draw.Click(); };
    btnNext.OnClick = [&step] {
        if (step.Waiting()) step.btnOk.Click();
    };
    btnBack.OnClick = [this] { showing = false; };
    btnPlay.OnClick = [&step] {
        if (step.Waiting()) step.btnAuto.Click();
    };
    btnStepBack.OnClick = [&step] {
        if (step.Waiting()) step.btnBack.Click();
    };
}

double TfrmLarge::ScaleFor(ScreenSize screen) {
    return std::min(static_cast<double>(screen.height) / PlotView::PictureHeight,
                    static_cast<double>(screen.width) / PlotView::PictureWidth);
}

void TfrmMain::mnuShowLargeClick() {
    frmLarge.Show();
    platform.ShowLargePicture(frmLarge);
}
