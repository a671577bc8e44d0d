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
