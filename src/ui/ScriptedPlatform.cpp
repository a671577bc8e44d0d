#include "ui/ScriptedPlatform.h"

#include <algorithm>
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
    }
    // Without a queued answer the timers come first: a dialog playing by itself answers itself.
    const bool queuedAnswer = static_cast<bool>(answer);
    if (!queuedAnswer) {
        if (auto fallback = defaultModal.find(form.Name); fallback != defaultModal.end()) answer = fallback->second;
    }
    const auto runTimers = [&] {
        const long long until = clock + ModalTimeLimit;
        while (form.ModalResult == mrNone && FireNextTimer(until, &form)) {}
    };
    if (!queuedAnswer) runTimers();
    if (answer && form.ModalResult == mrNone) answer(form);
    runTimers();
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

void ScriptedPlatform::ShowProperties(TfrmProperties& form) {
    propertiesShown.push_back(&form);
    log.push_back("properties");
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

void ScriptedPlatform::Attach(TTimer& timer, const TForm* owner) {
    timers.push_back({&timer, owner});
    const std::size_t index = timers.size() - 1;
    timer.ViewChanged = [this, index] {
        RunningTimer& running = timers[index];
        const bool enabled = running.timer->Enabled();
        if (enabled && (!running.enabled || running.interval != running.timer->Interval())) {
            running.due = clock + running.timer->Interval();
        }
        running.enabled = enabled;
        running.interval = running.timer->Interval();
    };
    timer.ViewChanged();
}

bool ScriptedPlatform::FireNextTimer(long long until, const TForm* owner) {
    RunningTimer* next = nullptr;
    for (RunningTimer& running : timers) {
        if (!running.enabled || running.due > until || (owner && running.owner != owner)) continue;
        if (!next || running.due < next->due) next = &running;
    }
    if (!next) return false;
    clock = std::max(clock, next->due);
    next->due = clock + next->interval;
    timerLog.push_back(std::to_string(clock) + " " + next->timer->Name);
    next->timer->Fire();
    return true;
}

int ScriptedPlatform::RunTimers(long long milliseconds) {
    const long long until = clock + milliseconds;
    int fired = 0;
    while (FireNextTimer(until)) ++fired;
    clock = std::max(clock, until);
    return fired;
}
