#include "qt/MainWindow.h"

#include <map>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

#include "qt/Artwork.h"
#include "qt/Dialogs.h"
#include "qt/HelpWindow.h"
#include "qt/LargeView.h"
#include "qt/PropertiesView.h"
#include "qt/PictureWidget.h"

namespace {
// The faces that stand in for the system's fonts on this platform.
QFont Face(const char* family, int pixelSize, bool bold = false) {
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}
QFont PGothic(int pixelSize, bool bold = false) { return Face("IPAPGothic", pixelSize, bold); }
QFont Gothic(int pixelSize) { return Face("IPAGothic", pixelSize); }

// Captions of the containers that have no model of their own.
const std::map<std::string_view, const char*> GroupCaptions = {
    {"grpWidth", ""}, {"grpHeniki", "変域"}, {"grpRepeat", "反復表示"}};

QRect ToQRect(const TRect& rect) { return QRect(rect.left, rect.top, rect.Width(), rect.Height()); }

// The keys of the commands, by the name of the menu item or button whose command they give. A menu
// item shows its key in the menu. A text field that has the focus keeps the keys it uses itself
// (Ctrl+C copies its text there, not the picture).
const std::map<std::string_view, QKeySequence> ShortcutKeys = {
    {"btnDraw", QKeySequence(Qt::Key_F5)},
    {"Save1", QKeySequence(Qt::CTRL | Qt::Key_S)},
    {"mnuPrint", QKeySequence(Qt::CTRL | Qt::Key_P)},
    {"mnuClipBoard", QKeySequence(Qt::CTRL | Qt::Key_C)},
    {"mnuShowLarge", QKeySequence(Qt::Key_F11)},
    {"mnuProperties", QKeySequence(Qt::Key_F7)},
    {"mnuFormula", QKeySequence(Qt::Key_F6)},
};
}  // namespace

MainWindow::MainWindow(TfrmMain& form, QtPlatform& platform)
    : form(form), platform(platform), binder(this, [this] {
          if (this->form.CloseRequested) close();
      }),
      client(new QWidget(this)) {
    setWindowTitle(ToQt(form.Caption));
    setWindowIcon(ProgramIcon());
    setFont(PGothic(12));
    client->setObjectName("frmMain");
    setCentralWidget(client);
    BuildMenus();
    BuildToolBarAndPanel();
    AddShortcuts();
    ApplyLayout(platform.Screen());

    auto* step = new StepDialog(form.frmStep, client, this);
    auto* naming = new NickNameDialog(form.frmNickName, this);
    auto* contents = new EditDialog(form.frmEdit, this);
    auto* version = new VersionDialog(form.frmVersion, this);
    auto* print = new PrintPreviewDialog(form.frmPrint, this);
    auto* formula = new FormulaDialog(form.frmFormula, this);
    step->setObjectName("frmStep");
    naming->setObjectName("frmNickName");
    contents->setObjectName("frmEdit");
    version->setObjectName("frmVersion");
    print->setObjectName("frmPrint");
    formula->setObjectName("frmFormula");
    platform.RegisterView(form.frmStep.Name, step);
    platform.RegisterView(form.frmNickName.Name, naming);
    platform.RegisterView(form.frmEdit.Name, contents);
    platform.RegisterView(form.frmVersion.Name, version);
    platform.RegisterView(form.frmPrint.Name, print);
    platform.RegisterView(form.frmFormula.Name, formula);
    binder.Bind(new QTimer(this), form.tmrAnime);
    large = new LargeView(form.frmLarge, this);
    platform.SetLargeView(large);
    platform.SetPropertiesView(new PropertiesView(form.frmProperties, this));
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    // The widgets go while the binder their signals call is still alive.
    delete menuBar();
    delete client;
    for (const char* name : {"frmStep", "frmNickName", "frmEdit", "frmVersion", "frmPrint", "frmFormula"}) platform.RegisterView(name, nullptr);
}

void MainWindow::Start() {
    binder.Run([this] { form.FormShow(); });
}

void MainWindow::ApplyLayout(ScreenSize screen) {
    laidOutFor = screen;
    MainLayout layout = ComputeMainLayout(screen);
    form.grpParamLeft = layout.grpParam.left;
    form.grpParamTop = layout.grpParam.top;
    move(layout.window.left, layout.window.top);
    resize(layout.window.Width(), layout.window.Height());
    if (isVisible()) FitFrame();
    if (QWidget* toolBar = Widget("pnlMain")) toolBar->setGeometry(0, 0, layout.window.Width(), layout.toolBarHeight);
    picture->setGeometry(ToQRect(layout.picture));
    Widget("lstShiki")->setGeometry(ToQRect(layout.lstShiki));
    Widget("grpParam")->setGeometry(ToQRect(layout.grpParam));
    Widget("lstComment")->setGeometry(ToQRect(layout.lstComment));
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!frameFitted) FitFrame();
}

void MainWindow::FitFrame() {
    // The window's size includes its frame; the frame is known only once the window is shown.
    frameFitted = true;
    MainLayout layout = ComputeMainLayout(laidOutFor);
    QSize frame = frameGeometry().size() - geometry().size();
    resize(layout.window.Width() - frame.width(), layout.window.Height() - frame.height());
    move(layout.window.left, layout.window.top);
}

QWidget* MainWindow::Widget(const QString& name) const {
    if (name == "imgCood") return picture;
    return client->findChild<QWidget*>(name);
}

void MainWindow::BuildMenus() {
    for (const MenuPlace& place : MenuPlaces()) {
        auto* menu = new QMenu(this);
        menu->setObjectName(ToQt(std::string(place.title)));
        binder.Bind(menu, MenuItem(place.title));
        for (std::string_view name : place.items) {
            if (name == "-") {
                menu->addSeparator();
                continue;
            }
            auto* action = new QAction(menu);
            action->setObjectName(ToQt(std::string(name)));
            if (auto* check = dynamic_cast<TCheckBox*>(form.FindControl(name))) binder.Bind(action, *check);
            else binder.Bind(action, MenuItem(name));
            menu->addAction(action);
        }
        menuBar()->addMenu(menu);
        menu->installEventFilter(this);
    }
}

TMenuItem& MainWindow::MenuItem(std::string_view name) const {
    auto* item = dynamic_cast<TMenuItem*>(form.FindControl(name));
    Q_ASSERT_X(item, "MainWindow::BuildMenus", "MenuPlaces names a menu item TfrmMain does not declare");
    return *item;
}

void MainWindow::AddShortcuts() {
    for (const auto& [name, keys] : ShortcutKeys) {
        const QString objectName = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        if (auto* item = findChild<QAction*>(objectName)) {
            item->setShortcut(keys);
            continue;
        }
        // A button's caption sets its own shortcut (its mnemonic), so the key is an action of the
        // window that presses the button, as a click would.
        auto* button = qobject_cast<QAbstractButton*>(Widget(objectName));
        Q_ASSERT_X(button, "MainWindow::AddShortcuts", "ShortcutKeys names a control that is neither a menu item nor a button");
        auto* press = new QAction(this);
        press->setShortcut(keys);
        addAction(press);
        connect(press, &QAction::triggered, button, &QAbstractButton::click);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    // The program ends with its main window: the help window and the picture shown large, windows
    // of their own, must not keep it running.
    if (event->isAccepted() && platform.Help()) platform.Help()->close();
    if (event->isAccepted()) large->close();
}

void MainWindow::BuildToolBarAndPanel() {
    auto* toolBar = new QFrame(client);
    toolBar->setObjectName("pnlMain");
    toolBar->setFrameShape(QFrame::StyledPanel);
    toolBar->setFrameShadow(QFrame::Raised);

    auto* shiki = new QListWidget(client);
    shiki->setObjectName("lstShiki");
    shiki->setFont(Gothic(16));
    shiki->setProperty("lineHeight", 19);
    shiki->setSelectionMode(QAbstractItemView::ExtendedSelection);
    shiki->setCursor(ProgramCursor("FingerCSR"));
    binder.Bind(shiki, form.lstShiki);

    auto* param = new QGroupBox(client);
    param->setObjectName("grpParam");
    param->setProperty("quorbelModel", QVariant::fromValue(static_cast<void*>(&form.grpParam)));
    TControl& group = form.grpParam;
    group.ViewChanged = [param, &group] { param->setEnabled(group.Enabled()); };
    connect(param, &QObject::destroyed, [&group] { group.ViewChanged = nullptr; });

    auto* comment = new QListWidget(client);
    comment->setObjectName("lstComment");
    comment->setFont(PGothic(16));
    comment->setProperty("lineHeight", 16);
    comment->setSelectionMode(QAbstractItemView::NoSelection);
    comment->setFocusPolicy(Qt::NoFocus);
    binder.Bind(comment, form.lstComment);

    picture = new PictureWidget(form.view.imgCood, client);
    picture->SetDrawing(&form.view.drawing);
    picture->setObjectName("imgCood");
    picture->setCursor(ProgramCursor("PencilCSR"));

    std::map<std::string_view, QWidget*> containers = {{"pnlMain", toolBar}, {"grpParam", param}};
    for (const ControlPlace& place : ControlPlaces()) {
        QWidget* widget = MakeControl(place, containers.at(place.container));
        if (place.name.starts_with("grp")) containers[place.name] = widget;
    }
}

QWidget* MainWindow::MakeControl(const ControlPlace& place, QWidget* container) {
    QString name = QString::fromUtf8(place.name.data(), static_cast<qsizetype>(place.name.size()));
    TControl* model = form.FindControl(place.name);
    QWidget* widget = nullptr;
    bool repeatLabel = place.container == "grpRepeat";

    if (auto group = GroupCaptions.find(place.name); group != GroupCaptions.end()) {
        widget = new QGroupBox(QString::fromUtf8(group->second), container);
    } else if (place.name == "imgSample1" || place.name == "imgSample2") {
        widget = new PictureWidget(place.name == "imgSample1" ? form.imgSample1 : form.imgSample2, container);
    } else if (auto* speed = dynamic_cast<TSpeedButton*>(model); speed && place.name.starts_with("spd")) {
        auto* button = new QToolButton(container);
        button->setIcon(ToolGlyph(name));
        button->setIconSize(QSize(20, 20));
        button->setCheckable(name == "spdOpenFile" || name == "spdKihonOpen" || name == "spdUserOpen");
        binder.Bind(button, *speed);
        widget = button;
    } else if (auto* push = dynamic_cast<TButton*>(model)) {
        auto* button = new QPushButton(container);
        binder.Bind(button, *push);
        widget = button;
    } else if (auto* spin = dynamic_cast<TUpDown*>(model)) {
        widget = binder.MakeSpin(*spin, container);
        widget->setFont(PGothic(16));
    } else if (auto* check = dynamic_cast<TCheckBox*>(model)) {
        auto* box = new QCheckBox(container);
        binder.Bind(box, *check);
        widget = box;
    } else if (auto* radio = dynamic_cast<TRadioButton*>(model)) {
        auto* button = new QRadioButton(container);
        binder.Bind(button, *radio);
        if (repeatLabel) button->setFont(PGothic(13));
        widget = button;
    } else if (auto* combo = dynamic_cast<TComboBox*>(model)) {
        auto* box = new QComboBox(container);
        binder.Bind(box, *combo);
        widget = box;
    } else if (auto* edit = dynamic_cast<TEdit*>(model)) {
        auto* line = new QLineEdit(container);
        binder.Bind(line, *edit);
        widget = line;
    } else if (auto* progress = dynamic_cast<TProgressBar*>(model)) {
        auto* bar = new QProgressBar(container);
        bar->setTextVisible(false);
        binder.Bind(bar, *progress);
        widget = bar;
    } else if (auto* label = dynamic_cast<TLabel*>(model)) {
        auto* text = new QLabel(container);
        text->setFont(PGothic(16));
        text->setProperty("sizeToText", true);
        binder.Bind(text, *label);
        widget = text;
    } else {
        // A label without a model: its caption is its name after "lbl".
        auto* text = new QLabel(name.mid(3), container);
        if (name == "lbla" || name == "lblb" || name == "lblc") {
            text->setFont(PGothic(16, name == "lblc"));
        } else if (repeatLabel) {
            text->setFont(PGothic(13));
        }
        widget = text;
    }
    widget->setObjectName(name);
    const TRect& rect = place.rect;
    int width = rect.Width();
    int height = rect.Height();
    if (width <= 0 || height <= 0) {
        widget->adjustSize();
        QSize hint = widget->sizeHint();
        if (width <= 0) width = hint.width();
        if (height <= 0) height = hint.height();
    }
    widget->setGeometry(rect.left, rect.top, width, height);
    return widget;
}

int MainWindow::HelpContextFor(QObject* object) const {
    for (QObject* at = object; at; at = at->parent()) {
        if (TControl* model = BoundModel(at); model && model->HelpContext != 0) return model->HelpContext;
        if (at == this) break;
    }
    return form.HelpContext;
}

bool MainWindow::LargeKeyInStepDialog(QObject* watched, QEvent* event) {
    // The STEP dialog, modal, keeps the window's keys from it; the key of 大きく表示 works there
    // too, so that a STEP display can go on in the picture shown large.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() != QEvent::KeyPress || !widget || widget->window()->objectName() != "frmStep") return false;
    if (QKeySequence(static_cast<QKeyEvent*>(event)->keyCombination()) != ShortcutKeys.at("mnuShowLarge")) return false;
    binder.Run([this] { form.mnuShowLarge.Click(); });
    return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (LargeKeyInStepDialog(watched, event)) return true;
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1) return false;
    QObject* subject = nullptr;
    if (auto* menu = qobject_cast<QMenu*>(watched)) {
        subject = menu->activeAction() ? static_cast<QObject*>(menu->activeAction()) : menu->menuAction();
        while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    } else if (auto* widget = qobject_cast<QWidget*>(watched); widget && widget->window() == this) {
        subject = QApplication::focusWidget() ? QApplication::focusWidget() : widget;
    }
    if (!subject) return false;
    int context = HelpContextFor(subject);
    binder.Run([this, context] { form.ShowContextHelp(context); });
    return true;
}
