// A headless main window for the background tests: a scripted platform, a temporary working
// folder, and small helpers to choose a kind, a zoom and colours and to look at the picture.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <unistd.h>
#include <string>

#include "app/Main.h"
#include "ui/ScriptedPlatform.h"

class BackgroundsTest : public testing::Test {
protected:
    void SetUp() override {
        const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::temp_directory_path() /
                 ("quorbel-backgrounds-" + std::string(info->name()) + "-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        form = std::make_unique<TfrmMain>(platform, folder.string());
        form->cmbStep.SetItemIndex(0);
    }
    void TearDown() override {
        form.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    // Chooses the kind (item of cmbHaikei) and the zoom, then draws the background.
    void Draw(int item, int zoom, int quadrant) {
        form->cmbHaikei.SetItemIndex(item);
        form->updKakudai.SetValue(zoom);
        form->DrawBackground(quadrant);
    }
    void SetBackColor(TColor back) {
        form->colors.CurrentBackColor = back;
        form->colors.SetAxisColorFromBack();
    }
    // Makes entry 0 the current curve with the given stored zoom (what the quadrants read).
    void SetCurrentEntryZoom(int zoom) {
        if (form->curveTable.Count < 1) form->curveTable.Count = 1;
        form->curveTable[0].Zoom = zoom;
        form->CurrentCurve = 0;
    }
    int CountPixelsNot(TColor color, TRect area) const {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) count += form->view.canvas().Pixel(x, y) != color;
        return count;
    }
    int CountPixels(TColor color, TRect area) const {
        return area.Width() * area.Height() - CountPixelsNot(color, area);
    }

    ScriptedPlatform platform;
    std::filesystem::path folder;
    std::unique_ptr<TfrmMain> form;
};
