#include "dialogs/lumi_filter_dlg.h"

#include "foundation/localized_string.h"
#include "platform/afx/ddx.h"
#include "resources/aux_dialog_ids.h"
#include "resources/string_ids.h"
#include "ui/dialog_texts.h"

#include <algorithm>

namespace {

constexpr DialogText kTexts[] = {
    {IDC_LUMI_GAMMA_LABEL, strings::kLumiGammaLabel},
    {IDC_LUMI_OFFSET_LABEL, strings::kLumiOffsetLabel},
};

} // namespace

BEGIN_MESSAGE_MAP(CLumiFilterDlg, CBaseDialog)
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

int ClampLuminance(int value) { return std::clamp(value, kLuminanceMin, kLuminanceMax); }

CLumiFilterDlg::CLumiFilterDlg(CWnd* pOwner, UINT nNotifyMessage, int gamma, int offset)
    : CBaseDialog(IDD_LUMIFILTER, pOwner, FALSE, FALSE), m_nGamma(gamma), m_nOffset(offset),
      m_nNotifyMessage(nNotifyMessage)
{
}

void CLumiFilterDlg::DoDataExchange(CDataExchange* pDX)
{
    CBaseDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LUMI_OFFSET, m_offsetSlider);
    DDX_Control(pDX, IDC_LUMI_GAMMA, m_gammaSlider);
    DDX_Text(pDX, IDC_LUMI_GAMMA_VALUE, m_nGamma);
    DDV_MinMaxInt(pDX, m_nGamma, kLuminanceMin, kLuminanceMax);
    DDX_Text(pDX, IDC_LUMI_OFFSET_VALUE, m_nOffset);
    DDV_MinMaxInt(pDX, m_nOffset, kLuminanceMin, kLuminanceMax);
}

BOOL CLumiFilterDlg::OnInitDialog()
{
    // The edits are read-only: a value the sliders cannot reach would be a field the user could
    // never mend, and closing would complain about it.
    m_nGamma = ClampLuminance(m_nGamma);
    m_nOffset = ClampLuminance(m_nOffset);
    CBaseDialog::OnInitDialog();
    SetDialogTexts(*this, kTexts);
    SetWindowText(LoadLocalizedString(strings::kLumiCaption));
    m_gammaSlider.SetRange(kLuminanceMin, kLuminanceMax, TRUE);
    m_offsetSlider.SetRange(kLuminanceMin, kLuminanceMax, TRUE);
    m_gammaSlider.SetPos(m_nGamma);
    m_offsetSlider.SetPos(m_nOffset);
    UpdateData(FALSE);
    return TRUE;
}

void CLumiFilterDlg::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    const int id = pScrollBar ? pScrollBar->GetDlgCtrlID() : 0;
    if (id == IDC_LUMI_GAMMA)
        m_nGamma = m_gammaSlider.GetPos();
    else if (id == IDC_LUMI_OFFSET)
        m_nOffset = m_offsetSlider.GetPos();
    if (m_pOwner && IsWindow(m_pOwner->m_hWnd))
        m_pOwner->SendMessage(m_nNotifyMessage, static_cast<WPARAM>(m_nGamma), static_cast<LPARAM>(m_nOffset));
    UpdateData(FALSE);
    Default();
}
