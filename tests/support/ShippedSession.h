// The main window on the shipped curves (data/) after its start sequence, over a scripted
// platform on which a STEP display goes on to its end unless a test queues other answers. The
// process's working folder is restored afterwards.
#pragma once

#include <filesystem>
#include <memory>
#include <system_error>

#include "app/Main.h"
#include "ui/ScriptedPlatform.h"

struct ShippedSession {
    ScriptedPlatform platform;
    std::unique_ptr<TfrmMain> form;
    const std::filesystem::path saved = std::filesystem::current_path();

    ShippedSession() {
        form = std::make_unique<TfrmMain>(platform, (std::filesystem::path(QUORBEL_SOURCE_DIR) / "data").string());
        platform.SetDefaultModal("frmStep", [](TForm& f) { static_cast<TfrmStep&>(f).btnOk.Click(); });
        form->FormShow();
    }
    ~ShippedSession() {
        form.reset();
        std::error_code ignored;
        std::filesystem::current_path(saved, ignored);
    }
    const Bitmap& Exact() const { return form->view.imgCood.canvas.Picture(); }
    const Drawing& Recorded() const { return form->view.drawing; }
};

// Captions the picture as a curve typed as a formula: a translated hyperbola with a range, in
// over the drawn picture (the kind's records come from elsewhere; the caption needs none).
inline void CaptionTypedFormula(TfrmMain& form) {
    CurveEntry& entry = form.curveTable[form.CurrentCurve];
    entry.Id = 28;
    entry.Name = "\x95\xbd\x8d\x73\x88\xda\x93\xae\x82\xb5\x82\xbd\x91\x6f\x8b\xc8\x90\xfc";  // 平行移動した双曲線
    entry.XFormula = "(x-2)^2/4-(y+1)^2/a^2=1 (-3<=y<=\x83\xce)";  // … (−3≦y≦π)
    form.DrawAnnotation(form.CurrentCurve, 3, 99, 99, false, 0);
}
