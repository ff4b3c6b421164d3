#include "ui/app_icon.h"

#include <QPainter>

QImage applicationIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 32.0;
    painter.scale(unit, unit);

    // The sheet with its header row.
    painter.setPen(QPen(QColor(0x1f, 0x3a, 0x68), 1.5));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(2.5, 4.5, 27, 23), 2, 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2f, 0x5f, 0xa8));
    painter.drawRect(QRectF(3.25, 5.25, 25.5, 5));

    // Rows, one of them picked.
    painter.setBrush(QColor(0xff, 0xd8, 0x40));
    painter.drawRect(QRectF(3.25, 16, 25.5, 4));
    painter.setPen(QPen(QColor(0x8a, 0x9b, 0xb8), 1));
    for (qreal y : {15.5, 20.5, 24.0})
        painter.drawLine(QPointF(3.5, y), QPointF(28.5, y));
    painter.drawLine(QPointF(12.5, 10.5), QPointF(12.5, 27));
    painter.end();
    return image;
}

QPixmap applicationPixmap(int size) {
    return QPixmap::fromImage(applicationIconImage(size));
}

QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(applicationPixmap(size));
    return icon;
}
