#include "platform/afx/controls_host.h"

#include "platform/afx/gdi_internal.h"

#include <QPainter>

void GroupHost::paintEvent(QPaintEvent*)
{
    // As the system draws a group box: an etched frame through the middle of the caption line and
    // the caption over it; the inside stays the dialog's, so opaque labels in it do not show.
    QPainter p(this);
    const QFontMetrics metrics(font());
    const QRect frame = rect().adjusted(0, metrics.height() / 2, -2, -2);
    p.setPen(ToQColor(GetSysColor(COLOR_BTNSHADOW)));
    p.drawRect(frame);
    p.setPen(ToQColor(GetSysColor(COLOR_WINDOW)));
    p.drawRect(frame.translated(1, 1));
    const QString caption = StripMnemonics(title());
    if (caption.isEmpty())
        return;
    const QRect box(6, 0, metrics.horizontalAdvance(caption) + 4, metrics.height());
    p.fillRect(box, ToQColor(GetSysColor(COLOR_BTNFACE)));
    p.setPen(ToQColor(GetSysColor(isEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT)));
    p.drawText(box, Qt::AlignCenter, caption);
}
