// The browser platform: every request of the core goes to the page (web/WebPlatform.js), which
// answers with its own message boxes, dialogs, print, clipboard and help. Requests that wait for
// the user are asynchronous in the page; Asyncify suspends the core's synchronous code meanwhile,
// so the core runs unchanged. A modal form runs a loop of the page's events until it has a result.
// The save dialog that offers a choice of filters is the one for files made for other programs
// (the picture files): the file goes into the page's download folder, and the page hands every
// file completed there to the browser as a download.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/Platform.h"
#include "web/WebBindings.h"


class WebPlatform : public Platform {
public:
    WebPlatform() : bindings(*this) {}
    WebBindings& Bindings() { return bindings; }
    // The form whose dialog is on top, empty while only the main window is shown.
    std::string ActiveForm() const { return modalForms.empty() ? std::string() : modalForms.back(); }
    // For the page's tests: the next busy cursor (a plot starting) throws std::runtime_error with
    // `text`, as an internal error would deep inside a user action.
    void FailNextBusyCursor(std::string text) { busyCursorFailure = std::move(text); }

    void ShowMessage(const std::string& text) override;
    YesNoCancel AskYesNoCancel(const std::string& caption, const std::string& text) override;
    int ShowModal(TForm& form) override;
    std::optional<std::string> SaveFileDialog(const SaveDialogRequest& request) override;
    std::optional<SaveDialogChoice> SaveFileDialogWithFilter(const SaveDialogRequest& request) override;
    std::optional<TColor> ChooseColor(TColor initial) override;
    std::optional<int> PrintDialog() override;
    PrinterPage PrintablePage() override;
    bool BeginPrintJob() override;
    void PrintPiece(const Bitmap& piece, TPoint at) override;
    bool EndPrintJob() override;
    void ProcessMessages() override;
    void SetBusyCursor(bool busy) override;
    void PictureChanged() override;
    void ClipboardSetImage(const Bitmap& image) override;
    bool ClipboardHasImage() override;
    std::optional<Bitmap> ClipboardGetImage() override;
    void ShowHelp(const std::string& file, HelpCommand command, int data) override;
    ScreenSize Screen() override;
    void ShowLargePicture(TfrmLarge& form) override;
    void ShowProperties(TfrmProperties& form) override;

private:
    WebBindings bindings;
    std::vector<std::string> modalForms;
    Bitmap printedSheet;  // the pieces of the page being printed, put together
    std::string busyCursorFailure;
};
