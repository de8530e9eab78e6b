// Drawing helpers shared by the player view and the owner-drawn controls.
#pragma once

#include "platform/afx/cdc.h"

// Fills rc; cr stays the DC's background colour afterwards.
void FillRectColor(CDC* pDC, CRect rc, COLORREF cr);
// Draws in cr with a transparent background; the text colour (and the font, when one is given)
// are put back, the background mode stays transparent.
void DrawTextColor(CDC* pDC, CString text, CRect rc, COLORREF cr, UINT nFormat, CFont* pFont);
void DrawFocusRectInset(CDC* pDC, CRect rc, int n);
