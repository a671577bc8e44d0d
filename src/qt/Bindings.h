// Two-way bindings between the core's control models and Qt widgets. A model's ViewChanged hook
// refreshes its widget; the widget's user signals call the model's User… methods through
// Binder::Run, the one place where a user action is dispatched: it catches every exception (none
// may reach the event loop), shows it as a message, repaints the pictures and runs the form's
// after-action check (a dialog closing, the main window ending).
#pragma once

#include <functional>

#include <QAbstractSpinBox>
#include <QString>

#include "ui/Controls.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QObject;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTimer;
class QToolButton;
class QWidget;

// UTF-8 model text to Qt and back.
inline QString ToQt(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }
inline std::string FromQt(const QString& text) { return text.toUtf8().toStdString(); }

// The model a widget or action is bound to (the F1 help looks it up), or nullptr.
TControl* BoundModel(const QObject* object);

// A spin control whose text is the model's: any text may be typed, the arrows step by the
// model's Increment, and leaving the field clamps.
class ModelSpinBox : public QAbstractSpinBox {
public:
    ModelSpinBox(TUpDown& model, std::function<void(const std::function<void()>&)> run, QWidget* parent);
    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString&) const override {}
    void Sync();

protected:
    StepEnabled stepEnabled() const override;

private:
    TUpDown& model;
    std::function<void(const std::function<void()>&)> run;
};

class Binder {
public:
    // `afterAction` runs after every dispatched action (also one that failed).
    explicit Binder(QWidget* owner, std::function<void()> afterAction = {});

    // Runs one user action: exceptions become a message box; pictures repaint afterwards.
    void Run(const std::function<void()>& action);

    void Bind(QPushButton* widget, TButton& model);
    void Bind(QToolButton* widget, TButton& model);
    void Bind(QAction* action, TMenuItem& model);
    // A check item of a menu.
    void Bind(QAction* action, TCheckBox& model);
    // The model's timer: runs while the model is enabled, at its interval; each tick fires the model.
    void Bind(QTimer* timer, TTimer& model);
    // A menu title bound to its item: opening the menu is the item's click.
    void Bind(QMenu* menu, TMenuItem& model);
    void Bind(QCheckBox* widget, TCheckBox& model);
    void Bind(QRadioButton* widget, TRadioButton& model);
    void Bind(QComboBox* widget, TComboBox& model);
    // `display` turns a model line into the text shown (the identity for UTF-8 lines).
    void Bind(QListWidget* widget, TListBox& model, std::function<QString(const std::string&)> display = {});
    void Bind(QLineEdit* widget, TEdit& model);
    void Bind(QLabel* widget, TLabel& model);
    void Bind(QProgressBar* widget, TProgressBar& model);
    ModelSpinBox* MakeSpin(TUpDown& model, QWidget* parent);

private:
    // Shared by every Bind: the model refreshes the widget; the widget's end clears the hook.
    void Attach(QObject* object, TControl& model, std::function<void()> sync);
    QWidget* owner;
    std::function<void()> afterAction;
};
