// The desktop program: the application with Qt's own texts in Japanese, the main window over the
// Qt platform in the working folder the program was started in, the start sequence once the
// window shows, the event loop.
#include <QApplication>
#include <QDir>
#include <QTimer>

#include "app/Main.h"
#include "qt/Artwork.h"
#include "qt/MainWindow.h"
#include "qt/QtPlatform.h"
#include "qt/Translations.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    InstallJapaneseTranslations(application);
    const QString title = QStringLiteral("Quorbel 数学Ｃ／媒介変数と曲線");
    QApplication::setApplicationName(QStringLiteral("quorbel"));
    QApplication::setWindowIcon(ProgramIcon());

    QtPlatform platform;
    platform.SetApplicationTitle(title);
    TfrmMain form(platform, FromQt(QDir::currentPath()));
    MainWindow window(form, platform);
    platform.SetMainWindow(&window);
    window.show();
    QTimer::singleShot(0, &window, [&window] { window.Start(); });
    return QApplication::exec();
}
