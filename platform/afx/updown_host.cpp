#include "platform/afx/controls_host.h"

#include "platform/afx/gdi.h"
#include "platform/afx/updown_arrow_keys.h"

#include <QMouseEvent>
#include <QPainter>

UpDownHost::UpDownHost(QWidget* parent) : Host<QWidget>(parent, WindowKind::UpDown) {}

void UpDownHost::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), ToQColor(GetSysColor(COLOR_BTNFACE)));
    const int h = height() / 2;
    p.setPen(ToQColor(GetSysColor(COLOR_BTNSHADOW)));
    p.drawRect(0, 0, width() - 1, h - 1);
    p.drawRect(0, h, width() - 1, height() - h - 1);
    p.setBrush(ToQColor(GetSysColor(COLOR_BTNTEXT)));
    p.setPen(Qt::NoPen);
    const int cx = width() / 2;
    p.drawPolygon(QPolygon({QPoint(cx - 3, h / 2 + 2), QPoint(cx + 3, h / 2 + 2), QPoint(cx, h / 2 - 1)}));
    const int cy = h + (height() - h) / 2;
    p.drawPolygon(QPolygon({QPoint(cx - 3, cy - 2), QPoint(cx + 3, cy - 2), QPoint(cx, cy + 1)}));
}

void UpDownHost::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && isEnabled())
        Step(e->position().y() < height() / 2 ? +1 : -1);
}

void UpDownHost::Step(int arrow)
{
    // A value typed into the buddy counts when it lies within the range.
    ReadBuddy(nullptr);
    // The up arrow moves towards the upper end of the range, whichever way the range runs.
    const int delta = (upper >= lower) ? arrow : -arrow;
    const HWND self = Handle();
    if (WindowRecord* parent = ParentRecord()) {
        NMUPDOWN nm{};
        nm.hdr.hwndFrom = self;
        nm.hdr.idFrom = static_cast<UINT_PTR>(id);
        nm.hdr.code = UDN_DELTAPOS;
        nm.iPos = pos;
        nm.iDelta = delta;
        if (SendMessage(parent->Handle(), WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&nm)))
            return;
        if (!WindowRecord::From(self))
            return;
    }
    const int lo = std::min(lower, upper), hi = std::max(lower, upper);
    int next = pos + delta;
    if (next > hi)
        next = (windowStyle & UDS_WRAP) ? lo : hi;
    if (next < lo)
        next = (windowStyle & UDS_WRAP) ? hi : lo;
    pos = next;
    UpdateBuddy();
    if (WindowRecord* parent = ParentRecord())
        SendMessage(parent->Handle(), (windowStyle & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL,
                    MAKELONG(SB_THUMBPOSITION, static_cast<WORD>(pos)), reinterpret_cast<LPARAM>(self));
}

void UpDownHost::ReadBuddy(BOOL* error)
{
    if (error)
        *error = FALSE;
    if ((windowStyle & UDS_SETBUDDYINT) && WindowRecord::From(buddy)) {
        const QString t = ToQString(WindowRecord::From(buddy)->windowText).trimmed().remove(u',');
        bool ok = false;
        const int v = t.toInt(&ok);
        const int lo = std::min(lower, upper), hi = std::max(lower, upper);
        if (ok && v >= lo && v <= hi)
            pos = v;
        else if (error)
            *error = TRUE;
    }
}

void UpDownHost::UpdateBuddy()
{
    if ((windowStyle & UDS_SETBUDDYINT) && WindowRecord::From(buddy)) {
        const CString value = FromQString(QString::number(pos));
        SendMessage(buddy, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.GetString()));
    }
}

void UpDownHost::AttachBuddy(HWND hwnd)
{
    buddy = hwnd;
    WindowRecord* b = WindowRecord::From(hwnd);
    InstallUpDownArrowKeys(this, (b && (windowStyle & UDS_ARROWKEYS)) ? b->widget.data() : nullptr);
    if (!b || !b->widget)
        return;
    if (windowStyle & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) {
        // Stands at the buddy's edge and takes its own width from it.
        QRect g = b->widget->geometry();
        const int w = width();
        g.setWidth(std::max(0, g.width() - w));
        if (windowStyle & UDS_ALIGNLEFT) {
            setGeometry(g.left(), g.top(), w, g.height());
            g.moveLeft(g.left() + w);
        } else {
            setGeometry(g.right() + 1, g.top(), w, g.height());
        }
        b->widget->setGeometry(g);
    }
    UpdateBuddy();
}

void UpDownHost::Created()
{
    QWidget* parent = parentWidget();
    if (!(windowStyle & UDS_AUTOBUDDY) || !parent)
        return;
    // The buddy is the window created just before it among its siblings.
    const auto siblings = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (qsizetype i = siblings.indexOf(this) - 1; i >= 0; --i)
        if (auto* r = dynamic_cast<WindowRecord*>(siblings[i])) {
            AttachBuddy(r->Handle());
            break;
        }
}

LRESULT UpDownHost::ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    switch (message) {
    case UDM_SETRANGE32: {
        lower = static_cast<int>(static_cast<INT_PTR>(wParam));
        upper = static_cast<int>(lParam);
        const int lo = std::min(lower, upper), hi = std::max(lower, upper);
        pos = std::clamp(pos, lo, hi);
        return 0;
    }
    case UDM_GETRANGE32:
        if (auto* l = reinterpret_cast<int*>(wParam))
            *l = lower;
        if (auto* u = reinterpret_cast<int*>(lParam))
            *u = upper;
        return 0;
    case UDM_SETPOS32: {
        const int old = pos;
        const int lo = std::min(lower, upper), hi = std::max(lower, upper);
        pos = std::clamp(static_cast<int>(lParam), lo, hi);
        UpdateBuddy();
        return old;
    }
    case UDM_GETPOS32: ReadBuddy(reinterpret_cast<BOOL*>(lParam)); return pos;
    case UDM_SETBUDDY: {
        const HWND old = buddy;
        AttachBuddy(reinterpret_cast<HWND>(wParam));
        return reinterpret_cast<LRESULT>(old);
    }
    default: return WindowRecord::ClassProc(message, wParam, lParam, handled);
    }
}
WindowRecord* CreateUpDownHost(QWidget* parent, DWORD) { return new UpDownHost(parent); }
