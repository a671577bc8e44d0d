// The main window's view: a QMainWindow with the menu bar, the tool bar pnlMain, the curve list,
// the parameter panel, the notes and the picture, every widget bound to its control model in
// TfrmMain and placed where app/Layout.h says. It also owns the dialogs' views, answers F1 with
// the help context of the control or menu item, gives the commands their keys (ShortcutKeys in
// MainWindow.cpp), and closes when the form asks to, taking the help window with it.
#pragma once

#include <QMainWindow>

#include "app/Layout.h"
#include "app/Main.h"
#include "qt/Bindings.h"
#include "qt/QtPlatform.h"

class LargeView;
class PictureWidget;
class PrintPreviewDialog;

class MainWindow : public QMainWindow {
public:
    MainWindow(TfrmMain& form, QtPlatform& platform);
    ~MainWindow() override;

    // Runs the start sequence (the form's FormShow) as a user action.
    void Start();
    // Places the window and the left column for a screen of `screen`'s size.
    void ApplyLayout(ScreenSize screen);

    QWidget* Client() const { return client; }
    // The widget (or container) bound to the control named `name`; nullptr when there is none.
    QWidget* Widget(const QString& name) const;
    PictureWidget* Picture() const { return picture; }
    LargeView* Large() const { return large; }
    Binder& Dispatcher() { return binder; }
    // The help context F1 gives for `object` (a widget or a menu action).
    int HelpContextFor(QObject* object) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FitFrame();
    void BuildMenus();
    TMenuItem& MenuItem(std::string_view name) const;
    void BuildToolBarAndPanel();
    void AddShortcuts();
    QWidget* MakeControl(const ControlPlace& place, QWidget* container);
    // F11 pressed in the STEP dialog: the picture shown large.
    bool LargeKeyInStepDialog(QObject* watched, QEvent* event);

    TfrmMain& form;
    QtPlatform& platform;
    Binder binder;
    QWidget* client;
    PictureWidget* picture = nullptr;
    LargeView* large = nullptr;  // the picture shown large, a window of its own
    ScreenSize laidOutFor;
    bool frameFitted = false;
};
