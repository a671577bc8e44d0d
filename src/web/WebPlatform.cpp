#include "web/WebPlatform.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <utility>

#include <emscripten.h>

#include "analysis/PropertiesWindow.h"

namespace {

EM_ASYNC_JS(void, PageShowMessage, (const char* text), {
    await Module.quorbelPlatform.ShowMessage(UTF8ToString(text));
});

// 0 yes, 1 no, 2 cancel.
EM_ASYNC_JS(int, PageAskYesNoCancel, (const char* caption, const char* text), {
    return await Module.quorbelPlatform.AskYesNoCancel(UTF8ToString(caption), UTF8ToString(text));
});

EM_JS(void, PageOpenDialog, (const char* form), { Module.quorbelPlatform.OpenDialog(UTF8ToString(form)); });
EM_JS(void, PageCloseDialog, (const char* form), { Module.quorbelPlatform.CloseDialog(UTF8ToString(form)); });

// The chosen path in memory the caller frees, or null when cancelled.
EM_ASYNC_JS(char*, PageSaveFileDialog, (const char* folder, const char* name, const char* filter), {
    const path = await Module.quorbelPlatform.SaveFileDialog(UTF8ToString(folder), UTF8ToString(name),
                                                             UTF8ToString(filter));
    return path === null ? 0 : allocateUTF8(path);
});

// The dialog for a file handed to the browser as a download: the chosen path (in the page's
// download folder) in memory the caller frees, or null when cancelled; the chosen filter's index
// goes to `filterIndex`.
EM_ASYNC_JS(char*, PageDownloadDialog, (const char* name, const char* filter, int* filterIndex), {
    const answer = await Module.quorbelPlatform.DownloadDialog(UTF8ToString(name), UTF8ToString(filter));
    if (answer === null) return 0;
    HEAP32[filterIndex >> 2] = answer.filter;
    return allocateUTF8(answer.path);
});

// The colour (red in the low byte), or -1 when cancelled.
EM_ASYNC_JS(int, PageChooseColor, (int initial), { return await Module.quorbelPlatform.ChooseColor(initial); });

// The number of copies, or 0 when cancelled.
EM_ASYNC_JS(int, PagePrintDialog, (), { return await Module.quorbelPlatform.PrintDialog(); });

EM_ASYNC_JS(int, PagePrintPage, (const void* pixels, int width, int height, int destWidth, int destHeight), {
    return (await Module.quorbelPlatform.PrintPage(pixels, width, height, destWidth, destHeight)) ? 1 : 0;
});

EM_ASYNC_JS(void, PageYield, (), { await Module.quorbelPlatform.Yield(); });

EM_JS(void, PageSetBusyCursor, (int busy), { Module.quorbelPlatform.SetBusyCursor(busy !== 0); });
EM_JS(void, PagePictureChanged, (), { Module.quorbelPlatform.PictureChanged(); });

EM_JS(void, PageClipboardSetImage, (const void* pixels, int width, int height), {
    Module.quorbelPlatform.ClipboardSetImage(pixels, width, height);
});

// Width × 65536 + height of the clipboard's image (read into the page's keeping), or 0 when none.
EM_ASYNC_JS(int, PageClipboardImageSize, (), { return await Module.quorbelPlatform.ClipboardImageSize(); });
// Copies the kept image's pixels (system colours) into `pixels`.
EM_JS(void, PageClipboardCopyImage, (void* pixels), { Module.quorbelPlatform.ClipboardCopyImage(pixels); });

EM_ASYNC_JS(void, PageShowHelp, (const char* file, int data), {
    await Module.quorbelPlatform.ShowHelp(UTF8ToString(file), data);
});

EM_JS(void, PageShowLargePicture, (), { Module.quorbelPlatform.ShowLargePicture(); });
EM_JS(void, PageShowProperties, (), { Module.quorbelPlatform.ShowProperties(); });

EM_JS(int, PageScreenWidth, (), { return Module.quorbelPlatform.ScreenWidth(); });
EM_JS(int, PageScreenHeight, (), { return Module.quorbelPlatform.ScreenHeight(); });

}  // namespace

void WebPlatform::ShowMessage(const std::string& text) {
    RefreshPage();
    PageShowMessage(text.c_str());
}

YesNoCancel WebPlatform::AskYesNoCancel(const std::string& caption, const std::string& text) {
    RefreshPage();
    switch (PageAskYesNoCancel(caption.c_str(), text.c_str())) {
        case 0: return YesNoCancel::Yes;
        case 1: return YesNoCancel::No;
        default: return YesNoCancel::Cancel;
    }
}

int WebPlatform::ShowModal(TForm& form) {
    form.ModalResult = mrNone;
    form.FormShow();
    modalForms.push_back(form.Name);
    PageOpenDialog(form.Name.c_str());
    while (form.ModalResult == mrNone) bindings.Dispatch(WaitForEvent(), form.Name);
    PageCloseDialog(form.Name.c_str());
    modalForms.pop_back();
    return form.ModalResult;
}

std::optional<std::string> WebPlatform::SaveFileDialog(const SaveDialogRequest& request) {
    RefreshPage();
    char* path = PageSaveFileDialog(request.initialFolder.c_str(), request.fileName.c_str(), request.filter.c_str());
    if (!path) return std::nullopt;
    std::string chosen = path;
    std::free(path);
    return chosen;
}

std::optional<SaveDialogChoice> WebPlatform::SaveFileDialogWithFilter(const SaveDialogRequest& request) {
    RefreshPage();
    int filter = 0;
    char* path = PageDownloadDialog(request.fileName.c_str(), request.filter.c_str(), &filter);
    if (!path) return std::nullopt;
    SaveDialogChoice chosen{path, filter};
    std::free(path);
    return chosen;
}

std::optional<TColor> WebPlatform::ChooseColor(TColor initial) {
    RefreshPage();
    int chosen = PageChooseColor(static_cast<int>(initial & 0xFFFFFF));
    if (chosen < 0) return std::nullopt;
    return static_cast<TColor>(chosen);
}

std::optional<int> WebPlatform::PrintDialog() {
    RefreshPage();
    int copies = PagePrintDialog();
    if (copies <= 0) return std::nullopt;
    return copies;
}

// The page prints one image over a whole A4 sheet (web/quorbel.css), so the sheet is the printable
// area; at 300 dpi lines and text are as sharp on paper as a printer needs, and the image the page
// hands to the browser stays at 35 MB.
PrinterPage WebPlatform::PrintablePage() { return {2480, 3508}; }

bool WebPlatform::BeginPrintJob() {
    const PrinterPage sheet = PrintablePage();
    printedSheet = Bitmap(sheet.width, sheet.height);
    return true;
}

void WebPlatform::PrintPiece(const Bitmap& piece, TPoint at) {
    for (int y = 0; y < piece.Height(); ++y) {
        if (!printedSheet.Contains(at.x, at.y + y)) continue;
        const int width = std::min(piece.Width(), printedSheet.Width() - at.x);
        std::copy(piece.Row(y), piece.Row(y) + width, printedSheet.Row(at.y + y) + at.x);
    }
}

bool WebPlatform::EndPrintJob() {
    const int width = printedSheet.Width(), height = printedSheet.Height();
    const bool printed = PagePrintPage(printedSheet.Pixels().data(), width, height, width, height) != 0;
    printedSheet = Bitmap();
    return printed;
}

void WebPlatform::ProcessMessages() {
    RefreshPage();
    PageYield();
    WebEvent event;
    while (TakeEvent(event)) bindings.Dispatch(event, ActiveForm());
}

void WebPlatform::SetBusyCursor(bool busy) {
    if (busy && !busyCursorFailure.empty()) throw std::runtime_error(std::exchange(busyCursorFailure, {}));
    PageSetBusyCursor(busy ? 1 : 0);
}

void WebPlatform::PictureChanged() { PagePictureChanged(); }

void WebPlatform::ClipboardSetImage(const Bitmap& image) {
    PageClipboardSetImage(image.Pixels().data(), image.Width(), image.Height());
}

// 貼り付け stays enabled: the page reads the clipboard only when the user pastes (web/WebPlatform.js).
bool WebPlatform::ClipboardHasImage() { return true; }

std::optional<Bitmap> WebPlatform::ClipboardGetImage() {
    int size = PageClipboardImageSize();
    if (size == 0) return std::nullopt;
    Bitmap bitmap(size / 65536, size % 65536);
    PageClipboardCopyImage(bitmap.Pixels().data());
    return bitmap;
}

void WebPlatform::ShowHelp(const std::string& file, HelpCommand, int data) { PageShowHelp(file.c_str(), data); }

ScreenSize WebPlatform::Screen() { return {PageScreenWidth(), PageScreenHeight()}; }

// The page's view (web/LargeView.js) sends the keys and taps to the form's buttons and closes
// once the form no longer shows.
void WebPlatform::ShowLargePicture(TfrmLarge&) {
    RefreshPage();
    PageShowLargePicture();
}

// The page's window (web/PropertiesWindow.js) paints the form's picture whenever it changes and
// closes when its button is pressed.
void WebPlatform::ShowProperties(TfrmProperties& form) {
    form.PictureChanged = [] { PagePictureChanged(); };
    RefreshPage();
    PageShowProperties();
}
