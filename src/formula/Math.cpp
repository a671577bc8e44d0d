#include "formula/Math.h"

#include <array>

namespace {

using GlyphRows = std::array<const char*, 16>;

// One-pixel strokes; "#" is ink, "." the white ground.
constexpr GlyphRows ScriptL = {
    "..........##....",
    ".........#..#...",
    "........#...#...",
    "........#...#...",
    ".......#...#....",
    ".......#...#....",
    ".......#..#.....",
    "......#..#......",
    "......#.#.......",
    "......##........",
    ".....##.........",
    ".....#..........",
    ".....#......#...",
    ".....#.....#....",
    "......#...#.....",
    ".......###......",
};

// The bowl sits on the upper rows and the descender loops back to the left below it.
constexpr GlyphRows ScriptG = {
    "................",
    "......####..#...",
    ".....#....#.#...",
    "....#......##...",
    "....#......##...",
    "....#......#....",
    ".....#....##....",
    "......####.#....",
    "...........#....",
    "...........#....",
    "..........#.....",
    "..........#.....",
    "..#......#......",
    "...#....#.......",
    "....####........",
    "................",
};

constexpr GlyphRows Alpha = {
    "................",
    "................",
    "................",
    "................",
    "......###....#..",
    ".....#...#..#...",
    "....#.....##....",
    "...#......#.....",
    "...#......#.....",
    "...#.....#.#....",
    "...#.....#.#....",
    "....#...#...#...",
    ".....###.....##.",
    "................",
    "................",
    "................",
};

void Paint(TImage& picture, const GlyphRows& rows, TColor ink) {
    Bitmap& bitmap = picture.canvas.Picture();
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) bitmap.SetPixel(x, y, rows[y][x] == '#' ? ink : clWhite);
    }
}

}  // namespace

TfrmMath::TfrmMath() : TForm("frmMath", "") {
    Paint(imgLitter, ScriptL, clBlack);
    Paint(imgRedLitter, ScriptL, clRed);
    Paint(imgGram, ScriptG, clBlack);
    Paint(imgRedGram, ScriptG, clRed);
    Paint(imgABlack, Alpha, clBlack);
    Paint(imgARed, Alpha, clRed);
}
