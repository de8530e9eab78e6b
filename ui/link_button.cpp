#include "ui/link_button.h"

#include "platform/afx/cdc.h"
#include "platform/afx/cwinapp.h"
#include "ui/draw_helpers.h"

BEGIN_MESSAGE_MAP(CLinkButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

CLinkButton::CLinkButton(COLORREF crBackground, COLORREF crText, COLORREF crDisabled, COLORREF crHover)
    : m_crText(crText), m_crBackground(crBackground), m_crDisabled(crDisabled), m_crHover(crHover)
{
}

void CLinkButton::PreSubclassWindow()
{
    ModifyStyle(0, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

BOOL CLinkButton::SubclassItem(UINT nID, CWnd* pParent) { return SubclassDlgItem(nID, pParent); }

void CLinkButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* dc = CDC::FromHandle(lpDIS->hDC);
    const CRect rc(lpDIS->rcItem);
    FillRectColor(dc, rc, m_crBackground);
    DrawLabel(dc, lpDIS->itemState, rc);
}

void CLinkButton::DrawLabel(CDC* pDC, UINT itemState, CRect rc)
{
    const COLORREF color = (itemState & ODS_DISABLED) ? m_crDisabled : m_bHover ? m_crHover : m_crText;
    // File names and addresses are shown as they are: no '&' prefix processing.
    DrawTextColor(pDC, GetWindowTextString(), rc, color, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, nullptr);
}

void CLinkButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bHover) {
        TRACKMOUSEEVENT tme{};
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = m_hWnd;
        if (_TrackMouseEvent(&tme)) {
            m_bHover = TRUE;
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE);
        }
    }
    CButton::OnMouseMove(nFlags, point);
}

LRESULT CLinkButton::OnMouseLeave(WPARAM, LPARAM)
{
    m_bHover = FALSE;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE);
    return 1;
}

CColorButton::CColorButton(COLORREF crBackground, COLORREF crText, COLORREF crDisabled, COLORREF crHover,
                           int nFrameMode)
    : CLinkButton(crBackground, crText, crDisabled, crHover), m_nFrameMode(nFrameMode)
{
}

void CColorButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* dc = CDC::FromHandle(lpDIS->hDC);
    const CRect rc(lpDIS->rcItem);
    FillRectColor(dc, rc, m_crBackground);
    CRect label = rc;
    if (lpDIS->itemState & ODS_SELECTED)
        label.OffsetRect(1, 1);
    DrawLabel(dc, lpDIS->itemState, label);
    DrawFrame(dc, lpDIS->itemState, rc);
}

void CColorButton::DrawFrame(CDC* pDC, UINT itemState, CRect rc)
{
    const bool pressed = (itemState & ODS_SELECTED) != 0;
    UINT edge = 0;
    if (m_nFrameMode == 0 || (m_nFrameMode == 1 && m_bHover))
        edge = pressed ? EDGE_SUNKEN : EDGE_RAISED;
    else if (m_nFrameMode != 1 && pressed)
        edge = EDGE_SUNKEN;
    if (edge)
        pDC->DrawEdge(&rc, edge, BF_RECT);
    if (m_nFrameMode == 0 && (itemState & ODS_FOCUS))
        DrawFocusRectInset(pDC, rc, 4);
}

CIconButton::CIconButton(HICON hIcon, HICON hIconDisabled, COLORREF crBackground, COLORREF crText, COLORREF crDisabled,
                         COLORREF crHover, int nFrameMode)
    : CColorButton(crBackground, crText, crDisabled, crHover, nFrameMode), m_hIcon(hIcon),
      m_hIconDisabled(hIconDisabled)
{
}

void CIconButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* dc = CDC::FromHandle(lpDIS->hDC);
    const CRect rc(lpDIS->rcItem);
    FillRectColor(dc, rc, m_crBackground);
    CRect content = rc;
    if (lpDIS->itemState & ODS_SELECTED)
        content.OffsetRect(1, 1);
    const int y = (content.top + content.bottom - 32) / 2;
    const HICON icon = (lpDIS->itemState & ODS_DISABLED) ? m_hIconDisabled : m_hIcon;
    if (icon)
        dc->DrawIcon(content.left + 16, y, icon);
    content.left += 32;
    DrawLabel(dc, lpDIS->itemState, content);
    DrawFrame(dc, lpDIS->itemState, rc);
}

HICON CIconButton::SetIconId(UINT nIDIcon)
{
    CWinApp* app = AfxGetApp();
    m_hIcon = app ? app->LoadIcon(nIDIcon) : AfxLoadIcon(nIDIcon);
    return m_hIcon;
}
