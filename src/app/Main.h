// The main window TfrmMain: all program state for the whole run (the open collection, the curve
// table, the working record, the picture with its mapping and colours, the flags) and the models
// of every control with its handler. Handlers live in the file of the subsystem that owns the
// behaviour (curves/Collections.cpp defines LoadCatalog, plot/Displays.cpp btnDrawClick …); this
// header is the one place that lists them. The dialogs are members: created once, kept for the run.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "analysis/PropertiesWindow.h"
#include "formula/FormulaDialog.h"
#include "app/Version.h"
#include "curves/CurveRecord.h"
#include "curves/Edit.h"
#include "curves/Nickname.h"
#include "formula/Math.h"
#include "formula/Typeset.h"
#include "picture/Animation.h"
#include "output/LargeView.h"
#include "output/Print.h"
#include "picture/PlotView.h"
#include "plot/EquationTrace.h"
#include "plot/SinCosMemo.h"
#include "plot/Step.h"
#include "ui/Controls.h"
#include "ui/Platform.h"

class FileSteps;
struct ConicProperties;

// Items of the STEP and background lists.
extern const std::vector<std::string> StepItems;
extern const std::vector<std::string> BackgroundItems;

class TfrmMain : public TForm {
public:
    // `workingFolder` is the process's working folder at start-up (BaseFolder); it must exist.
    TfrmMain(Platform& platform, std::string workingFolder);

    Platform& platform;

    // ---- Tool bar.
    TSpeedButton spdOpenFile{*this, "spdOpenFile"};
    TSpeedButton spdKihonOpen{*this, "spdKihonOpen"};
    TSpeedButton spdUserOpen{*this, "spdUserOpen"};
    TSpeedButton spdOverWrite{*this, "spdOverWrite"};
    TSpeedButton spdPrint{*this, "spdPrint"};
    TSpeedButton spdLineColor{*this, "spdLineColor"};
    TSpeedButton spdBackColor{*this, "spdBackColor"};
    TRadioButton radWidth1{*this, "radWidth1"};
    TRadioButton radWidth2{*this, "radWidth2"};
    TImage imgSample1{"imgSample1", 22, 16};
    TImage imgSample2{"imgSample2", 22, 15};
    TCheckBox chkMonoc{*this, "chkMonoc", "白黒"};
    TLabel lblSpec{*this, "lblSpec"};
    TProgressBar prgBar{*this, "prgBar"};

    // ---- Left column.
    TListBox lstShiki{*this, "lstShiki"};
    TListBox lstComment{*this, "lstComment"};  // the five note lines, UTF-8

    // ---- Parameter panel grpParam.
    TControl grpParam{*this, "grpParam"};
    TUpDown updA{*this, "updA", -100, 100, 1};
    TUpDown updB{*this, "updB", 0, 100, 1};
    TUpDown updC{*this, "updC", 1, 100, 1};
    TUpDown updStart{*this, "updStart", -100, 100, 0};
    TUpDown updSend{*this, "updSend", 0, 100, 2};
    TEdit edtHeniki{*this, "edtHeniki"};
    TUpDown updKakudai{*this, "updKakudai", 1, 6, 4};
    TUpDown updRpStart{*this, "updRpStart", 1, 100, 1};
    TUpDown updRpEnd{*this, "updRpEnd", 0, 100, 1};
    TRadioButton radA{*this, "radA", "A"};
    TRadioButton radB{*this, "radB", "B"};
    TRadioButton radC{*this, "radC", "C"};
    TCheckBox chkHojoEn{*this, "chkHojoEn", "補助線"};
    TCheckBox chkOverWrite{*this, "chkOverWrite", "上書き"};
    TCheckBox chkProgress{*this, "chkProgress", "途中経過"};
    TComboBox cmbStep{*this, "cmbStep", StepItems};
    TComboBox cmbHaikei{*this, "cmbHaikei", BackgroundItems};
    TButton btnStep{*this, "btnStep", "STEP表示"};
    TButton btnDraw{*this, "btnDraw", "表示"};
    TButton btnReset{*this, "btnReset", "既定値"};
    TButton btnKaisetsu{*this, "btnKaisetsu", "解 説   "};
    TButton btnHanpuku{*this, "btnHanpuku", "反復"};
    TButton btnStepH{*this, "btnStepH", "STEP反復"};
    TButton btnDev{*this, "btnDev", "分割表示"};
    TButton btnRpReset{*this, "btnRpReset", "ﾘｾｯﾄ"};
    // 動画: 反復 draws each value alone in turn, looping at the STEP dialog's speed until stopped.
    TCheckBox chkAnime{*this, "chkAnime", "動画"};
    TTimer tmrAnime{*this, "tmrAnime", 500};

    // ---- Menu bar.
    TMenuItem mnuFile{*this, "mnuFile", "ﾌｧｲﾙ(&F)"};
    TMenuItem mnuTangenOpen{*this, "mnuTangenOpen", "自作の曲線を開く(&U)"};
    TMenuItem mnuOpenKiso{*this, "mnuOpenKiso", "美しい曲線を開く(&B)"};
    TMenuItem mnuOpenFile{*this, "mnuOpenFile", "いろいろな曲線を開く(&O)"};
    TMenuItem Save1{*this, "Save1", "上書き保存(&S)"};
    TMenuItem mnuSave{*this, "mnuSave", "名前を付けて保存(&A)"};
    TMenuItem mnuPrint{*this, "mnuPrint", "印刷(&P)"};
    TMenuItem mnuClipBoard{*this, "mnuClipBoard", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ(&C)"};
    TMenuItem mnuPaste{*this, "mnuPaste", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞから貼り付け(&P)"};
    // Picture files (output/Export.cpp).
    TMenuItem mnuSaveImage{*this, "mnuSaveImage", "画像として保存(&I)..."};
    TMenuItem mnuEnd{*this, "mnuEnd", "終了(&X)"};
    TMenuItem mnuShow{*this, "mnuShow", "表示(&V)"};
    TMenuItem mnuShowFile{*this, "mnuShowFile", "ファイルの内容(&F)"};
    TMenuItem mnuSettei{*this, "mnuSettei", "設定(&S)"};
    TMenuItem mnuSetColor{*this, "mnuSetColor", "曲線の色(&C)"};
    TMenuItem KB1{*this, "KB1", "背景の色(&B)"};
    TMenuItem mnuHelp{*this, "mnuHelp", "ﾍﾙﾌﾟ(&H)"};
    TMenuItem mnuShowHelp{*this, "mnuShowHelp", "使い方(&U)"};
    TMenuItem mnuOnePoint{*this, "mnuOnePoint", "ワンポイント(&P)"};
    TMenuItem mnuShowAbout{*this, "mnuShowAbout", "ﾊﾞｰｼﾞｮﾝ情報(&A)"};
    // The dialog 式を入力 (curves/FormulaCurve.cpp): in the ﾌｧｲﾙ menu after the collections.
    TMenuItem mnuFormula{*this, "mnuFormula", "式を入力して描く(&E)..."};
    // ---- The picture shown large (output/LargeView.cpp): in the 表示 menu after ファイルの内容.
    TMenuItem mnuShowLarge{*this, "mnuShowLarge", "大きく表示(&L)"};
    // A check item of the 表示 menu: a change of the panel draws at once as 表示 does.
    TCheckBox mnuLive{*this, "mnuLive", "変更をすぐに描く(&R)"};
    // The window 曲線の性質 (analysis/PropertiesWindow.cpp): in the 表示 menu after 大きく表示.
    TMenuItem mnuProperties{*this, "mnuProperties", "曲線の性質(&P)"};

    // ---- Program-wide state.
    std::string BaseFolder;                 // with a trailing separator
    std::string CurrentFileName = "Sample.crv";
    int CollectionKind = 1;
    std::array<int, 4> RememberedLine{};    // index 1..3
    CurveTable curveTable;
    int CurrentCurve = -1;
    RecordLines lstDemo;                    // the three built-in records
    RecordLines lstCurve;                   // the lines of the open collection, built-in record first
    std::vector<std::string> flbCurve;      // file names of the open folder collection, " " first
    PlotView view;
    SinCosMemo sinCosMemo;                  // the angles of the last plot, for the next one
    EquationTrace equationTrace;            // kind 28's grid, kept from plot to plot
    ColorState colors;
    TColor lastDialogColor = clBlack;       // what the colour dialog opens on
    int AnnotationTextSize = 14;
    int AnnotationRow = PlotView::PictureWidth + 10;
    bool ReloadBeforeDraw = false;
    bool StepMode = false;
    bool CloseRequested = false;            // mnuEnd: the view closes the window
    int plotDepth = 0;                      // plots running (a plot may yield to the user interface)
    int liveHold = 0;                       // while above 0, changes of the panel are the program's: no live drawing
    // The frames of the last STEP display, STEP repeat or 動画 cycle (画像として保存's アニメーション GIF).
    Animation animation;
    // The driver's --animate: the frames of every display the script runs, one after another, and
    // of every value of every repeat.
    bool AnimateEveryDisplay = false;
    int animeValue = 0;                     // the value the 動画 repeat shows
    Animation animeCycle;                   // the frames of the 動画 repeat's cycle so far
    bool animeCycleDone = false;            // a whole cycle has been kept in `animation`
    FileSteps* curveFileSteps = nullptr;    // how saving writes files; null: the real file system
    int FailedSaves = 0;                    // saves that wrote nothing, for a cause other than the user's answer
    int grpParamLeft = 16, grpParamTop = 339;  // where grpParam lies on the form; the desktop view updates them

    // ---- Dialogs, created with the main window and kept for the run (after the controls they show).
    TfrmMath frmMath;
    TfrmVersion frmVersion;
    TfrmStep frmStep;
    TfrmEdit frmEdit;          // its lstBuffer stores the working record
    TfrmNickName frmNickName;
    TfrmPrint frmPrint;
    TfrmLarge frmLarge{view, btnDraw, frmStep};
    TfrmProperties frmProperties;
    TfrmFormula frmFormula;
    Typesetter typesetter{frmMath};

    // ---- Start (app/Main.cpp, app/Start.cpp).
    void FormCreate();
    void FormShow() override;
    void mnuEndClick();
    void mnuShowHelpClick();
    void mnuOnePointClick();
    void btnKaisetsuClick();
    void mnuShowAboutClick();
    void mnuShowFileClick();
    // F1 on a control or menu item with the given help context.
    void ShowContextHelp(int context);
    // BaseFolder + "Vantorel.hlp": what every help command shows.
    std::string HelpPath() const;

    // ---- Applying a curve to the panel (curves/Apply.cpp).
    void SelectCurve(int k);
    void ApplyCurve(int k);
    void UpdateParamAvailability();
    // The colour rule: black on white while 白黒 is ticked, else `line` on `back`; then AxisColor.
    void ApplyColours(TColor line, TColor back);
    void UpdateThetaRangeText();
    // Writes a line of the working record while it holds a record.
    void WriteRecordLine(int line, const std::string& cp932);

    // ---- A typed-formula curve in no collection (curves/FormulaCurve.cpp): what the formula
    // dialog calls. The curve lives in curveTable[FormulaCurveEntry] and the working record.
    // Puts the 25 record lines (CP932) of a curve of kind 26, 27 or 28 on the panel as the working
    // record and draws it as 表示 does; a name line "*" or empty becomes "式で描いた曲線". False,
    // after the formula's message (or while a plot runs), when it cannot: nothing changes then.
    bool ShowFormulaCurve(RecordLines record);
    // 式を入力して描く: the dialog opens on the current curve's formula (a typed curve's own, or the
    // typed formula of a fixed kind that has one; else the parametric example) and OK draws it.
    void mnuFormulaClick();
    // The record of a typed curve: its kind, name (UTF-8, empty for the default) and formula lines
    // (UTF-8 as typed; empty for a line the kind does not have), every other line from the panel.
    RecordLines FormulaCurveRecord(int kind, const std::string& name, const std::string& line3,
                                   const std::string& line4, const std::string& line5);

    // ---- Collections (curves/Collections.cpp).
    void OpenCollection(int n);
    void LoadCatalog(const std::string& name);
    void LoadCurveFolder(const std::string& folder);
    void InsertBuiltInCurve();
    // Parses lstCurve into the table (record k read from sources[k]) and makes the header line
    // the list's only line; what is wrong goes into `problems`, for the caller's one message.
    void BuildCurveTable(ReadProblems& problems, const std::vector<RecordSource>& sources);

    // ---- Choosing a curve (curves/Choose.cpp).
    void lstShikiClick();
    // The product word on the picture of a collection's built-in curve.
    void DrawProductWord();
    void btnResetClick();

    // ---- Saving (curves/Save.cpp).
    void spdOverWriteClick();
    void mnuSaveClick();
    bool SaveAs();
    void WriteCurveFile();
    // The name to write: ".crv" added when it has no extension; empty means "Sample.crv"; none
    // (after a message saying why) for a name the list could never show.
    std::optional<std::string> FixCurveFileName(const std::string& name);
    YesNoCancel ConfirmSave(const std::string& text);
    // For a new file in a folder collection that already lists all it can: says which curve the
    // list will lack and asks; true when the file may be written.
    bool AcceptBeyondTheListLimit(const std::string& path);
    // Writes the working record to `path`; says why not (counting FailedSaves). True when the
    // file is in place, also when only its durability could not be confirmed (which is said).
    bool WriteWorkingRecord(const std::string& path);

    // ---- Parameter controls (plot/Params.cpp).
    void updAChange();
    void updBChange();
    void updCChange();
    void updStartChange();
    void updSendChange();
    void updKakudaiChange();
    void updRpStartChange();
    void updRpEndChange();
    void radTargetClick(const char* letter);
    void chkHojoEnClick();
    void cmbStepChange();
    void cmbHaikeiChange();

    // ---- Displays (plot/Displays.cpp).
    void btnDrawClick();
    void btnStepClick();
    void btnHanpukuClick();
    void btnStepHClick();
    void btnDevClick();
    void btnRpResetClick();
    // `alone`: each value on a picture of its own (動画) instead of all on one background.
    void RepeatDisplay(bool split, bool step, bool alone = false);
    // Repeat when the repeat range is open, otherwise one drawing as 表示 does.
    void Redraw();

    // ---- Live change and the 動画 repeat (plot/Motion.cpp).
    // A change of the panel: draws as 表示 does while 変更をすぐに描く is on, unless the change is the
    // program's (liveHold), a drawing runs or waits, or the 動画 repeat plays (its next value shows it).
    void DrawLive();
    bool Animating() const { return tmrAnime.Enabled(); }
    void StartAnimation();
    void AnimationTick();
    void StopAnimation();
    void chkAnimeClick();
    TUpDown& RepeatTarget() { return radA.Checked() ? updA : radB.Checked() ? updB : updC; }

    // ---- Plot routine and auxiliary lines (plot/PlotCurve.cpp, plot/AuxLines.cpp).
    void PlotCurve(int n, int quadrant, bool repeat);
    // The part of a STEP display before segment k of `segments`: the yield of 途中経過 and, in a
    // STEP display, the STEP dialog. False when the user stopped the display (中止).
    // The plot of a typed-formula kind after the background (plot/TypedCurve.cpp); true when it
    // went through every STEP segment.
    bool PlotTypedCurve(int n, int quadrant, bool repeat, int a, int b, int c);
    // 補助線 of kinds 26 and 27: the moving point P, and in a STEP display its coordinates and
    // the parameter's value beside it.
    void DrawMovingPoint(const struct CurveSample& sample, bool theta, double parameter);
    void DrawAuxFigure(int kind, double a, double b, double c, double theta);
    // 補助線 of every curve the analysis names a conic (analysis/CurveProperties.h), whatever its
    // kind: the foci marked F and F′, the directrices and asymptotes across the graph square, the centre.
    void DrawConicFigure(int n, int a, int b, int c, bool repeat);
    void DrawAuxMarker(int kind, const PicturePoint& point, double a, double b, double c, double theta);
    void DrawAuxMarker(int kind, TPoint p, double a, double b, double c, double theta) {
        DrawAuxMarker(kind, PicturePoint::AtPixel(p.x, p.y), a, b, c, theta);
    }
    // True while a plot or display runs (it may be yielding to the user interface). Commands that
    // would change the curve table or the picture do nothing then.
    bool PlotRunning() const { return plotDepth > 0; }

    // ---- The curve's properties (analysis/CurveProperties.cpp): what the analysis finds for the
    // curve on the panel, drawn with the panel's a, b, c, θ range and zoom.
    ConicProperties PanelCurveProperties() const;
    // 曲線の性質: shows the window, which from then on follows the panel's curve.
    void mnuPropertiesClick();
    // Hands the window the analysis of the panel's curve while it is shown.
    void FollowPanelCurve();

    // ---- Backgrounds (picture/Backgrounds.cpp).
    void DrawBackground(int quadrant);
    void DrawPolarGrid();
    void DrawTicks();
    void DrawGrid();
    void DrawXYAxes();
    void DrawXYLabels();
    void DrawPolarAxes();
    void DrawInitialLine();
    void DrawPolarLabels();
    void DrawTickLabels(int lo, int hi);
    int Zoom() const { return updKakudai.Value(); }

    // ---- Caption (formula/Annotation.cpp).
    void DrawAnnotation(int n, int a, int b, int c, bool repeat, int quadrant);

    // ---- Colours, line width, monochrome (output/Colours.cpp).
    void RefreshWidthSamples();
    void spdLineColorClick();
    void spdBackColorClick();
    void radWidth1Click();
    void radWidth2Click();
    void chkMonocClick();

    // ---- Print and clipboard (output/).
    void spdPrintClick();
    void mnuClipBoardClick();
    void mnuFileClick();
    void mnuPasteClick();

    // ---- The picture shown large (output/LargeView.cpp).
    void mnuShowLargeClick();

    // ---- Picture files (output/Export.cpp).
    void mnuSaveImageClick();

    // A control or menu item by name (from the form's registry), as the driver asks for it.
    TButton* FindButton(const std::string& name);
    TUpDown* FindSpin(const std::string& name);
};

// "0", "π", "-π", or n followed by "π".
std::string ThetaText(int n);
