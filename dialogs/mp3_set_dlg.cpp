#include "dialogs/mp3_set_dlg.h"

#include "dialogs/dialog_items.h"
#include "dialogs/list_rows.h"
#include "foundation/localized_string.h"
#include "platform/afx/ddx.h"
#include "resources/aux_dialog_ids.h"
#include "resources/string_ids.h"

namespace {

// The encoder named in the caption.
constexpr LPCWSTR kEncoderName = u"MP3 Encoder";

// The channel mode is the row.
constexpr std::array kChannelRowTexts = {strings::kMp3Mono, strings::kMp3Stereo, strings::kMp3JointStereo,
                                         strings::kMp3MidSideStereo, strings::kMp3DualChannel};

template <size_t N>
void FillRates(CComboBox& list, const std::array<int, N>& rates, int stored)
{
    for (int kbps : rates)
        list.AddString(RateRowText(kbps));
    for (size_t i = 0; i < N; ++i)
        list.SetItemData(static_cast<int>(i), static_cast<DWORD_PTR>(rates[i]));
    list.SetCurSel(RowOfValue(rates, stored));
}

} // namespace

BEGIN_MESSAGE_MAP(CMP3SetDlg, CBaseDialog)
    ON_BN_CLICKED(IDC_MP3_VBR_CHECK, OnVbrClicked)
END_MESSAGE_MAP()

CMP3SetDlg::CMP3SetDlg(CWnd* pOwner, const CAudioInfo& info)
    : CBaseDialog(IDD_MP3SET, pOwner, FALSE, FALSE), m_info(info)
{
}

void CMP3SetDlg::DoDataExchange(CDataExchange* pDX)
{
    CBaseDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MP3_VBR, m_vbrList);
    DDX_Control(pDX, IDC_MP3_QUALITY, m_qualityList);
    DDX_Control(pDX, IDC_MP3_CBR, m_cbrList);
    DDX_Control(pDX, IDC_MP3_CHANNEL, m_channelList);
}

BOOL CMP3SetDlg::OnInitDialog()
{
    CBaseDialog::OnInitDialog();
    SetItemText(IDC_MP3_CHANNEL_LABEL, LoadLocalizedString(strings::kMp3ChannelLabel), FALSE);
    SetItemText(IDC_MP3_CBR_LABEL, LoadLocalizedString(strings::kMp3CbrLabel), FALSE);
    SetItemText(IDC_MP3_VBR_CHECK, LoadLocalizedString(strings::kMp3VbrCheck), FALSE);
    SetItemText(IDC_MP3_VBR_GROUP, LoadLocalizedString(strings::kMp3VbrGroup), FALSE);
    SetItemText(IDC_MP3_QUALITY_LABEL, LoadLocalizedString(strings::kMp3QualityLabel), FALSE);
    SetItemText(IDC_MP3_VBR_LABEL, LoadLocalizedString(strings::kMp3VbrLabel), FALSE);
    CString caption;
    caption.Format(LoadLocalizedString(strings::kMp3Caption), kEncoderName);
    SetWindowText(caption);

    for (UINT text : kChannelRowTexts)
        m_channelList.AddString(LoadLocalizedString(text));
    FillRates(m_cbrList, kMp3CbrRates, m_info.cbr_bps);
    FillRates(m_vbrList, kMp3VbrRates, m_info.vbr_bps);
    for (int quality = 0; quality < kMp3QualityRows; ++quality) {
        CString row;
        row.Format(u"%d", quality);
        m_qualityList.AddString(row);
    }
    m_channelList.SetCurSel(m_info.EncType);
    m_qualityList.SetCurSel(m_info.Qual);
    CheckDlgButton(IDC_MP3_VBR_CHECK, m_info.vbr ? BST_CHECKED : BST_UNCHECKED);
    OnVbrClicked();
    UpdateData(FALSE);
    return TRUE;
}

void CMP3SetDlg::OnVbrClicked() { EnableVbrControls(IsDlgButtonChecked(IDC_MP3_VBR_CHECK) == BST_CHECKED); }

void CMP3SetDlg::EnableVbrControls(BOOL bVbr)
{
    EnableDlgItems(*this, {IDC_MP3_QUALITY, IDC_MP3_QUALITY_LABEL, IDC_MP3_VBR_GROUP, IDC_MP3_VBR_LABEL, IDC_MP3_VBR},
                   bVbr != FALSE);
    EnableDlgItems(*this, {IDC_MP3_CBR, IDC_MP3_CBR_LABEL}, bVbr == FALSE);
}

void CMP3SetDlg::OnOK()
{
    UpdateData(TRUE);
    m_info.vbr = IsDlgButtonChecked(IDC_MP3_VBR_CHECK) == BST_CHECKED ? 1 : 0;
    m_info.EncType = RowValueOnOk(m_channelList.GetCurSel(), kMp3ChannelRows, m_info.EncType);
    m_info.Qual = RowValueOnOk(m_qualityList.GetCurSel(), kMp3QualityRows, m_info.Qual);
    m_info.cbr_bps = ValueOnOk(kMp3CbrRates, m_cbrList.GetCurSel(), m_info.cbr_bps);
    m_info.vbr_bps = ValueOnOk(kMp3VbrRates, m_vbrList.GetCurSel(), m_info.vbr_bps);
    EndDialog(IDOK);
}

void CMP3SetDlg::OnCancel() { EndDialog(IDCANCEL); }
