#include "qt/LargeView.h"

#include <cmath>

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>

#include "qt/Dialogs.h"
#include "qt/PictureWidget.h"

namespace {
constexpr const char* StepDialogName = "frmStep";
}

LargeView::LargeView(TfrmLarge& form, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), form(form), binder(this, [this] {
          // A key may have answered the STEP dialog behind this view, or ended the view.
          if (auto* dialog = dynamic_cast<FormDialog*>(QApplication::activeModalWidget())) dialog->CloseIfAnswered();
          if (!this->form.Showing()) hide();
      }) {
    setObjectName(ToQt(form.Name));
    setWindowTitle(ToQt(form.Caption));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    setCursor(Qt::BlankCursor);
    picture = new PictureWidget(form.view.imgCood, this);
    picture->setObjectName("imgCood");
    picture->SetDrawing(&form.view.drawing);
    qApp->installEventFilter(this);
}

LargeView::~LargeView() { qApp->removeEventFilter(this); }

void LargeView::Open() {
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    setGeometry(screen->geometry());
    showFullScreen();
    raise();
    activateWindow();
}

void LargeView::resizeEvent(QResizeEvent*) {
    const double zoom = TfrmLarge::ScaleFor({width(), height()});
    picture->SetZoom(zoom);
    const QSize size = picture->sizeHint();
    picture->setGeometry((width() - size.width()) / 2, (height() - size.height()) / 2, size.width(), size.height());
}

void LargeView::closeEvent(QCloseEvent* event) {
    form.btnBack.Click();  // closed by the window's frame: as Escape
    QWidget::closeEvent(event);
}

bool LargeView::TakesKeysOf(QObject* watched) const {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return false;
    QWidget* window = widget->window();
    return window == this || (window->objectName() == StepDialogName && window == QApplication::activeModalWidget());
}

bool LargeView::eventFilter(QObject* watched, QEvent* event) {
    if (!isVisible()) return false;
    if (event->type() == QEvent::Show && watched->objectName() == StepDialogName) {
        // The dialog shows for every pause; the picture stays in front of it.
        QTimer::singleShot(0, this, [this] {
            if (isVisible()) raise();
        });
        return false;
    }
    if (event->type() != QEvent::KeyPress || !TakesKeysOf(watched)) return false;
    TButton* button = nullptr;
    switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: button = &form.btnDraw; break;
        case Qt::Key_Space: button = &form.btnNext; break;
        case Qt::Key_Escape: button = &form.btnBack; break;
        case Qt::Key_P: button = &form.btnPlay; break;
        case Qt::Key_Backspace: button = &form.btnStepBack; break;
        default: return false;
    }
    binder.Run([button] { button->Click(); });
    return true;
}
