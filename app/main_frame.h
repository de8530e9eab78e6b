// The main window: menu bar by the system's language, tool bar, status bar with the current file
// name, the chosen look and the process priority.
#pragma once

#include "platform/afx/cframewnd.h"
#include "platform/afx/status_bar.h"

class CMainFrame : public CFrameWndEx {
    DECLARE_DYNCREATE(CMainFrame)

public:
    CMainFrame();
    ~CMainFrame() override;

    // Loads 128 (Japanese menu with accelerators) or 129 (English menu) by the system's language,
    // whatever id the caller passes.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    // The text of the file-name pane, shown at once.
    void SetStatusText(CString text);

    CMFCStatusBar m_statusBar;

    DECLARE_MESSAGE_MAP()

public:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
};
