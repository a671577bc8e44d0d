// Every shipped curve is chosen as a user would and must draw without a message; the pictures are
// put together, at half size, into one contact sheet per collection for looking at.
#include <algorithm>

#include "picture/ImageIO.h"
#include "support/PictureFiles.h"
#include "support/MainFormFixture.h"


class ShippedCollections : public ::testing::TestWithParam<int> {};

TEST_P(ShippedCollections, EveryCurveDrawsWithoutAMessage) {
    const fs::path savedFolder = fs::current_path();
    ScriptedPlatform platform;
    TfrmMain form(platform, std::string(QUORBEL_SOURCE_DIR) + "/data");
    form.FormShow();
    const int collection = GetParam();
    if (collection != 1) form.OpenCollection(collection);
    ASSERT_GT(form.lstShiki.Count(), 20);

    constexpr int columns = 6;
    const int tiles = form.lstShiki.Count();
    Bitmap sheet(columns * 257, (tiles + columns - 1) / columns * 320, clSilver);
    for (int line = 0; line < tiles; ++line) {
        platform.messages.clear();
        form.lstShiki.UserClick(line);
        const std::string name = form.lstShiki.Item(line);
        EXPECT_TRUE(platform.messages.empty()) << name << ": " << (platform.messages.empty() ? "" : platform.messages[0]);
        int ink = 0;
        const Canvas& canvas = form.view.imgCood.canvas;
        for (int y = 0; y < 513; ++y)
            for (int x = 0; x < 513; ++x) ink += canvas.Pixel(x, y) == form.colors.CurveColor;
        EXPECT_GT(ink, 100) << name << " draws its curve on the graph";
        picturefiles::PasteHalf(sheet, canvas.Picture(), line % columns * 257, line / columns * 320);
    }
    if (const char* out = std::getenv("QUORBEL_TEST_OUT")) {
        fs::create_directories(out);
        EXPECT_TRUE(WritePng((fs::path(out) / ("collection-" + std::to_string(collection) + "-sheet.png")).string(), sheet));
    }
    fs::current_path(savedFolder);
}

INSTANTIATE_TEST_SUITE_P(CatalogAndBeautiful, ShippedCollections, ::testing::Values(1, 2));

// The catalog's polar conic with its eccentricity stepped, chosen as a user does: one picture for
// each a from the record's repeat (b fixed), drawn with 表示, then the repeat itself. Ellipses,
// the parabola and the hyperbola must each draw without a message and without a line across
// the picture.
TEST(ShippedCollections, PolarConicRepeatedOverA) {
    const fs::path savedFolder = fs::current_path();
    ScriptedPlatform platform;
    TfrmMain form(platform, std::string(QUORBEL_SOURCE_DIR) + "/data");
    form.FormShow();
    const std::vector<std::string> names = form.lstShiki.Items();
    const auto found = std::find(names.begin(), names.end(), "2次曲線（極方程式）・離心率の変化");
    ASSERT_NE(found, names.end());
    const int line = static_cast<int>(found - names.begin());
    form.lstShiki.UserClick(line);
    const int first = form.updRpStart.Value(), last = form.updRpEnd.Value();
    ASSERT_LT(first, last);
    EXPECT_LT(first, form.updB.Value()) << "starts with an ellipse";
    EXPECT_GT(last, form.updB.Value()) << "ends with a hyperbola";
    const Bitmap repeat = form.view.imgCood.canvas.Picture();

    constexpr int columns = 3;
    const int tiles = last - first + 2;
    Bitmap sheet(columns * 257, (tiles + columns - 1) / columns * 320, clSilver);
    for (int a = first; a <= last; ++a) {
        form.updRpEnd.SetValue(first);  // one curve, not the repeat
        form.updA.SetValue(a);
        form.chkHojoEn.SetChecked(true);
        form.btnDraw.Click();
        EXPECT_TRUE(platform.messages.empty()) << "a = " << a;
        int ink = 0;
        const Canvas& canvas = form.view.imgCood.canvas;
        for (int y = 0; y < 513; ++y)
            for (int x = 0; x < 513; ++x) ink += canvas.Pixel(x, y) == form.colors.CurveColor;
        EXPECT_GT(ink, 100) << "a = " << a;
        const int tile = a - first;
        picturefiles::PasteHalf(sheet, canvas.Picture(), tile % columns * 257, tile / columns * 320);
    }
    picturefiles::PasteHalf(sheet, repeat, (tiles - 1) % columns * 257, (tiles - 1) / columns * 320);
    if (const char* out = std::getenv("QUORBEL_TEST_OUT")) {
        fs::create_directories(out);
        EXPECT_TRUE(WritePng((fs::path(out) / "polar-conic-over-a-sheet.png").string(), sheet));
    }
    fs::current_path(savedFolder);
}
