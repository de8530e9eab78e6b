#include "resources/icons.h"

#include "resources/app_dialog_ids.h"

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

// The About box's OK button: a tick in a green disc.
QIcon DrawAboutOkIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 110, 40), 1.5));
    p.setBrush(QColor(70, 170, 80));
    p.drawEllipse(QRectF(2, 2, 28, 28));
    p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(9, 16.5), QPointF(14, 21.5), QPointF(23, 11)}));
    p.end();
    return QIcon(pixmap);
}

QIcon DrawIconResource(UINT id)
{
    if (id == IDI_ABOUT_OK)
        return DrawAboutOkIcon();
    if (id != IDR_MAINFRAME && id != IDR_MAINFRAME_ENGLISH)
        return DrawWmvVersionIcon(id);
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(DrawApplicationIcon(size));
    return icon;
}
