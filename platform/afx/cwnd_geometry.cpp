// CWnd's rectangles and coordinates, moving and placing windows.
#include "platform/afx/cwnd.h"

#include "platform/afx/window_host.h"

#include <QScreen>

void CWnd::GetWindowRect(LPRECT rect) const
{
    if (!rect)
        return;
    WithWindow(m_hWnd, [rect](WindowRecord& r) {
        QWidget* w = r.widget;
        const QRect g = w->isWindow() ? w->frameGeometry() : QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
        *rect = RECT{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
    });
}

void CWnd::GetClientRect(LPRECT rect) const
{
    if (!rect)
        return;
    WithWindow(m_hWnd, [rect](WindowRecord& r) {
        QWidget* client = r.ClientArea();
        *rect = RECT{0, 0, client->width(), client->height()};
    });
}

void CWnd::ScreenToClient(LPPOINT point) const
{
    if (!point)
        return;
    WithWindow(m_hWnd, [point](WindowRecord& r) {
        const QPoint p = r.ClientArea()->mapFromGlobal(QPoint(point->x, point->y));
        *point = POINT{p.x(), p.y()};
    });
}

void CWnd::ScreenToClient(LPRECT rect) const
{
    POINT a{rect->left, rect->top}, b{rect->right, rect->bottom};
    ScreenToClient(&a);
    ScreenToClient(&b);
    *rect = RECT{a.x, a.y, b.x, b.y};
}

void CWnd::ClientToScreen(LPPOINT point) const
{
    if (!point)
        return;
    WithWindow(m_hWnd, [point](WindowRecord& r) {
        const QPoint p = r.ClientArea()->mapToGlobal(QPoint(point->x, point->y));
        *point = POINT{p.x(), p.y()};
    });
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    WithWindow(m_hWnd, [&](WindowRecord& r) {
        QWidget* w = r.widget;
        if (w->isWindow()) {
            // Window sizes include the frame; Qt sizes the client area.
            const QSize frame = w->frameGeometry().size() - w->size();
            w->move(x, y);
            w->resize(std::max(0, nWidth - frame.width()), std::max(0, nHeight - frame.height()));
        } else {
            w->setGeometry(x, y, std::max(0, nWidth), std::max(0, nHeight));
        }
        if (bRepaint)
            w->update();
    });
}

void CWnd::MoveWindow(LPCRECT rect, BOOL bRepaint)
{
    MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd*, int x, int y, int cx, int cy, UINT nFlags)
{
    return WithWindow(m_hWnd, FALSE, [&](WindowRecord& r) {
        QWidget* w = r.widget;
        const QRect old = w->isWindow() ? w->frameGeometry() : w->geometry();
        MoveWindow((nFlags & SWP_NOMOVE) ? old.left() : x, (nFlags & SWP_NOMOVE) ? old.top() : y,
                   (nFlags & SWP_NOSIZE) ? old.width() : cx, (nFlags & SWP_NOSIZE) ? old.height() : cy, FALSE);
        if (!(nFlags & SWP_NOZORDER))
            w->raise();
        if (nFlags & SWP_SHOWWINDOW) {
            w->setAttribute(Qt::WA_ShowWithoutActivating, (nFlags & SWP_NOACTIVATE) != 0);
            w->show();
            // Shown windows are painted at once, so drawing that follows is not erased later.
            if (!r.IsPainting())
                w->repaint();
        }
        if (nFlags & SWP_HIDEWINDOW)
            w->hide();
        return TRUE;
    });
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    WithWindow(m_hWnd, [pAlternateOwner](WindowRecord& r) {
        QWidget* w = r.widget;
        QRect area;
        WindowRecord* owner = pAlternateOwner ? WindowRecord::From(pAlternateOwner->m_hWnd) : nullptr;
        if (!owner && w->parentWidget())
            owner = WindowRecord::OfWidget(w->parentWidget()->window());
        if (owner && owner->widget->isVisible())
            area = owner->widget->frameGeometry();
        else if (QScreen* s = w->screen())
            area = s->availableGeometry();
        if (area.isValid())
            w->move(area.center() - QPoint(w->frameGeometry().width() / 2, w->frameGeometry().height() / 2));
    });
}
