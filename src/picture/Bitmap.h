// A bitmap of 32-bit pixels whose values are the system's colours: red in bits 0-7, green in
// 8-15, blue in 16-23, the top byte 0. In memory (little-endian) that is R, G, B, X, which a
// desktop toolkit shows as "RGBX 8888" without conversion. Also the small shared geometry types.
#pragma once

#include <cstdint>
#include <vector>

using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clSilver = 0xC0C0C0;

constexpr TColor RGB(int red, int green, int blue) {
    return static_cast<TColor>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

struct TPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// A rectangle; right and bottom are exclusive.
struct TRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height, TColor fill = clWhite);

    int Width() const { return width; }
    int Height() const { return height; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    // Pixel access; reading outside the bitmap gives 0 and writing there does nothing.
    TColor Pixel(int x, int y) const { return Contains(x, y) ? pixels[index(x, y)] : 0; }
    void SetPixel(int x, int y, TColor color) { if (Contains(x, y)) pixels[index(x, y)] = color; }
    TColor* Row(int y) { return pixels.data() + static_cast<std::size_t>(y) * width; }
    const TColor* Row(int y) const { return pixels.data() + static_cast<std::size_t>(y) * width; }
    const std::vector<TColor>& Pixels() const { return pixels; }
    std::vector<TColor>& Pixels() { return pixels; }
    friend bool operator==(const Bitmap&, const Bitmap&) = default;

private:
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * width + x; }
    int width = 0;
    int height = 0;
    std::vector<TColor> pixels;
};
