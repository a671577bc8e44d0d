#include "qt/QtPlatform.h"

#include <algorithm>
#include <stdexcept>

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStringList>

#include "qt/Bindings.h"
#include "qt/HelpWindow.h"
#include "qt/LargeView.h"
#include "qt/PropertiesView.h"
#include "qt/PictureWidget.h"

QString FileDialogFilter(const std::string& filter) {
    QStringList parts = ToQt(filter).split('|');
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
            patterns << pattern;
            if (pattern.toLower() != pattern) patterns << pattern.toLower();
        }
        entries << parts[i] + " (" + patterns.join(' ') + ")";
    }
    return entries.join(";;");
}

QColor ToQColor(TColor color) { return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

TColor FromQColor(const QColor& color) { return RGB(color.red(), color.green(), color.blue()); }

QtPlatform::QtPlatform() : printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

QtPlatform::~QtPlatform() = default;

QWidget* QtPlatform::DialogParent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return mainWindow.data();
}

void QtPlatform::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, applicationTitle, ToQt(text), QMessageBox::Ok, DialogParent());
    box.exec();
}

YesNoCancel QtPlatform::AskYesNoCancel(const std::string& caption, const std::string& text) {
    QMessageBox box(QMessageBox::Question, ToQt(caption), ToQt(text), QMessageBox::NoButton, DialogParent());
    QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("ｷｬﾝｾﾙ"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes) return YesNoCancel::Yes;
    if (box.clickedButton() == no) return YesNoCancel::No;
    return YesNoCancel::Cancel;
}

int QtPlatform::ShowModal(TForm& form) {
    auto view = views.find(form.Name);
    if (view == views.end()) {
        throw std::logic_error("no desktop view for the form " + form.Name + ": register one with QtPlatform::RegisterView");
    }
    return view->second->ShowModalFor(form);
}

std::optional<std::string> QtPlatform::SaveFileDialog(const SaveDialogRequest& request) {
    std::optional<SaveDialogChoice> chosen = SaveFileDialogWithFilter(request);
    if (!chosen) return std::nullopt;
    return chosen->path;
}

std::optional<SaveDialogChoice> QtPlatform::SaveFileDialogWithFilter(const SaveDialogRequest& request) {
    QFileDialog dialog(DialogParent());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);  // the program asks the question itself
    const QStringList filters = FileDialogFilter(request.filter).split(";;");
    dialog.setNameFilters(filters);
    dialog.setDirectory(ToQt(request.initialFolder));
    dialog.selectFile(ToQt(request.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return SaveDialogChoice{FromQt(QDir::toNativeSeparators(dialog.selectedFiles().first())),
                            static_cast<int>(std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())))};
}

std::optional<TColor> QtPlatform::ChooseColor(TColor initial) {
    QColor chosen = QColorDialog::getColor(ToQColor(initial), DialogParent());
    if (!chosen.isValid()) return std::nullopt;
    return FromQColor(chosen);
}

std::optional<int> QtPlatform::PrintDialog() {
    QPrintDialog dialog(printer.get(), DialogParent());
    dialog.setOption(QAbstractPrintDialog::PrintToFile);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, false);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    int copies = printer->copyCount();
    // Every copy is a print job of its own, so the printer is asked for one copy per job.
    printer->setCopyCount(1);
    // A PDF file has no resolution of its own; 600 dots per inch is that of a common office printer.
    if (printer->outputFormat() == QPrinter::PdfFormat) printer->setResolution(600);
    return copies;
}

// The printer's metrics are those of its printable area, in its own pixels; a painter on it has
// its origin at that area's top-left corner.
PrinterPage QtPlatform::PrintablePage() { return {printer->width(), printer->height()}; }

bool QtPlatform::BeginPrintJob() {
    printJob = std::make_unique<QPainter>();
    if (printJob->begin(printer.get())) {
        // Pieces without loss, or the PDF the print system makes of them would carry JPEG's blur.
        printJob->setRenderHint(QPainter::LosslessImageRendering);
        return true;
    }
    printJob.reset();
    return false;
}

void QtPlatform::PrintPiece(const Bitmap& piece, TPoint at) {
    // The print engines, unlike the screen, read the zero top byte as transparency: the piece goes
    // as plain RGB.
    printJob->drawImage(QPoint(at.x, at.y), WrapBitmap(piece).convertToFormat(QImage::Format_RGB888));
}

bool QtPlatform::EndPrintJob() {
    const bool printed = printJob->end();
    printJob.reset();
    return printed;
}

void QtPlatform::ProcessMessages() {
    PictureWidget::RepaintAll();
    QApplication::processEvents(QEventLoop::AllEvents);
}

void QtPlatform::SetBusyCursor(bool on) {
    if (on == busy) return;
    busy = on;
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void QtPlatform::PictureChanged() { PictureWidget::RepaintAll(); }

void QtPlatform::ClipboardSetImage(const Bitmap& image) {
    // The clipboard keeps its own copy: the picture goes on changing.
    QApplication::clipboard()->setImage(WrapBitmap(image).copy());
}

bool QtPlatform::ClipboardHasImage() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasImage();
}

std::optional<Bitmap> QtPlatform::ClipboardGetImage() {
    QImage image = QApplication::clipboard()->image();
    if (image.isNull()) return std::nullopt;
    image = image.convertToFormat(QImage::Format_RGBX8888);
    Bitmap bitmap(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* source = reinterpret_cast<const TColor*>(image.constScanLine(y));
        TColor* row = bitmap.Row(y);
        for (int x = 0; x < image.width(); ++x) row[x] = source[x] & 0x00FFFFFF;
    }
    return bitmap;
}

// The contents command opens the page of its data value like a context does: the contents page
// is the one with the anchor 224.
void QtPlatform::ShowHelp(const std::string& file, HelpCommand, int data) {
    QString path = QDir::current().absoluteFilePath(ToQt(file));
    if (!QFileInfo(path).isFile()) {
        ShowMessage(FromQt("ヘルプファイル " + QDir::toNativeSeparators(path) + " がありません"));
        return;
    }
    if (!help) help = std::make_unique<HelpWindow>();
    help->Open(path, QString::number(data));
}

ScreenSize QtPlatform::Screen() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    QSize size = screen->size();
    return {size.width(), size.height()};
}

void QtPlatform::SetLargeView(LargeView* view) { largeView = view; }

void QtPlatform::SetPropertiesView(PropertiesView* view) { propertiesView = view; }

void QtPlatform::ShowProperties(TfrmProperties& form) {
    if (!propertiesView) {
        throw std::logic_error("no desktop view for the form " + form.Name + ": register one with QtPlatform::SetPropertiesView");
    }
    propertiesView->Open();
}

void QtPlatform::ShowLargePicture(TfrmLarge& form) {
    if (!largeView) {
        throw std::logic_error("no desktop view for the form " + form.Name + ": register one with QtPlatform::SetLargeView");
    }
    largeView->Open();
}
