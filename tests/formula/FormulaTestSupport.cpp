#include "formula/FormulaTestSupport.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace formula_test {

namespace {

void WritePng(const Bitmap& bitmap, const std::filesystem::path& path) {
    FILE* file = std::fopen(path.string().c_str(), "wb");
    if (!file) return;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, bitmap.Width(), bitmap.Height(), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(static_cast<std::size_t>(bitmap.Width()) * 3);
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            TColor c = bitmap.Pixel(x, y);
            row[3 * x] = c & 0xFF;
            row[3 * x + 1] = (c >> 8) & 0xFF;
            row[3 * x + 2] = (c >> 16) & 0xFF;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

}  // namespace

void SaveTestPicture(const Canvas& canvas, const std::string& name) {
    const char* folder = std::getenv("QUORBEL_TEST_OUT");
    if (!folder || !*folder) return;
    std::filesystem::create_directories(folder);
    WritePng(canvas.Picture(), std::filesystem::path(folder) / (name + ".png"));
}

::testing::AssertionResult SamePixels(const Canvas& actual, const Canvas& expected, const std::string& name) {
    if (actual.Width() != expected.Width() || actual.Height() != expected.Height()) {
        return ::testing::AssertionFailure() << name << ": sizes differ";
    }
    Canvas diff(actual.Width(), actual.Height(), clWhite);
    int count = 0;
    TPoint first{-1, -1};
    for (int y = 0; y < actual.Height(); ++y) {
        for (int x = 0; x < actual.Width(); ++x) {
            if (actual.Pixel(x, y) == expected.Pixel(x, y)) continue;
            if (count++ == 0) first = {x, y};
            diff.SetPixel(x, y, clRed);
        }
    }
    if (count == 0) return ::testing::AssertionSuccess();
    SaveTestPicture(actual, name + "-actual");
    SaveTestPicture(expected, name + "-expected");
    SaveTestPicture(diff, name + "-diff");
    return ::testing::AssertionFailure() << name << ": " << count << " pixels differ, the first at (" << first.x
                                         << ", " << first.y << ")";
}

}  // namespace formula_test
