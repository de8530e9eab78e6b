// The version combo's icons: a coloured tile with the format version, and a page for a profile file.
#include "resources/icons.h"

#include <QPainter>
#include <QPixmap>

namespace {

struct VersionIcon {
    UINT id;
    QColor tile;
    const char* label; // null draws a profile page
};

const VersionIcon kVersionIcons[] = {
    {IDI_WMV_V4, QColor(70, 120, 200), "4"},
    {IDI_WMV_V7, QColor(60, 150, 90), "7"},
    {IDI_WMV_V8, QColor(200, 110, 40), "8"},
    {IDI_WMV_PRX, QColor(120, 120, 120), nullptr},
};

QPixmap DrawVersionIcon(const VersionIcon& icon, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 16.0;
    p.scale(s, s);
    if (icon.label) {
        p.setPen(Qt::NoPen);
        p.setBrush(icon.tile);
        p.drawRoundedRect(QRectF(1, 1, 14, 14), 2.5, 2.5);
        QFont font;
        font.setPixelSize(11);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QString::fromLatin1(icon.label));
        return pixmap;
    }
    p.setPen(QPen(icon.tile, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(
        QPolygonF({QPointF(3, 1.5), QPointF(10, 1.5), QPointF(13, 4.5), QPointF(13, 14.5), QPointF(3, 14.5)}));
    for (qreal y : {6.0, 8.5, 11.0})
        p.drawLine(QPointF(5, y), QPointF(11, y));
    return pixmap;
}

} // namespace

QIcon DrawWmvVersionIcon(UINT id)
{
    for (const VersionIcon& icon : kVersionIcons) {
        if (icon.id != id)
            continue;
        QIcon result;
        for (int size : {16, 32})
            result.addPixmap(DrawVersionIcon(icon, size));
        return result;
    }
    return QIcon();
}
