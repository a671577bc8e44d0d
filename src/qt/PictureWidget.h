// Shows a picture of the core (a TImage) as it is: its 32-bit pixels, red in the low byte and the
// top byte 0, are wrapped in a QImage of format RGBX8888 at every repaint, without copying or
// converting. The canvas may replace its bitmap at any time, so nothing is cached.
#pragma once

#include <QImage>
#include <QWidget>

#include "picture/PlotView.h"

// The pixels of `bitmap` as a QImage that shares them (valid while the bitmap is unchanged).
QImage WrapBitmap(const Bitmap& bitmap);

class PictureWidget : public QWidget {
public:
    PictureWidget(const TImage& image, QWidget* parent);
    ~PictureWidget() override;
    QSize sizeHint() const override;
    const TImage& Image() const { return image; }
    // Asks every picture on screen to repaint at the next pass of the event loop.
    static void RepaintAll();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const TImage& image;
};
