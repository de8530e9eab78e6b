#include "ui/draw_helpers.h"

void FillRectColor(CDC* pDC, CRect rc, COLORREF cr) { pDC->FillSolidRect(&rc, cr); }

void DrawTextColor(CDC* pDC, CString text, CRect rc, COLORREF cr, UINT nFormat, CFont* pFont)
{
    CFont* oldFont = pFont ? pDC->SelectObject(pFont) : nullptr;
    const COLORREF oldColor = pDC->SetTextColor(cr);
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(text, &rc, nFormat);
    pDC->SetTextColor(oldColor);
    if (pFont && oldFont)
        pDC->SelectObject(oldFont);
}

void DrawFocusRectInset(CDC* pDC, CRect rc, int n)
{
    rc.DeflateRect(n, n);
    pDC->DrawFocusRect(&rc);
}
