#include "picture/VectorShapes.h"

#include <algorithm>

#include "picture/Canvas.h"

bool OutlineOf(int x1, int y1, int x2, int y2, int penWidth, OutlineBox& outline) {
    const double left = std::min(x1, x2), right = std::max(x1, x2);
    const double top = std::min(y1, y2), bottom = std::max(y1, y2);
    if (left == right || top == bottom) return false;
    const double width = std::clamp(penWidth, 1, 64);
    outline.solid = 2 * width >= std::min(right - left, bottom - top);
    const double inset = outline.solid ? 0 : width / 2;
    outline.left = left + inset, outline.right = right - inset;
    outline.top = top + inset, outline.bottom = bottom - inset;
    return true;
}

PicturePoint StrokePoint(const PicturePoint& point, int penWidth) {
    const double shift = PenStampShift(penWidth);
    return {point.pixel, point.x + shift, point.y + shift};
}

void LineRun::Start(const TPen& pen, const PicturePoint& from) {
    open = true;
    drawn = false;
    runPen = pen;
    end = from;
}

bool LineRun::Add(const PicturePoint& to) {
    const bool adds = !(to.x == end.x && to.y == end.y);
    drawn = drawn || adds;
    end = to;
    return adds;
}

bool LineRun::End() {
    const bool had = open && drawn;
    open = drawn = false;
    return had;
}

Bitmap EnlargedImage(TRect dest, const Bitmap& source, int width, int height, TRect& shown) {
    // Beyond this many image pixels a bitmap (a large pasted picture) is kept at the picture's resolution.
    constexpr long long MostEnlargedPixels = 1 << 22;
    shown = {std::max(dest.left, 0), std::max(dest.top, 0), std::min(dest.right, width), std::min(dest.bottom, height)};
    if (shown.right <= shown.left || shown.bottom <= shown.top || source.Width() == 0 || source.Height() == 0) return {};
    const long long pixels = static_cast<long long>(shown.Width()) * shown.Height();
    const bool farOff = std::max({std::abs(static_cast<long long>(dest.left)), std::abs(static_cast<long long>(dest.top)),
                                  std::abs(static_cast<long long>(dest.right)), std::abs(static_cast<long long>(dest.bottom))}) > (1 << 28);
    const int k = farOff || 16 * pixels > MostEnlargedPixels ? 1 : 4;
    Canvas enlarged(k * shown.Width(), k * shown.Height());
    enlarged.StretchDraw({k * (dest.left - shown.left), k * (dest.top - shown.top), k * (dest.right - shown.left),
                          k * (dest.bottom - shown.top)},
                         source);
    return enlarged.Picture();
}

PlacedText PlaceText(const TFont& font, int x, int y, const std::string& utf8) {
    PlacedText text;
    text.pixelSize = FontPixelSize(font.Size);
    text.face = text.pixelSize > 0 ? FindFace(font.Name, font.Italic, font.Bold) : nullptr;
    if (!text.face) return text;
    text.metrics = text.face->Metrics(text.pixelSize);
    text.baseline = static_cast<long long>(y) + text.metrics.Ascent;
    text.codes = DecodeUtf8(utf8);
    long long penX = x;
    for (char32_t code : text.codes) {
        text.penX.push_back(penX);
        penX += text.face->Glyph(code, text.pixelSize).Advance;
    }
    text.advance = penX - x;
    return text;
}
