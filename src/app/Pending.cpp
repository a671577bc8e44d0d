// TEMPORARY: definitions that other files will provide while the subsystems are being built in
// parallel. Each group is deleted, whole, by the change that writes the real code. This file must
// be gone before the foundation is called finished.
#include <stdexcept>

#include "app/Main.h"
#include "curves/Codec.h"

#define PENDING throw std::logic_error("not built yet: " + std::string(__func__))


// ---- output/Print.cpp
TfrmPrint::TfrmPrint(Platform& platform, const TImage& mainPicture, const TLabel& mainSpec)
    : TForm("frmPrint", "グラフの印刷"), platform(platform), mainPicture(mainPicture), mainSpec(mainSpec) {}
void TfrmPrint::FormShow() {}
void TfrmMain::spdPrintClick() { PENDING; }

// ---- output/Clipboard.cpp
void TfrmMain::mnuClipBoardClick() { PENDING; }
void TfrmMain::mnuFileClick() { PENDING; }
void TfrmMain::mnuPasteClick() { PENDING; }

// ---- plot/PlotCurve.cpp
void TfrmMain::PlotCurve(int, int, bool) { PENDING; }

// ---- plot/AuxLines.cpp
void TfrmMain::DrawAuxFigure(int, double, double, double, double) {}
void TfrmMain::DrawAuxMarker(int, TPoint, double, double, double, double) {}

