#include "qt/Bindings.h"

#include <exception>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <QVariant>

#include "qt/PictureWidget.h"

namespace {
constexpr const char* ModelProperty = "quorbelModel";

void SyncCommon(QWidget* widget, const TControl& model) {
    widget->setEnabled(model.Enabled());
    widget->setVisible(model.Visible());
    widget->setToolTip(ToQt(model.Hint));
}
}  // namespace

TControl* BoundModel(const QObject* object) {
    if (!object) return nullptr;
    return static_cast<TControl*>(object->property(ModelProperty).value<void*>());
}

ModelSpinBox::ModelSpinBox(TUpDown& model, std::function<void(const std::function<void()>&)> run, QWidget* parent)
    : QAbstractSpinBox(parent), model(model), run(std::move(run)) {
    setAccelerated(false);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        this->run([this, typed = FromQt(text)] { this->model.UserTypeText(typed); });
    });
    connect(this, &QAbstractSpinBox::editingFinished, this, [this] { this->run([this] { this->model.UserLeave(); }); });
}

void ModelSpinBox::stepBy(int steps) {
    run([this, steps] { model.UserStep(steps * model.Increment); });
    Sync();
}

QValidator::State ModelSpinBox::validate(QString&, int&) const { return QValidator::Acceptable; }

QAbstractSpinBox::StepEnabled ModelSpinBox::stepEnabled() const {
    StepEnabled enabled = StepNone;
    if (model.Value() < model.Max()) enabled |= StepUpEnabled;
    if (model.Value() > model.Min()) enabled |= StepDownEnabled;
    return enabled;
}

void ModelSpinBox::Sync() {
    QString text = ToQt(model.Text());
    if (lineEdit()->text() != text) lineEdit()->setText(text);
    SyncCommon(this, model);
    update();
}

Binder::Binder(QWidget* owner, std::function<void()> afterAction) : owner(owner), afterAction(std::move(afterAction)) {}

void Binder::Run(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        QMessageBox::critical(owner, owner ? owner->window()->windowTitle() : QString(), ToQt(error.what()));
    } catch (...) {
        QMessageBox::critical(owner, owner ? owner->window()->windowTitle() : QString(), QStringLiteral("不明なエラー"));
    }
    PictureWidget::RepaintAll();
    if (afterAction) afterAction();
}

void Binder::Attach(QObject* object, TControl& model, std::function<void()> sync) {
    object->setProperty(ModelProperty, QVariant::fromValue(static_cast<void*>(&model)));
    if (object->objectName().isEmpty()) object->setObjectName(ToQt(model.Name));
    model.ViewChanged = sync;
    QObject::connect(object, &QObject::destroyed, [&model] { model.ViewChanged = nullptr; });
    sync();
}

void Binder::Bind(QPushButton* widget, TButton& model) {
    auto sync = [widget, &model] {
        widget->setText(ToQt(model.Caption()));
        if (widget->isCheckable()) widget->setChecked(model.Down());
        SyncCommon(widget, model);
    };
    Attach(widget, model, sync);
    QObject::connect(widget, &QPushButton::clicked, widget, [this, &model, widget, sync] {
        Run([&model] { model.Click(); });
        // A checkable button toggles itself; the model decides whether it stays down.
        if (widget->isCheckable()) sync();
    });
}

void Binder::Bind(QToolButton* widget, TButton& model) {
    auto sync = [widget, &model] {
        widget->setChecked(model.Down());
        SyncCommon(widget, model);
    };
    Attach(widget, model, sync);
    QObject::connect(widget, &QToolButton::clicked, widget, [this, &model, sync] {
        Run([&model] { model.Click(); });
        sync();  // a checkable button toggles itself; the model decides whether it stays down
    });
}

void Binder::Bind(QAction* action, TMenuItem& model) {
    Attach(action, model, [action, &model] {
        action->setText(ToQt(model.Caption()));
        action->setEnabled(model.Enabled());
        action->setVisible(model.Visible());
    });
    QObject::connect(action, &QAction::triggered, action, [this, &model] { Run([&model] { model.Click(); }); });
}

void Binder::Bind(QAction* action, TCheckBox& model) {
    action->setCheckable(true);
    auto sync = [action, &model] {
        action->setText(ToQt(model.Caption()));
        action->setChecked(model.Checked());
        action->setEnabled(model.Enabled());
        action->setVisible(model.Visible());
    };
    Attach(action, model, sync);
    QObject::connect(action, &QAction::triggered, action, [this, &model, sync] {
        Run([&model] { model.UserClick(); });
        sync();
    });
}

void Binder::Bind(QTimer* timer, TTimer& model) {
    Attach(timer, model, [timer, &model] {
        if (!model.Enabled()) {
            timer->stop();
        } else if (!timer->isActive() || timer->interval() != model.Interval()) {
            timer->start(model.Interval());
        }
    });
    QObject::connect(timer, &QTimer::timeout, timer, [this, &model] { Run([&model] { model.Fire(); }); });
}

void Binder::Bind(QMenu* menu, TMenuItem& model) {
    Attach(menu, model, [menu, &model] {
        menu->setTitle(ToQt(model.Caption()));
        menu->menuAction()->setEnabled(model.Enabled());
        menu->menuAction()->setVisible(model.Visible());
    });
    menu->menuAction()->setProperty(ModelProperty, QVariant::fromValue(static_cast<void*>(&model)));
    QObject::connect(menu, &QMenu::aboutToShow, menu, [this, &model] { Run([&model] { model.Click(); }); });
}

void Binder::Bind(QCheckBox* widget, TCheckBox& model) {
    auto sync = [widget, &model] {
        widget->setText(ToQt(model.Caption()));
        widget->setChecked(model.Checked());
        SyncCommon(widget, model);
    };
    Attach(widget, model, sync);
    QObject::connect(widget, &QCheckBox::clicked, widget, [this, &model, sync] {
        Run([&model] { model.UserClick(); });
        sync();
    });
}

void Binder::Bind(QRadioButton* widget, TRadioButton& model) {
    widget->setAutoExclusive(false);  // the model's group decides which button is on
    auto sync = [widget, &model] {
        widget->setText(ToQt(model.Caption()));
        widget->setChecked(model.Checked());
        SyncCommon(widget, model);
    };
    Attach(widget, model, sync);
    QObject::connect(widget, &QRadioButton::clicked, widget, [this, &model, sync] {
        Run([&model] { model.UserClick(); });
        sync();
    });
}

void Binder::Bind(QComboBox* widget, TComboBox& model) {
    Attach(widget, model, [widget, &model] {
        QSignalBlocker blocker(widget);
        if (widget->count() != static_cast<int>(model.Items().size())) {
            widget->clear();
            for (const std::string& item : model.Items()) widget->addItem(ToQt(item));
        }
        widget->setCurrentIndex(model.ItemIndex());
        SyncCommon(widget, model);
    });
    QObject::connect(widget, &QComboBox::activated, widget, [this, widget, &model](int index) {
        Run([&model, index] { model.UserSelect(index); });
        QSignalBlocker blocker(widget);
        widget->setCurrentIndex(model.ItemIndex());
    });
}

void Binder::Bind(QListWidget* widget, TListBox& model, std::function<QString(const std::string&)> display) {
    if (!display) display = [](const std::string& line) { return ToQt(line); };
    // While the view mirrors the model, its own signals are not the user's.
    auto syncing = std::make_shared<bool>(false);
    auto rowJustChanged = std::make_shared<bool>(false);
    auto sync = [widget, &model, display, syncing] {
        *syncing = true;
        QSignalBlocker blocker(widget);
        int count = model.Count();
        while (widget->count() > count) delete widget->takeItem(widget->count() - 1);
        for (int i = 0; i < count; ++i) {
            QString text = display(model.Item(i));
            if (i >= widget->count()) {
                auto* item = new QListWidgetItem(text, widget);
                QVariant height = widget->property("lineHeight");
                if (height.isValid()) item->setSizeHint(QSize(0, height.toInt()));
            } else if (widget->item(i)->text() != text) {
                widget->item(i)->setText(text);
            }
            widget->item(i)->setSelected(model.Selected(i));
        }
        widget->setCurrentRow(model.ItemIndex(), QItemSelectionModel::NoUpdate);
        SyncCommon(widget, model);
        *syncing = false;
    };
    Attach(widget, model, sync);
    // A click on a new line changes the current row (on the press) and then reports the click;
    // the model hears it once. Moving with the keys changes the row only.
    QObject::connect(widget, &QListWidget::currentRowChanged, widget, [this, &model, syncing, rowJustChanged, sync](int row) {
        if (*syncing || row < 0) return;
        *rowJustChanged = true;
        Run([&model, row] { model.UserClick(row); });
        sync();
    });
    QObject::connect(widget, &QListWidget::itemClicked, widget, [this, widget, &model, rowJustChanged, sync](QListWidgetItem* item) {
        if (*rowJustChanged) {
            *rowJustChanged = false;
            return;
        }
        int row = widget->row(item);
        Run([&model, row] { model.UserClick(row); });
        sync();
    });
}

void Binder::Bind(QLineEdit* widget, TEdit& model) {
    Attach(widget, model, [widget, &model] {
        QString text = ToQt(model.Text());
        if (widget->text() != text) widget->setText(text);
        widget->setReadOnly(model.ReadOnly);
        SyncCommon(widget, model);
    });
    QObject::connect(widget, &QLineEdit::textEdited, widget, [this, &model](const QString& text) {
        Run([&model, typed = FromQt(text)] { model.UserTypeText(typed); });
    });
}

void Binder::Bind(QLabel* widget, TLabel& model) {
    Attach(widget, model, [widget, &model] {
        widget->setText(ToQt(model.Caption()));
        if (widget->property("sizeToText").toBool()) widget->adjustSize();
        SyncCommon(widget, model);
    });
}

void Binder::Bind(QProgressBar* widget, TProgressBar& model) {
    Attach(widget, model, [widget, &model] {
        widget->setMaximum(model.Max());
        widget->setValue(model.Position());
        SyncCommon(widget, model);
    });
}

ModelSpinBox* Binder::MakeSpin(TUpDown& model, QWidget* parent) {
    auto* spin = new ModelSpinBox(model, [this](const std::function<void()>& action) { Run(action); }, parent);
    Attach(spin, model, [spin] { spin->Sync(); });
    return spin;
}
