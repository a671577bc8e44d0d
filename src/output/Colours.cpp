// The colour commands, the line-width buttons and the monochrome switch. A confirmed colour
// redraws at once; confirmed or not, the colour then shown is written into the working record,
// so a cancelled dialog still records the colour in force.
#include "app/Main.h"

void TfrmMain::RefreshWidthSamples() { ::RefreshWidthSamples(imgSample1, imgSample2, colors); }

void TfrmMain::spdLineColorClick() {
    if (PlotRunning()) return;  // the colour would redraw under the running plot
    if (std::optional<TColor> chosen = platform.ChooseColor(lastDialogColor)) {
        lastDialogColor = *chosen;
        colors.CurrentLineColor = *chosen;
        RefreshWidthSamples();
        Redraw();
    }
    WriteRecordLine(rlLineColor, ColorText(colors.CurrentLineColor));
}

void TfrmMain::spdBackColorClick() {
    if (PlotRunning()) return;
    if (std::optional<TColor> chosen = platform.ChooseColor(lastDialogColor)) {
        lastDialogColor = *chosen;
        colors.CurrentBackColor = *chosen;
        RefreshWidthSamples();
        colors.SetAxisColorFromBack();
        Redraw();
    }
    WriteRecordLine(rlBackColorValue, ColorText(colors.CurrentBackColor));
}

void TfrmMain::radWidth1Click() { WriteRecordLine(rlLineWidth, "1"); }

void TfrmMain::radWidth2Click() { WriteRecordLine(rlLineWidth, "2"); }

void TfrmMain::chkMonocClick() {
    if (PlotRunning()) {
        // Refused while a plot runs: the box goes back; putting it back fires this handler once more.
        static bool undoing = false;
        if (!undoing) {
            undoing = true;
            chkMonoc.SetChecked(!chkMonoc.Checked());
            undoing = false;
        }
        return;
    }
    // The menu items stay enabled: a colour can still be chosen there in monochrome.
    spdBackColor.SetEnabled(!chkMonoc.Checked());
    spdLineColor.SetEnabled(!chkMonoc.Checked());
    lstShikiClick();
}
