// A curve folder from arbitrary files: up to eight entries with arbitrary names and bytes (some
// of them folders) in "UsCurves", read as the user's collection, after which one line of the
// list is chosen. Loading must list exactly the entries that are 25-line curve files (at most
// 49), and choosing a line must end with the cursor restored.
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>

#include "FuzzInput.h"
#include "FuzzSetup.h"
#include "app/Main.h"
#include "ui/ScriptedPlatform.h"

namespace fs = std::filesystem;

namespace {

constexpr int MaxSpan = 2;    // θ spans drawn, in multiples of π
constexpr int MaxRepeat = 2;  // curves of a repeat display

fs::path BaseFolder() {
    static const fs::path base = [] {
        fs::path shm = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        fs::path folder = shm / ("quorbel-fuzz-folder-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        return folder;
    }();
    return base;
}

// A file name from arbitrary bytes: no separators or NULs, never "." or "..", and usually with
// an ending the loader lists.
std::string FileName(FuzzInput& input) {
    std::string name = input.Text(24);
    for (char& ch : name) {
        if (ch == '/' || ch == '\0') ch = '_';
    }
    if (name.empty() || name == "." || name == "..") name = "n" + name;
    static const char* const Endings[] = {".crv", ".CRV", ".Crv", "", ".crv.bak", ".txt", ".crv", ".crv"};
    return name + Endings[input.Range(0, 7)];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ScriptedPlatform platform;
    static std::unique_ptr<TfrmMain> form = std::make_unique<TfrmMain>(platform, BaseFolder().string() + "/");
    // Opening a folder collection makes it the working folder; the fuzzer's own paths are relative.
    static const fs::path startFolder = fs::current_path();
    struct RestoreFolder {
        ~RestoreFolder() { std::error_code e; fs::current_path(startFolder, e); }
    } restore;
    TfrmMain& f = *form;
    platform.messages.clear();
    platform.log.clear();

    const fs::path folder = BaseFolder() / "UsCurves";
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    fs::create_directories(folder);

    FuzzInput input(data, size);
    const int entries = input.Range(0, 8);
    for (int i = 0; i < entries && !input.Empty(); ++i) {
        const std::string name = FileName(input);
        const bool isFolder = input.Range(0, 15) == 0;
        const std::string content = input.Text(input.Word() % 4096);
        if (isFolder) {
            fs::create_directory(folder / name, ignored);
        } else {
            std::ofstream(folder / name, std::ios::binary) << content;
        }
    }

    // Read as opening the user's collection reads it, without choosing its built-in curve: that
    // draws the same 20π every time.
    f.chkProgress.SetChecked(false);
    f.CollectionKind = 3;
    f.LoadCurveFolder("UsCurves");
    const int lines = f.lstShiki.Count();
    FUZZ_CHECK(lines >= 1 && lines <= CurveTableCapacity);
    FUZZ_CHECK(f.curveTable.Count == lines);
    FUZZ_CHECK(static_cast<int>(f.flbCurve.size()) >= lines);
    FUZZ_CHECK(f.lstCurve.size() % RecordLineCount == 0);
    FUZZ_CHECK(!platform.busy && f.plotDepth == 0);

    // Choosing draws: the θ span and the repeat a file asks for are narrowed as the panel's spin
    // controls would clamp them and then to a few curves (a repeat over b, which moves θ end to 2b,
    // to small values of b), so that one input draws little.
    for (int k = 0; k < f.curveTable.Count; ++k) {
        CurveEntry& entry = f.curveTable[k];
        entry.ThetaEnd = std::clamp(entry.ThetaEnd, 0, 100);
        entry.ThetaStart = std::clamp(entry.ThetaStart, std::max(-100, entry.ThetaEnd - MaxSpan), 100);
        entry.RepeatStart = std::clamp(entry.RepeatStart, 1, entry.RepeatTarget == "b" ? MaxSpan : 100);
        entry.RepeatEnd = std::clamp(entry.RepeatEnd, 0, entry.RepeatStart + MaxRepeat - 1);
    }
    // One line of the collection's own, the input's last byte says which, is chosen as a user
    // clicks it.
    if (lines > 1) {
        const int line = 1 + input.Byte() % (lines - 1);
        f.lstShiki.SetItemIndex(line);
        f.lstShikiClick();
        FUZZ_CHECK(f.CurrentCurve == line);
        FUZZ_CHECK(f.frmEdit.Record().size() == static_cast<std::size_t>(RecordLineCount));
        FUZZ_CHECK(!platform.busy && f.plotDepth == 0);
    }
    return 0;
}
