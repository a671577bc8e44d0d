// A main window over a scripted platform in a temporary working folder of its own, with helpers
// to write a catalog and curve files. The process's working folder is restored afterwards
// (opening a folder collection changes it).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "app/Main.h"
#include "curves/Codec.h"
#include "ui/ScriptedPlatform.h"

namespace fs = std::filesystem;

// A 25-line record given in UTF-8: the built-in hypotrochoid's values with some lines replaced
// (1-based line numbers), converted to CP932.
inline RecordLines MakeRecord(const std::map<int, std::string>& lines) {
    static const char* const defaults[RecordLineCount] = {
        "テスト曲線", "3", "", "x=(a-b)cosθ+ccos [a-b]/b θ", "y=(a-b)sinθ-csin [a-b]/b θ",
        "13", "3", "11", "0", "6", "1", "1", "3", "c", "0", "0", "0", "$00FFFFFF", "0", "1",
        "*", "*", "*", "*", "*"};
    RecordLines record;
    for (int line = 1; line <= RecordLineCount; ++line) {
        auto replaced = lines.find(line);
        record.push_back(Utf8ToCp932(replaced != lines.end() ? replaced->second : defaults[line - 1]));
    }
    return record;
}

inline void WriteLines(const fs::path& path, const RecordLines& lines) {
    std::ofstream file(path, std::ios::binary);
    for (const std::string& line : lines) file << line << "\r\n";
}

inline RecordLines Concat(std::initializer_list<RecordLines> records) {
    RecordLines all;
    for (const RecordLines& record : records) all.insert(all.end(), record.begin(), record.end());
    return all;
}

class MainFormTest : public ::testing::Test {
protected:
    MainFormTest() : savedFolder(fs::current_path()) {
        std::random_device random;
        root = fs::temp_directory_path() / ("quorbel-mainform-" + std::to_string(random()));
        fs::create_directories(root / "BtCurves");
        fs::create_directories(root / "UsCurves");
    }
    ~MainFormTest() override {
        form.reset();
        std::error_code ignored;
        fs::current_path(savedFolder, ignored);
        fs::remove_all(root, ignored);
    }

    void WriteCatalog(const RecordLines& lines) { WriteLines(root / "Curves20.crx", lines); }
    void WriteCurve(const std::string& folder, const std::string& name, const RecordLines& lines) {
        WriteLines(root / folder / name, lines);
    }
    // The main window in the working folder, without the start sequence.
    TfrmMain& Create() {
        form = std::make_unique<TfrmMain>(platform, root.string());
        return *form;
    }
    // The main window after its start sequence.
    TfrmMain& Start() {
        Create().FormShow();
        return *form;
    }
    std::string Line(int line) const { return Cp932ToUtf8(form->frmEdit.RecordLine(line)); }
    // Pixels of `colour` in the box (right and bottom exclusive) of the graph picture.
    int CountPixels(TColor colour, int left, int top, int right, int bottom) const {
        const Canvas& canvas = form->view.imgCood.canvas;
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) count += canvas.Pixel(x, y) == colour;
        return count;
    }
    int PlotsDrawn() const { return platform.busyCount; }

    const fs::path savedFolder;
    fs::path root;
    ScriptedPlatform platform;
    std::unique_ptr<TfrmMain> form;
};
