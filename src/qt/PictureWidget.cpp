#include "qt/PictureWidget.h"

#include <algorithm>
#include <vector>

#include <QPainter>

namespace {
std::vector<PictureWidget*>& AllPictures() {
    static std::vector<PictureWidget*> pictures;
    return pictures;
}
}  // namespace

QImage WrapBitmap(const Bitmap& bitmap) {
    if (bitmap.Width() == 0 || bitmap.Height() == 0) return {};
    return QImage(reinterpret_cast<const uchar*>(bitmap.Pixels().data()), bitmap.Width(), bitmap.Height(),
                  bitmap.Width() * 4, QImage::Format_RGBX8888);
}

PictureWidget::PictureWidget(const TImage& image, QWidget* parent) : QWidget(parent), image(image) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    AllPictures().push_back(this);
}

PictureWidget::~PictureWidget() {
    auto& pictures = AllPictures();
    pictures.erase(std::remove(pictures.begin(), pictures.end(), this), pictures.end());
}

QSize PictureWidget::sizeHint() const { return {image.canvas.Width(), image.canvas.Height()}; }

void PictureWidget::RepaintAll() {
    for (PictureWidget* picture : AllPictures()) picture->update();
}

void PictureWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const Bitmap& bitmap = image.canvas.Picture();
    painter.fillRect(rect(), palette().window());
    painter.drawImage(0, 0, WrapBitmap(bitmap));
}
