// The colour commands, the line-width buttons and the monochrome switch. A confirmed colour
// redraws at once; confirmed or not, the colour then shown is written into the working record,
// so a cancelled dialog still records the colour in force.
#include "app/Main.h"

void TfrmMain::RefreshWidthSamples() { ::RefreshWidthSamples(imgSample1, imgSample2, colors); }

void TfrmMain::spdLineColorClick() {
    if (PlotRunning()) return;  // the redraw would run under the plot
    if (std::optional<TColor> chosen = platform.ChooseColor(lastDialogColor)) {
        lastDialogColor = *chosen;
        colors.CurrentLineColor = *chosen;
        RefreshWidthSamples();
        Redraw();
    }
    WriteRecordLine(rlLineColor, ColorText(colors.CurrentLineColor));
}

void TfrmMain::spdBackColorClick() {
    if (PlotRunning()) return;  // the redraw would run under the plot
    if (std::optional<TColor> chosen = platform.ChooseColor(lastDialogColor)) {
        lastDialogColor = *chosen;
        colors.CurrentBackColor = *chosen;
        RefreshWidthSamples();
        colors.SetAxisColorFromBack();
        Redraw();
    }
    WriteRecordLine(rlBackColorValue, ColorText(colors.CurrentBackColor));
}

void TfrmMain::radWidth1Click() {
    WriteRecordLine(rlLineWidth, "1");
    DrawLive();
}

void TfrmMain::radWidth2Click() {
    WriteRecordLine(rlLineWidth, "2");
    DrawLive();
}

void TfrmMain::chkMonocClick() {
    // The menu items stay enabled: a colour can still be chosen there in monochrome.
    spdBackColor.SetEnabled(!chkMonoc.Checked());
    spdLineColor.SetEnabled(!chkMonoc.Checked());
    // Only the colours follow the switch: the panel stays as the user left it. Unticked, the
    // colours are the working record's, which are the stored ones unless a colour was chosen.
    if (PlotRunning() || CurrentCurve < 0 || CurrentCurve >= curveTable.Count) return;
    const CurveEntry& entry = curveTable[CurrentCurve];
    auto recorded = [this](int line, std::int32_t stored) {
        std::int32_t value = stored;
        return static_cast<TColor>(ParseNumberText(frmEdit.RecordLine(line), value) ? value : stored);
    };
    ApplyColours(recorded(rlLineColor, entry.LineColor), recorded(rlBackColorValue, entry.BackColorValue));
    RefreshWidthSamples();
    Redraw();
    if (CurrentCurve == 0) DrawProductWord();
}
