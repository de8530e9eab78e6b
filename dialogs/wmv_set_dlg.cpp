#include "dialogs/wmv_set_dlg.h"

#include "dialogs/dialog_items.h"
#include "dialogs/version_combo.h"
#include "foundation/localized_string.h"
#include "platform/afx/cfiledialog.h"
#include "platform/afx/ddx.h"
#include "resources/resource_ids.h"
#include "resources/string_ids.h"
#include "ui/dialog_texts.h"
#include "writers/enc_wmv.h"

namespace {

constexpr int IDC_VERSION_LABEL = 42038, IDC_VERSION = 42080, IDC_BY_ENC = 42042, IDC_TWO_PASS = 42129,
              IDC_BITRATE_LABEL = 42046, IDC_V4_LABEL = 42107, IDC_V4 = 42086, IDC_V7_LABEL = 42114, IDC_V7 = 42098,
              IDC_V8_LABEL = 42119, IDC_V8 = 42103, IDC_PRX_LABEL = 42125, IDC_PRX = 42012, IDC_BROWSE = 42123,
              IDC_PRX_NOTE = 42047;

constexpr DialogText kTexts[] = {
    {IDC_VERSION_LABEL, strings::kWmvVersionLabel}, {IDC_BY_ENC, strings::kWmvByEnc},
    {IDC_TWO_PASS, strings::kWmvTwoPass},           {IDC_BITRATE_LABEL, strings::kWmvBitrateLabel},
    {IDC_PRX_LABEL, strings::kWmvPrxLabel},         {IDC_PRX_NOTE, strings::kWmvPrxNote},
};

constexpr VersionItem kVersionItems[kVersionRows] = {
    {u"V4", IDI_WMV_V4},
    {u"V7", IDI_WMV_V7},
    {u"V8", IDI_WMV_V8},
    {u"PRX", IDI_WMV_PRX},
};
constexpr int kDefaultVersionRow = 1;

} // namespace

BEGIN_MESSAGE_MAP(CWMVSet, CBaseDialog)
    ON_CBN_SELCHANGE(IDC_VERSION, OnSelchangeVersion)
    ON_BN_CLICKED(IDC_BROWSE, OnBrowsePrx)
END_MESSAGE_MAP()

CWMVSet::CWMVSet(CWnd* pParent) : CBaseDialog(IDD, pParent, FALSE, FALSE) {}

CWMVSet::~CWMVSet() = default;

DWORD CWMVSet::CountProfiles(WMT_VERSION version) const { return CountSystemProfiles(version); }

void CWMVSet::DoDataExchange(CDataExchange* pDX)
{
    CBaseDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PRX, m_strPrx);
    DDX_Control(pDX, IDC_VERSION, m_comboVersion);
    DDX_Control(pDX, IDC_V8, m_comboV8);
    DDX_Control(pDX, IDC_V7, m_comboV7);
    DDX_Control(pDX, IDC_V4, m_comboV4);
}

void CWMVSet::FillProfileList(CComboBox& combo, const ProfileList& list, int storedIndex)
{
    for (const ProfileRow& row : list.rows) {
        const int at = combo.AddString(row.text);
        combo.SetItemData(at, static_cast<DWORD_PTR>(row.profileIndex));
    }
    combo.SetCurSel(InitialProfileRow(list, storedIndex));
    // The count only decides between a full and an empty list.
    if (CountProfiles(list.version) == 0)
        combo.ResetContent();
}

BOOL CWMVSet::OnInitDialog()
{
    CBaseDialog::OnInitDialog();
    SetDialogTexts(*this, kTexts);
    SetWindowText(LoadLocalizedString(strings::kWmvCaption));
    FillProfileList(m_comboV4, Version4Profiles(), m_info.WMV4);
    if (m_comboV4.GetCount() == 0 && m_info.WMV == 0)
        m_info.WMV = 1;
    FillProfileList(m_comboV7, Version7Profiles(), m_info.WMV7);
    FillProfileList(m_comboV8, Version8Profiles(), m_info.WMV8);
    FillVersionCombo(m_comboVersion, kVersionItems);
    if (m_comboVersion.SetCurSel(m_info.WMV) == CB_ERR)
        m_comboVersion.SetCurSel(kDefaultVersionRow);
    OnSelchangeVersion();
    m_strPrx = m_info.PRX;
    if (auto* twoPass = static_cast<CButton*>(GetDlgItem(IDC_TWO_PASS)))
        twoPass->SetCheck(m_info.WMV2PASS != 0 ? BST_CHECKED : BST_UNCHECKED);
    UpdateData(FALSE);
    return TRUE;
}

void CWMVSet::OnSelchangeVersion()
{
    const VersionControls controls = ControlsForVersion(m_comboVersion.GetCurSel());
    EnableDlgItems(*this, {IDC_V4, IDC_V4_LABEL}, controls.version4);
    EnableDlgItems(*this, {IDC_V7, IDC_V7_LABEL}, controls.version7);
    EnableDlgItems(*this, {IDC_V8, IDC_V8_LABEL}, controls.version8);
    EnableDlgItems(*this, {IDC_BROWSE, IDC_PRX_LABEL, IDC_PRX, IDC_TWO_PASS}, controls.profileFile);
}

void CWMVSet::OnOK()
{
    const auto selectedIndex = [](const CComboBox& combo) {
        const int row = combo.GetCurSel();
        return row < 0 ? CB_ERR : static_cast<int>(combo.GetItemData(row));
    };
    m_info.WMV = m_comboVersion.GetCurSel();
    m_info.WMV8 = ProfileIndexOnOK(selectedIndex(m_comboV8), m_info.WMV8);
    m_info.WMV7 = ProfileIndexOnOK(selectedIndex(m_comboV7), m_info.WMV7);
    m_info.WMV4 = ProfileIndexOnOK(selectedIndex(m_comboV4), m_info.WMV4);
    m_info.PRX = m_strPrx;
    if (auto* twoPass = static_cast<CButton*>(GetDlgItem(IDC_TWO_PASS)))
        m_info.WMV2PASS = TwoPassOnOK(twoPass->GetCheck() == BST_CHECKED, m_info.WMV2PASS);
    EndDialog(IDOK);
}

void CWMVSet::OnBrowsePrx()
{
    UpdateData(TRUE);
    CFileDialog dialog(TRUE, u"prx", m_strPrx, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, u"PRX (*.PRX)|*.PRX|", nullptr,
                       0, TRUE);
    if (dialog.DoModal() == IDOK)
        m_strPrx = dialog.GetPathName();
    UpdateData(FALSE);
}

void CWMVSet::OnDropFile(CString path)
{
    UpdateData(TRUE);
    m_strPrx = path;
    UpdateData(FALSE);
}

int EditWmvSettings(CInfo* info, CWnd* parent)
{
    CWMVSet dialog(parent);
    dialog.m_info = *info;
    if (dialog.DoModal() != IDOK)
        return -2;
    *info = dialog.m_info;
    return 0;
}
