// The application's documents and profile.
#include "platform/afx/cwinapp.h"

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate)
        m_templates.emplace_back(pTemplate);
}

void CWinApp::OnTerminateRequest()
{
    if (m_pMainWnd && IsWindow(m_pMainWnd->m_hWnd))
        m_pMainWnd->PostMessage(WM_CLOSE);
    else
        PostQuitMessage(0);
}

void CWinApp::OnFileNew()
{
    if (!m_templates.empty())
        m_templates.front()->OpenDocumentFile(nullptr);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) { rCmdInfo.m_nShellCommand = CCommandLineInfo::FileNew; }

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    if (rCmdInfo.m_nShellCommand != CCommandLineInfo::FileNew)
        return TRUE;
    OnFileNew();
    return m_pMainWnd ? TRUE : FALSE;
}

BOOL CWinApp::SaveAllModified()
{
    for (const auto& t : m_templates)
        if (!t->SaveAllModified())
            return FALSE;
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (const auto& t : m_templates)
        t->CloseAllDocuments(bEndSession);
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey ? CString(lpszRegistryKey) : CString();
    m_profile.SetRegistryKey(m_strRegistryKey, m_strAppName);
    AfxSetAppProfile(&m_profile);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) { m_nMaxMRU = nMaxMRU; }

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    return m_profile.GetProfileInt(lpszSection, lpszEntry, nDefault);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    return m_profile.WriteProfileInt(lpszSection, lpszEntry, nValue);
}
