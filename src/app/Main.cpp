#include "app/Main.h"

#include <filesystem>

#include "app/Layout.h"

const std::vector<std::string> StepItems = {"π/8", "π/6", "π/4", "π/3", "π/2", "π"};
const std::vector<std::string> BackgroundItems = {
    "なし（地色可変）", "極座標（全部）", "なし（白地）", "XY座標（軸だけ）",
    "XY座標（格子）", "極座標（軸だけ）", "極座標（始線だけ）"};

namespace {
constexpr const char* HelpFile = "Vantorel.hlp";
}

// The help file of the folder the program started in, whichever collection's folder is open.
std::string TfrmMain::HelpPath() const { return BaseFolder + HelpFile; }

TfrmMain::TfrmMain(Platform& platform, std::string workingFolder)
    : TForm("frmMain", "Quorbel 数学Ｃ／媒介変数と曲線"),
      platform(platform),
      BaseFolder(std::move(workingFolder)),
      frmEdit(lblSpec),
      frmNickName(frmEdit),
      frmPrint(platform, view, lblSpec) {
    HelpContext = 100;
    lstDemo = BuiltInRecords();

    // Form defaults, set before the handlers are wired so that nothing fires.
    TRadioButton::Group({&radWidth1, &radWidth2});
    TRadioButton::Group({&radA, &radB, &radC});
    radWidth1.SetChecked(true);
    radC.SetChecked(true);
    edtHeniki.SetText("0≦θ≦2π");
    edtHeniki.ReadOnly = true;  // it shows the θ range of the spin controls; the caption prints it
    prgBar.SetVisible(false);

    struct ToolButton { TSpeedButton& button; const char* hint; };
    for (auto [button, hint] : {ToolButton{spdOpenFile, "いろいろな曲線"}, ToolButton{spdKihonOpen, "美しい曲線"},
                                ToolButton{spdUserOpen, "あなたの曲線"}, ToolButton{spdOverWrite, "保存"},
                                ToolButton{spdPrint, "印刷"}, ToolButton{spdLineColor, "曲線の色"},
                                ToolButton{spdBackColor, "背景の色"}}) {
        button.Hint = hint;
    }
    radWidth1.Hint = "太さ１";
    radWidth2.Hint = "太さ２";
    btnStep.Hint = "描画の順序の確認";
    lstShiki.HelpContext = 104;
    for (TMenuItem* item : {&mnuTangenOpen, &mnuOpenFile, &mnuSave, &mnuPrint, &mnuClipBoard, &mnuEnd}) item->HelpContext = 214;
    mnuShowFile.HelpContext = 216;
    mnuSetColor.HelpContext = 218;
    mnuShowHelp.HelpContext = 100;

    spdOpenFile.OnClick = mnuOpenFile.OnClick = [this] { OpenCollection(1); };
    spdKihonOpen.OnClick = mnuOpenKiso.OnClick = [this] { OpenCollection(2); };
    spdUserOpen.OnClick = mnuTangenOpen.OnClick = [this] { OpenCollection(3); };
    spdOverWrite.OnClick = Save1.OnClick = [this] { spdOverWriteClick(); };
    mnuSave.OnClick = [this] { mnuSaveClick(); };
    spdPrint.OnClick = mnuPrint.OnClick = [this] { spdPrintClick(); };
    mnuClipBoard.OnClick = [this] { mnuClipBoardClick(); };
    mnuPaste.OnClick = [this] { mnuPasteClick(); };
    mnuSaveImage.OnClick = [this] { mnuSaveImageClick(); };
    mnuSaveImage.HelpContext = 214;
    mnuFile.OnClick = [this] { mnuFileClick(); };
    mnuEnd.OnClick = [this] { mnuEndClick(); };
    mnuShowFile.OnClick = [this] { mnuShowFileClick(); };
    spdLineColor.OnClick = mnuSetColor.OnClick = [this] { spdLineColorClick(); };
    spdBackColor.OnClick = KB1.OnClick = [this] { spdBackColorClick(); };
    mnuShowHelp.OnClick = [this] { mnuShowHelpClick(); };
    mnuOnePoint.OnClick = [this] { mnuOnePointClick(); };
    mnuShowAbout.OnClick = [this] { mnuShowAboutClick(); };
    mnuShowLarge.OnClick = [this] { mnuShowLargeClick(); };
    mnuProperties.OnClick = [this] { mnuPropertiesClick(); };
    mnuFormula.OnClick = [this] { mnuFormulaClick(); };

    radWidth1.OnClick = [this] { radWidth1Click(); };
    radWidth2.OnClick = [this] { radWidth2Click(); };
    chkMonoc.OnClick = [this] { chkMonocClick(); };
    lstShiki.OnClick = [this] { lstShikiClick(); };

    updA.OnChange = [this] { updAChange(); };
    updB.OnChange = [this] { updBChange(); };
    updC.OnChange = [this] { updCChange(); };
    updStart.OnChange = [this] { updStartChange(); };
    updSend.OnChange = [this] { updSendChange(); };
    updKakudai.OnChange = [this] { updKakudaiChange(); };
    updRpStart.OnChange = [this] { updRpStartChange(); };
    updRpEnd.OnChange = [this] { updRpEndChange(); };
    radA.OnClick = [this] { radTargetClick("a"); };
    radB.OnClick = [this] { radTargetClick("b"); };
    radC.OnClick = [this] { radTargetClick("c"); };
    chkHojoEn.OnClick = [this] { chkHojoEnClick(); };
    cmbStep.OnChange = [this] { cmbStepChange(); };
    cmbHaikei.OnChange = [this] { cmbHaikeiChange(); };

    btnDraw.OnClick = [this] { btnDrawClick(); };
    btnStep.OnClick = [this] { btnStepClick(); };
    btnReset.OnClick = [this] { btnResetClick(); };
    btnKaisetsu.OnClick = [this] { btnKaisetsuClick(); };
    btnHanpuku.OnClick = [this] { btnHanpukuClick(); };
    btnStepH.OnClick = [this] { btnStepHClick(); };
    btnDev.OnClick = [this] { btnDevClick(); };
    btnRpReset.OnClick = [this] { btnRpResetClick(); };
    chkAnime.OnClick = [this] { chkAnimeClick(); };
    tmrAnime.OnTimer = [this] { AnimationTick(); };

    FormCreate();
}

void TfrmMain::FormCreate() {
    CurrentFileName = "Sample.crv";
    lblSpec.SetCaption("");
    MainLayout layout = ComputeMainLayout(platform.Screen());
    Left = layout.window.left;
    Top = layout.window.top;
    Width = layout.window.Width();
    Height = layout.window.Height();
    grpParamLeft = layout.grpParam.left;
    grpParamTop = layout.grpParam.top;
    if (BaseFolder.empty() || BaseFolder.back() != std::filesystem::path::preferred_separator) {
        BaseFolder += std::filesystem::path::preferred_separator;
    }
    colors.CurrentLineColor = clBlack;
}

void TfrmMain::mnuEndClick() { CloseRequested = true; }

void TfrmMain::mnuShowHelpClick() {
    std::error_code ignored;
    std::filesystem::current_path(BaseFolder, ignored);
    platform.ShowHelp(HelpPath(), HelpCommand::Contents, 224);
}

void TfrmMain::mnuOnePointClick() { platform.ShowHelp(HelpPath(), HelpCommand::Context, 230); }

void TfrmMain::btnKaisetsuClick() {
    if (!curveTable.Holds(CurrentCurve)) return;
    std::error_code ignored;
    std::filesystem::current_path(BaseFolder, ignored);
    platform.ShowHelp(HelpPath(), HelpCommand::Context, curveTable[CurrentCurve].Id);
}

void TfrmMain::ShowContextHelp(int context) { platform.ShowHelp(HelpPath(), HelpCommand::Context, context); }

void TfrmMain::mnuShowAboutClick() { platform.ShowModal(frmVersion); }

void TfrmMain::mnuShowFileClick() {
    if (lstShiki.ItemIndex() < 0 && CurrentCurve != FormulaCurveEntry) return;
    platform.ShowModal(frmEdit);
}

TButton* TfrmMain::FindButton(const std::string& name) { return dynamic_cast<TButton*>(FindControl(name)); }

TUpDown* TfrmMain::FindSpin(const std::string& name) { return dynamic_cast<TUpDown*>(FindControl(name)); }
