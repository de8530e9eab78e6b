// A small tip window that shows the full text of a list item under the mouse.
#pragma once

#include "platform/afx/cwnd.h"

class CDC;

class CExtTitleTip : public CWnd {
public:
    CExtTitleTip() = default;
    ~CExtTitleTip() override;

    virtual BOOL Create(CWnd* pListWnd);
    virtual void Show(CRect rcTitle, CString text, CPoint ptTopLeft);
    virtual void Hide();
    virtual void RelayMouse(UINT message, UINT nFlags, CPoint point);
    virtual void DrawTipText(CDC* pDC, CString text, CRect rc);
    virtual CRect MeasureText(CDC* pDC, CString text);

    DECLARE_MESSAGE_MAP()

public:
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    CWnd* m_pListWnd = nullptr;
    CRect m_rectTitle;
};
