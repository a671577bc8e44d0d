// The print dialog: a page preview of the main picture with margins, a size and a comment line,
// and the print job that stretches the preview onto the printer page.
#pragma once

#include "picture/PlotView.h"
#include "ui/Controls.h"

class Platform;

class TfrmPrint : public TForm {
public:
    TfrmPrint(Platform& platform, const TImage& mainPicture, const TLabel& mainSpec);
    TImage imgCood{"imgCood", 600, 849};  // the preview page
    TUpDown spnLeft{"spnLeft", 0, 200, 50};
    TUpDown spnTop{"spnTop", 0, 200, 100};
    TUpDown spnShukusho{"spnShukusho", 50, 100, 100};
    TCheckBox chkDate{"chkDate", "コメント"};
    TEdit edtFile{"edtFile"};
    TButton btnPrint{"btnPrint", "印刷開始"};
    TButton btnClose{"btnClose", "閉じる", mrCancel};

    void FormShow() override;
    void BuildPreview();
    void PrintPreview();

    // The main window's place, which the dialog takes when shown.
    int MainLeft = 0, MainTop = 0, MainWidth = 0, MainHeight = 0;

private:
    Platform& platform;
    const TImage& mainPicture;
    const TLabel& mainSpec;
};

// The decimal text of n with a "0" in front when n is at most 9.
std::string TwoDigits(int n);
// Today's date as "2004.07.13" and the time as "09:05".
std::string DateText();
std::string TimeText();
