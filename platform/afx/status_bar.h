// The frame's status bar: pane 0 is the message pane (a command's prompt while the mouse is on
// it, otherwise the idle text, string 57345); every other pane shows its own text.
#pragma once

#include "platform/afx/bar_styles.h"
#include "platform/afx/cstring.h"

#include <memory>

class CWnd;

class CMFCStatusBar {
public:
    CMFCStatusBar();
    ~CMFCStatusBar();
    CMFCStatusBar(const CMFCStatusBar&) = delete;
    CMFCStatusBar& operator=(const CMFCStatusBar&) = delete;

    // Puts the bar at the bottom of a frame window.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0x50000000 | CBRS_BOTTOM, UINT nID = 0xE801);
    // One pane per id: ID_SEPARATOR is the message pane, other ids start with their string.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    int GetCount() const;
    UINT GetItemID(int nIndex) const;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    CString GetPaneText(int nIndex) const;
    void SetPaneWidth(int nIndex, int cx);
    int GetPaneWidth(int nIndex) const;
    // The message pane's text now: a prompt being shown, or the idle text.
    CString GetMessageText() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
