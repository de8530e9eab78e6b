#include "dialogs/mp3_set_dlg.h"

#include "dialogs/dialog_items.h"
#include "dialogs/list_rows.h"
#include "foundation/localized_string.h"
#include "platform/afx/ddx.h"
#include "resources/aux_dialog_ids.h"
#include "resources/string_ids.h"
#include "ui/dialog_texts.h"

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

constexpr DialogText kTexts[] = {
    {IDC_MP3_CHANNEL_LABEL, strings::kMp3ChannelLabel}, {IDC_MP3_CBR_LABEL, strings::kMp3CbrLabel},
    {IDC_MP3_VBR_CHECK, strings::kMp3VbrCheck},         {IDC_MP3_VBR_GROUP, strings::kMp3VbrGroup},
    {IDC_MP3_QUALITY_LABEL, strings::kMp3QualityLabel}, {IDC_MP3_VBR_LABEL, strings::kMp3VbrLabel},
};

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
    SetDialogTexts(*this, kTexts);
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
