#include "ui/base_color_dialog.h"

#include "platform/afx/cdc.h"

BEGIN_MESSAGE_MAP(CBaseColorDialog, CBaseDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CBaseColorDialog::CBaseColorDialog(UINT nIDTemplate, CWnd* pParent, COLORREF crBackground, COLORREF crText,
                                   BOOL bSysMenu, BOOL bChild)
    : CBaseDialog(nIDTemplate, pParent, bSysMenu, bChild), m_crText(crText)
{
    m_brBackground.CreateSolidBrush(crBackground);
}

void CBaseColorDialog::DoDataExchange(CDataExchange* pDX) { CBaseDialog::DoDataExchange(pDX); }

HBRUSH CBaseColorDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    const HBRUSH base = CBaseDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    switch (nCtlColor) {
    case CTLCOLOR_DLG: return m_brBackground.m_hObject;
    case CTLCOLOR_STATIC:
        pDC->SetTextColor(m_crText);
        pDC->SetBkMode(TRANSPARENT);
        return m_brBackground.m_hObject;
    default: return base;
    }
}
