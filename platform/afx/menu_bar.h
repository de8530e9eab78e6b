// The frame's menu bar: a movable bar that shows the frame's menu resource, one button per
// top-level popup. Each popup brings its items' states up to date before it opens, and the item
// under the mouse puts its prompt into the status bar.
#pragma once

#include "platform/afx/bar_styles.h"
#include "platform/afx/cframewnd.h"

#include <memory>

class QMenu;
class QToolBar;

class CMFCMenuBar {
public:
    CMFCMenuBar();
    ~CMFCMenuBar();
    CMFCMenuBar(const CMFCMenuBar&) = delete;
    CMFCMenuBar& operator=(const CMFCMenuBar&) = delete;

    // Shows the menu resource the frame was loaded with.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = AFX_DEFAULT_TOOLBAR_STYLE, UINT nID = AFX_IDW_MENUBAR);
    void SetPaneStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    DWORD GetPaneStyle() const { return m_dwStyle; }
    // The sides the bar may be docked to (CBRS_ALIGN_*).
    void EnableDocking(DWORD dwDockStyle);

    // The bar and its top-level popups, for the frame and for tests.
    QToolBar* Bar() const;
    int GetCount() const;
    QMenu* GetPopup(int nIndex) const;
    CString GetPopupText(int nIndex) const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    DWORD m_dwStyle = 0;
};
