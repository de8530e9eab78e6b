#include "platform/afx/cwinapp.h"

#include "platform/afx/ddx.h"
#include "platform/afx/icon.h"
#include "platform/afx/message_box_route.h"
#include "platform/afx/modal_loops.h"
#include "platform/win/module.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>

namespace {

CWinApp* g_app = nullptr;

} // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    m_strAppName = lpszAppName ? CString(lpszAppName) : CString(u"Torvina");
    m_pszAppName = m_strAppName.GetString();
    g_app = this;
    ModalLoop::AllowAgain();
    AfxSetIdleHandler([this](LONG count) { return OnIdle(count); });
    AfxSetMessageBoxRoute([](LPCTSTR text, UINT type) { return AfxMessageBox(text, type); });
}

CWinApp::~CWinApp()
{
    m_templates.clear();
    if (AfxGetAppProfile() == &m_profile)
        AfxSetAppProfile(nullptr);
    if (g_app == this) {
        g_app = nullptr;
        AfxSetIdleHandler(nullptr);
        AfxSetMessageBoxRoute(nullptr);
    }
}

BOOL CWinApp::InitInstance() { return TRUE; }
int CWinApp::ExitInstance() { return 0; }

int CWinApp::Run()
{
    int code = 0;
    if (TakeQuitMessage(&code))
        return code;
    bool inIdle = false;
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    // Idle processing runs whenever the loop is about to wait.
    const auto connection = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [&] {
        if (inIdle || IsQuitMessagePosted())
            return;
        inIdle = true;
        for (LONG n = 0; AfxRunIdle(n); ++n) {}
        inIdle = false;
    });
    QCoreApplication::exec();
    QObject::disconnect(connection);
    TakeQuitMessage(&code);
    ExitInstance();
    return code;
}

BOOL CWinApp::PumpMessage() { return PumpWaitingMessages(); }

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount != 0)
        return FALSE;
    if (m_pMainWnd && IsWindow(m_pMainWnd->m_hWnd)) {
        m_pMainWnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
        m_pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0);
    }
    return TRUE;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const { return AfxLoadIcon(nIDResource); }

CWinApp* AfxGetApp() { return g_app; }
CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }
LPCTSTR AfxGetAppName() { return g_app ? g_app->m_pszAppName : u"Torvina"; }

HICON AfxLoadIcon(UINT nIDResource) { return LoadIconResource(nIDResource); }

HINSTANCE AfxGetInstanceHandle() { return GetModuleHandleW(nullptr); }
HINSTANCE AfxGetResourceHandle() { return GetModuleHandleW(nullptr); }
