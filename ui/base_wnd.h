// The base of the windows the program creates itself: top-level or child, with the application's
// icon, moved by dragging its client area.
#pragma once

#include "platform/afx/cwnd.h"

class CBaseWnd : public CWnd {
public:
    CBaseWnd() = default;
    ~CBaseWnd() override;

    virtual BOOL CreateChild(CWnd* pParent, UINT nID);
    virtual BOOL CreatePopup(CWnd* pOwner, DWORD dwStyle);
    void SetAppIcon();

    DECLARE_MESSAGE_MAP()

public:
    void OnMouseMove(UINT nFlags, CPoint point);

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override { return CWnd::PreCreateWindow(cs); }

    CWnd* m_pOwner = nullptr;
    BOOL m_bChild = FALSE;
};
