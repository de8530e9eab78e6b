#include "platform/afx/controls_host.h"

#include "platform/afx/gdi_internal.h"

#include <QPainter>

namespace {

// The parent's colours for a control, when its WM_CTLCOLOR handler gives a brush.
bool ControlColors(WindowRecord* control, UINT type, QColor& background, QColor& textColor, bool& transparent)
{
    WindowRecord* parent = control->ParentRecord();
    if (!parent)
        return false;
    QImage scratch(1, 1, QImage::Format_RGB32);
    HDC hdc = CreateImageDC(&scratch, QPoint(), nullptr);
    CtlColorRequest req{hdc, control->Handle(), type};
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessage(parent->Handle(), WM_CTLCOLOR, 0, reinterpret_cast<LPARAM>(&req)));
    DeviceContextData* dc = DeviceContextData::From(hdc);
    const bool got = brush != nullptr;
    if (got) {
        background = ToQColor(GdiObjectData::From(brush)->color);
        textColor = ToQColor(dc->textColor);
        transparent = dc->bkMode == TRANSPARENT;
    }
    DeleteDC(hdc);
    return got;
}

} // namespace

void StaticHost::ApplyText()
{
    setText((windowStyle & SS_NOPREFIX) ? ToQString(windowText) : StripMnemonics(ToQString(windowText)));
}
bool StaticHost::event(QEvent* e)
{
    if (e->type() == QEvent::Paint && !isDestroyed && (windowStyle & SS_TYPEMASK) == SS_BLACKRECT) {
        QPainter(this).fillRect(rect(), Qt::black);
        return true;
    }
    if (e->type() == QEvent::Paint && !isDestroyed) {
        QColor background, textColor;
        bool transparent = false;
        if (ControlColors(this, CTLCOLOR_STATIC, background, textColor, transparent)) {
            QPainter p(this);
            p.fillRect(rect(), background);
            QPalette pal = palette();
            pal.setColor(QPalette::WindowText, textColor);
            setPalette(pal);
        } else {
            // Unanswered, a static paints itself in the face colour, as the system's statics do.
            QPainter(this).fillRect(rect(), ToQColor(GetSysColor(COLOR_BTNFACE)));
        }
    }
    return Host<QLabel>::event(e);
}
WindowRecord* CreateStaticHost(QWidget* parent, DWORD style)
{
    auto* h = new StaticHost(parent);
    const DWORD type = style & SS_TYPEMASK;
    h->setAlignment((type == SS_CENTER  ? Qt::AlignHCenter
                     : type == SS_RIGHT ? Qt::AlignRight
                                        : Qt::AlignLeft) |
                    Qt::AlignTop);
    h->setWordWrap(type <= SS_RIGHT);
    return h;
}
