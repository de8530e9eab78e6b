// Dialogs built from the program's templates, modal and modeless.
#pragma once

#include "platform/afx/cwnd.h"
#include "platform/afx/gdi.h"

struct DialogTemplate;

class CDialog : public CWnd {
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    virtual INT_PTR DoModal();
    // A template given directly (tests, templates not in the table).
    BOOL InitModalIndirect(const DialogTemplate* lpDialogTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    BOOL CreateIndirect(const DialogTemplate* lpDialogTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);
    void MapDialogRect(LPRECT lpRect) const;
    BOOL IsModal() const { return m_bInModal ? TRUE : FALSE; }

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra) override;

    UINT m_nIDHelp = 0;

    DECLARE_MESSAGE_MAP()

protected:
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    // Creates the window and its controls; owner is the window the dialog stays above (or null).
    BOOL CreateFromTemplate(const DialogTemplate* tmpl, CWnd* parent, bool owned);
    const DialogTemplate* Template() const;

    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;
    const DialogTemplate* m_lpDialogTemplate = nullptr;

private:
    CFont m_font;
    int m_baseX = 0;
    int m_baseY = 0;
    bool m_bInModal = false;
    bool m_bModalEnded = false;
    int m_nModalResult = -1;
};
