// The page's pictures at the screen's device pixel ratio: the main picture redrawn from its
// drawing on a ScaledCanvas, kept up to date by replaying only what the drawing gained since the
// last time, and so the picture shown large (frmLarge) at its own size; the print preview page drawn as the printer gets it, with the graph redrawn at the
// page's scale instead of enlarged. The exact pictures stay the forms' own bitmaps, which the
// clipboard and the tests read.
#pragma once

#include <optional>
#include <string>

#include "picture/Drawing.h"
#include "picture/ScaledCanvas.h"

class PlotView;
class TfrmPrint;

class ScaledPictures {
public:
    ScaledPictures(const PlotView& mainView, const TfrmPrint& print) : mainView(mainView), print(print) {}

    // Picture `picture` of form `form` at `scale`, up to date; nullptr for a picture that is only
    // shown exactly (the width samples). Valid until the next call.
    const Bitmap* Picture(const std::string& form, const std::string& picture, double scale);

private:
    // A drawing replayed onto a raster, how far it got, and where the raster lies.
    struct Replayed {
        std::optional<ScaledCanvas> canvas;
        Drawing::Cursor cursor;
        double offsetX = 0;
        double offsetY = 0;
    };
    // Brings `replayed` up to date with `drawing` on a width × height raster on which picture
    // point (x, y) lies at (x · scale + offsetX, y · scale + offsetY); a raster of another size,
    // scale or place is made afresh.
    static const Bitmap& UpToDate(Replayed& replayed, const Drawing& drawing, int width, int height, double scale,
                                  double offsetX, double offsetY);

    const PlotView& mainView;
    const TfrmPrint& print;
    Replayed main;                           // the main picture at the screen's ratio
    Replayed large;                          // the same picture shown large, at the screen's size
    std::optional<ScaledCanvas> previewPage;  // the preview page at the ratio
};
