// Takes screenshots of the real program for people to look at: after start-up, of the ﾌｧｲﾙ menu,
// with the STEP dialog open, of the print preview, of the colour dialog and of the help window;
// and prints the preview to a PDF file on A4 through the print dialog. With "large", only the
// picture shown large (F11), also during a STEP display; with "hidpi", the main window and its
// picture at the screen's device pixels. Run under a display (scripts/screenshots.sh uses Xvfb):
//   quorbel_screenshots DATA_FOLDER OUTPUT_FOLDER [large|hidpi]
#include <cstdio>
#include <functional>

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/Main.h"
#include "qt/HelpWindow.h"
#include "qt/LargeView.h"
#include "qt/MainWindow.h"
#include "qt/PictureWidget.h"
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

// A cycloid traced for a class: 補助線 with the rolling circle at the current position only,
// played with P in the picture shown large; shot after a few steps and when it has ended.
void ShootCycloidPlaying(MainWindow& window, TfrmMain& form) {
    form.lstShiki.UserClick(4);
    form.chkHojoEn.SetChecked(true);
    form.cmbStep.SetItemIndex(2);
    form.frmStep.chkCurrentOnly.SetChecked(true);
    form.frmStep.cmbSpeed.UserSelect(1);
    int pauses = 0;
    QString last;
    bool ended = false;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            Shoot("9e-large-cycloid-ended.png");
            ended = true;
            box->accept();
            return;
        }
        if (!modal || modal->objectName() != "frmStep" || !form.frmStep.Waiting()) return;
        const QString count = QString::fromStdString(form.frmStep.edtCount.Text());
        if (count == last) return;
        last = count;
        if (++pauses == 1) {
            QTest::keyClick(modal->focusWidget(), Qt::Key_F11);
            QTest::qWait(300);
            QTest::keyClick(window.Large(), Qt::Key_P);
        }
        if (pauses == 7) Shoot("9d-large-cycloid-playing.png");
    });
    driver.start(5);
    Find<QPushButton>(window.Client(), "btnStep")->click();
    driver.stop();
    if (!ended) std::printf("note: the cycloid's display did not end by itself\n");
    QTest::keyClick(window.Large(), Qt::Key_Escape);
}

// F11 shows the picture large; then a STEP display goes on in it: F11 in the STEP dialog, Space
// three times, Escape back to the waiting dialog.
void ShootLarge(MainWindow& window, TfrmMain& form) {
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) std::printf("note: the main window is not active\n");
    QTest::keyClick(Find<QWidget>(window.Client(), "lstShiki"), Qt::Key_F11);
    if (!QTest::qWaitForWindowExposed(window.Large())) std::printf("note: the large view is not shown\n");
    QTest::qWait(300);
    Shoot("9-large.png");
    QTest::keyClick(window.Large(), Qt::Key_Escape);
    int pauses = 0;
    QString last;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* step = QApplication::activeModalWidget();
        if (!step || step->objectName() != "frmStep" || !form.frmStep.Waiting()) return;
        const QString count = QString::fromStdString(form.frmStep.edtCount.Text());
        if (count == last) return;
        last = count;
        if (++pauses == 1) QTest::keyClick(step->focusWidget(), Qt::Key_F11);
        if (pauses <= 3) {
            QTest::keyClick(step->focusWidget(), Qt::Key_Space);
            return;
        }
        Shoot("9b-large-step.png");
        QTest::keyClick(step->focusWidget(), Qt::Key_Escape);
        Shoot("9c-large-escape.png");
        Find<QPushButton>(step, "btnCancel")->click();
    });
    driver.start(20);
    Find<QPushButton>(window.Client(), "btnStep")->click();
    driver.stop();
    ShootCycloidPlaying(window, form);
}

// The main window on a screen of more device pixels than logical ones, and its picture as drawn.
void ShootHiDpi(MainWindow& window) {
    Shoot("10-hidpi.png");
    QString path = QDir(outputFolder).filePath("10b-hidpi-picture.png");
    window.Picture()->grab().save(path);
    std::printf("picture at %.2f device pixels a pixel: %s\n", window.Picture()->devicePixelRatioF(), qPrintable(path));
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
    const QString mode = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    if (mode == "large") {
        ShootLarge(window, form);
        return 0;
    }
    if (mode == "hidpi") {
        ShootHiDpi(window);
        return 0;
    }
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
