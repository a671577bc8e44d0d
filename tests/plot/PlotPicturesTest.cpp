// Pictures to look at, written to $QUORBEL_TEST_OUT: the demonstration hypotrochoid with its
// auxiliary lines in STEPs of π/8, and a contact sheet with one curve of every kind. The checks
// here only make sure each picture holds a curve; the other tests check the pixels that matter.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>

#include "picture/ImageIO.h"
#include "PlotTestSupport.h"

namespace {

void WritePicture(const std::string& name, const Bitmap& bitmap) {
    const char* folder = std::getenv("QUORBEL_TEST_OUT");
    if (!folder) return;
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(WritePng((std::filesystem::path(folder) / name).string(), bitmap)) << name;
}

}  // namespace

using PlotPictures = PlotFixture;

TEST_F(PlotPictures, DemonstrationHypotrochoidWithAuxiliaryLines) {
    REQUIRE_DRAWING_CANVAS();
    Use({});
    form->cmbHaikei.SetItemIndex(3);
    form->chkHojoEn.SetChecked(true);
    form->PlotCurve(0, 0, false);
    EXPECT_GT(CountPixels(clBlack), 2000);
    WritePicture("plot-demo-aux.png", canvas().Picture());
}

TEST_F(PlotPictures, OneCurveOfEveryKind) {
    REQUIRE_DRAWING_CANVAS();
    const CurveSetting kinds[] = {
        {0, 3, 2, 6, 0, 2, 4},    {1, 6, 2, 1, 0, 4, 4},    {2, 3, 1, 8, 0, 2, 4},   {3, 13, 3, 11, 0, 6, 3},
        {4, 2, 1, 1, -2, 2, 4},   {5, 2, 3, 1, -2, 2, 4},   {6, 10, 1, 1, 0, 2, 4},  {7, 8, 1, 1, 0, 2, 4},
        {8, 5, 3, 5, 0, 6, 4},    {9, 6, 5, 3, 0, 2, 4},    {10, 5, 1, 1, 0, 2, 4},  {11, 12, 3, 1, 0, 2, 4},
        {12, 1, 1, 1, 0, 4, 4},   {13, 1, 5, 1, -4, 3, 4},  {14, 5, 1, 1, -2, 8, 4}, {20, 8, 1, 1, 0, 2, 4},
        {21, 1, 1, 5, -4, 4, 4},  {22, 1, 1, 5, -4, 4, 4},  {23, 12, 6, 1, 0, 2, 4}, {24, 1, 2, 5, -4, 4, 4},
        {25, 3, 4, 1, 0, 2, 4},   {15, 1, 1, 1, -1, 1, 4},  {16, 3, 2, 1, 0, 2, 4},  {17, 1, 2, 4, 0, 2, 4},
        {18, 1, 3, 5, 0, 2, 4},   {19, 1, 1, 1, 0, 4, 4},
    };
    constexpr int columns = 7, cellWidth = 256, cellHeight = 320;
    constexpr int rows = (std::size(kinds) + columns - 1) / columns;
    Canvas sheet(columns * cellWidth, rows * cellHeight, clWhite);
    int index = 0;
    for (const CurveSetting& kind : kinds) {
        Use(kind);
        form->cmbHaikei.SetItemIndex(4);
        SetCurveColor(RGB(0, 0, 255));
        form->PlotCurve(0, 0, false);
        EXPECT_TRUE(platform.messages.empty()) << kind.kind;
        EXPECT_GT(CountPixels(RGB(0, 0, 255)), 100) << kind.kind;
        const int x = index % columns * cellWidth, y = index / columns * cellHeight;
        sheet.StretchDraw({x, y, x + cellWidth, y + cellHeight}, canvas().Picture());
        ++index;
    }
    WritePicture("plot-every-kind.png", sheet.Picture());
}

