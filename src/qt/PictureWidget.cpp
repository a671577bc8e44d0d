#include "qt/PictureWidget.h"

#include <algorithm>
#include <cmath>
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

QSize PictureWidget::sizeHint() const {
    return {static_cast<int>(std::ceil(image.canvas.Width() * zoom)), static_cast<int>(std::ceil(image.canvas.Height() * zoom))};
}

void PictureWidget::SetZoom(double value) {
    zoom = value;
    update();
}

void PictureWidget::RepaintAll() {
    for (PictureWidget* picture : AllPictures()) picture->update();
}

void PictureWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const Bitmap& bitmap = image.canvas.Picture();
    painter.fillRect(rect(), palette().window());
    const double ratio = devicePixelRatioF();
    const double scale = zoom * ratio;
    if (zoom == 1 && (ratio == 1 || !drawing)) {
        painter.drawImage(0, 0, WrapBitmap(bitmap));
        return;
    }
    if (!drawing) {
        painter.drawImage(QRectF(0, 0, bitmap.Width() * zoom, bitmap.Height() * zoom), WrapBitmap(bitmap));
        return;
    }
    if (!fine || fine->Scale() != scale) {
        fine.emplace(ScaledCanvas::ForPicture(bitmap.Width(), bitmap.Height(), scale));
        replayed = {};
    }
    // A cleared picture's drawing begins with the clearing, so a replay that starts again clears too.
    drawing->ReplayFrom(*fine, replayed);
    QImage shown = WrapBitmap(fine->Picture());
    shown.setDevicePixelRatio(ratio);
    painter.drawImage(QPointF(0, 0), shown);
}
