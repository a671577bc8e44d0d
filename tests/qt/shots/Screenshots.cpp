// Takes screenshots of the real program for people to look at: after start-up, of the ﾌｧｲﾙ menu,
// with the STEP dialog open, of the print preview, of the colour dialog and of the help window;
// and prints the preview to a PDF file through the print dialog. Run under a display
// (scripts/screenshots.sh uses Xvfb):
//   quorbel_screenshots DATA_FOLDER OUTPUT_FOLDER
#include <cstdio>
#include <functional>

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include "app/Main.h"
#include "qt/HelpWindow.h"
#include "qt/MainWindow.h"
#include "qt/QtPlatform.h"
#include "qt/QtSupport.h"
#include "qt/Translations.h"

namespace {
QString outputFolder;

void Shoot(const QString& name) {
    Settle();
    QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
    QString path = QDir(outputFolder).filePath(name);
    shot.save(path);
    std::printf("screenshot: %s\n", qPrintable(path));
}

template <typename Widget>
Widget* Find(QWidget* root, const char* name) {
    return root->findChild<Widget*>(QString::fromLatin1(name));
}
}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    InstallJapaneseTranslations(application);
    if (argc < 3) {
        std::fprintf(stderr, "usage: quorbel_screenshots DATA_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    QDir::setCurrent(QString::fromLocal8Bit(argv[1]));
    outputFolder = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(outputFolder);

    QtPlatform platform;
    platform.SetApplicationTitle(QStringLiteral("Quorbel 数学Ｃ／媒介変数と曲線"));
    TfrmMain form(platform, FromQt(QDir::currentPath()));
    MainWindow window(form, platform);
    platform.SetMainWindow(&window);
    window.show();
    Settle();
    window.Start();
    Shoot("1-startup.png");

    // The ﾌｧｲﾙ menu, with the keys of its commands.
    if (auto* fileMenu = window.findChild<QMenu*>(QStringLiteral("mnuFile"))) {
        fileMenu->popup(window.mapToGlobal(QPoint(0, window.menuBar()->height())));
        QElapsedTimer shown;
        for (shown.start(); shown.elapsed() < 300;) QApplication::processEvents();
        Shoot("1b-file-menu.png");
        fileMenu->close();
    }

    // STEP表示: the dialog pauses before the first segment; 中止 ends the drawing.
    bool stepShown = false;
    WhenModal([&](QWidget* modal) {
        stepShown = modal->objectName() == "frmStep";
        Shoot("2-step-dialog.png");
        if (auto* cancel = Find<QPushButton>(modal, "btnCancel")) cancel->click(); else modal->close();
    }, 3000);
    Find<QPushButton>(window.Client(), "btnStep")->click();
    Settle();
    if (!stepShown) std::printf("note: STEP表示 showed no STEP dialog\n");
    Find<QPushButton>(window.Client(), "btnDraw")->click();
    Settle();

    // The file contents view and the naming dialog.
    WhenModal([&](QWidget* modal) {
        Shoot("2b-file-contents.png");
        modal->close();
    });
    form.mnuShowFile.Click();
    WhenModal([&](QWidget* modal) {
        Shoot("2c-nickname.png");
        modal->close();
    });
    form.mnuSave.Click();
    Settle();

    // The print preview, then a print to a PDF file through the print dialog.
    QString pdf = QDir(outputFolder).filePath("printed.pdf");
    QFile::remove(pdf);
    platform.Printer().setOutputFileName(pdf);
    platform.Printer().setPageSize(QPageSize(QPageSize::A4));
    WhenModal([&](QWidget* preview) {
        Shoot("3-print-preview.png");
        WhenModal([&](QWidget* dialog) {
            Shoot("4-print-dialog.png");
            if (auto* print = qobject_cast<QPrintDialog*>(dialog)) print->accept();
        });
        Find<QPushButton>(preview, "btnPrint")->click();
        Find<QPushButton>(preview, "btnClose")->click();
    });
    Find<QToolButton>(window.Client(), "spdPrint")->click();
    Settle();
    std::printf("pdf: %s %s\n", qPrintable(pdf), QFile::exists(pdf) ? "written" : "MISSING");

    // The colour dialog, with Qt's own texts in Japanese.
    WhenModal([&](QWidget* modal) {
        Shoot("8-colour-dialog.png");
        if (auto* colours = qobject_cast<QColorDialog*>(modal)) colours->reject(); else modal->close();
    });
    Find<QToolButton>(window.Client(), "spdLineColor")->click();
    Settle();

    // The help window at its contents, beside the main window.
    form.mnuShowHelp.Click();
    if (HelpWindow* help = platform.Help()) {
        help->move(300, 120);
        help->resize(800, 760);
        help->raise();
    }
    Shoot("5-help.png");
    Find<QPushButton>(window.Client(), "btnKaisetsu")->click();
    Shoot("6-help-curve-kind.png");
    return 0;
}
