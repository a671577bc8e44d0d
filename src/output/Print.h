// The print dialog: a page preview of the main picture with margins, a size and a comment line,
// and the print job that puts the same page on paper. The sheet is the preview page fitted to the
// printable area, built again at the printer's resolution: the graph redrawn from the picture's
// drawing, the comment written at that size, in pieces of at most PrintPieceBytes.
#pragma once

#include <cstddef>

#include "picture/PlotView.h"
#include "ui/Controls.h"

class Platform;
class ScaledCanvas;
struct PrinterPage;

// The most a piece of the printed page takes (32-bit pixels), whatever the printer's resolution:
// a whole A4 page at 1200 dpi would take over 500 MB.
constexpr std::size_t PrintPieceBytes = std::size_t{8} << 20;

// Where the preview page lies on the printer's page: printer pixels per preview pixel, and the
// page's top-left corner in printer pixels from the printable area's.
struct PrintedSheet {
    double scale = 0;
    double left = 0;
    double top = 0;
};

class TfrmPrint : public TForm {
public:
    // `mainView` is the main picture with its drawing.
    TfrmPrint(Platform& platform, const PlotView& mainView, const TLabel& mainSpec);
    TImage imgCood{"imgCood", 600, 849};  // the preview page
    TUpDown spnLeft{*this, "spnLeft", 0, 200, 50};
    TUpDown spnTop{*this, "spnTop", 0, 200, 100};
    TUpDown spnShukusho{*this, "spnShukusho", 50, 100, 100};
    TCheckBox chkDate{*this, "chkDate", "コメント"};
    TEdit edtFile{*this, "edtFile"};
    TButton btnPrint{*this, "btnPrint", "印刷開始"};
    TButton btnClose{*this, "btnClose", "閉じる", mrCancel};

    void FormShow() override;
    void BuildPreview();
    void PrintPreview();
    // The preview page fitted to `printable` with its proportions, centred.
    PrintedSheet FitPage(PrinterPage printable) const;
    // The rows [top, bottom) of the preview page as BuildPreview draws them, with the graph drawn
    // again from the main picture's drawing, on `piece`: a white raster on which preview point
    // (x, y) lies at (x · scale + offsetX, y · scale + offsetY). For the printer and for screens
    // finer than the preview.
    void DrawPageRows(ScaledCanvas& piece, double offsetX, double offsetY, int top, int bottom) const;

    // The main window's place, which the dialog takes when shown.
    int MainLeft = 0, MainTop = 0, MainWidth = 0, MainHeight = 0;

private:
    // The graph's rectangle on the preview page (before the page cuts it).
    TRect GraphRect() const;
    // One job: the parts of the page that carry something, piece by piece.
    bool PrintSheet(const PrintedSheet& sheet);

    Platform& platform;
    const PlotView& mainView;
    const TImage& mainPicture;
    const TLabel& mainSpec;
};

// The decimal text of n with a "0" in front when n is at most 9.
std::string TwoDigits(int n);
// Today's date as "2004.07.13" and the time as "09:05".
std::string DateText();
std::string TimeText();
