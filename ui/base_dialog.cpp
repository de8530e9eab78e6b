#include "ui/base_dialog.h"

#include "foundation/localized_string.h"
#include "foundation/module_version.h"
#include "platform/afx/cmenu.h"
#include "platform/afx/cwinapp.h"
#include "platform/afx/shell.h"
#include "resources/resource_ids.h"
#include "resources/string_ids.h"
#include "ui/gui_text_extent.h"
#include "ui/window_drag.h"

const UINT WM_TRAYNOTIFY = RegisterWindowMessageW(u"WM_TRAYNOTIFY");

BEGIN_MESSAGE_MAP(CBaseDialog, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_MOUSEMOVE()
    ON_WM_CLOSE()
    ON_WM_DROPFILES()
    ON_MESSAGE(WM_SIZE, HandleSize)
    ON_MESSAGE(WM_POSTINIT, OnPostInit)
    ON_WM_CONTEXTMENU()
    ON_WM_ACTIVATE()
    ON_NOTIFY_EX(TTN_NEEDTEXTW, 0, OnToolTipNotify)
END_MESSAGE_MAP()

CString GetAboutMenuText() { return LoadLocalizedString(strings::kAboutMenu); }

CBaseDialog::CBaseDialog(UINT nIDTemplate, CWnd* pOwner, BOOL bSysMenu, BOOL bChild)
    : CDialog(nIDTemplate, pOwner), m_pOwner(pOwner), m_bSysMenu(bSysMenu), m_nTemplateId(nIDTemplate), m_bChild(bChild)
{
    m_trayIcon.Init();
}

CBaseDialog::~CBaseDialog()
{
    if (IsWindow(m_hWnd))
        DestroyWindow();
    m_trayIcon.Delete();
}

BOOL CBaseDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_bSysMenu) {
        if (CMenu* menu = GetSystemMenu(FALSE)) {
            menu->DeleteMenu(0, MF_BYPOSITION);
            menu->DeleteMenu(1, MF_BYPOSITION);
            menu->DeleteMenu(2, MF_BYPOSITION);
            menu->DeleteMenu(2, MF_BYPOSITION);
            menu->InsertMenu(0, MF_BYPOSITION, 0x800, nullptr);
            menu->InsertMenu(0, MF_BYPOSITION, ID_APP_ABOUT, GetAboutMenuText() + u"...\tF10");
            menu->InsertMenu(0, MF_BYPOSITION, ID_HELP, u"Help\tF1");
        }
    }
    CWinApp* app = AfxGetApp();
    const HICON icon = app ? app->LoadIcon(IDR_MAINFRAME) : AfxLoadIcon(IDR_MAINFRAME);
    SetIcon(icon, TRUE);
    SetIcon(icon, FALSE);
    DragAcceptFiles(TRUE);
    EnableToolTips(TRUE);
    if (IsJapaneseSystem())
        if (CWnd* cancel = GetDlgItem(IDCANCEL))
            cancel->SetWindowText(u"キャンセル");
    EnableTheme();
    PostMessage(WM_POSTINIT, 0, 0);
    return TRUE;
}

void CBaseDialog::DeleteTrayIcon()
{
    m_trayIcon.Notify(NIM_DELETE);
    m_bTrayBalloonShown = FALSE;
}

void CBaseDialog::AddTrayIcon(UINT nCallbackMessage, CString tip, HICON hIcon)
{
    m_trayIcon.SetWnd(this);
    m_trayIcon.SetIcon(nCallbackMessage, tip, hIcon);
    if (!m_bTrayBalloonShown) {
        m_trayIcon.SetBalloon(LoadLocalizedString(strings::kTrayBalloonTitle),
                              LoadLocalizedString(strings::kTrayBalloonText));
    } else {
        m_trayIcon.ClearBalloon();
    }
    if (m_trayIcon.Notify(NIM_ADD))
        m_bTrayBalloonShown = TRUE;
}

void CBaseDialog::OnDropFile(CString) {}

void CBaseDialog::Redraw() { InvalidateRect(nullptr, TRUE); }

BOOL CBaseDialog::CreateModeless(CWnd* pParent)
{
    if (!m_bChild)
        return CDialog::Create(m_nTemplateId, nullptr); // a top-level window without owner
    const BOOL created = CDialog::Create(m_nTemplateId, pParent);
    if (created)
        ModifyStyle(WS_CAPTION | WS_THICKFRAME, 0);
    return created;
}

BOOL CBaseDialog::CanClose() { return m_bClosable; }

void CBaseDialog::SetItemText(UINT nID, CString text, BOOL bAutoWiden)
{
    CWnd* control = GetDlgItem(static_cast<int>(nID));
    if (!control)
        return;
    control->SetWindowText(text);
    if (!bAutoWiden)
        return;
    const CSize ext = GetGuiTextExtent(control, text);
    CRect rc;
    control->GetWindowRect(&rc);
    if (rc.Width() < ext.cx + 7)
        rc.right = rc.left + ext.cx + 7;
    if (rc.Height() < ext.cy)
        rc.bottom = rc.top + ext.cy;
    CRect dialog;
    GetWindowRect(&dialog);
    rc.right = std::min(rc.right, dialog.right);
    rc.bottom = std::min(rc.bottom, dialog.bottom);
    ScreenToClient(&rc);
    control->MoveWindow(&rc, TRUE);
}

LRESULT CBaseDialog::HandleSize(WPARAM wParam, LPARAM lParam)
{
    OnSizeNotify(static_cast<UINT>(wParam), LOWORD(static_cast<DWORD_PTR>(lParam)),
                 HIWORD(static_cast<DWORD_PTR>(lParam)));
    return 0;
}

void CBaseDialog::OnSizeNotify(UINT, int cx, int cy)
{
    Default();
    if (!m_pOwner || m_bChild || !IsWindow(m_pOwner->m_hWnd))
        return;
    m_pOwner->ShowWindow((cx != 0 || cy != 0) ? SW_SHOW : SW_HIDE);
    m_pOwner->PostMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(static_cast<WORD>(cx), static_cast<WORD>(cy)));
}

LRESULT CBaseDialog::OnPostInit(WPARAM, LPARAM) { return 0; }

void CBaseDialog::EnableTheme() { EnableDialogTexture(m_hWnd); }

void CBaseDialog::OnSysCommand(UINT nID, LPARAM lParam)
{
    if (LOWORD(nID) == ID_HELP) {
        PostMessage(WM_COMMAND, ID_HELP, 0);
    } else if (LOWORD(nID) == ID_APP_ABOUT) {
        PostMessage(WM_COMMAND, ID_APP_ABOUT, 0);
    } else if (nID == SC_CLOSE) {
        if (m_bClosable)
            SendMessage(WM_CLOSE);
    } else {
        CDialog::OnSysCommand(nID, lParam);
    }
}

void CBaseDialog::OnMouseMove(UINT nFlags, CPoint point)
{
    MoveByBackgroundDrag(nFlags, m_bChild ? m_pOwner : this);
    CDialog::OnMouseMove(nFlags, point);
}

void CBaseDialog::OnClose()
{
    UpdateData(TRUE);
    SendMessage(WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(1, 1));
    EndDialog(IDCANCEL);
}

void CBaseDialog::OnContextMenu(CWnd*, CPoint)
{
    POINT pt{};
    GetCursorPos(&pt);
    if (!m_bSysMenu)
        return;
    if (CMenu* menu = GetSystemMenu(FALSE))
        menu->TrackPopupMenu(0, pt.x, pt.y, this);
}

void CBaseDialog::OnDropFiles(HDROP hDropInfo)
{
    SetForegroundWindow();
    TakeDroppedFiles(*this, hDropInfo, [this](CString path) { OnDropFile(path); });
}

BOOL CBaseDialog::OnToolTipNotify(UINT, NMHDR* pNMHDR, LRESULT*)
{
    auto* tip = reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR);
    m_strToolTip.Empty();
    tip->lpszText = const_cast<LPWSTR>(m_strToolTip.GetString());
    if (!(tip->uFlags & TTF_IDISHWND))
        return FALSE;
    // The control itself, not the first one with its id: statics share id -1.
    CWnd* control = CWnd::FromHandle(reinterpret_cast<HWND>(tip->hdr.idFrom));
    if (!control)
        return FALSE;
    control->GetWindowText(m_strToolTip);
    if (m_strToolTip.IsEmpty())
        return FALSE;
    tip->lpszText = const_cast<LPWSTR>(m_strToolTip.GetString());
    return TRUE;
}
