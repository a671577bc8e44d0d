// The modal dialogs' views: the STEP pause, the naming dialog, the file contents view, the about
// box and the print preview. Each binds its form's controls and closes as soon as the form has
// a result; the frame's close button and Escape give mrCancel.
#pragma once

#include <QDialog>

#include "qt/Bindings.h"
#include "qt/QtPlatform.h"

class TfrmStep;
class TfrmNickName;
class TfrmEdit;
class TfrmVersion;
class TfrmPrint;
class TfrmFormula;
class PictureWidget;
class QPushButton;

class FormDialog : public QDialog, public ModalView {
public:
    FormDialog(TForm& form, QWidget* parent);
    int ShowModalFor(TForm& form) override;
    // Closes the dialog when its form has its result (an action elsewhere may have answered it).
    void CloseIfAnswered();

protected:
    // Places the dialog after the form's FormShow; the default centres it on its parent.
    virtual void Place();
    // Puts the window frame's top-left corner at (left, top) of the screen.
    void MoveFrameTo(int left, int top);
    TForm& form;
    Binder binder;
};

class StepDialog : public FormDialog {
public:
    // The form's Left and Top are in the client coordinates of `mainClient` (the main window's).
    StepDialog(TfrmStep& form, QWidget* mainClient, QWidget* parent);

protected:
    void Place() override;

private:
    QWidget* mainClient;
    QPushButton* nextButton;  // 次を表示, which has the focus when the dialog opens
};

class NickNameDialog : public FormDialog {
public:
    NickNameDialog(TfrmNickName& form, QWidget* parent);

protected:
    void Place() override;

private:
    QWidget* nameEdit;
};

// 式を入力: the kind, the formulas, the range and the name, the caption as it will appear, and what
// is wrong with what is typed.
class FormulaDialog : public FormDialog {
public:
    FormulaDialog(TfrmFormula& form, QWidget* parent);
    ~FormulaDialog() override;

protected:
    void Place() override;

private:
    TfrmFormula& formula;
    QWidget* firstEdit;
};

class EditDialog : public FormDialog {
public:
    EditDialog(TfrmEdit& form, QWidget* parent);
};

class VersionDialog : public FormDialog {
public:
    VersionDialog(TfrmVersion& form, QWidget* parent);

protected:
    void Place() override;
};

class PrintPreviewDialog : public FormDialog {
public:
    PrintPreviewDialog(TfrmPrint& form, QWidget* parent);
    PictureWidget* Preview() const { return preview; }

protected:
    void Place() override;

private:
    PictureWidget* preview;
};
