// The one interface through which the core asks the platform for everything outside itself:
// message boxes, modal dialogs, the common dialogs, pending events, the cursor, the clipboard,
// the printer, the help viewer and the screen. The Qt front end implements it; tests and the
// headless driver use ScriptedPlatform. All texts crossing it are UTF-8.
#pragma once

#include <optional>
#include <string>

#include "picture/Bitmap.h"

class TForm;
class TfrmLarge;
class TfrmProperties;

enum class YesNoCancel { Yes, No, Cancel };

enum class HelpCommand { Contents, Context };

struct SaveDialogRequest {
    std::string initialFolder;  // absolute folder the dialog opens on
    std::string fileName;       // proposed file name
    std::string filter;         // "CRVファイル|*.CRV": description, "|", pattern
};

// What a save dialog that offers several filters answers: the path, and which filter was chosen
// (its index among the request's description–pattern pairs, 0 for the first).
struct SaveDialogChoice {
    std::string path;
    int filter = 0;
};

// The printable area of the paper chosen in the print dialog, in printer pixels.
struct PrinterPage {
    int width = 0;
    int height = 0;
};

struct ScreenSize {
    int width = 1024;
    int height = 768;
};

// What one message box shows at most: MessageBoxLines lines of MessageBoxColumns characters,
// which fit a 1024 × 768 screen (the desktop's boxes wrap a long line themselves).
constexpr int MessageBoxLines = 20;
constexpr int MessageBoxColumns = 50;
// `utf8` as a message box can show it: cut with "…" after MessageBoxLines × MessageBoxColumns
// characters; a shorter text stays as it is. Characters are never split.
std::string MessageExcerpt(const std::string& utf8);

class Platform {
public:
    virtual ~Platform() = default;

    // A plain modal message box with one OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    // The confirmation box with "はい(&Y)", "いいえ(&N)", "ｷｬﾝｾﾙ"; closing it counts as Cancel.
    virtual YesNoCancel AskYesNoCancel(const std::string& caption, const std::string& text) = 0;
    // Shows `form` modally: runs its FormShow, lets the user act on its controls until one of them
    // closes it, and returns its ModalResult (closing by the frame gives mrCancel).
    virtual int ShowModal(TForm& form) = 0;
    // The file-save dialog; the chosen path, or nothing when cancelled. Asks no overwrite question.
    virtual std::optional<std::string> SaveFileDialog(const SaveDialogRequest& request) = 0;
    // The file-save dialog, also telling which of the request's filters was chosen (the picture
    // files: a format and a scale). Asks no overwrite question. By default SaveFileDialog, with
    // the first filter whose pattern the chosen name's extension matches (else the first).
    virtual std::optional<SaveDialogChoice> SaveFileDialogWithFilter(const SaveDialogRequest& request);
    // The colour dialog opened on `initial`; the confirmed colour, or nothing when cancelled.
    virtual std::optional<TColor> ChooseColor(TColor initial) = 0;
    // The print set-up dialog; the number of copies, or nothing when cancelled.
    virtual std::optional<int> PrintDialog() = 0;

    // ---- One print job of one page, drawn at the printer's own resolution and handed over in
    // pieces, so that no whole page need be held: BeginPrintJob, each piece at its place (printer
    // pixels from the printable area's top-left; pieces do not overlap; the rest of the page stays
    // blank), then EndPrintJob. EndPrintJob follows only a BeginPrintJob that succeeded; either
    // returns false when the job could not be printed.
    virtual PrinterPage PrintablePage() = 0;
    virtual bool BeginPrintJob() = 0;
    virtual void PrintPiece(const Bitmap& piece, TPoint at) = 0;
    virtual bool EndPrintJob() = 0;

    // Lets the user interface handle its pending events (repaints included).
    virtual void ProcessMessages() = 0;
    // Shows the busy (hourglass) cursor, or the normal one again.
    virtual void SetBusyCursor(bool busy) = 0;
    // The picture has new pixels: the view repaints it at its next chance.
    virtual void PictureChanged() {}
    virtual void ClipboardSetImage(const Bitmap& image) = 0;
    virtual bool ClipboardHasImage() = 0;
    virtual std::optional<Bitmap> ClipboardGetImage() = 0;
    // Asks the help viewer for the help file at path `file` at the contents or a context; a missing
    // file is a message naming it.
    virtual void ShowHelp(const std::string& file, HelpCommand command, int data) = 0;
    virtual ScreenSize Screen() = 0;

    // ---- The picture shown large (大きく表示).
    // Shows `form`'s picture alone, full screen, and returns at once. The view hands Enter, Space
    // and Escape to the form's buttons and closes when the form is no longer Showing().
    virtual void ShowLargePicture(TfrmLarge& form) = 0;
    // ---- The window 曲線の性質.
    // Shows `form`'s picture in a window of its own beside the main window and returns at once;
    // the view shows each new picture (form.PictureChanged) and closes when the form is no longer
    // Showing(). A platform with no such window shows nothing.
    virtual void ShowProperties(TfrmProperties& form) { (void)form; }
};
