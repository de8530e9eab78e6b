#include "ui/ext_title_tip.h"

#include "platform/afx/cdc.h"
#include "platform/afx/gdi.h"

BEGIN_MESSAGE_MAP(CExtTitleTip, CWnd)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

namespace {

LPARAM Pack(POINT p) { return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)); }

UINT NonClientTwin(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN: return WM_NCLBUTTONDOWN;
    case WM_LBUTTONUP: return WM_NCLBUTTONUP;
    case WM_RBUTTONDOWN: return WM_NCRBUTTONDOWN;
    case WM_RBUTTONUP: return WM_NCRBUTTONUP;
    case WM_MBUTTONDOWN: return WM_NCMBUTTONDOWN;
    case WM_MBUTTONUP: return WM_NCMBUTTONUP;
    default: return message;
    }
}

} // namespace

CExtTitleTip::~CExtTitleTip()
{
    if (IsWindow(m_hWnd))
        DestroyWindow();
}

BOOL CExtTitleTip::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.dwExStyle = 0x800;
    cs.style = static_cast<LONG>(WS_POPUP | WS_BORDER);
    cs.lpszClass = AfxRegisterWndClass(0, nullptr, GetSysColorBrush(COLOR_INFOBK), nullptr);
    return CWnd::PreCreateWindow(cs);
}

BOOL CExtTitleTip::Create(CWnd* pListWnd)
{
    m_pListWnd = pListWnd;
    return CreateEx(0, nullptr, nullptr, 0, 0, 0, 0, 0, nullptr, 0);
}

void CExtTitleTip::Show(CRect rcTitle, CString text, CPoint ptTopLeft)
{
    if (!IsWindow(m_hWnd) || IsWindowVisible() || !CWnd::GetFocus() || text.IsEmpty() || !m_pListWnd)
        return;
    m_rectTitle = rcTitle;
    CClientDC dc(this);
    if (!dc.m_hDC)
        return; // no device context: the tip stays hidden
    CRect size = MeasureText(&dc, text);
    size.right += 2;
    size.bottom += 2;
    const CRect textRect(1, 1, size.Width() - 2, size.Height() - 2);
    m_pListWnd->ClientToScreen(&ptTopLeft);
    CRect window(ptTopLeft, CSize(size.Width(), size.Height()));
    if (window.left < 0)
        window.OffsetRect(-window.left, 0);
    if (window.top < 0)
        window.OffsetRect(0, -window.top);
    SetWindowPos(nullptr, window.left, window.top, window.Width(), window.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
    dc.SetBkMode(TRANSPARENT);
    DrawTipText(&dc, text, textRect);
    SetCapture();
}

void CExtTitleTip::Hide()
{
    if (IsWindow(m_hWnd))
        ShowWindow(SW_HIDE);
}

void CExtTitleTip::RelayMouse(UINT message, UINT nFlags, CPoint point)
{
    ClientToScreen(&point);
    CWnd* target = CWnd::WindowFromPoint(point);
    if (!target || target == this)
        target = m_pListWnd;
    if (!target)
        return;
    const LRESULT hit = target->SendMessage(WM_NCHITTEST, 0, Pack(point));
    WPARAM wParam = nFlags;
    if (hit == HTCLIENT) {
        target->ScreenToClient(&point);
    } else {
        wParam = static_cast<WPARAM>(hit);
        message = NonClientTwin(message);
    }
    const HWND targetHandle = target->m_hWnd;
    ReleaseCapture();
    Hide();
    ::PostMessage(targetHandle, message, wParam, Pack(point));
}

void CExtTitleTip::DrawTipText(CDC* pDC, CString text, CRect rc)
{
    if (text.IsEmpty())
        return;
    CFont* old = pDC->SelectObject(m_pListWnd->GetFont());
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = pDC->SetTextColor(GetSysColor(COLOR_INFOTEXT));
    pDC->DrawText(text, &rc, DT_CENTER);
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldColor);
    if (old)
        pDC->SelectObject(old);
}

CRect CExtTitleTip::MeasureText(CDC* pDC, CString text)
{
    if (text.IsEmpty())
        return CRect(0, 0, 0, 0);
    CFont* old = pDC->SelectObject(m_pListWnd->GetFont());
    const CSize extent = pDC->GetTextExtent(text);
    if (old)
        pDC->SelectObject(old);
    if (extent.cy <= 0)
        return CRect(0, 0, 0, 0);
    return CRect(0, 0, extent.cx + 1, extent.cy + 3);
}

void CExtTitleTip::OnLButtonDown(UINT nFlags, CPoint point) { RelayMouse(WM_LBUTTONDOWN, nFlags, point); }

void CExtTitleTip::OnMouseMove(UINT nFlags, CPoint point)
{
    CPoint inList = point;
    ClientToScreen(&inList);
    m_pListWnd->ScreenToClient(&inList);
    if (m_rectTitle.PtInRect(inList))
        return;
    ReleaseCapture();
    Hide();
    CPoint screen = point;
    ClientToScreen(&screen);
    CWnd* under = CWnd::WindowFromPoint(screen);
    if (!under)
        return;
    const LRESULT hit = under->SendMessage(WM_NCHITTEST, 0, Pack(screen));
    if (hit == HTCLIENT) {
        under->ScreenToClient(&screen);
        under->PostMessage(WM_MOUSEMOVE, nFlags, Pack(screen));
    } else {
        under->PostMessage(WM_NCMOUSEMOVE, static_cast<WPARAM>(hit), Pack(screen));
    }
}
