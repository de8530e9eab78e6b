// The folder picker: the shell's folder dialog with a Japanese title, opened on a folder.
#pragma once

#include "platform/afx/cwnd.h"

class CBrowse {
public:
    CBrowse() = default;

    // The chosen folder without trailing '/' (the root stays "/"); the initial folder when the
    // user cancels.
    CString Browse(CString initialFolder, CWnd* pOwner);
    // The same, telling a cancelled picker apart: FALSE, and chosen untouched, when cancelled.
    BOOL Choose(CString initialFolder, CWnd* pOwner, CString& chosen);
    virtual LRESULT OnInitialized(HWND hDlg);
    static int BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

protected:
    CString m_strInitialFolder;
};
