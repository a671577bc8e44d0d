#include "web/ScaledPictures.h"

#include <algorithm>
#include <cmath>

#include "output/Print.h"
#include "picture/PlotView.h"

namespace {

// Device pixels that `pixels` picture pixels take at `scale`, rounded up.
int DeviceSize(int pixels, double scale) { return static_cast<int>(std::ceil(pixels * scale)); }

}  // namespace

const Bitmap* ScaledPictures::Picture(const std::string& form, const std::string& picture, double scale) {
    if (picture != "imgCood") return nullptr;
    if (form == "frmMain" || form == "frmLarge") {
        const Bitmap& exact = mainView.imgCood.canvas.Picture();
        return &UpToDate(form == "frmMain" ? main : large, mainView.drawing, DeviceSize(exact.Width(), scale),
                         DeviceSize(exact.Height(), scale), scale, 0, 0);
    }
    if (form == "frmPrint") {
        const Bitmap& exact = print.imgCood.canvas.Picture();
        const int width = DeviceSize(exact.Width(), scale), height = DeviceSize(exact.Height(), scale);
        if (!previewPage || previewPage->Scale() != scale || previewPage->Picture().Width() != width ||
            previewPage->Picture().Height() != height) {
            previewPage.emplace(width, height, scale);
        }
        previewPage->Clear(clWhite);
        print.DrawPageRows(*previewPage, 0, 0, 0, exact.Height());
        return &previewPage->Picture();
    }
    return nullptr;
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
