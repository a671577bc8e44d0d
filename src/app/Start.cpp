// The start sequence, run once when the main window is first shown: reset the drawing state,
// open the catalog collection (which chooses and draws its built-in curve) and apply the
// monochrome switch, which draws the curve once more in the colours it gives.
#include "app/Main.h"

void TfrmMain::FormShow() {
    colors.CurrentBackColor = clWhite;
    RememberedLine = {};
    ReloadBeforeDraw = false;
    StepMode = false;
    view.ScaleX = 16;
    view.ScaleY = 16;

    cmbStep.SetItemIndex(4);
    RefreshWidthSamples();
    OpenCollection(1);
    chkMonocClick();
}
