// The desktop platform: message boxes, the modal views of the dialogs (found by form name), the
// file, colour and print dialogs, the printer, pending events, the busy cursor, the clipboard,
// the help window and the screen, all through Qt 6 Widgets.
#pragma once

#include <map>
#include <memory>
#include <string>

#include <QPointer>
#include <QString>

#include "ui/Platform.h"

class QPainter;
class QPrinter;
class QWidget;
class HelpWindow;
class LargeView;
class PropertiesView;

// A dialog's view: shows `form` modally until the form closes itself or the frame is closed.
class ModalView {
public:
    virtual ~ModalView() = default;
    virtual int ShowModalFor(TForm& form) = 0;
};

// "CRVファイル|*.CRV" → "CRVファイル (*.CRV *.crv)": description and patterns in pairs, each pattern
// also in lower case, since file names on this system are case-sensitive.
QString FileDialogFilter(const std::string& filter);
// System colour (red in the low byte) ↔ Qt colour.
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

    // The window that owns the dialogs and message boxes; the caption of plain messages.
    void SetMainWindow(QWidget* window) { mainWindow = window; }
    void SetApplicationTitle(QString title) { applicationTitle = std::move(title); }
    void RegisterView(const std::string& formName, ModalView* view) { views[formName] = view; }
    QPrinter& Printer() { return *printer; }
    HelpWindow* Help() const { return help.get(); }
    // The view of the picture shown large, which the main window owns.
    void SetLargeView(LargeView* view);
    void SetPropertiesView(PropertiesView* view);

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
    QWidget* DialogParent() const;
    QPointer<QWidget> mainWindow;
    QString applicationTitle;
    std::map<std::string, ModalView*> views;
    std::unique_ptr<QPrinter> printer;
    std::unique_ptr<QPainter> printJob;
    QPointer<LargeView> largeView;
    QPointer<PropertiesView> propertiesView;
    std::unique_ptr<HelpWindow> help;
    bool busy = false;
};
