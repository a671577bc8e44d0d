#include "qt/PropertiesView.h"

#include <QCloseEvent>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include "qt/Bindings.h"

PropertiesView::PropertiesView(TfrmProperties& form, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool), form(form) {
    setObjectName(ToQt(form.Name));
    setWindowTitle(ToQt(form.Caption));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    picture = new QLabel(this);
    picture->setObjectName("imgProperties");
    layout->addWidget(picture);
    form.PictureChanged = [this] { ShowPicture(); };
    ShowPicture();
}

PropertiesView::~PropertiesView() { form.PictureChanged = nullptr; }

void PropertiesView::ShowPicture() {
    const Bitmap& bitmap = form.Picture();
    // A Bitmap pixel is the system's colour value, red in the low byte: RGBX8888 as it is.
    const QImage image(reinterpret_cast<const uchar*>(bitmap.Pixels().data()), bitmap.Width(), bitmap.Height(),
                       bitmap.Width() * 4, QImage::Format_RGBX8888);
    picture->setPixmap(QPixmap::fromImage(image.copy()));
    picture->setFixedSize(bitmap.Width(), bitmap.Height());
    setFixedSize(bitmap.Width(), bitmap.Height());
    if (!form.Showing()) hide();
}

void PropertiesView::Open() {
    ShowPicture();
    if (parentWidget() && !isVisible()) {
        const QRect main = parentWidget()->frameGeometry();
        move(main.right() + 8, main.top());
    }
    show();
    raise();
}

void PropertiesView::closeEvent(QCloseEvent* event) {
    form.btnClose.Click();
    QWidget::closeEvent(event);
}
