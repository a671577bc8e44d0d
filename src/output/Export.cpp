// Picture files and the command 画像として保存: the save dialog offers PNG at three scales, SVG,
// PDF (where this build writes it) and the animation as GIF, opens on the user's curve folder and
// proposes the current curve's name.
#include "output/Export.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "app/Main.h"
#include "curves/Codec.h"
#include "picture/ImageIO.h"
#include "picture/ScaledCanvas.h"
#include "picture/SvgPainter.h"

namespace fs = std::filesystem;

namespace {

// The dialog's filters. PDF is offered only by a build that writes it (the browser's has no
// cairo): a choice that could only fail is no choice.
struct ImageFilterChoice {
    const char* filter;  // description and pattern
    ImageFormat format;
    double scale;
    const char* extension;
};
constexpr ImageFilterChoice ImageFilters[] = {{"PNG 等倍|*.png", ImageFormat::Png, 1, ".png"},
                                              {"PNG 2倍|*.png", ImageFormat::Png, 2, ".png"},
                                              {"PNG 4倍|*.png", ImageFormat::Png, 4, ".png"},
                                              {"SVG|*.svg", ImageFormat::Svg, 1, ".svg"},
                                              {"PDF|*.pdf", ImageFormat::Pdf, 1, ".pdf"},
                                              {"アニメーション GIF|*.gif", ImageFormat::Gif, 1, ".gif"}};

std::vector<const ImageFilterChoice*> OfferedFilters() {
    std::vector<const ImageFilterChoice*> offered;
    for (const ImageFilterChoice& choice : ImageFilters) {
        if (choice.format != ImageFormat::Pdf || PdfAvailable()) offered.push_back(&choice);
    }
    return offered;
}

// A name of this many bytes leaves room for the folder and the extension on every file system.
constexpr std::size_t LongestProposedName = 120;

std::string LowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

}  // namespace

std::optional<ImageFormat> ImageFormatOf(const std::string& path) {
    const std::string extension = LowerAscii(fs::path(path).extension().string());
    if (extension == ".png") return ImageFormat::Png;
    if (extension == ".svg") return ImageFormat::Svg;
    if (extension == ".pdf") return ImageFormat::Pdf;
    if (extension == ".gif") return ImageFormat::Gif;
    return std::nullopt;
}

std::string PictureFileBytes(const PlotView& view, ImageFormat format, double scale) {
    constexpr int W = PlotView::PictureWidth, H = PlotView::PictureHeight;
    switch (format) {
        case ImageFormat::Png: {
            if (!(scale > MinimumPngScale)) return EncodePng(view.imgCood.canvas.Picture());
            ScaledCanvas canvas = ScaledCanvas::ForPicture(W, H, std::min(scale, MaximumPngScale));
            view.drawing.Replay(canvas);
            return EncodePng(canvas.Picture());
        }
        case ImageFormat::Svg:
            return SvgDocument(view.drawing, W, H);
        case ImageFormat::Pdf:
            return PdfDocument(view.drawing, W, H);
        case ImageFormat::Gif:
            break;
    }
    return {};
}

bool WriteAnimationFile(const std::string& path, const Animation& animation, FileSteps& steps) {
    const std::string bytes = EncodeGif(animation);
    return !bytes.empty() && WriteFileAtomically(path, bytes, steps);
}

bool WritePictureFile(const std::string& path, const PlotView& view, ImageFormat format, double scale, FileSteps& steps) {
    const std::string bytes = PictureFileBytes(view, format, scale);
    return !bytes.empty() && WriteFileAtomically(path, bytes, steps);
}

std::string SafeFileName(const std::string& utf8) {
    std::string name;
    for (char c : utf8) {
        const unsigned char byte = static_cast<unsigned char>(c);
        name += byte < 0x20 || byte == 0x7F || std::strchr("/\\:*?\"<>|", c) ? '_' : c;
    }
    const std::size_t first = name.find_first_not_of(" .");
    if (first == std::string::npos) return {};
    name = name.substr(first, name.find_last_not_of(" .") - first + 1);
    if (name.size() > LongestProposedName) {
        std::size_t end = LongestProposedName;
        while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;  // not inside a character
        name.resize(end);
    }
    return name;
}

void TfrmMain::mnuSaveImageClick() {
    std::string proposed = SafeFileName(Cp932ToUtf8(frmEdit.RecordLine(rlName)));
    if (proposed.empty()) proposed = "Quorbel";
    // The name is proposed without an extension: the filter the user picks adds its own, and one
    // the user types names the format.
    const std::vector<const ImageFilterChoice*> offered = OfferedFilters();
    std::string filters;
    for (const ImageFilterChoice* choice : offered) filters += (filters.empty() ? "" : "|") + std::string(choice->filter);
    const SaveDialogRequest request{BaseFolder + "UsCurves" + static_cast<char>(fs::path::preferred_separator),
                                    proposed, filters};
    std::optional<SaveDialogChoice> chosen = platform.SaveFileDialogWithFilter(request);
    if (!chosen || chosen->path.empty()) return;

    const ImageFilterChoice& filter = *offered[std::clamp<int>(chosen->filter, 0, static_cast<int>(offered.size()) - 1)];
    std::string path = chosen->path;
    std::optional<ImageFormat> format = ImageFormatOf(path);
    if (!format) {
        path += filter.extension;
        format = filter.format;
    }
    const double scale = *format == ImageFormat::Png && filter.format == ImageFormat::Png ? filter.scale : 1;
    if (*format == ImageFormat::Pdf && !PdfAvailable()) {
        platform.ShowMessage("この版ではPDFに保存できません");
        return;
    }
    if (*format == ImageFormat::Gif && animation.Empty()) {
        platform.ShowMessage("アニメーションがありません。STEP表示か動画の反復をしてから保存してください");
        return;
    }
    std::error_code error;
    if (fs::exists(path, error) && ConfirmSave(path + "上書きしてもいいですか") != YesNoCancel::Yes) return;
    FileSteps& steps = curveFileSteps ? *curveFileSteps : SystemFileSteps();
    const bool written = *format == ImageFormat::Gif ? WriteAnimationFile(path, animation, steps)
                                                     : WritePictureFile(path, view, *format, scale, steps);
    if (!written) platform.ShowMessage("ﾌｧｲﾙ " + path + " を作成できません");
}
