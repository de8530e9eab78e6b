// The reduced customize dialog of the extended frame: show or hide each tool bar, show or hide
// each command's button on a tool bar, create up to the frame's number of user tool bars, delete
// them, and reset a tool bar to its resource. Modeless; it deletes itself when closed.
#pragma once

#include "platform/afx/cframewnd.h"

class QDialog;

class CMFCToolBarsCustomizeDialog {
public:
    explicit CMFCToolBarsCustomizeDialog(CFrameWndEx* pWndParentFrame, BOOL bAutoSetFromMenus = FALSE,
                                         UINT uiFlags = 15);
    ~CMFCToolBarsCustomizeDialog();
    CMFCToolBarsCustomizeDialog(const CMFCToolBarsCustomizeDialog&) = delete;
    CMFCToolBarsCustomizeDialog& operator=(const CMFCToolBarsCustomizeDialog&) = delete;

    // Shows the dialog; FALSE when the frame has gone.
    BOOL Create();
    QDialog* Dialog() const { return m_dialog; }

private:
    CFrameWndEx* m_pFrame;
    QDialog* m_dialog = nullptr;
};
