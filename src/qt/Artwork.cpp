#include "qt/Artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
QPixmap Blank(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A little open folder with a sheet sticking out: the three collections share it, each with its
// own mark on the sheet.
void DrawFolder(QPainter& p, const QColor& folder) {
    p.setPen(QPen(QColor(90, 70, 20), 1));
    p.setBrush(folder.darker(115));
    p.drawRect(2, 6, 15, 11);
    p.setBrush(Qt::white);
    p.drawRect(5, 3, 10, 9);
    p.setBrush(folder);
    QPolygon front({QPoint(2, 17), QPoint(5, 9), QPoint(20, 9), QPoint(17, 17)});
    p.drawPolygon(front);
}

QIcon OpenFileGlyph() {
    QPixmap pixmap = Blank(20);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    DrawFolder(p, QColor(240, 200, 80));
    p.setPen(QPen(QColor(200, 30, 30), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(7, 4, 6, 4));  // a small curve on the sheet
    return QIcon(pixmap);
}

QIcon KihonOpenGlyph() {
    QPixmap pixmap = Blank(20);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    DrawFolder(p, QColor(130, 200, 240));
    p.setPen(QPen(QColor(200, 40, 140), 1));
    p.setBrush(Qt::NoBrush);
    for (int turn = 0; turn < 3; ++turn) {  // three petals of a flower
        p.save();
        p.translate(10, 6);
        p.rotate(60 * turn);
        p.drawEllipse(QRectF(-3.5, -1.2, 7, 2.4));
        p.restore();
    }
    return QIcon(pixmap);
}

QIcon UserOpenGlyph() {
    QPixmap pixmap = Blank(20);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    DrawFolder(p, QColor(150, 220, 130));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 90, 200));
    p.drawEllipse(QRectF(8, 3.5, 4, 4));       // a head
    p.drawChord(QRectF(6, 7, 8, 7), 0, 180 * 16);  // shoulders
    return QIcon(pixmap);
}

QIcon SaveGlyph() {
    QPixmap pixmap = Blank(20);
    QPainter p(&pixmap);
    p.setPen(QPen(QColor(20, 20, 60), 1));
    p.setBrush(QColor(60, 80, 170));
    p.drawRect(2, 2, 16, 16);
    p.setBrush(Qt::white);
    p.drawRect(5, 2, 10, 6);
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(5, 12, 10, 6);
    p.fillRect(12, 3, 2, 4, QColor(60, 80, 170));
    return QIcon(pixmap);
}

QIcon PrintGlyph() {
    QPixmap pixmap = Blank(20);
    QPainter p(&pixmap);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(Qt::white);
    p.drawRect(5, 1, 10, 7);
    p.setBrush(QColor(170, 170, 170));
    p.drawRect(1, 7, 18, 7);
    p.setBrush(Qt::white);
    p.drawRect(5, 12, 10, 6);
    p.drawLine(7, 14, 13, 14);
    p.drawLine(7, 16, 13, 16);
    p.fillRect(15, 9, 2, 2, QColor(40, 180, 40));
    return QIcon(pixmap);
}

QIcon LineColorGlyph() {
    QPixmap pixmap = Blank(20);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath wave;
    wave.moveTo(2, 15);
    wave.cubicTo(6, 2, 12, 20, 18, 5);
    p.setPen(QPen(QColor(220, 30, 30), 2.5));
    p.drawPath(wave);
    p.setPen(QPen(QColor(30, 120, 220), 2));
    p.drawLine(QPointF(3, 18.5), QPointF(17, 18.5));
    return QIcon(pixmap);
}

QIcon BackColorGlyph() {
    QPixmap pixmap = Blank(20);
    QPainter p(&pixmap);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    QColor swatches[] = {QColor(250, 240, 120), QColor(130, 200, 250), QColor(250, 160, 160), QColor(160, 230, 160)};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(swatches[i]);
        p.drawRect(2 + (i % 2) * 8, 2 + (i / 2) * 8, 8, 8);
    }
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(4, 17, 16, 17);
    return QIcon(pixmap);
}

QCursor FingerCursor() {
    QPixmap pixmap = Blank(32);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath hand;
    hand.moveTo(6, 1);
    hand.lineTo(9, 1);
    hand.lineTo(9, 9);
    hand.lineTo(16, 10);
    hand.lineTo(18, 12);
    hand.lineTo(18, 20);
    hand.lineTo(15, 24);
    hand.lineTo(7, 24);
    hand.lineTo(2, 16);
    hand.lineTo(3, 14);
    hand.lineTo(6, 15);
    hand.closeSubpath();
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    p.drawPath(hand);
    p.drawLine(QPointF(12, 10), QPointF(12, 15));
    p.drawLine(QPointF(15, 11), QPointF(15, 16));
    return QCursor(pixmap, 7, 1);  // the fingertip
}

QCursor PencilCursor() {
    QPixmap pixmap = Blank(32);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(1, 1);
    p.rotate(-45);  // the pencil lies along the diagonal with its point at the hot spot
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(250, 210, 80));
    p.drawRect(QRectF(-2.5, 6, 5, 16));
    p.setBrush(QColor(240, 150, 150));
    p.drawRect(QRectF(-2.5, 22, 5, 3));
    p.setBrush(QColor(240, 220, 180));
    p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(-2.5, 6), QPointF(2.5, 6)}));
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(-0.8, 2), QPointF(0.8, 2)}));
    p.end();
    return QCursor(pixmap, 1, 1);
}
}  // namespace

QIcon ToolGlyph(const QString& name) {
    if (name == "spdOpenFile") return OpenFileGlyph();
    if (name == "spdKihonOpen") return KihonOpenGlyph();
    if (name == "spdUserOpen") return UserOpenGlyph();
    if (name == "spdOverWrite") return SaveGlyph();
    if (name == "spdPrint") return PrintGlyph();
    if (name == "spdLineColor") return LineColorGlyph();
    if (name == "spdBackColor") return BackColorGlyph();
    return QIcon(Blank(20));
}

QCursor ProgramCursor(const QString& name) {
    if (name == "FingerCSR") return FingerCursor();
    if (name == "PencilCSR") return PencilCursor();
    return QCursor(Qt::ArrowCursor);
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QPixmap pixmap = Blank(size);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 64.0, size / 64.0);
        p.setPen(QPen(QColor(30, 60, 140), 2));
        p.setBrush(QColor(250, 250, 255));
        p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
        p.setPen(QPen(QColor(210, 30, 90), 2.5));
        p.setBrush(Qt::NoBrush);
        for (int turn = 0; turn < 5; ++turn) {  // a five-petalled rose of ellipses
            p.save();
            p.translate(32, 32);
            p.rotate(36 * turn);
            p.drawEllipse(QRectF(-24, -7, 48, 14));
            p.restore();
        }
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
