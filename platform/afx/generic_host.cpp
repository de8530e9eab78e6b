#include "platform/afx/controls_host.h"

#include "platform/afx/cdc.h"

GenericHost::GenericHost(QWidget* parent, WindowKind kind) : Host<QWidget>(parent, kind)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool GenericHost::event(QEvent* e)
{
    if (e->type() != QEvent::Paint || isDestroyed)
        return Host<QWidget>::event(e);
    return PaintRetained(e);
}

LRESULT GenericHost::ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    if (message != WM_ERASEBKGND)
        return WindowRecord::ClassProc(message, wParam, lParam, handled);
    handled = true;
    CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    if (!dc)
        return 0;
    const HBRUSH brush = EraseBrush(dc->m_hDC);
    if (!brush)
        return 0;
    CRect rc(0, 0, width(), height());
    dc->FillRect(&rc, CBrush::FromHandle(brush));
    return 1;
}

HBRUSH GenericHost::EraseBrush(HDC) { return classBrush; }
WindowRecord* CreateGenericHost(QWidget* parent, DWORD) { return new GenericHost(parent, WindowKind::Generic); }
