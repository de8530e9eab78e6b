// A tool bar of the frame: buttons from a tool bar resource with the provider's images, tool tips
// and status-bar prompts, states kept current at idle, an optional customize button, and the
// buttons the customize dialog shows or hides.
#pragma once

#include "platform/afx/bar_styles.h"
#include "platform/afx/cframewnd.h"

#include <memory>
#include <vector>

class QToolBar;

class CMFCToolBar : public CCommandUiClient {
public:
    CMFCToolBar();
    ~CMFCToolBar() override;
    CMFCToolBar(const CMFCToolBar&) = delete;
    CMFCToolBar& operator=(const CMFCToolBar&) = delete;

    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT, DWORD dwStyle = AFX_DEFAULT_TOOLBAR_STYLE,
                  CRect rcBorders = CRect(1, 1, 1, 1), UINT nID = AFX_IDW_TOOLBAR);
    // The buttons of the resource; later tool bars without a resource take their images from it.
    BOOL LoadToolBar(UINT nIDResource);
    void SetWindowText(LPCTSTR lpszText);
    CString GetWindowText() const;
    // A button at the bar's end whose menu holds the customize command.
    void EnableCustomizeButton(BOOL bEnable, int iCustomizeCmd, const CString& strCustomizeText,
                               BOOL bQuickCustomize = TRUE);
    BOOL HasCustomizeButton() const;
    void EnableDocking(DWORD dwAlign);
    static void EnableQuickCustomization(BOOL bEnable = TRUE);

    UINT GetID() const { return m_nID; }
    // The buttons shown now, 0 for a separator.
    int GetCount() const;
    UINT GetItemID(int nIndex) const;
    // The buttons of the bar's resource (empty for a user tool bar).
    const std::vector<UINT>& GetOriginalButtons() const { return m_original; }
    // Shows these buttons in this order.
    void SetButtons(const std::vector<UINT>& buttons);
    void RestoreOriginalState() { SetButtons(m_original); }

    void OnUpdateCmdUI(CFrameWnd* pTarget) override;
    QToolBar* Bar() const;

private:
    void Rebuild();

    struct Impl;
    std::unique_ptr<Impl> m_impl;
    CFrameWnd* m_pFrame = nullptr;
    UINT m_nID = 0;
    std::vector<UINT> m_original;
    std::vector<UINT> m_buttons;
};
