// TEMPORARY: definitions that other files will provide while the subsystems are being built in
// parallel. Each group is deleted, whole, by the change that writes the real code. This file must
// be gone before the foundation is called finished.
#include <stdexcept>

#include "app/Main.h"
#include "curves/Codec.h"

#define PENDING throw std::logic_error("not built yet: " + std::string(__func__))

// ---- picture/Canvas.cpp
Canvas::Canvas(int width, int height, TColor fill) : bitmap(width, height, fill) {}
void Canvas::Reset(int width, int height, TColor fill) { bitmap = Bitmap(width, height, fill); Pen = {}; Brush = {}; Font = {}; penPos = {}; }
void Canvas::LineTo(int x, int y) { penPos = {x, y}; }
void Canvas::Polyline(const std::vector<TPoint>&) {}
void Canvas::Ellipse(int, int, int, int) {}
void Canvas::Rectangle(int, int, int, int) {}
void Canvas::FloodFill(int, int, TColor) {}
void Canvas::TextOut(int x, int y, const std::string& utf8) { penPos = {x + 8 * static_cast<int>(utf8.size()), y}; }
TPoint Canvas::TextExtent(const std::string& utf8) const { return {8 * static_cast<int>(utf8.size()), 16}; }
void Canvas::Draw(int, int, const Bitmap&) {}
void Canvas::StretchDraw(TRect, const Bitmap&) {}
void Canvas::CopyRect(TRect, const Bitmap&, TRect) {}

// ---- formula/Math.cpp
TfrmMath::TfrmMath() : TForm("frmMath", "") {}

// ---- formula/Typeset.cpp
TPoint Typesetter::TypesetLine(int, int x, int y, double, Canvas&, const std::string&, TColor) { return {x, y}; }

// ---- formula/Annotation.cpp
void TfrmMain::DrawAnnotation(int, int, int, int, bool, int) {}

// ---- output/Print.cpp
TfrmPrint::TfrmPrint(Platform& platform, const TImage& mainPicture, const TLabel& mainSpec)
    : TForm("frmPrint", "グラフの印刷"), platform(platform), mainPicture(mainPicture), mainSpec(mainSpec) {}
void TfrmPrint::FormShow() {}
void TfrmMain::spdPrintClick() { PENDING; }

// ---- output/Clipboard.cpp
void TfrmMain::mnuClipBoardClick() { PENDING; }
void TfrmMain::mnuFileClick() { PENDING; }
void TfrmMain::mnuPasteClick() { PENDING; }

// ---- output/Colours.cpp
void TfrmMain::RefreshWidthSamples() { ::RefreshWidthSamples(imgSample1, imgSample2, colors); }
void TfrmMain::spdLineColorClick() { PENDING; }
void TfrmMain::spdBackColorClick() { PENDING; }
void TfrmMain::radWidth1Click() {}
void TfrmMain::radWidth2Click() {}
void TfrmMain::chkMonocClick() {}

// ---- app/Start.cpp
void TfrmMain::FormShow() { PENDING; }

// ---- curves/Apply.cpp
void TfrmMain::SelectCurve(int) { PENDING; }
void TfrmMain::ApplyCurve(int) { PENDING; }
void TfrmMain::UpdateParamAvailability() { PENDING; }
void TfrmMain::UpdateThetaRangeText() {}
void TfrmMain::WriteRecordLine(int, const std::string&) {}
std::string ThetaText(int n) { return std::to_string(n); }

// ---- curves/Choose.cpp
void TfrmMain::lstShikiClick() { PENDING; }
void TfrmMain::btnResetClick() { PENDING; }

// ---- curves/Save.cpp
void TfrmMain::spdOverWriteClick() { PENDING; }
void TfrmMain::mnuSaveClick() { PENDING; }
bool TfrmMain::SaveAs() { PENDING; }
void TfrmMain::WriteCurveFile() { PENDING; }
std::string TfrmMain::FixCurveFileName(const std::string&) { PENDING; }
YesNoCancel TfrmMain::ConfirmSave(const std::string&) { PENDING; }

// ---- plot/Params.cpp
void TfrmMain::updAChange() {}
void TfrmMain::updBChange() {}
void TfrmMain::updCChange() {}
void TfrmMain::updStartChange() {}
void TfrmMain::updSendChange() {}
void TfrmMain::updKakudaiChange() {}
void TfrmMain::updRpStartChange() {}
void TfrmMain::updRpEndChange() {}
void TfrmMain::radTargetClick(const char*) {}
void TfrmMain::chkHojoEnClick() {}
void TfrmMain::cmbStepChange() {}
void TfrmMain::cmbHaikeiChange() {}

// ---- plot/Displays.cpp
void TfrmMain::btnDrawClick() { PENDING; }
void TfrmMain::btnStepClick() { PENDING; }
void TfrmMain::btnHanpukuClick() { PENDING; }
void TfrmMain::btnStepHClick() { PENDING; }
void TfrmMain::btnDevClick() { PENDING; }
void TfrmMain::btnRpResetClick() { PENDING; }
void TfrmMain::RepeatDisplay(bool, bool) { PENDING; }
void TfrmMain::Redraw() { PENDING; }

// ---- plot/PlotCurve.cpp
void TfrmMain::PlotCurve(int, int, bool) { PENDING; }

// ---- plot/AuxLines.cpp
void TfrmMain::DrawAuxFigure(int, double, double, double, double) {}
void TfrmMain::DrawAuxMarker(int, TPoint, double, double, double, double) {}

// ---- picture/Backgrounds.cpp
void TfrmMain::DrawBackground(int) {}
