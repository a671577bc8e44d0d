// Helpers for driving real widgets in tests: answering the next modal window from inside its
// event loop, and waiting for queued events.
#pragma once

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

// Runs `action` on the next modal window that opens (polling from the event loop), once.
inline void WhenModal(std::function<void(QWidget*)> action, int timeoutMs = 5000) {
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    QWidget* before = QApplication::activeModalWidget();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, before, action, timeoutMs] {
        QWidget* modal = QApplication::activeModalWidget();
        if ((modal && modal != before && modal->isVisible()) || clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            if (modal && modal != before) action(modal);
        }
    });
    timer->start(10);
}

// Types `path` into a file dialog's name field, as a user does. (selectFile can be overtaken by
// the name the dialog proposed, applied once its folder has been read in the background.)
inline void TypeFileName(QFileDialog* dialog, const std::string& path) {
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText(QString::fromStdString(path));
}

// Lets the event loop run for a moment (posted events, repaints).
inline void Settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}
