// CWnd's text and the dialog-item helpers built on it, and data exchange.
#include "platform/afx/cwnd.h"

#include "platform/afx/ddx.h"
#include "platform/afx/notify_lockout.h"
#include "platform/afx/window_host.h"

void CWnd::SetWindowText(LPCTSTR text) { SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : u"")); }

int CWnd::GetWindowText(CString& text) const
{
    const int length = GetWindowTextLength();
    LPWSTR buffer = text.GetBuffer(length);
    const_cast<CWnd*>(this)->SendMessage(WM_GETTEXT, static_cast<WPARAM>(length + 1), reinterpret_cast<LPARAM>(buffer));
    buffer[length] = 0;
    text.ReleaseBuffer();
    return text.GetLength();
}

CString CWnd::GetWindowTextString() const
{
    CString text;
    GetWindowText(text);
    return text;
}

int CWnd::GetWindowTextLength() const
{
    return static_cast<int>(const_cast<CWnd*>(this)->SendMessage(WM_GETTEXTLENGTH));
}

void CWnd::SetDlgItemText(int nID, LPCTSTR text)
{
    if (CWnd* item = GetDlgItem(nID))
        item->SetWindowText(text);
}

int CWnd::GetDlgItemText(int nID, CString& text) const
{
    text.Empty();
    CWnd* item = GetDlgItem(nID);
    return item ? item->GetWindowText(text) : 0;
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* pTranslated, BOOL bSigned) const
{
    CString text;
    GetDlgItemText(nID, text);
    const QString t = ToQString(text).trimmed();
    bool ok = false;
    const qlonglong v = bSigned ? t.toLongLong(&ok) : static_cast<qlonglong>(t.toULongLong(&ok));
    ok = ok && (bSigned ? (v >= INT32_MIN && v <= INT32_MAX) : (v >= 0 && v <= UINT32_MAX));
    if (pTranslated)
        *pTranslated = ok ? TRUE : FALSE;
    return ok ? static_cast<UINT>(v) : 0;
}

void CWnd::CheckDlgButton(int nID, UINT nCheck)
{
    if (CWnd* item = GetDlgItem(nID))
        item->SendMessage(BM_SETCHECK, nCheck, 0);
}

UINT CWnd::IsDlgButtonChecked(int nID) const
{
    CWnd* item = GetDlgItem(nID);
    return item ? static_cast<UINT>(item->SendMessage(BM_GETCHECK)) : 0;
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    const NotifyLockout lockout(m_hWnd);
    try {
        DoDataExchange(&dx);
    } catch (const DataExchangeFailure&) {
        return FALSE;
    }
    return TRUE;
}
