// The main window: menu bar by the system's language, tool bar, status bar with the current file
// name, the chosen look (kept in the profile) and the process priority.
#pragma once

#include "platform/afx/cframewnd.h"
#include "platform/afx/menu_bar.h"
#include "platform/afx/status_bar.h"
#include "platform/afx/tool_bar.h"

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
    void OnToolbarCreated(CMFCToolBar* pToolBar) override;

    UINT m_nAppLook;
    CMFCStatusBar m_statusBar;
    CMFCMenuBar m_menuBar;
    CMFCToolBar m_toolBar;

    DECLARE_MESSAGE_MAP()

public:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnApplicationLook(UINT id);
    void OnUpdateApplicationLook(CCmdUI* pCmdUI);
    void OnPriorityHigh();
    void OnPriorityNormal();
    void OnPriorityLow();
    void OnUpdatePriorityHigh(CCmdUI* pCmdUI);
    void OnUpdatePriorityNormal(CCmdUI* pCmdUI);
    void OnUpdatePriorityLow(CCmdUI* pCmdUI);
    void OnViewCustomize();

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
};
