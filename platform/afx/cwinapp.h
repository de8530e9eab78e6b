// The application object: the toolkit's event loop as the message pump, idle command updates and
// the quit flag that nested loops see.
#pragma once

#include "platform/afx/app_profile.h"
#include "platform/afx/cwnd.h"
#include "platform/afx/doc_template.h"
#include "platform/afx/message_pump.h"

#include <memory>
#include <vector>

// What the command line asks for. The program takes no arguments of its own: every start is a
// new document.
class CCommandLineInfo {
public:
    enum ShellCommand { FileNew, FileNothing };
    ShellCommand m_nShellCommand = FileNew;
};

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

    // Document templates; the application owns them.
    void AddDocTemplate(CDocTemplate* pTemplate);
    const std::vector<std::unique_ptr<CDocTemplate>>& GetDocTemplates() const { return m_templates; }
    void OnFileNew();
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // FALSE when the asked-for document, frame or view could not be made.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    // The system asks the program to end (SIGTERM): by default the main window is asked to close.
    virtual void OnTerminateRequest();
    // Asks every document whether it may close (the session's end asks this too).
    BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);

    // The profile: HKEY_CURRENT_USER\Software\<key>\<application name> after SetRegistryKey.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);

    CWnd* m_pMainWnd = nullptr;
    CString m_strAppName;
    LPCTSTR m_pszAppName = nullptr;
    CString m_strRegistryKey;
    UINT m_nMaxMRU = 0;

private:
    // Declared first: the documents the templates close save into it.
    CAppProfile m_profile;
    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
};

class CWinAppEx : public CWinApp {
public:
    using CWinApp::CWinApp;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
LPCTSTR AfxGetAppName();
HICON AfxLoadIcon(UINT nIDResource);
// The program's module, which holds its resources.
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
