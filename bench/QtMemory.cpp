// quorbel-qt-memory: the peak resident memory of the desktop program, window included. Opens the
// real main window in the working folder given (default: the current one), runs the start
// sequence, then the longest repeat display the panel allows (c from 1 to 100 over θ −100π to
// 100π), each as a user action through the window's bindings, and prints the peak after each.
// Usage: QT_QPA_PLATFORM=offscreen quorbel-qt-memory [WORKING_FOLDER]
#include <QApplication>
#include <QDir>

#include <fstream>
#include <iostream>
#include <string>

#include "app/Main.h"
#include "qt/MainWindow.h"
#include "qt/QtPlatform.h"

namespace {

// VmHWM of /proc/self/status: the most resident memory the process has held, in MB.
double PeakResidentMB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024;
    }
    return -1;
}

void Type(TUpDown& spin, int value) {
    spin.UserTypeText(std::to_string(value));
    spin.UserLeave();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QtPlatform platform;
    TfrmMain form(platform, FromQt(QDir(folder).absolutePath()));
    MainWindow window(form, platform);
    platform.SetMainWindow(&window);
    window.show();
    window.Start();
    QApplication::processEvents();
    std::cout << "start-up:             " << PeakResidentMB() << " MB\n";

    window.Dispatcher().Run([&] {
        Type(form.updStart, -100);
        Type(form.updSend, 100);
        form.radC.UserClick();
        Type(form.updRpStart, 1);
        Type(form.updRpEnd, 100);
        form.btnHanpuku.Click();
    });
    QApplication::processEvents();
    std::cout << "worst repeat display: " << PeakResidentMB() << " MB\n";
    return 0;
}
