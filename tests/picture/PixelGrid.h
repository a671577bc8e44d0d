// Pictures as ASCII grids for pixel-exact tests: one character per pixel, one text line per row.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "picture/Bitmap.h"

constexpr TColor testBlue = RGB(0, 0, 255);
constexpr TColor testGreen = RGB(0, 128, 0);

// '.' white, '#' black, 'r' red, 'b' blue, 'g' green, '?' anything else.
inline std::string Grid(const Bitmap& bitmap) {
    static const std::map<TColor, char> legend{
        {clWhite, '.'}, {clBlack, '#'}, {clRed, 'r'}, {testBlue, 'b'}, {testGreen, 'g'}};
    std::string text = "\n";
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            auto found = legend.find(bitmap.Pixel(x, y));
            text += found == legend.end() ? '?' : found->second;
        }
        text += '\n';
    }
    return text;
}

// The expected grid in the same form, from its rows.
inline std::string Rows(const std::vector<std::string>& rows) {
    std::string text = "\n";
    for (const std::string& row : rows) text += row + '\n';
    return text;
}
