#include "output/Print.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "app/Main.h"
#include "picture/ScaledCanvas.h"
#include "ui/Platform.h"

namespace {
constexpr int PreviewWidth = 600;

// The value a spin control stands for: a typed text out of range counts as its nearest limit.
int SpinValue(const TUpDown& spin) { return std::clamp(spin.Value(), spin.Min(), spin.Max()); }

std::tm LocalNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}
}  // namespace

TfrmPrint::TfrmPrint(Platform& platform, const PlotView& mainView, const TLabel& mainSpec)
    : TForm("frmPrint", "グラフの印刷"), platform(platform), mainView(mainView), mainPicture(mainView.imgCood),
      mainSpec(mainSpec) {
    for (TUpDown* spin : {&spnLeft, &spnTop, &spnShukusho}) {
        spin->Increment = 10;
        spin->OnChange = [this] { BuildPreview(); };
    }
    chkDate.SetChecked(true);
    chkDate.OnClick = [this] { BuildPreview(); };
    edtFile.OnChange = [this] { BuildPreview(); };
    btnPrint.OnClick = [this] { PrintPreview(); };
    btnClose.OnClick = [this] { Close(mrCancel); };
}

void TfrmPrint::FormShow() {
    Left = MainLeft;
    Top = MainTop;
    Width = MainWidth;
    Height = MainHeight;
    edtFile.SetText(mainSpec.Caption() + "  " + DateText() + "  " + TimeText());
    imgCood.Width = PreviewWidth;
    imgCood.Height = RoundHalfEven(imgCood.Width * std::sqrt(2.0));
    BuildPreview();
}

TRect TfrmPrint::GraphRect() const {
    const double k = SpinValue(spnShukusho) * 0.01;
    const int left = SpinValue(spnLeft);
    const int top = SpinValue(spnTop);
    const Bitmap& graph = mainPicture.canvas.Picture();
    return {left, top, left + RoundHalfEven(graph.Width() * k), top + RoundHalfEven(graph.Height() * k)};
}

void TfrmPrint::BuildPreview() {
    ClearPicture(imgCood, clWhite, clBlack);
    Canvas& canvas = imgCood.canvas;
    const TRect graph = GraphRect();
    canvas.StretchDraw(graph, mainPicture.canvas.Picture());
    canvas.Font.Color = clBlack;
    // The brush is still the white solid one of the clearing, so the comment sits on a white box
    // that covers whatever of the graph lies under it.
    if (chkDate.Checked()) canvas.TextOut(graph.left + 10, 15, edtFile.Text());
    platform.PictureChanged();
}

// The sheet is fitted to the printable area at the printer's own resolution. A fixed 2743 × 3881
// printer pixels (the preview bitmap enlarged 32/7 times) filled an A4 page only at about 330 dpi:
// a quarter of it at 1200 dpi, and blurred wherever it filled more.
void TfrmPrint::PrintPreview() {
    std::optional<int> copies = platform.PrintDialog();
    if (!copies) return;
    platform.SetBusyCursor(true);
    const PrintedSheet sheet = FitPage(platform.PrintablePage());
    for (int copy = 0; copy < *copies; ++copy) {
        if (sheet.scale <= 0 || !PrintSheet(sheet)) {
            platform.SetBusyCursor(false);
            platform.ShowMessage("印刷できませんでした");
            return;
        }
    }
    platform.SetBusyCursor(false);
}

PrintedSheet TfrmPrint::FitPage(PrinterPage printable) const {
    const double width = imgCood.canvas.Width(), height = imgCood.canvas.Height();
    const double scale = std::max(0.0, std::min(printable.width / width, printable.height / height));
    return {scale, (printable.width - width * scale) / 2, (printable.height - height * scale) / 2};
}

bool TfrmPrint::PrintSheet(const PrintedSheet& sheet) {
    // What the preview shows on its white page: the graph, and the comment's box with a pixel
    // around it for glyphs that reach out of their box. The rest of the sheet stays blank.
    const TRect graph = GraphRect();
    TRect used = graph;
    if (chkDate.Checked()) {
        const TPoint extent = imgCood.canvas.TextExtent(edtFile.Text());
        used.left = std::min(used.left, graph.left + 9);
        used.top = std::min(used.top, 14);
        used.right = std::max(used.right, graph.left + 10 + extent.x + 1);
        used.bottom = std::max(used.bottom, 15 + extent.y + 1);
    }
    used = {std::max(used.left, 0), std::max(used.top, 0), std::min(used.right, imgCood.canvas.Width()),
            std::min(used.bottom, imgCood.canvas.Height())};

    if (!platform.BeginPrintJob()) return false;
    const int left = RoundHalfEven(sheet.left + used.left * sheet.scale);
    const int right = RoundHalfEven(sheet.left + used.right * sheet.scale);
    // Pieces of whole preview rows, each at most PrintPieceBytes.
    const std::size_t rowBytes = static_cast<std::size_t>(std::max(1, right - left)) * sizeof(TColor);
    const int rows = std::max(1, static_cast<int>(PrintPieceBytes / rowBytes / std::ceil(sheet.scale)));
    for (int top = used.top; top < used.bottom && left < right; top += rows) {
        const int bottom = std::min(top + rows, used.bottom);
        const int pieceTop = RoundHalfEven(sheet.top + top * sheet.scale);
        const int pieceBottom = RoundHalfEven(sheet.top + bottom * sheet.scale);
        if (pieceBottom <= pieceTop) continue;
        ScaledCanvas piece(right - left, pieceBottom - pieceTop, sheet.scale, sheet.left - left, sheet.top - pieceTop);
        DrawPageRows(piece, sheet.left - left, sheet.top - pieceTop, top, bottom);
        platform.PrintPiece(piece.Picture(), {left, pieceTop});
    }
    return platform.EndPrintJob();
}

void TfrmPrint::DrawPageRows(ScaledCanvas& piece, double offsetX, double offsetY, int top, int bottom) const {
    const double scale = piece.Scale();
    // The piece's own rounding of a preview pixel edge.
    auto edgeX = [&](int x) { return RoundHalfEven(x * scale + offsetX); };
    auto edgeY = [&](int y) { return RoundHalfEven(y * scale + offsetY); };
    const TRect graph = GraphRect();
    const TRect shown{std::max(graph.left, 0), std::max(graph.top, top), std::min(graph.right, imgCood.canvas.Width()),
                      std::min(graph.bottom, bottom)};
    if (shown.left < shown.right && shown.top < shown.bottom) {
        // The graph drawn again at the page's scale × the size, exactly over the part of its
        // rectangle in these rows, then copied into it one device pixel for one.
        const int x0 = edgeX(shown.left), y0 = edgeY(shown.top);
        ScaledCanvas redrawn(edgeX(shown.right) - x0, edgeY(shown.bottom) - y0, scale * SpinValue(spnShukusho) * 0.01,
                             graph.left * scale + offsetX - x0, graph.top * scale + offsetY - y0);
        mainView.drawing.Replay(redrawn);
        piece.StretchDraw(shown, redrawn.Picture());
    }
    piece.Font.Color = clBlack;
    if (chkDate.Checked()) piece.TextOut(graph.left + 10, 15, edtFile.Text());
}

void TfrmMain::spdPrintClick() {
    frmPrint.MainLeft = Left;
    frmPrint.MainTop = Top;
    frmPrint.MainWidth = Width;
    frmPrint.MainHeight = Height;
    platform.ShowModal(frmPrint);
}

std::string TwoDigits(int n) { return n <= 9 ? "0" + std::to_string(n) : std::to_string(n); }

std::string DateText() {
    std::tm now = LocalNow();
    return TwoDigits(now.tm_year + 1900) + "." + TwoDigits(now.tm_mon + 1) + "." + TwoDigits(now.tm_mday);
}

std::string TimeText() {
    std::tm now = LocalNow();
    return TwoDigits(now.tm_hour) + ":" + TwoDigits(now.tm_min);
}
