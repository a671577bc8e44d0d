// 大きく表示: the menu item asks the platform for the view, whose keys are the main window's 表示,
// the STEP dialog's 次を表示 while a STEP display waits, and the way back.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/Main.h"
#include "ui/ScriptedPlatform.h"

TEST(LargeView, TheMenuItemShowsThePictureAndItsKeysGoToTheirCommands) {
    const std::filesystem::path saved = std::filesystem::current_path();
    ScriptedPlatform platform;
    TfrmMain form(platform, (std::filesystem::path(QUORBEL_SOURCE_DIR) / "data").string());
    form.FormShow();
    std::filesystem::current_path(saved);
    TfrmLarge& large = form.frmLarge;

    form.mnuShowLarge.Click();
    ASSERT_EQ(platform.largeShown, std::vector<TfrmLarge*>{&large});
    EXPECT_TRUE(large.Showing());
    EXPECT_EQ(&large.view, &form.view);

    large.btnNext.Click();
    EXPECT_EQ(form.frmStep.ModalResult, mrNone) << "no STEP display waits: Space does nothing";
    const auto drawn = form.view.drawing.Generation();
    large.btnDraw.Click();
    EXPECT_GT(form.view.drawing.Generation(), drawn) << "Enter draws as 表示 does";

    int pauses = 0;
    platform.SetDefaultModal("frmStep", [&](TForm&) {
        if (++pauses < 3) large.btnNext.Click();  // the third pause is closed: 中止
    });
    form.btnStep.Click();
    EXPECT_EQ(pauses, 3) << "Space answered 次を表示 twice";
    EXPECT_TRUE(platform.messages.empty());

    large.btnBack.Click();
    EXPECT_FALSE(large.Showing());
    EXPECT_DOUBLE_EQ(TfrmLarge::ScaleFor({1920, 1080}), 1080.0 / 640);
    EXPECT_DOUBLE_EQ(TfrmLarge::ScaleFor({800, 1280}), 800.0 / 513) << "a screen standing upright";
}
