// Saving curves: in place into "UsCurves", or under a new name after the naming dialog and the
// save dialog. The lines written are the working record's, through the atomic writer of
// CurveFile; a write that fails is reported and changes neither CurrentFileName nor the list.
#include <filesystem>

#include "app/Main.h"
#include "curves/Codec.h"
#include "curves/CurveFile.h"

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

// Writes the working record to `path`, or says why not. A store without a whole record (no curve
// was ever chosen) is never written: it would replace a good file by an empty one.
bool WriteRecordOrReport(Platform& platform, const RecordLines& record, const std::string& path, FileSteps* steps) {
    if (record.size() != RecordLineCount) {
        platform.ShowMessage("保存するﾃﾞｰﾀがありません");
        return false;
    }
    if (WriteCurveLines(path, record, steps ? *steps : SystemFileSteps())) return true;
    platform.ShowMessage("ﾌｧｲﾙ " + path + " を作成できません");
    return false;
}
}  // namespace

YesNoCancel TfrmMain::ConfirmSave(const std::string& text) { return platform.AskYesNoCancel("確認", text); }

std::string TfrmMain::FixCurveFileName(const std::string& name) {
    if (name.empty()) {
        platform.ShowMessage("ファイル名をSample.crvにしました");
        return "Sample.crv";
    }
    const std::string own = OwnName(name);
    std::size_t dot = own.rfind('.');
    if (dot == std::string::npos) return name + ".crv";
    std::string extension = ToLowerAscii(own.substr(dot + 1));
    if (extension != "crv") platform.ShowMessage(extension + "拡張子はＣＲＶを使ってください");
    return name;
}

void TfrmMain::WriteCurveFile() {
    const bool fromNoFile = CollectionKind == 1 || CurrentCurve == FormulaCurveEntry;
    SaveDialogRequest request{UserFolder(BaseFolder), fromNoFile ? "MyCurve.crv" : CurrentFileName,
                              "CRVファイル|*.CRV"};
    std::optional<std::string> chosen = platform.SaveFileDialog(request);
    if (!chosen) return;

    std::string name = FixCurveFileName(*chosen);
    std::error_code error;
    if (fs::exists(name, error)) {
        if (ConfirmSave(name + "上書きしてもいいですか") == YesNoCancel::Yes &&
            !WriteRecordOrReport(platform, frmEdit.Record(), name, curveFileSteps)) {
            return;
        }
    } else if (!WriteRecordOrReport(platform, frmEdit.Record(), name, curveFileSteps)) {
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
    if (WriteRecordOrReport(platform, frmEdit.Record(), path, curveFileSteps) && spdUserOpen.Down()) OpenCollection(UserCollection);
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
