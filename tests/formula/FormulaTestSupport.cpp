#include "formula/FormulaTestSupport.h"

#include <cstdlib>
#include <filesystem>

#include "picture/ImageIO.h"

namespace formula_test {

void SaveTestPicture(const Canvas& canvas, const std::string& name) {
    const char* folder = std::getenv("QUORBEL_TEST_OUT");
    if (!folder || !*folder) return;
    std::filesystem::create_directories(folder);
    WritePng((std::filesystem::path(folder) / (name + ".png")).string(), canvas.Picture());
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
