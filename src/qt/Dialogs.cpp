#include "qt/Dialogs.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QTimer>

#include "app/Version.h"
#include "curves/Codec.h"
#include "curves/Edit.h"
#include "curves/Nickname.h"
#include "formula/FormulaDialog.h"
#include "output/Print.h"
#include "plot/Step.h"
#include "qt/Artwork.h"
#include "qt/PictureWidget.h"

namespace {
template <typename Widget>
Widget* PutAt(Widget* widget, int left, int top, int width = 0, int height = 0) {
    if (width <= 0 || height <= 0) {
        widget->adjustSize();
        if (width <= 0) width = widget->width();
        if (height <= 0) height = widget->height();
    }
    widget->setGeometry(left, top, width, height);
    return widget;
}

QLabel* PlainLabel(const QString& text, QWidget* parent, int left, int top) {
    return PutAt(new QLabel(text, parent), left, top);
}

QPushButton* Button(Binder& binder, TButton& model, QWidget* parent, int left, int top, int width, int height) {
    auto* button = new QPushButton(parent);
    binder.Bind(button, model);
    return PutAt(button, left, top, width, height);
}

QLineEdit* Edit(Binder& binder, TEdit& model, QWidget* parent, int left, int top, int width, int height) {
    auto* edit = new QLineEdit(parent);
    binder.Bind(edit, model);
    return PutAt(edit, left, top, width, height);
}
}  // namespace

FormDialog::FormDialog(TForm& form, QWidget* parent)
    : QDialog(parent), form(form), binder(this, [this] { CloseIfAnswered(); }) {
    setWindowTitle(ToQt(form.Caption));
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(12);
    setFont(font);
}

void FormDialog::CloseIfAnswered() {
    if (form.ModalResult != mrNone && isVisible()) done(form.ModalResult);
}

int FormDialog::ShowModalFor(TForm& shown) {
    shown.ModalResult = mrNone;
    shown.FormShow();
    setWindowTitle(ToQt(shown.Caption));
    Place();
    exec();
    if (shown.ModalResult == mrNone) shown.ModalResult = mrCancel;  // closed by the frame or Escape
    return shown.ModalResult;
}

void FormDialog::Place() {
    QWidget* anchor = parentWidget() ? parentWidget()->window() : nullptr;
    QRect area = anchor ? anchor->frameGeometry() : QGuiApplication::primaryScreen()->availableGeometry();
    MoveFrameTo(area.center().x() - width() / 2, area.center().y() - height() / 2);
}

void FormDialog::MoveFrameTo(int left, int top) { move(left, top); }  // a window's pos is its frame's

StepDialog::StepDialog(TfrmStep& step, QWidget* mainClient, QWidget* parent) : FormDialog(step, parent), mainClient(mainClient) {
    setFixedSize(329, 176);
    PlainLabel(QStringLiteral("STEP"), this, 12, 14);
    Edit(binder, step.edtStep, this, 48, 10, 64, 22);
    PlainLabel(QStringLiteral("回数"), this, 132, 14);
    Edit(binder, step.edtCount, this, 164, 10, 96, 22);
    nextButton = Button(binder, step.btnOk, this, 12, 48, 96, 32);
    nextButton->setDefault(true);
    Button(binder, step.btnAll, this, 116, 48, 96, 32);
    Button(binder, step.btnCancel, this, 220, 48, 96, 32);
    auto* where = new QLabel(this);
    binder.Bind(where, step.lblWhere);
    PutAt(where, 12, 88, 305, 18);
    // Buttons that keep the focus off themselves, so that Space and Enter stay 次を表示.
    auto* back = Button(binder, step.btnBack, this, 12, 112, 96, 28);
    auto* play = Button(binder, step.btnAuto, this, 116, 112, 96, 28);
    play->setCheckable(true);
    auto* speed = new QComboBox(this);
    binder.Bind(speed, step.cmbSpeed);
    PutAt(speed, 220, 114, 96, 24);
    auto* currentOnly = new QCheckBox(this);
    binder.Bind(currentOnly, step.chkCurrentOnly);
    PutAt(currentOnly, 12, 148);
    for (QWidget* widget : std::initializer_list<QWidget*>{back, play, speed, currentOnly}) widget->setFocusPolicy(Qt::NoFocus);
    binder.Bind(new QTimer(this), step.tmrAuto);
    // P plays or pauses, Backspace goes back, as in the picture shown large.
    for (auto [key, button] : {std::pair{Qt::Key_P, play}, std::pair{Qt::Key_Backspace, back}}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
    }
}

void StepDialog::Place() {
    QPoint corner = mainClient ? mainClient->mapToGlobal(QPoint(form.Left, form.Top)) : QPoint(form.Left, form.Top);
    MoveFrameTo(corner.x(), corner.y());
    nextButton->setFocus();  // Space or Enter goes on at once
}

NickNameDialog::NickNameDialog(TfrmNickName& naming, QWidget* parent) : FormDialog(naming, parent) {
    setFixedSize(606, 300);
    auto* prompt = new QLabel(this);
    binder.Bind(prompt, naming.lblPrompt);
    QFont larger = font();
    larger.setPixelSize(16);
    prompt->setFont(larger);
    PutAt(prompt, 32, 48, 540, 24);
    nameEdit = Edit(binder, naming.edtName, this, 32, 96, 540, 28);
    nameEdit->setFont(larger);
    Button(binder, naming.btnOk, this, 332, 220, 112, 34)->setDefault(true);
    Button(binder, naming.btnCancel, this, 460, 220, 112, 34);
}

FormulaDialog::FormulaDialog(TfrmFormula& form, QWidget* parent) : FormDialog(form, parent), formula(form) {
    setFixedSize(560, 400);
    int left = 16;
    for (TRadioButton* kind : {&form.radParametric, &form.radPolar, &form.radEquation}) {
        auto* radio = new QRadioButton(this);
        binder.Bind(radio, *kind);
        PutAt(radio, left, 14);
        left += radio->width() + 24;
    }
    const auto row = [&](TLabel& label, TEdit& edit, int top, int width) {
        auto* caption = new QLabel(this);
        binder.Bind(caption, label);
        PutAt(caption, 16, top + 5, 60, 18);
        return Edit(binder, edit, this, 80, top, width, 26);
    };
    firstEdit = row(form.lblFirst, form.edtFirst, 46, 464);
    row(form.lblSecond, form.edtSecond, 80, 464);
    row(form.lblRange, form.edtRange, 114, 200);
    auto* note = new QLabel(this);
    binder.Bind(note, form.lblRangeNote);
    PutAt(note, 290, 119, 254, 18);
    row(form.lblName, form.edtName, 148, 464);
    auto* preview = new PictureWidget(form.imgPreview, this);
    preview->setObjectName("imgPreview");
    PutAt(preview, 23, 186, form.imgPreview.Width, form.imgPreview.Height);
    form.PreviewChanged = [preview] { preview->update(); };
    auto* message = new QLabel(this);
    binder.Bind(message, form.lblMessage);
    message->setStyleSheet(QStringLiteral("color: #c00000"));
    PutAt(message, 16, 322, 528, 18);
    Button(binder, form.btnOk, this, 312, 352, 112, 34)->setDefault(true);
    Button(binder, form.btnCancel, this, 432, 352, 112, 34);
}

FormulaDialog::~FormulaDialog() { formula.PreviewChanged = nullptr; }

void FormulaDialog::Place() {
    FormDialog::Place();
    firstEdit->setFocus();
}

void NickNameDialog::Place() {
    FormDialog::Place();
    nameEdit->setFocus();
}

EditDialog::EditDialog(TfrmEdit& edit, QWidget* parent) : FormDialog(edit, parent) {
    setFixedSize(758, 500);
    auto* spec = new QLabel(this);
    spec->setProperty("sizeToText", true);
    binder.Bind(spec, edit.lblSpec);
    PutAt(spec, 120, 32);
    Button(binder, edit.btnOk, this, 16, 56, 88, 30);
    auto* labels = new QListWidget(this);
    auto* values = new QListWidget(this);
    for (QListWidget* list : {labels, values}) {
        list->setProperty("lineHeight", 12);
        list->setSelectionMode(QAbstractItemView::NoSelection);
        list->setUniformItemSizes(true);
        QFont small = font();
        small.setPixelSize(12);
        list->setFont(small);
    }
    binder.Bind(labels, edit.lstContents);
    binder.Bind(values, edit.lstBuffer, [](const std::string& line) { return ToQt(Cp932ToUtf8(line)); });
    PutAt(labels, 120, 56, 73, 385);
    PutAt(values, 193, 56, 319, 385);
}

VersionDialog::VersionDialog(TfrmVersion& version, QWidget* parent) : FormDialog(version, parent) {
    setFixedSize(413, 320);
    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(64, 64));
    PutAt(icon, 32, 40, 64, 64);
    auto* product = new QLabel(this);
    QFont larger = font();
    larger.setPixelSize(18);
    product->setFont(larger);
    product->setProperty("sizeToText", true);
    binder.Bind(product, version.lblProductName);
    PutAt(product, 120, 52);
    auto* label = new QLabel(this);
    label->setProperty("sizeToText", true);
    QFont medium = font();
    medium.setPixelSize(14);
    label->setFont(medium);
    binder.Bind(label, version.lblVersion);
    PutAt(label, 120, 100, 260, 20);
    Button(binder, version.btnOK, this, 156, 252, 100, 32)->setDefault(true);
}

void VersionDialog::Place() {
    QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    MoveFrameTo(screen.center().x() - width() / 2, screen.center().y() - height() / 2);
}

PrintPreviewDialog::PrintPreviewDialog(TfrmPrint& print, QWidget* parent) : FormDialog(print, parent) {
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("previewScroll");
    preview = new PictureWidget(print.imgCood, scroll);
    preview->setFixedSize(print.imgCood.canvas.Width(), print.imgCood.canvas.Height());
    scroll->setWidget(preview);
    scroll->setGeometry(8, 8, 600 + 24, 849 + 4);

    int x = 650;
    PlainLabel(QStringLiteral("左余白"), this, x, 24);
    PutAt(binder.MakeSpin(print.spnLeft, this), x + 64, 20, 64, 26);
    PlainLabel(QStringLiteral("上余白"), this, x, 60);
    PutAt(binder.MakeSpin(print.spnTop, this), x + 64, 56, 64, 26);
    auto* size = new QGroupBox(QStringLiteral("サイズ（％）"), this);
    PutAt(size, x, 96, 140, 60);
    PutAt(binder.MakeSpin(print.spnShukusho, size), 16, 24, 64, 26);
    auto* date = new QCheckBox(this);
    binder.Bind(date, print.chkDate);
    PutAt(date, x, 172);
    Edit(binder, print.edtFile, this, x, 200, 400, 24);
    Button(binder, print.btnPrint, this, x, 248, 112, 36);
    Button(binder, print.btnClose, this, x + 128, 248, 112, 36);
}

void PrintPreviewDialog::Place() {
    auto& print = static_cast<TfrmPrint&>(form);
    preview->setFixedSize(print.imgCood.canvas.Width(), print.imgCood.canvas.Height());
    QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    int width = print.Width > 0 ? print.Width : 1060;
    int height = std::min(print.Height > 0 ? print.Height : screen.height(), screen.height() - 32);
    resize(width, height);
    if (auto* scroll = findChild<QScrollArea*>("previewScroll")) {
        scroll->setGeometry(8, 8, 600 + 24, std::max(200, std::min(849 + 4, height - 16)));
    }
    MoveFrameTo(print.Left, print.Top);
}
