// The picture drawn again at another resolution: a raster whose pixels are 1/scale of a picture
// pixel, for HiDPI screens, the projector view, printing and PNG files at any scale. Points are
// placed from their positions before rounding, so curves are smooth rather than enlarged
// staircases; pen widths and font sizes grow with the scale; every character stands where the exact
// picture puts it; bitmaps (the formula glyphs, a pasted picture) are enlarged pixel by pixel.
#pragma once

#include "picture/Canvas.h"

class ScaledCanvas final : public Painter {
public:
    // A raster of width × height pixels on which picture point (x, y) lies at
    // (x · scale + offsetX, y · scale + offsetY).
    ScaledCanvas(int width, int height, double scale, double offsetX = 0, double offsetY = 0, TColor fill = clWhite);
    // The whole picture of pictureWidth × pictureHeight pixels at `scale` (sizes rounded up).
    static ScaledCanvas ForPicture(int pictureWidth, int pictureHeight, double scale, TColor fill = clWhite);

    const Bitmap& Picture() const { return device.Picture(); }
    double Scale() const { return scale; }

    using Painter::LineTo;
    void Clear(TColor fill) override;
    void LineTo(const PicturePoint& to) override;
    void Polyline(const std::vector<TPoint>& points) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void FillRect(TRect rect, TColor color) override;
    void FloodFill(int x, int y, TColor border, const std::vector<PicturePoint>& outline) override;
    void TextOut(int x, int y, const std::string& utf8) override;
    void StretchDraw(TRect dest, const Bitmap& source) override;

protected:
    void ClipChanged() override;

private:
    // Continuous device coordinates of a picture coordinate, and the device pixel edge nearest one.
    double DeviceX(double x) const { return x * scale + offsetX; }
    double DeviceY(double y) const { return y * scale + offsetY; }
    int EdgeX(int x) const;
    int EdgeY(int y) const;
    TRect DeviceRect(int x1, int y1, int x2, int y2) const;
    // The device pen for the current pen, and the device pixel its stamp is centred on for a point.
    void UseDevicePen();
    TPoint StampPixel(const PicturePoint& point) const;

    Canvas device;
    double scale;
    double offsetX;
    double offsetY;
};
