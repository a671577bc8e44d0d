#include "web/ScaledPictures.h"

#include <algorithm>
#include <cmath>

#include "output/Print.h"
#include "picture/PlotView.h"

namespace {

// The value a spin control stands for: a typed text out of range counts as its nearest limit.
int SpinValue(const TUpDown& spin) { return std::clamp(spin.Value(), spin.Min(), spin.Max()); }

// Device pixels that `pixels` picture pixels take at `scale`, rounded up.
int DeviceSize(int pixels, double scale) { return static_cast<int>(std::ceil(pixels * scale)); }

}  // namespace

const Bitmap* ScaledPictures::Picture(const std::string& form, const std::string& picture, double scale) {
    if (picture != "imgCood") return nullptr;
    if (form == "frmMain") {
        const Bitmap& exact = mainView.imgCood.canvas.Picture();
        return &UpToDate(main, mainView.drawing, DeviceSize(exact.Width(), scale), DeviceSize(exact.Height(), scale),
                         scale, 0, 0);
    }
    if (form == "frmPrint") {
        const Bitmap& exact = print.imgCood.canvas.Picture();
        const int width = DeviceSize(exact.Width(), scale), height = DeviceSize(exact.Height(), scale);
        if (!previewPage || previewPage->Scale() != scale || previewPage->Picture().Width() != width ||
            previewPage->Picture().Height() != height) {
            previewPage.emplace(width, height, scale);
        }
        DrawPreviewPage(*previewPage, previewGraph);
        return &previewPage->Picture();
    }
    return nullptr;
}

void ScaledPictures::DrawPrintedPage(ScaledCanvas& page) const {
    Replayed graph;
    DrawPreviewPage(page, graph);
}

const Bitmap& ScaledPictures::UpToDate(Replayed& replayed, const Drawing& drawing, int width, int height, double scale,
                                       double offsetX, double offsetY) {
    const ScaledCanvas* kept = replayed.canvas ? &*replayed.canvas : nullptr;
    if (!kept || kept->Scale() != scale || kept->Picture().Width() != width || kept->Picture().Height() != height ||
        replayed.offsetX != offsetX || replayed.offsetY != offsetY) {
        replayed.canvas.emplace(width, height, scale, offsetX, offsetY);
        replayed.cursor = {};
        replayed.offsetX = offsetX;
        replayed.offsetY = offsetY;
    }
    // A drawing cleared since begins again with its clearing, which clears the raster too.
    drawing.ReplayFrom(*replayed.canvas, replayed.cursor);
    return replayed.canvas->Picture();
}

// As TfrmPrint::BuildPreview composes the page: white, the graph at the margins and the size,
// the comment on its white box at (left + 10, 15). `page` covers the page from its top-left corner.
void ScaledPictures::DrawPreviewPage(ScaledCanvas& page, Replayed& graph) const {
    const double scale = page.Scale();
    const double size = SpinValue(print.spnShukusho) * 0.01;
    const int left = SpinValue(print.spnLeft);
    const int top = SpinValue(print.spnTop);
    const Bitmap& exact = mainView.imgCood.canvas.Picture();
    const TRect place{left, top, left + RoundHalfEven(exact.Width() * size), top + RoundHalfEven(exact.Height() * size)};
    // The graph is redrawn at the page's scale × the size on a raster of exactly the device pixels
    // it covers on the page, and then copied one device pixel for one.
    const TRect device{RoundHalfEven(place.left * scale), RoundHalfEven(place.top * scale),
                       RoundHalfEven(place.right * scale), RoundHalfEven(place.bottom * scale)};
    const Bitmap& redrawn = UpToDate(graph, mainView.drawing, device.Width(), device.Height(), scale * size,
                                     place.left * scale - device.left, place.top * scale - device.top);
    page.Clear(clWhite);  // the brush white and solid, the font black, as the preview is cleared
    page.StretchDraw(place, redrawn);
    if (print.chkDate.Checked()) page.TextOut(left + 10, 15, print.edtFile.Text());
}
