#include "resources/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// A film frame holding a small landscape: the pictures that become a video.
QPixmap DrawApplicationIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 32.0;
    p.scale(s, s);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 44, 52));
    p.drawRoundedRect(QRectF(2, 4, 28, 24), 3, 3);
    p.setBrush(QColor(230, 230, 230));
    for (int i = 0; i < 6; ++i) {
        p.drawRect(QRectF(4.5 + i * 4.2, 5.5, 2.2, 2.2));
        p.drawRect(QRectF(4.5 + i * 4.2, 24.3, 2.2, 2.2));
    }
    p.setBrush(QColor(120, 190, 245));
    p.drawRect(QRectF(5, 9, 22, 14));
    p.setBrush(QColor(255, 210, 70));
    p.drawEllipse(QPointF(21.5, 12.5), 2.2, 2.2);
    QPainterPath hills;
    hills.moveTo(5, 23);
    hills.lineTo(11, 15);
    hills.lineTo(15, 19);
    hills.lineTo(19, 14.5);
    hills.lineTo(27, 23);
    hills.closeSubpath();
    p.setBrush(QColor(60, 150, 80));
    p.drawPath(hills);
    return pixmap;
}

} // namespace

QIcon DrawIconResource(UINT id)
{
    if (id != IDR_MAINFRAME && id != IDR_MAINFRAME_ENGLISH)
        return DrawWmvVersionIcon(id);
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(DrawApplicationIcon(size));
    return icon;
}
