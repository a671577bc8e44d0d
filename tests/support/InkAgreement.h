// How well a picture drawn on another target agrees with the exact picture: brought back to the
// exact picture's size, does every stroke and character stand in the same place, in the same
// colour? Used by the tests of the scaled raster and of the vector files.
#pragma once

#include <algorithm>
#include <cmath>
#include <map>

#include "picture/Bitmap.h"

namespace ink {

// The average of the device pixels whose centres fall inside each picture pixel.
inline Bitmap Downsample(const Bitmap& device, int width, int height) {
    Bitmap result(width, height);
    const double sx = static_cast<double>(device.Width()) / width, sy = static_cast<double>(device.Height()) / height;
    for (int y = 0; y < height; ++y) {
        const int y0 = static_cast<int>(std::ceil(y * sy - 0.5)), y1 = static_cast<int>(std::ceil((y + 1) * sy - 0.5));
        for (int x = 0; x < width; ++x) {
            const int x0 = static_cast<int>(std::ceil(x * sx - 0.5)), x1 = static_cast<int>(std::ceil((x + 1) * sx - 0.5));
            long sum[3] = {0, 0, 0};
            long count = 0;
            for (int v = y0; v < y1; ++v)
                for (int u = x0; u < x1; ++u, ++count)
                    for (int c = 0; c < 3; ++c) sum[c] += (device.Pixel(u, v) >> (8 * c)) & 0xFF;
            if (count == 0) continue;
            auto average = [&](int c) { return static_cast<int>((sum[c] + count / 2) / count); };
            result.SetPixel(x, y, RGB(average(0), average(1), average(2)));
        }
    }
    return result;
}

inline int Distance(TColor a, TColor b) {
    int d = 0;
    for (int c = 0; c < 3; ++c) d += std::abs(static_cast<int>((a >> (8 * c)) & 0xFF) - static_cast<int>((b >> (8 * c)) & 0xFF));
    return d;
}

// The colour most pixels of the rows [top, bottom) have: the background there.
inline TColor Background(const Bitmap& picture, int top, int bottom) {
    std::map<TColor, int> counts;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < picture.Width(); ++x) ++counts[picture.Pixel(x, y)];
    return std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

struct Agreement {
    int ink = 0;      // ink pixels of `from`
    int matched = 0;  // of them, with a pixel of the same ink within one pixel in `to`
    double Share() const { return ink == 0 ? 1.0 : static_cast<double>(matched) / ink; }
};

// Whether `other` shows the ink `colour` over `background`: seen from the background it lies in the
// ink's direction, at least 40 % of the way (a stroke that falls between two pixels shares its
// colour between them), and not far off to the side (another colour; where two inks cross, a pixel
// may show a mix of both).
inline bool SameInk(TColor other, TColor colour, TColor background) {
    double v[3], w[3], vv = 0, wv = 0;
    for (int c = 0; c < 3; ++c) {
        const double b = (background >> (8 * c)) & 0xFF;
        v[c] = ((colour >> (8 * c)) & 0xFF) - b;
        w[c] = ((other >> (8 * c)) & 0xFF) - b;
        vv += v[c] * v[c];
        wv += w[c] * v[c];
    }
    const double t = wv / vv;
    double side = 0;
    for (int c = 0; c < 3; ++c) side += (w[c] - t * v[c]) * (w[c] - t * v[c]);
    return t >= 0.4 && side <= 0.5 * vv;
}

// Ink is a pixel at least a third of the way from its background (the graph square's, or the
// caption strip's below row `stripTop`) in colour distance.
inline Agreement Compare(const Bitmap& from, const Bitmap& to, int stripTop) {
    Agreement result;
    const TColor backgrounds[2] = {Background(from, 0, stripTop), Background(from, stripTop, from.Height())};
    for (int y = 0; y < from.Height(); ++y) {
        const TColor background = backgrounds[y >= stripTop];
        for (int x = 0; x < from.Width(); ++x) {
            const TColor colour = from.Pixel(x, y);
            if (Distance(colour, background) < 255) continue;
            ++result.ink;
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy)
                for (int dx = -1; dx <= 1 && !found; ++dx) {
                    if (!to.Contains(x + dx, y + dy)) continue;
                    found = SameInk(to.Pixel(x + dx, y + dy), colour, background);
                }
            result.matched += found;
        }
    }
    return result;
}

// A picture drawn at a whole `scale`, seen as blocks of scale × scale device pixels, one a picture
// pixel: how many blocks carry ink (anything but `background`), and how many of them only partly.
// A picture enlarged pixel by pixel fills its blocks whole; one drawn again at the scale does not.
struct Blocks {
    int inked = 0;
    int partial = 0;
};

inline Blocks InkedBlocks(const Bitmap& device, int scale, TColor background) {
    Blocks result;
    for (int by = 0; by < device.Height() / scale; ++by) {
        for (int bx = 0; bx < device.Width() / scale; ++bx) {
            int inked = 0;
            for (int y = 0; y < scale; ++y)
                for (int x = 0; x < scale; ++x) inked += device.Pixel(scale * bx + x, scale * by + y) != background;
            result.inked += inked > 0;
            result.partial += inked > 0 && inked < scale * scale;
        }
    }
    return result;
}

}  // namespace ink
