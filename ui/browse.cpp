#include "ui/browse.h"

#include "platform/afx/shell.h"

CString CBrowse::Browse(CString initialFolder, CWnd* pOwner)
{
    CString chosen = initialFolder;
    Choose(initialFolder, pOwner, chosen);
    return chosen;
}

BOOL CBrowse::Choose(CString initialFolder, CWnd* pOwner, CString& chosen)
{
    m_strInitialFolder = initialFolder;
    WCHAR displayName[520] = {};
    BROWSEINFOW bi{};
    bi.hwndOwner = pOwner ? pOwner->m_hWnd : nullptr;
    bi.pidlRoot = nullptr;
    bi.pszDisplayName = displayName;
    bi.lpszTitle = u"フォルダの選択";
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
    bi.lpfn = &CBrowse::BrowseCallbackProc;
    bi.lParam = reinterpret_cast<LPARAM>(this);
    LPITEMIDLIST pidl = SHBrowseForFolderW(&bi);
    if (!pidl)
        return FALSE;
    // The whole path, however long.
    CString path = PathFromIDList(pidl);
    while (path.GetLength() > 1 && path[path.GetLength() - 1] == u'/')
        path = path.Left(path.GetLength() - 1);
    CoTaskMemFree(pidl);
    chosen = path;
    return TRUE;
}

LRESULT CBrowse::OnInitialized(HWND hDlg)
{
    return SendMessage(hDlg, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(m_strInitialFolder.GetString()));
}

int CBrowse::BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM, LPARAM lpData)
{
    if (lpData && uMsg == BFFM_INITIALIZED)
        reinterpret_cast<CBrowse*>(lpData)->OnInitialized(hwnd);
    return 0;
}
