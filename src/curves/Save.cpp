// Saving curves: in place into "UsCurves", or under a new name after the naming dialog and the
// save dialog. The lines written are the working record's, through the atomic writer of
// CurveFile; a write that fails is reported with its cause and changes neither CurrentFileName nor
// the list. A name the list could never show is refused, and a new file that the list's limit
// would keep out of it is said before it is written.
#include <algorithm>
#include <filesystem>

#include "app/Main.h"
#include "curves/Codec.h"
#include "curves/CurveFile.h"
#include "curves/CurveFolder.h"

namespace fs = std::filesystem;

namespace {
constexpr int UserCollection = 3;

std::string UserFolder(const std::string& baseFolder) {
    return baseFolder + "UsCurves" + static_cast<char>(fs::path::preferred_separator);
}

// Only ASCII letters change, whatever the locale: the bytes of other characters stay as they are.
std::string ToLowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// The file's own name: what follows the last separator.
std::string OwnName(const std::string& path) {
    std::size_t separator = path.find_last_of('/');
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

// Why the list of a folder collection could never show a file of this own name; null when it could.
const char* UnlistableReason(const std::string& own) {
    for (char c : own) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return "名前に制御文字があるため";
    }
    if (!own.empty() && own.front() == '.') return "「.」で始まる名前は一覧に出ないため";
    return nullptr;
}

// The folder collection (BaseFolder + "BtCurves" or "UsCurves") that a file at `path` belongs
// to, as its path; empty when it belongs to none.
std::string CollectionFolderOf(const std::string& baseFolder, const std::string& path) {
    fs::path folder = fs::path(path).parent_path();
    if (folder.empty()) folder = ".";
    for (const char* name : {"BtCurves", "UsCurves"}) {
        std::error_code error;
        if (fs::equivalent(folder, fs::path(baseFolder) / name, error)) return (fs::path(baseFolder) / name).string();
    }
    return {};
}
}  // namespace

bool TfrmMain::WriteWorkingRecord(const std::string& path) {
    const RecordLines& record = frmEdit.Record();
    // A store without a whole record (no curve was ever chosen) is never written: it would
    // replace a good file by an empty one.
    if (record.size() != RecordLineCount) {
        platform.ShowMessage("保存するﾃﾞｰﾀがありません");
        ++FailedSaves;
        return false;
    }
    const WriteResult result = WriteCurveLines(path, record, curveFileSteps ? *curveFileSteps : SystemFileSteps());
    if (result.outcome == WriteResult::NotWritten) {
        platform.ShowMessage("ﾌｧｲﾙ " + path + " を作成できません（" + WriteErrorText(result.error) + "）");
        ++FailedSaves;
        return false;
    }
    if (result.outcome == WriteResult::NotDurable) {
        platform.ShowMessage("ﾌｧｲﾙ " + path + " は書き込みましたが、ディスクに残ったことを確かめられませんでした（" +
                             WriteErrorText(result.error) + "）");
    }
    return true;
}

YesNoCancel TfrmMain::ConfirmSave(const std::string& text) { return platform.AskYesNoCancel("確認", text); }

std::optional<std::string> TfrmMain::FixCurveFileName(const std::string& chosen) {
    if (chosen.empty()) {
        platform.ShowMessage("ファイル名をSample.crvにしました");
        return "Sample.crv";
    }
    std::string name = chosen;
    std::size_t dot = OwnName(name).rfind('.');
    if (dot == std::string::npos) name += ".crv";
    else if (std::string extension = ToLowerAscii(OwnName(name).substr(dot + 1)); extension != "crv") {
        platform.ShowMessage(extension + "拡張子はＣＲＶを使ってください（ほかの拡張子の曲線は一覧に出ないため、保存しませんでした）");
        ++FailedSaves;
        return std::nullopt;
    }
    if (const char* reason = UnlistableReason(OwnName(name))) {
        platform.ShowMessage(std::string(reason) + "、" + OwnName(name) + " には保存しませんでした");
        ++FailedSaves;
        return std::nullopt;
    }
    return name;
}

bool TfrmMain::AcceptBeyondTheListLimit(const std::string& path) {
    const std::string folder = CollectionFolderOf(BaseFolder, path);
    if (folder.empty()) return true;
    std::error_code error;
    std::vector<std::string> names = ListCurveFiles(folder, error);
    // Files the loader rejects take no place in the list.
    std::erase_if(names, [&folder](const std::string& name) { return !ReadsAsCurve(fs::path(folder) / name); });
    const std::string own = OwnName(path);
    constexpr std::size_t Listed = CurveTableCapacity - 1;
    if (error || names.size() < Listed || std::find(names.begin(), names.end(), own) != names.end()) return true;
    const auto place = std::lower_bound(names.begin(), names.end(), own, CurveFileNameLess);
    const std::string full = folder + "には一覧に出せるだけの " + std::to_string(Listed) + " 個の曲線があります。";
    const std::string loss = place - names.begin() >= static_cast<std::ptrdiff_t>(Listed)
                                 ? "この曲線は保存しても一覧に出ません。"
                                 : "保存すると " + names[Listed - 1] + " が一覧に出なくなります。";
    return ConfirmSave(full + loss + "保存しますか") == YesNoCancel::Yes;
}

void TfrmMain::WriteCurveFile() {
    const bool fromNoFile = CollectionKind == 1 || CurrentCurve == FormulaCurveEntry;
    SaveDialogRequest request{UserFolder(BaseFolder), fromNoFile ? "MyCurve.crv" : CurrentFileName,
                              "CRVファイル|*.CRV"};
    std::optional<std::string> chosen = platform.SaveFileDialog(request);
    if (!chosen) return;

    std::optional<std::string> fixed = FixCurveFileName(*chosen);
    if (!fixed) return;
    const std::string& name = *fixed;
    std::error_code error;
    if (fs::exists(name, error)) {
        if (ConfirmSave(name + "上書きしてもいいですか") == YesNoCancel::Yes && !WriteWorkingRecord(name)) return;
    } else if (!AcceptBeyondTheListLimit(name) || !WriteWorkingRecord(name)) {
        return;
    }
    CurrentFileName = name;
}

bool TfrmMain::SaveAs() {
    if (lstCurve.empty()) {
        platform.ShowMessage("保存するﾃﾞｰﾀがありません");
        return false;
    }
    if (platform.ShowModal(frmNickName) != mrOk) return false;
    WriteCurveFile();
    for (int i = 0; i < 5; ++i) {
        std::string note = i < lstComment.Count() ? lstComment.Item(i) : std::string();
        frmEdit.SetRecordLine(rlNote1 + i, Utf8ToCp932(note));
    }
    return true;
}

void TfrmMain::spdOverWriteClick() {
    if (PlotRunning()) return;
    const std::string path = UserFolder(BaseFolder) + CurrentFileName;
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        SaveAs();
        return;
    }
    if (WriteWorkingRecord(path) && spdUserOpen.Down()) OpenCollection(UserCollection);
}

void TfrmMain::mnuSaveClick() {
    if (PlotRunning()) return;
    if (!SaveAs() || !spdUserOpen.Down()) return;
    OpenCollection(UserCollection);
    const std::string nickname = frmNickName.edtName.Text();
    for (int line = 0; line < lstShiki.Count(); ++line) {
        if (lstShiki.Item(line) == nickname) {
            lstShiki.SetSelected(line, true);
            lstShiki.SetItemIndex(line);
            lstShikiClick();
        } else {
            lstShiki.SetSelected(line, false);
        }
    }
}
