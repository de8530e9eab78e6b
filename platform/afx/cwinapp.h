// The application object: the toolkit's event loop as the message pump, idle command updates and
// the quit flag that nested loops see.
#pragma once

#include "platform/afx/cwnd.h"
#include "platform/afx/message_pump.h"

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // Runs the event loop until the quit message, with idle processing whenever it waits.
    virtual int Run();
    // Dispatches the waiting events; FALSE once the quit message has been posted.
    virtual BOOL PumpMessage();
    // The idle handler of the message pump calls this while it returns non-zero.
    // Idle step lCount: 0 updates the command UI of the main window; FALSE when nothing is left.
    virtual BOOL OnIdle(LONG lCount);

    HICON LoadIcon(UINT nIDResource) const;

    CWnd* m_pMainWnd = nullptr;
    CString m_strAppName;
    LPCTSTR m_pszAppName = nullptr;
};

class CWinAppEx : public CWinApp {
public:
    using CWinApp::CWinApp;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
LPCTSTR AfxGetAppName();
HICON AfxLoadIcon(UINT nIDResource);
