// A main window on a scripted platform with the demonstration hypotrochoid as curve 0, for the
// plot tests. The view is set as the background dispatcher sets it, so that the expected pixels
// hold whether or not the real backgrounds are linked in.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/Main.h"
#include "ui/ScriptedPlatform.h"

// Whether the linked Canvas draws lines (pixel tests are skipped while it is a placeholder).
inline bool CanvasDraws() {
    Canvas canvas(4, 1, clWhite);
    canvas.MoveTo(0, 0);
    canvas.LineTo(3, 0);
    return canvas.Pixel(1, 0) == clBlack;
}

#define REQUIRE_DRAWING_CANVAS() \
    if (!CanvasDraws()) GTEST_SKIP() << "the linked Canvas draws nothing yet"

// Whether the linked DrawBackground clears the picture (tests of 上書き need it).
inline bool BackgroundsClear() {
    ScriptedPlatform platform;
    TfrmMain form(platform, std::filesystem::temp_directory_path().string());
    form.cmbHaikei.SetItemIndex(2);
    form.view.canvas().SetPixel(5, 5, RGB(1, 2, 3));
    form.DrawBackground(0);
    return form.view.canvas().Pixel(5, 5) != RGB(1, 2, 3);
}

#define REQUIRE_BACKGROUNDS() \
    if (!BackgroundsClear()) GTEST_SKIP() << "the linked DrawBackground draws nothing yet"

inline int CountPixels(const Bitmap& bitmap, TColor color, TRect area) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) count += bitmap.Pixel(x, y) == color;
    }
    return count;
}

struct CurveSetting {
    int kind = 3;
    int a = 13, b = 3, c = 11;
    int thetaStart = 0, thetaEnd = 6;
    int zoom = 3;
};

class PlotFixture : public ::testing::Test {
protected:
    PlotFixture() : form(std::make_unique<TfrmMain>(platform, std::filesystem::temp_directory_path().string())) {}

    // Puts `s` into curve 0 and the panel as a user would set it, on a plain white background.
    void Use(const CurveSetting& s) {
        TfrmMain& f = *form;
        f.curveTable.Count = 1;
        CurveEntry& entry = f.curveTable[0];
        entry.Id = s.kind;
        entry.ParamA = s.a, entry.ParamB = s.b, entry.ParamC = s.c;
        entry.ThetaStart = s.thetaStart, entry.ThetaEnd = s.thetaEnd;
        entry.Zoom = s.zoom;
        f.CurrentCurve = 0;
        f.updA.SetValue(s.a);
        f.updB.SetValue(s.b);
        f.updC.SetValue(s.c);
        f.updStart.SetValue(s.thetaStart);
        f.updSend.SetValue(s.thetaEnd);
        f.updKakudai.SetValue(s.zoom);
        f.cmbStep.SetItemIndex(0);
        f.cmbHaikei.SetItemIndex(2);  // なし（白地）: nothing but the curve on white
        SetView(0);
    }
    // The view DrawBackground(quadrant) sets, at the zoom the panel shows.
    void SetView(int quadrant) {
        form->view.SetScaleFromZoom(form->Zoom());
        form->view.SetOriginForQuadrant(quadrant);
    }
    void SetCurveColor(TColor color) {
        form->colors.CurrentLineColor = color;
        form->colors.CurveColor = color;
    }
    Canvas& canvas() { return form->view.canvas(); }
    int CountPixels(TColor color, TRect area = {0, 0, PlotView::PictureWidth, PlotView::PictureHeight}) {
        return ::CountPixels(canvas().Picture(), color, area);
    }

    ScriptedPlatform platform;
    std::unique_ptr<TfrmMain> form;
};
