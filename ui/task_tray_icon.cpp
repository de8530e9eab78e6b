#include "ui/task_tray_icon.h"

#include <algorithm>
#include <cstring>

namespace {

// Copies up to size - 1 characters and always terminates.
template <size_t N>
void CopyField(WCHAR (&field)[N], LPCWSTR text)
{
    size_t n = 0;
    for (; text && text[n] && n + 1 < N; ++n)
        field[n] = text[n];
    field[n] = 0;
}

} // namespace

void CTaskTrayIcon::Init()
{
    std::memset(&m_data, 0, sizeof(m_data));
    m_data.cbSize = kNotifyIconDataSize;
    m_data.uID = 1;
    m_data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_bAdded = FALSE;
}

void CTaskTrayIcon::SetWnd(CWnd* pWnd) { m_data.hWnd = pWnd ? pWnd->m_hWnd : nullptr; }

void CTaskTrayIcon::SetIcon(UINT nCallbackMessage, LPCWSTR tip, HICON hIcon)
{
    m_data.hIcon = hIcon;
    m_data.uCallbackMessage = nCallbackMessage;
    if (tip)
        CopyField(m_data.szTip, tip);
}

void CTaskTrayIcon::SetBalloon(LPCWSTR title, LPCWSTR text)
{
    m_data.uFlags |= NIF_INFO;
    m_data.dwInfoFlags = NIIF_INFO;
    CopyField(m_data.szInfoTitle, title);
    CopyField(m_data.szInfo, text);
}

void CTaskTrayIcon::ClearBalloon()
{
    m_data.uFlags &= ~NIF_INFO;
    m_data.szInfo[0] = 0;
}

BOOL CTaskTrayIcon::Notify(DWORD dwMessage)
{
    const BOOL ok = Shell_NotifyIconW(dwMessage, &m_data);
    if (dwMessage == NIM_ADD && ok)
        m_bAdded = TRUE;
    else if (dwMessage == NIM_DELETE)
        m_bAdded = FALSE;
    return ok;
}

BOOL CTaskTrayIcon::Delete() { return Notify(NIM_DELETE); }
