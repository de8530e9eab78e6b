// The dialog's notification-area record: one icon with its tip and balloon.
#pragma once

#include "platform/afx/cwnd.h"
#include "platform/afx/shell.h"

class CTaskTrayIcon {
public:
    void Init();
    void SetWnd(CWnd* pWnd);
    void SetIcon(UINT nCallbackMessage, LPCWSTR tip, HICON hIcon);
    void SetBalloon(LPCWSTR title, LPCWSTR text);
    // Takes the balloon back out, so a later add shows none.
    void ClearBalloon();
    BOOL Notify(DWORD dwMessage);
    BOOL Delete();
    // TRUE while the icon stands in the notification area (FALSE where there is none).
    BOOL IsAdded() const { return m_bAdded; }
    const NOTIFYICONDATAW& Data() const { return m_data; }

private:
    NOTIFYICONDATAW m_data{};
    BOOL m_bAdded = FALSE;
};
