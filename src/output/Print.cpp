#include "output/Print.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <unistd.h>

#include "app/Main.h"
#include "picture/ImageIO.h"
#include "ui/Platform.h"

namespace {
// Printer pixels per preview pixel, whatever the printer's resolution.
constexpr double PreviewScale = 32.0 / 7.0;
constexpr int PreviewWidth = 600;

// A file of its own in the system's temporary folder, removed when this goes out of scope, so
// that printing can never overwrite a user's file and never leaves one behind.
class TemporaryBitmapFile {
public:
    TemporaryBitmapFile() {
        std::error_code error;
        std::filesystem::path folder = std::filesystem::temp_directory_path(error);
        if (error) return;
        std::string pattern = (folder / "quorbel-print-XXXXXX.bmp").string();
        int fd = mkstemps(pattern.data(), 4);
        if (fd < 0) return;
        close(fd);
        path = pattern;
    }
    ~TemporaryBitmapFile() {
        if (path.empty()) return;
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
    TemporaryBitmapFile(const TemporaryBitmapFile&) = delete;
    TemporaryBitmapFile& operator=(const TemporaryBitmapFile&) = delete;

    // Empty when no file could be created.
    const std::string& Path() const { return path; }

private:
    std::string path;
};

// The value a spin control stands for: a typed text out of range counts as its nearest limit.
int SpinValue(const TUpDown& spin) { return std::clamp(spin.Value(), spin.Min(), spin.Max()); }

std::tm LocalNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}
}  // namespace

TfrmPrint::TfrmPrint(Platform& platform, const TImage& mainPicture, const TLabel& mainSpec)
    : TForm("frmPrint", "グラフの印刷"), platform(platform), mainPicture(mainPicture), mainSpec(mainSpec) {
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

void TfrmPrint::BuildPreview() {
    ClearPicture(imgCood, clWhite, clBlack);
    Canvas& canvas = imgCood.canvas;
    double k = SpinValue(spnShukusho) * 0.01;
    int left = SpinValue(spnLeft);
    int top = SpinValue(spnTop);
    const Bitmap& graph = mainPicture.canvas.Picture();
    canvas.StretchDraw({left, top, left + RoundHalfEven(graph.Width() * k), top + RoundHalfEven(graph.Height() * k)}, graph);
    canvas.Font.Color = clBlack;
    // The brush is still the white solid one of the clearing, so the comment sits on a white box
    // that covers whatever of the graph lies under it.
    if (chkDate.Checked()) canvas.TextOut(left + 10, 15, edtFile.Text());
    platform.PictureChanged();
}

void TfrmPrint::PrintPreview() {
    std::optional<int> copies = platform.PrintDialog();
    if (!copies) return;
    platform.SetBusyCursor(true);
    const Bitmap& preview = imgCood.canvas.Picture();
    TRect dest{0, 0, RoundHalfEven(preview.Width() * PreviewScale), RoundHalfEven(preview.Height() * PreviewScale)};

    TemporaryBitmapFile temporary;
    std::optional<Bitmap> page;
    if (!temporary.Path().empty() && WriteBmp(temporary.Path(), preview)) page = ReadBmp(temporary.Path());
    if (!page) {
        platform.SetBusyCursor(false);
        platform.ShowMessage("一時ファイルが作成できません");
        return;
    }
    for (int copy = 0; copy < *copies; ++copy) {
        if (!platform.PrintPage(*page, dest)) {
            platform.SetBusyCursor(false);
            platform.ShowMessage("印刷できませんでした");
            return;
        }
    }
    platform.SetBusyCursor(false);
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
