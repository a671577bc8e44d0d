// The view of the window 曲線の性質 (TfrmProperties): a window of its own beside the main window
// that shows the form's picture as it is, pixel for pixel, and takes each new one the form draws.
// Closing it is the form's 閉じる.
#pragma once

#include <QWidget>

#include "analysis/PropertiesWindow.h"

class QLabel;

class PropertiesView : public QWidget {
public:
    PropertiesView(TfrmProperties& form, QWidget* mainWindow);
    ~PropertiesView() override;
    // Shows the window (raised when it already shows) with the form's current picture.
    void Open();
    QLabel* Picture() const { return picture; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowPicture();

    TfrmProperties& form;
    QLabel* picture;
};
