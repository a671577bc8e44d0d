// TEMPORARY: definitions that other files will provide while the subsystems are being built in
// parallel. Each group is deleted, whole, by the change that writes the real code. This file must
// be gone before the foundation is called finished.
#include <stdexcept>

#include "app/Main.h"
#include "curves/Codec.h"

#define PENDING throw std::logic_error("not built yet: " + std::string(__func__))


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

