#include "dialogs/wma_set_dlg.h"

#include "dialogs/dialog_items.h"
#include "dialogs/list_rows.h"
#include "dialogs/version_combo.h"
#include "foundation/localized_string.h"
#include "platform/afx/cfiledialog.h"
#include "platform/afx/ddx.h"
#include "resources/aux_dialog_ids.h"
#include "resources/string_ids.h"
#include "ui/dialog_texts.h"
#include "writers/enc_wmv.h"

namespace {

constexpr VersionItem kVersionItems[kWmaVersionRows] = {
    {u"V4", IDI_WMV_V4},
    {u"V7", IDI_WMV_V7},
    {u"PRX", IDI_WMV_PRX},
};

constexpr LPCWSTR kV4Rows[] = {u"  6.5kbps Mono", u" 16kbps Mono",   u" 20kbps Mono",   u" 20kbps Stereo",
                               u" 32kbps Stereo", u" 64kbps Stereo", u" 96kbps Stereo", u"128kbps Stereo"};
constexpr LPCWSTR kV7Rows[] = {u"  6.5kbps Mono", u" 20kbps Mono",   u" 20kbps Stereo", u" 32kbps Stereo",
                               u" 48kbps Stereo", u" 64kbps Stereo", u" 96kbps Stereo", u"128kbps Stereo"};

template <size_t N>
void FillRates(CComboBox& list, const LPCWSTR (&rows)[N], const std::array<int, N>& values, int stored)
{
    for (LPCWSTR row : rows)
        list.AddString(row);
    for (size_t i = 0; i < N; ++i)
        list.SetItemData(static_cast<int>(i), static_cast<DWORD_PTR>(values[i]));
    list.SetCurSel(RowOfValue(values, stored));
}

constexpr DialogText kTexts[] = {
    {IDC_WMA_VERSION_LABEL, strings::kWmaVersionLabel},
    {IDC_WMA_VERSION_AFTER, strings::kWmaVersionAfter},
    {IDC_WMA_BITRATE_LABEL, strings::kWmaBitrateLabel},
    {IDC_WMA_V7_LABEL, strings::kWmaV7Label},
    {IDC_WMA_V4_LABEL, strings::kWmaV4Label},
    {IDC_WMA_PRX_LABEL, strings::kWmaPrxLabel},
    {IDC_WMA_TWOPASS, strings::kWmaTwoPass},
    {IDC_WMA_NOTE, strings::kWmaNote},
};

} // namespace

BEGIN_MESSAGE_MAP(CWMASetDlg, CBaseDialog)
    ON_CBN_SELCHANGE(IDC_WMA_VERSION, OnSelchangeVersion)
    ON_BN_CLICKED(IDC_WMA_PRX_BROWSE, OnBrowsePrx)
END_MESSAGE_MAP()

CWMASetDlg::CWMASetDlg(CWnd* pOwner, const CAudioInfo& info)
    : CBaseDialog(IDD_WMASET, pOwner, FALSE, FALSE), m_info(info)
{
}

CWMASetDlg::~CWMASetDlg() = default;

DWORD CWMASetDlg::CountProfiles(WMT_VERSION version) const { return CountSystemProfiles(version); }

void CWMASetDlg::DoDataExchange(CDataExchange* pDX)
{
    CBaseDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WMA_VERSION, m_versionBox);
    DDX_Control(pDX, IDC_WMA_V4, m_v4List);
    DDX_Control(pDX, IDC_WMA_V7, m_v7List);
    DDX_Text(pDX, IDC_WMA_PRX, m_strPrx);
}

BOOL CWMASetDlg::OnInitDialog()
{
    CBaseDialog::OnInitDialog();
    SetDialogTexts(*this, kTexts);
    SetWindowText(LoadLocalizedString(strings::kWmaCaption));

    FillRates(m_v7List, kV7Rows, kWmaV7Values, m_info.wma7);
    if (CountProfiles(WMT_VER_7_0) == 0)
        m_v7List.ResetContent();
    FillRates(m_v4List, kV4Rows, kWmaV4Values, m_info.wma4);
    if (CountProfiles(WMT_VER_4_0) == 0) {
        m_v4List.ResetContent();
        if (m_info.wmaSelect == 0)
            m_info.wmaSelect = 1;
    }
    FillVersionCombo(m_versionBox, kVersionItems);
    if (m_versionBox.SetCurSel(m_info.wmaSelect) == CB_ERR)
        m_versionBox.SetCurSel(0);
    OnSelchangeVersion();
    m_strPrx = m_info.wmaPRX;
    CheckDlgButton(IDC_WMA_TWOPASS, m_info.wma2Pass ? BST_CHECKED : BST_UNCHECKED);
    UpdateData(FALSE);
    return TRUE;
}

void CWMASetDlg::OnSelchangeVersion()
{
    const int version = m_versionBox.GetCurSel();
    EnableDlgItems(*this, {IDC_WMA_V4, IDC_WMA_V4_LABEL}, version == 0);
    EnableDlgItems(*this, {IDC_WMA_V7, IDC_WMA_V7_LABEL}, version == 1);
    EnableDlgItems(*this, {IDC_WMA_PRX_LABEL, IDC_WMA_PRX, IDC_WMA_PRX_BROWSE, IDC_WMA_TWOPASS}, version == kWmaPrxRow);
}

void CWMASetDlg::OnBrowsePrx()
{
    CFileDialog dialog(TRUE, u"prx", m_strPrx, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, u"PRX (*.PRX)|*.PRX|", nullptr,
                       0, TRUE);
    if (dialog.DoModal() == IDOK)
        m_strPrx = dialog.GetPathName();
    UpdateData(FALSE);
}

void CWMASetDlg::OnDropFile(CString path)
{
    if (m_versionBox.GetCurSel() != kWmaPrxRow)
        return;
    m_strPrx = path;
    UpdateData(FALSE);
}

void CWMASetDlg::OnOK()
{
    UpdateData(TRUE);
    m_info.wmaSelect = RowValueOnOk(m_versionBox.GetCurSel(), kWmaVersionRows, m_info.wmaSelect);
    m_info.wma7 = ValueOnOk(kWmaV7Values, m_v7List.GetCurSel(), m_info.wma7);
    m_info.wma4 = ValueOnOk(kWmaV4Values, m_v4List.GetCurSel(), m_info.wma4);
    m_info.wmaPRX = m_strPrx;
    m_info.wma2Pass = IsDlgButtonChecked(IDC_WMA_TWOPASS) == BST_CHECKED ? 1 : 0;
    EndDialog(IDOK);
}

void CWMASetDlg::OnCancel() { EndDialog(IDCANCEL); }
