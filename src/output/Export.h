// Picture files, for worksheets and slides: the picture as PNG at any scale, as SVG or as PDF,
// and the animation of the last STEP display or 動画 repeat as a GIF, written atomically as curve
// files are (a failure leaves no partial file). The ﾌｧｲﾙ menu's 画像として保存
// (TfrmMain::mnuSaveImageClick, defined in Export.cpp) and the driver's -o use them.
#pragma once

#include <optional>
#include <string>

#include "curves/CurveFile.h"
#include "picture/Animation.h"
#include "picture/PdfDocument.h"
#include "picture/PlotView.h"

enum class ImageFormat { Png, Svg, Pdf, Gif };

// The scales a PNG file may be drawn at (real numbers between the two).
constexpr double MinimumPngScale = 1;
constexpr double MaximumPngScale = 8;

// The format a file name's extension names (".png", ".svg", ".pdf", ".gif", in any case); nothing for another.
std::optional<ImageFormat> ImageFormatOf(const std::string& path);

// The bytes of the picture file. PNG at scale 1 is the picture's own bitmap; at another scale
// the picture drawn again at that resolution. SVG and PDF draw the picture's drawing as vectors
// (the scale does not apply). Empty when this build writes no such file (PDF without cairo), and
// for GIF, whose file is an animation (WriteAnimationFile).
std::string PictureFileBytes(const PlotView& view, ImageFormat format, double scale);

// Writes PictureFileBytes to `path` atomically; false, with nothing written, when it could not.
[[nodiscard]] bool WritePictureFile(const std::string& path, const PlotView& view, ImageFormat format, double scale,
                                    FileSteps& steps = SystemFileSteps());

// Writes EncodeGif's bytes of `animation` to `path` atomically; false, with nothing written, when
// it could not (or there are no frames).
[[nodiscard]] bool WriteAnimationFile(const std::string& path, const Animation& animation,
                                      FileSteps& steps = SystemFileSteps());

// `name` made safe as a file's name on any system: characters no file system takes in a name
// (/ \ : * ? " < > | and control characters) become "_", blanks and dots are taken off both ends.
std::string SafeFileName(const std::string& utf8);
