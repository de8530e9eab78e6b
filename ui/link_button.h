// Owner-drawn push buttons: a flat link, a coloured button with a 3-D edge, and one with an icon.
#pragma once

#include "platform/afx/controls.h"

class CDC;

class CLinkButton : public CButton {
public:
    CLinkButton(COLORREF crBackground, COLORREF crText, COLORREF crDisabled, COLORREF crHover);

    virtual BOOL SubclassItem(UINT nID, CWnd* pParent);
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    virtual void DrawLabel(CDC* pDC, UINT itemState, CRect rc);
    BOOL IsHover() const { return m_bHover; }

    DECLARE_MESSAGE_MAP()

public:
    void OnMouseMove(UINT nFlags, CPoint point);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);

protected:
    void PreSubclassWindow() override;

    COLORREF m_crText;
    COLORREF m_crBackground;
    COLORREF m_crDisabled;
    COLORREF m_crHover;
    BOOL m_bHover = FALSE;
};

class CColorButton : public CLinkButton {
public:
    CColorButton(COLORREF crBackground, COLORREF crText, COLORREF crDisabled, COLORREF crHover, int nFrameMode);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    virtual void DrawFrame(CDC* pDC, UINT itemState, CRect rc);

protected:
    int m_nFrameMode;
};

class CIconButton : public CColorButton {
public:
    CIconButton(HICON hIcon, HICON hIconDisabled, COLORREF crBackground, COLORREF crText, COLORREF crDisabled,
                COLORREF crHover, int nFrameMode);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    virtual HICON SetIconId(UINT nIDIcon);

protected:
    HICON m_hIcon;
    HICON m_hIconDisabled;
};
