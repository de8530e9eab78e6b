// CWnd's invalidation, repainting and device contexts.
#include "platform/afx/cwnd.h"

#include "platform/afx/cdc.h"
#include "platform/afx/window_host.h"

void CWnd::Invalidate(BOOL bErase) { InvalidateRect(nullptr, bErase); }

void CWnd::InvalidateRect(LPCRECT rect, BOOL bErase)
{
    WithWindow(m_hWnd, [rect, bErase](WindowRecord& r) {
        r.InvalidatePaint(bErase != FALSE);
        if (rect)
            r.widget->update(QRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top));
        else
            r.widget->update();
    });
}

void CWnd::UpdateWindow()
{
    WithWindow(m_hWnd, [](WindowRecord& r) {
        if (r.widget->isVisible() && !r.IsPainting())
            r.widget->repaint();
    });
}

BOOL CWnd::RedrawWindow(LPCRECT rect, HRGN, UINT flags)
{
    if (!IsWindow(m_hWnd))
        return FALSE;
    if (flags & RDW_INVALIDATE)
        InvalidateRect(rect, (flags & RDW_ERASE) ? TRUE : FALSE);
    if (flags & RDW_UPDATENOW)
        UpdateWindow();
    return TRUE;
}

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
int CWnd::ReleaseDC(CDC* pDC) { return pDC ? ::ReleaseDC(m_hWnd, pDC->m_hDC) : 0; }
