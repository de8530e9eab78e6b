#include "ui/base_wnd.h"

#include "platform/afx/cwinapp.h"
#include "resources/resource_ids.h"
#include "ui/base_dialog.h"
#include "ui/window_drag.h"

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CBaseWnd::~CBaseWnd()
{
    if (IsWindow(m_hWnd))
        DestroyWindow();
}

BOOL CBaseWnd::CreatePopup(CWnd* pOwner, DWORD dwStyle)
{
    m_pOwner = pOwner;
    m_bChild = FALSE;
    // A top-level window: the owner is only remembered, not made the window's owner.
    const BOOL created = CreateEx(0, AfxRegisterWndClass(0), u"", dwStyle, 0, 0, 0, 0, nullptr, 0);
    if (created)
        SetAppIcon();
    return created;
}

BOOL CBaseWnd::CreateChild(CWnd* pParent, UINT nID)
{
    m_pOwner = pParent;
    m_bChild = TRUE;
    const BOOL created = Create(AfxRegisterWndClass(0), u"", WS_CHILD, CRect(0, 0, 0, 0), pParent, nID);
    if (created)
        SetAppIcon();
    return created;
}

void CBaseWnd::SetAppIcon()
{
    CWinApp* app = AfxGetApp();
    const HICON icon = app ? app->LoadIcon(IDR_MAINFRAME) : AfxLoadIcon(IDR_MAINFRAME);
    SendMessage(WM_SETICON, TRUE, reinterpret_cast<LPARAM>(icon));
    SendMessage(WM_SETICON, FALSE, reinterpret_cast<LPARAM>(icon));
}

void CBaseWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    MoveByBackgroundDrag(nFlags, m_bChild ? m_pOwner : this);
    CWnd::OnMouseMove(nFlags, point);
}
