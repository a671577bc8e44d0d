// The view of the picture shown large (TfrmLarge): a window of its own over the whole screen the
// main window is on, black around the picture, which a PictureWidget draws at that size from the
// picture's drawing. Enter, Space, P, Backspace and Escape go to the form's buttons. While it shows, a STEP
// display's dialog waits behind it and its keys come here too, so that Space goes on with the display.
#pragma once

#include <QWidget>

#include "output/LargeView.h"
#include "qt/Bindings.h"

class PictureWidget;

class LargeView : public QWidget {
public:
    LargeView(TfrmLarge& form, QWidget* mainWindow);
    ~LargeView() override;
    // Shows the view full screen on the main window's screen, in front of everything.
    void Open();
    PictureWidget* Picture() const { return picture; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Whether a key sent to `watched` is this view's: its own, or the waiting STEP dialog's.
    bool TakesKeysOf(QObject* watched) const;

    TfrmLarge& form;
    Binder binder;
    PictureWidget* picture;
};
