// CWnd's visibility, enabled state, styles, icons, font, region, system menu and timers.
#include "platform/afx/cwnd.h"

#include "platform/afx/cmenu.h"
#include "platform/afx/gdi_internal.h"
#include "platform/afx/window_host.h"

BOOL CWnd::ShowWindow(int nCmdShow)
{
    return WithWindow(m_hWnd, FALSE, [nCmdShow](WindowRecord& r) {
        QWidget* w = r.widget;
        const BOOL wasVisible = w->isVisible() ? TRUE : FALSE;
        switch (nCmdShow) {
        case SW_HIDE: w->hide(); break;
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED: w->showMinimized(); break;
        case SW_SHOWMAXIMIZED: w->showMaximized(); break;
        case SW_RESTORE:
        case SW_SHOWNORMAL:
            if (w->isWindow())
                w->showNormal();
            else
                w->show();
            break;
        case SW_SHOWNOACTIVATE:
        case SW_SHOWNA:
            w->setAttribute(Qt::WA_ShowWithoutActivating, true);
            w->show();
            break;
        default: w->show(); break;
        }
        return wasVisible;
    });
}

BOOL CWnd::IsWindowVisible() const
{
    return WithWindow(m_hWnd, FALSE, [](WindowRecord& r) { return r.widget->isVisible() ? TRUE : FALSE; });
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return WithWindow(m_hWnd, FALSE, [bEnable](WindowRecord& r) {
        const BOOL wasDisabled = r.widget->isEnabled() ? FALSE : TRUE;
        r.widget->setEnabled(bEnable != FALSE);
        if (bEnable)
            r.windowStyle &= ~WS_DISABLED;
        else
            r.windowStyle |= WS_DISABLED;
        return wasDisabled;
    });
}

BOOL CWnd::IsWindowEnabled() const
{
    return WithWindow(m_hWnd, FALSE, [](WindowRecord& r) { return r.widget->isEnabled() ? TRUE : FALSE; });
}

DWORD CWnd::GetStyle() const
{
    return WithWindow(m_hWnd, 0, [](WindowRecord& r) -> DWORD {
        return (r.windowStyle & ~WS_VISIBLE) | (r.widget->isVisible() ? WS_VISIBLE : 0);
    });
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT)
{
    return WithWindow(m_hWnd, FALSE, [&](WindowRecord& r) {
        const DWORD next = (r.windowStyle & ~dwRemove) | dwAdd;
        if (next == r.windowStyle)
            return FALSE;
        r.windowStyle = next;
        if (r.widget->isWindow() && (dwRemove & WS_CAPTION))
            r.widget->setWindowFlag(Qt::FramelessWindowHint, true);
        r.widget->update();
        return TRUE;
    });
}

BOOL CWnd::SetForegroundWindow()
{
    return WithWindow(m_hWnd, FALSE, [](WindowRecord& r) {
        QWidget* top = r.widget->window();
        top->raise();
        top->activateWindow();
        return TRUE;
    });
}

void CWnd::DragAcceptFiles(BOOL bAccept)
{
    WithWindow(m_hWnd, [bAccept](WindowRecord& r) { r.AcceptFiles(bAccept != FALSE); });
}

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    return WithWindow(m_hWnd, FALSE,
                      [bEnable](WindowRecord& r) { return r.EnableToolTips(bEnable != FALSE) ? TRUE : FALSE; });
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bBigIcon ? 1 : 0, reinterpret_cast<LPARAM>(hIcon)));
}

HICON CWnd::GetIcon(BOOL bBigIcon) const
{
    return WithWindow(m_hWnd, nullptr, [bBigIcon](WindowRecord& r) { return bBigIcon ? r.bigIcon : r.smallIcon; });
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->m_hObject : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(const_cast<CWnd*>(this)->SendMessage(WM_GETFONT)));
}

int CWnd::SetWindowRgn(HRGN hRgn, BOOL bRedraw)
{
    return WithWindow(m_hWnd, 0, [&](WindowRecord& r) {
        // The window owns the region from now on.
        if (r.region && r.region != hRgn)
            ::DeleteObject(r.region);
        r.region = hRgn;
        if (GdiObjectData* g = GdiObjectData::From(hRgn))
            r.widget->setMask(g->region);
        else
            r.widget->clearMask();
        if (bRedraw)
            r.widget->update();
        return 1;
    });
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return WithWindow(m_hWnd, nullptr, [bRevert](WindowRecord& r) -> CMenu* {
        if (!(r.windowStyle & WS_SYSMENU))
            return nullptr;
        if (!r.systemMenu || bRevert) {
            r.systemMenu = std::make_unique<CMenu>();
            r.systemMenu->CreatePopupMenu();
            r.systemMenu->AppendMenu(MF_STRING, SC_MOVE, u"&Move");
            r.systemMenu->AppendMenu(MF_SEPARATOR, 0, nullptr);
            r.systemMenu->AppendMenu(MF_STRING, SC_CLOSE, u"&Close\tAlt+F4");
        }
        return r.systemMenu.get();
    });
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, void*)
{
    return WithWindow(m_hWnd, 0, [&](WindowRecord& r) {
        KillTimer(nIDEvent);
        r.timers[nIDEvent] = r.widget->startTimer(static_cast<int>(std::max<UINT>(nElapse, 1)));
        return nIDEvent;
    });
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    return WithWindow(m_hWnd, FALSE, [nIDEvent](WindowRecord& r) {
        const auto it = r.timers.find(nIDEvent);
        if (it == r.timers.end())
            return FALSE;
        r.widget->killTimer(it->second);
        r.timers.erase(it);
        return TRUE;
    });
}
