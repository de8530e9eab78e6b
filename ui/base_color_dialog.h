// A dialog with a solid background and a text colour for its static texts.
#pragma once

#include "platform/afx/gdi.h"
#include "ui/base_dialog.h"

class CBaseColorDialog : public CBaseDialog {
public:
    CBaseColorDialog(UINT nIDTemplate, CWnd* pParent, COLORREF crBackground, COLORREF crText, BOOL bSysMenu,
                     BOOL bChild);

    void DoDataExchange(CDataExchange* pDX) override;
    void EnableTheme() override {}

    DECLARE_MESSAGE_MAP()

public:
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

protected:
    COLORREF m_crText;
    CBrush m_brBackground;
};
