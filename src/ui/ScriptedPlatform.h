// A platform without a screen, for tests and the headless driver: it records every message and
// request in order and answers each dialog from a queue of scripted answers (or a default).
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/Platform.h"

class ScriptedPlatform : public Platform {
public:
    // What the user does in a modal form, e.g. [](TForm& f) { static_cast<TfrmStep&>(f).btnAll.Click(); }.
    using ModalAnswer = std::function<void(TForm&)>;

    // ---- Script.
    void QueueModal(const std::string& formName, ModalAnswer answer) { modalAnswers[formName].push_back(std::move(answer)); }
    // The answer for a form whose queue is empty; without one the form is closed by its frame (mrCancel).
    void SetDefaultModal(const std::string& formName, ModalAnswer answer) { defaultModal[formName] = std::move(answer); }
    std::deque<YesNoCancel> confirmAnswers;               // unanswered: Cancel
    std::deque<std::optional<std::string>> saveAnswers;   // unanswered: cancelled
    std::deque<int> saveFilterAnswers;                    // the filter chosen with a save answer; unanswered: by its extension
    std::deque<std::optional<TColor>> colorAnswers;       // unanswered: cancelled
    std::deque<std::optional<int>> printAnswers;          // unanswered: cancelled
    ScreenSize screen{1024, 768};
    // A4 at 150 dpi, less a 4 mm margin all round.
    PrinterPage printerPage{1190, 1704};
    bool printerFails = false;
    bool keepPrintedPixels = true;                        // false: pieces are recorded without their pixels

    // ---- Hooks.
    std::function<void(const std::string&)> onMessage;    // each message as it is shown
    std::function<void(TForm&)> beforeModal;              // after FormShow, before the answer
    std::function<void()> onProcessMessages;

    // ---- Record.
    std::vector<std::string> messages;                    // plain messages, in order
    std::vector<std::string> log;                         // every request, in order, one line each
    std::vector<std::string> modalsShown;                 // form names
    std::vector<SaveDialogRequest> saveRequests;
    std::vector<TColor> colorRequests;                    // the colour each dialog opened on
    struct PrintedPiece { TRect place; Bitmap pixels; };  // place in printer pixels
    using PrintedJob = std::vector<PrintedPiece>;
    std::vector<PrintedJob> printed;                      // the jobs that ended
    std::vector<TfrmLarge*> largeShown;                   // every ShowLargePicture
    std::vector<TfrmProperties*> propertiesShown;         // every ShowProperties
    struct HelpCall { std::string file; HelpCommand command; int data; std::string workingFolder; };
    std::vector<HelpCall> helpCalls;
    int processMessagesCount = 0;
    bool busy = false;
    int busyCount = 0;                                    // times the busy cursor was shown
    std::optional<Bitmap> clipboardImage;
    bool clipboardHasText = false;

    // ---- Timers, on a clock of the platform's own (milliseconds from 0) that only moves here.
    // Runs `timer` as a view would: once enabled (or given a new interval) it fires every Interval
    // of this clock; a tick missed while the clock stood still comes once, late. A modal showing of
    // `owner` that no queued answer closes is left to its timers (自動 answers the STEP dialog)
    // before its default answer, for up to ModalTimeLimit; other timers wait meanwhile.
    void Attach(TTimer& timer, const TForm* owner = nullptr);
    // Lets `milliseconds` pass, firing the timers that fall due in the order of their times;
    // returns how many fired.
    int RunTimers(long long milliseconds);
    static constexpr long long ModalTimeLimit = 10 * 60 * 1000;
    long long clock = 0;
    std::vector<std::string> timerLog;                    // "TIME NAME" for every timer fired

    // ---- Platform.
    void ShowMessage(const std::string& text) override;
    YesNoCancel AskYesNoCancel(const std::string& caption, const std::string& text) override;
    int ShowModal(TForm& form) override;
    std::optional<std::string> SaveFileDialog(const SaveDialogRequest& request) override;
    std::optional<SaveDialogChoice> SaveFileDialogWithFilter(const SaveDialogRequest& request) override;
    std::optional<TColor> ChooseColor(TColor initial) override;
    std::optional<int> PrintDialog() override;
    PrinterPage PrintablePage() override { return printerPage; }
    bool BeginPrintJob() override;
    void PrintPiece(const Bitmap& piece, TPoint at) override;
    bool EndPrintJob() override;
    void ProcessMessages() override;
    void SetBusyCursor(bool on) override;
    void ClipboardSetImage(const Bitmap& image) override;
    bool ClipboardHasImage() override { return clipboardImage.has_value(); }
    std::optional<Bitmap> ClipboardGetImage() override { return clipboardImage; }
    void ShowHelp(const std::string& file, HelpCommand command, int data) override;
    ScreenSize Screen() override { return screen; }
    void ShowLargePicture(TfrmLarge& form) override;
    void ShowProperties(TfrmProperties& form) override;

private:
    struct RunningTimer {
        TTimer* timer;
        const TForm* owner;
        bool enabled = false;
        int interval = 0;
        long long due = 0;
    };
    // Fires the timer (of `owner` only, when given) due first if it falls due by `until`; false
    // when none does.
    bool FireNextTimer(long long until, const TForm* owner = nullptr);
    std::vector<RunningTimer> timers;
    std::optional<PrintedJob> job;  // the job being printed
    std::map<std::string, std::deque<ModalAnswer>> modalAnswers;
    std::map<std::string, ModalAnswer> defaultModal;
};
