// Helpers of the formula tests: canvases set up as the caption sets them, ink boxes, and
// comparison of a typeset canvas with a reference drawn text by text at the stated places.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "formula/Annotation.h"
#include "picture/Canvas.h"

namespace formula_test {

// A white canvas with a clear brush and the caption's face, size 16, black.
inline Canvas MakeCanvas(int width = 400, int height = 120) {
    Canvas canvas(width, height, clWhite);
    canvas.Brush.Style = BrushStyle::Clear;
    canvas.Font.Name = AnnotationFontFace;
    canvas.Font.Size = 16;
    canvas.Font.Color = clBlack;
    return canvas;
}

// Advance width of UTF-8 text at a size, in the caption's face.
inline int Advance(const std::string& utf8, int size = 16) {
    Canvas canvas = MakeCanvas(1, 1);
    canvas.Font.Size = size;
    return canvas.TextExtent(utf8).x;
}

// Bounding box of the pixels inside `area` that differ from `ground`; nullopt when there are none.
inline std::optional<TRect> InkBox(const Canvas& canvas, TRect area, TColor ground = clWhite) {
    std::optional<TRect> box;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (!canvas.Picture().Contains(x, y) || canvas.Pixel(x, y) == ground) continue;
            if (!box) box = TRect{x, y, x + 1, y + 1};
            box->left = std::min(box->left, x);
            box->top = std::min(box->top, y);
            box->right = std::max(box->right, x + 1);
            box->bottom = std::max(box->bottom, y + 1);
        }
    }
    return box;
}

inline TRect WholeOf(const Canvas& canvas) { return {0, 0, canvas.Width(), canvas.Height()}; }

// Where a text's ink starts relative to its top-left corner, at a size.
inline TPoint InkOffset(const std::string& utf8, int size = 16) {
    Canvas canvas = MakeCanvas(200, 100);
    canvas.Font.Size = size;
    canvas.TextOut(20, 20, utf8);
    std::optional<TRect> box = InkBox(canvas, WholeOf(canvas));
    if (!box) return {-1000, -1000};
    return {box->left - 20, box->top - 20};
}

// Writes the canvas as a PNG into $QUORBEL_TEST_OUT when it is set.
void SaveTestPicture(const Canvas& canvas, const std::string& name);

// Compares two canvases pixel by pixel; on a mismatch saves actual, expected and a diff picture
// and reports the first differing pixel.
::testing::AssertionResult SamePixels(const Canvas& actual, const Canvas& expected, const std::string& name);

}  // namespace formula_test
