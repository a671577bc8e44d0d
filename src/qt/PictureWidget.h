// Shows a picture of the core (a TImage). At one device pixel per picture pixel it shows the
// picture's own 32-bit pixels (red in the low byte, the top byte 0), wrapped in a QImage of format
// RGBX8888 at every repaint without copying or converting; the canvas may replace its bitmap at any
// time, so nothing is cached. A picture that keeps a drawing is drawn finer than that (a HiDPI
// screen, a zoom) again from the drawing at the device's resolution, kept up to date as it grows.
#pragma once

#include <optional>

#include <QImage>
#include <QWidget>

#include "picture/PlotView.h"
#include "picture/ScaledCanvas.h"

// The pixels of `bitmap` as a QImage that shares them (valid while the bitmap is unchanged).
QImage WrapBitmap(const Bitmap& bitmap);

class PictureWidget : public QWidget {
public:
    PictureWidget(const TImage& image, QWidget* parent);
    ~PictureWidget() override;
    QSize sizeHint() const override;
    const TImage& Image() const { return image; }
    // The record of how the picture was drawn (it must outlive the widget), for finer devices.
    void SetDrawing(const Drawing* drawing) { this->drawing = drawing; }
    // Logical pixels per picture pixel; the picture stands at the widget's top-left corner.
    void SetZoom(double zoom);
    double Zoom() const { return zoom; }
    // Asks every picture on screen to repaint at the next pass of the event loop.
    static void RepaintAll();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const TImage& image;
    const Drawing* drawing = nullptr;
    double zoom = 1;
    // The picture at zoom × the device pixel ratio, and how far the drawing has been replayed on it.
    std::optional<ScaledCanvas> fine;
    Drawing::Cursor replayed;
};
