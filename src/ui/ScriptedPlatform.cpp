#include "ui/ScriptedPlatform.h"

#include <filesystem>

namespace {
template <typename T>
T TakeFront(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
}
}  // namespace

void ScriptedPlatform::ShowMessage(const std::string& text) {
    messages.push_back(text);
    log.push_back("message: " + text);
    if (onMessage) onMessage(text);
}

YesNoCancel ScriptedPlatform::AskYesNoCancel(const std::string& caption, const std::string& text) {
    log.push_back("confirm: " + caption + ": " + text);
    if (onMessage) onMessage(text);
    return TakeFront(confirmAnswers, YesNoCancel::Cancel);
}

int ScriptedPlatform::ShowModal(TForm& form) {
    modalsShown.push_back(form.Name);
    log.push_back("modal: " + form.Name);
    form.ModalResult = mrNone;
    form.FormShow();
    if (beforeModal) beforeModal(form);
    ModalAnswer answer;
    auto queued = modalAnswers.find(form.Name);
    if (queued != modalAnswers.end() && !queued->second.empty()) {
        answer = std::move(queued->second.front());
        queued->second.pop_front();
    } else if (auto fallback = defaultModal.find(form.Name); fallback != defaultModal.end()) {
        answer = fallback->second;
    }
    if (answer) answer(form);
    if (form.ModalResult == mrNone) form.ModalResult = mrCancel;  // closed by its frame
    return form.ModalResult;
}

std::optional<std::string> ScriptedPlatform::SaveFileDialog(const SaveDialogRequest& request) {
    saveRequests.push_back(request);
    log.push_back("savefile: " + request.initialFolder + " " + request.fileName);
    return TakeFront(saveAnswers, std::optional<std::string>());
}

std::optional<SaveDialogChoice> ScriptedPlatform::SaveFileDialogWithFilter(const SaveDialogRequest& request) {
    if (saveFilterAnswers.empty()) return Platform::SaveFileDialogWithFilter(request);
    const int filter = TakeFront(saveFilterAnswers, 0);
    std::optional<std::string> path = SaveFileDialog(request);
    if (!path) return std::nullopt;
    return SaveDialogChoice{*path, filter};
}

std::optional<TColor> ScriptedPlatform::ChooseColor(TColor initial) {
    colorRequests.push_back(initial);
    log.push_back("color");
    return TakeFront(colorAnswers, std::optional<TColor>());
}

std::optional<int> ScriptedPlatform::PrintDialog() {
    log.push_back("printdialog");
    return TakeFront(printAnswers, std::optional<int>());
}

bool ScriptedPlatform::BeginPrintJob() {
    log.push_back("print");
    if (printerFails) return false;
    job.emplace();
    return true;
}

void ScriptedPlatform::PrintPiece(const Bitmap& piece, TPoint at) {
    job->push_back({{at.x, at.y, at.x + piece.Width(), at.y + piece.Height()}, keepPrintedPixels ? piece : Bitmap()});
}

bool ScriptedPlatform::EndPrintJob() {
    printed.push_back(std::move(*job));
    job.reset();
    return true;
}

void ScriptedPlatform::ProcessMessages() {
    ++processMessagesCount;
    if (onProcessMessages) onProcessMessages();
}

void ScriptedPlatform::SetBusyCursor(bool on) {
    if (on && !busy) ++busyCount;
    busy = on;
}

void ScriptedPlatform::ClipboardSetImage(const Bitmap& image) {
    clipboardImage = image;
    clipboardHasText = false;
}

void ScriptedPlatform::ShowLargePicture(TfrmLarge& form) {
    largeShown.push_back(&form);
    log.push_back("large");
}

void ScriptedPlatform::ShowHelp(const std::string& file, HelpCommand command, int data) {
    std::error_code ignored;
    helpCalls.push_back({file, command, data, std::filesystem::current_path(ignored).string()});
    log.push_back("help: " + file + " " + std::to_string(data));
}
