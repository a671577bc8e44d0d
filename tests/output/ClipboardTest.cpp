#include <gtest/gtest.h>

#include <filesystem>

#include "app/Main.h"
#include "ui/ScriptedPlatform.h"

namespace {
struct ClipboardFixture : ::testing::Test {
    ScriptedPlatform platform;
    TfrmMain form{platform, std::filesystem::temp_directory_path().string()};
    Canvas& Picture() { return form.view.canvas(); }
};
}  // namespace

TEST_F(ClipboardFixture, CopyTakesTheWholePictureAsShown) {
    Picture().SetPixel(0, 639, clRed);  // the annotation strip is part of it
    Picture().SetPixel(512, 0, RGB(1, 2, 3));
    form.mnuClipBoard.Click();
    ASSERT_TRUE(platform.clipboardImage.has_value());
    EXPECT_EQ(*platform.clipboardImage, Picture().Picture());
    EXPECT_EQ(platform.clipboardImage->Width(), 513);
    EXPECT_EQ(platform.clipboardImage->Height(), 640);
}

TEST_F(ClipboardFixture, PasteIsEnabledOnlyWhileTheClipboardHoldsABitmap) {
    platform.clipboardHasText = true;
    form.mnuFile.Click();
    EXPECT_FALSE(form.mnuPaste.Enabled());
    platform.clipboardImage = Bitmap(4, 4, clRed);
    form.mnuFile.Click();
    EXPECT_TRUE(form.mnuPaste.Enabled());
    platform.clipboardImage.reset();
    form.mnuFile.Click();
    EXPECT_FALSE(form.mnuPaste.Enabled());
}

TEST_F(ClipboardFixture, PasteDrawsAtTheTopLeftAtItsOwnSize) {
    const TColor blue = RGB(0, 0, 255);
    Picture().Reset(513, 640, RGB(0, 200, 0));
    platform.clipboardImage = Bitmap(100, 100, blue);
    form.mnuPaste.Click();
    EXPECT_EQ(Picture().Pixel(0, 0), blue);
    EXPECT_EQ(Picture().Pixel(99, 99), blue);
    EXPECT_EQ(Picture().Pixel(100, 0), RGB(0, 200, 0));
    EXPECT_EQ(Picture().Pixel(0, 100), RGB(0, 200, 0));

    Bitmap large(600, 700, clWhite);
    large.SetPixel(512, 639, clRed);
    large.SetPixel(513, 639, blue);  // beyond the picture: cut off
    platform.clipboardImage = large;
    form.mnuPaste.Click();
    EXPECT_EQ(Picture().Width(), 513);
    EXPECT_EQ(Picture().Height(), 640);
    EXPECT_EQ(Picture().Pixel(512, 639), clRed);
    EXPECT_EQ(Picture().Pixel(0, 0), clWhite);

    form.mnuClipBoard.Click();
    EXPECT_EQ(platform.clipboardImage->Pixel(512, 639), clRed) << "copying after a paste copies the combined picture";
}
