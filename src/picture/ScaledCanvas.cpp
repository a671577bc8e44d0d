#include "picture/ScaledCanvas.h"

#include <algorithm>
#include <cmath>

#include "picture/Fonts.h"
#include "picture/PlotView.h"

ScaledCanvas::ScaledCanvas(int width, int height, double scale, double offsetX, double offsetY, TColor fill)
    : device(width, height, fill), scale(scale), offsetX(offsetX), offsetY(offsetY) {}

ScaledCanvas ScaledCanvas::ForPicture(int pictureWidth, int pictureHeight, double scale, TColor fill) {
    return ScaledCanvas(static_cast<int>(std::ceil(pictureWidth * scale)),
                        static_cast<int>(std::ceil(pictureHeight * scale)), scale, 0, 0, fill);
}

int ScaledCanvas::EdgeX(int x) const { return RoundHalfEven(DeviceX(x)); }
int ScaledCanvas::EdgeY(int y) const { return RoundHalfEven(DeviceY(y)); }

TRect ScaledCanvas::DeviceRect(int x1, int y1, int x2, int y2) const {
    return {EdgeX(x1), EdgeY(y1), EdgeX(x2), EdgeY(y2)};
}

void ScaledCanvas::UseDevicePen() {
    device.Pen = Pen;
    device.Pen.Width = std::max(1, RoundHalfEven(Pen.Width * scale));
}

TPoint ScaledCanvas::StampPixel(const PicturePoint& point) const {
    const double shift = PenStampShift(Pen.Width);
    const double deviceShift = PenStampShift(std::max(1, RoundHalfEven(Pen.Width * scale)));
    return {RoundHalfEven(DeviceX(point.x + shift) - 0.5 - deviceShift),
            RoundHalfEven(DeviceY(point.y + shift) - 0.5 - deviceShift)};
}

void ScaledCanvas::Clear(TColor fill) {
    device.Reset(device.Width(), device.Height(), fill);
    ResetState();
}

void ScaledCanvas::ClipChanged() {
    const TRect& clip = Clip();
    device.SetClip(clip == Unclipped ? Unclipped : DeviceRect(clip.left, clip.top, clip.right, clip.bottom));
}

void ScaledCanvas::LineTo(const PicturePoint& to) {
    UseDevicePen();
    device.MoveTo(StampPixel(position).x, StampPixel(position).y);
    const TPoint end = StampPixel(to);
    device.LineTo(end.x, end.y);
    position = to;
}

void ScaledCanvas::Polyline(const std::vector<TPoint>& points) {
    UseDevicePen();
    std::vector<TPoint> scaled;
    scaled.reserve(points.size());
    for (TPoint point : points) scaled.push_back(StampPixel(PicturePoint::AtPixel(point.x, point.y)));
    device.Polyline(scaled);
}

void ScaledCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    UseDevicePen();
    device.Brush = Brush;
    const TRect box = DeviceRect(x1, y1, x2, y2);
    device.Ellipse(box.left, box.top, box.right, box.bottom);
}

void ScaledCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    UseDevicePen();
    device.Brush = Brush;
    const TRect box = DeviceRect(x1, y1, x2, y2);
    device.Rectangle(box.left, box.top, box.right, box.bottom);
}

void ScaledCanvas::FillRect(TRect rect, TColor color) {
    device.FillRect(DeviceRect(rect.left, rect.top, rect.right, rect.bottom), color);
}

void ScaledCanvas::FloodFill(int x, int y, TColor border, const std::vector<PicturePoint>& outline) {
    if (Brush.Style == BrushStyle::Clear) return;
    device.Brush = Brush;
    if (outline.empty()) {
        device.FloodFill(RoundHalfEven(DeviceX(x + 0.5) - 0.5), RoundHalfEven(DeviceY(y + 0.5) - 0.5), border);
        return;
    }
    // The shape itself: at a finer resolution a thin outline may not close around the seed.
    std::vector<PicturePoint> polygon;
    for (const PicturePoint& point : outline) polygon.push_back({point.pixel, DeviceX(point.x), DeviceY(point.y)});
    device.FillPolygon(polygon, Brush.Color);
}

void ScaledCanvas::TextOut(int x, int y, const std::string& utf8) {
    const int pixelSize = FontPixelSize(Font.Size);
    FontFace* face = pixelSize > 0 ? FindFace(Font.Name, Font.Italic, Font.Bold) : nullptr;
    if (!face) {
        position = PicturePoint::AtPixel(x, y);
        return;
    }
    const FontMetrics metrics = face->Metrics(pixelSize);
    const std::u32string codes = DecodeUtf8(utf8);
    long long advance = 0;
    for (char32_t code : codes) advance += face->Glyph(code, pixelSize).Advance;
    if (Brush.Style == BrushStyle::Solid) {
        device.FillRect(DeviceRect(x, y, static_cast<int>(std::clamp<long long>(x + advance, INT32_MIN, INT32_MAX)),
                                   y + metrics.Height()),
                        Brush.Color);
    }
    // Each character at its place in the exact picture, drawn at the device's own size.
    const int deviceSize = std::max(1, RoundHalfEven(pixelSize * scale));
    const long long baseline = RoundHalfEven(DeviceY(static_cast<double>(y) + metrics.Ascent));
    long long penX = x;
    for (char32_t code : codes) {
        device.BlendGlyph(face->Glyph(code, deviceSize), RoundHalfEven(DeviceX(static_cast<double>(penX))), baseline,
                          Font.Color);
        penX += face->Glyph(code, pixelSize).Advance;
    }
    position = PicturePoint::AtPixel(static_cast<int>(std::clamp<long long>(penX, INT32_MIN, INT32_MAX)), y);
}

void ScaledCanvas::StretchDraw(TRect dest, const Bitmap& source) {
    device.StretchDraw(DeviceRect(dest.left, dest.top, dest.right, dest.bottom), source);
}
