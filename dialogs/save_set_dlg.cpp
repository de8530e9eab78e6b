#include "dialogs/save_set_dlg.h"

#include "dialogs/list_rows.h"
#include "dialogs/volume_dlg.h"
#include "foundation/localized_string.h"
#include "foundation/registry_key_name.h"
#include "foundation/string_to_int.h"
#include "platform/afx/ddx.h"
#include "resources/aux_dialog_ids.h"
#include "resources/string_ids.h"
#include "ui/browse.h"
#include "ui/dialog_texts.h"

#include <array>

namespace {

// In the order of the settings' values.
constexpr std::array<UINT, kInterlaceRows> kInterlaceRowTexts = {
    strings::kSaveInterlaceNone, strings::kSaveInterlaceOdd, strings::kSaveInterlaceEven,
    strings::kSaveInterlaceDouble};
constexpr std::array<UINT, kOverwriteRows> kOverwriteRowTexts = {
    strings::kSaveOverwrite, strings::kSaveOverwriteNumbered, strings::kSaveOverwriteAsk};

constexpr DialogText kTexts[] = {
    {IDC_SAVE_FOLDER_GROUP, strings::kSaveFolderGroup},
    {IDC_SAVE_QUALITY_GROUP, strings::kSaveQualityGroup},
    {IDC_SAVE_INTERVAL_GROUP, strings::kSaveIntervalGroup},
    {IDC_SAVE_INTERVAL_AFTER, strings::kSaveIntervalAfter},
    {IDC_SAVE_INTERLACE_GROUP, strings::kSaveInterlaceGroup},
    {IDC_SAVE_AUDIO_GROUP, strings::kSaveAudioGroup},
    {IDC_SAVE_AUDIO, strings::kSaveAudio},
    {IDC_SAVE_KEY_GROUP, strings::kSaveKeyGroup},
    {IDC_SAVE_OVERWRITE_GROUP, strings::kSaveOverwriteGroup},
};

} // namespace

BEGIN_MESSAGE_MAP(CSaveSetDlg, CBaseDialog)
    ON_BN_CLICKED(IDC_SAVE_BROWSE, OnBrowseFolder)
    ON_EN_CHANGE(IDC_SAVE_QUALITY, OnChangeQuality)
    ON_BN_CLICKED(IDC_SAVE_AUDIO, OnAudioSetting)
END_MESSAGE_MAP()

CSaveSetDlg::CSaveSetDlg(CWnd* pOwner, const OutputSettings& settings, CString keyName)
    : CBaseDialog(IDD_SAVESET, pOwner, FALSE, FALSE), m_settings(settings), m_strKeyName(keyName)
{
}

void CSaveSetDlg::DoDataExchange(CDataExchange* pDX)
{
    CBaseDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SAVE_OVERWRITE, m_overwriteList);
    DDX_Control(pDX, IDC_SAVE_INTERLACE, m_interlaceList);
    DDX_Text(pDX, IDC_SAVE_FOLDER, m_strFolder);
    DDX_Control(pDX, IDC_SAVE_QUALITY_SPIN, m_qualitySpin);
    DDX_Text(pDX, IDC_SAVE_INTERVAL, m_nInterval);
    DDV_MinMaxUInt(pDX, m_nInterval, 1, kMaxImageInterval);
    DDX_Text(pDX, IDC_SAVE_KEY, m_strKeyName);
}

BOOL CSaveSetDlg::OnInitDialog()
{
    CBaseDialog::OnInitDialog();
    SetDialogTexts(*this, kTexts);
    SetWindowText(LoadLocalizedString(strings::kSaveCaption));

    for (UINT text : kInterlaceRowTexts)
        m_interlaceList.AddString(LoadLocalizedString(text));
    for (UINT text : kOverwriteRowTexts)
        m_overwriteList.AddString(LoadLocalizedString(text));

    m_strFolder = m_settings.folder;
    m_nQuality = m_settings.quality;
    SetDlgItemText(IDC_SAVE_FOLDER, m_strFolder);
    m_qualitySpin.SetRange32(1, 100);
    m_qualitySpin.SetPos32(m_nQuality);
    m_nInterval = m_settings.interval;
    m_interlaceList.SetCurSel(m_settings.interlaced);
    m_overwriteList.SetCurSel(m_settings.overwrite);
    UpdateData(FALSE);
    return TRUE;
}

void CSaveSetDlg::OnChangeQuality()
{
    CString text;
    GetDlgItemText(IDC_SAVE_QUALITY, text);
    const int typed = StringToInt(text);
    m_nQuality = CorrectedQuality(typed);
    if (m_nQuality != typed) {
        CString corrected;
        corrected.Format(u"%d", m_nQuality);
        SetDlgItemText(IDC_SAVE_QUALITY, corrected);
    }
}

void CSaveSetDlg::OnAudioSetting() { m_settings.volume = EditVolume(m_settings.volume, this); }

void CSaveSetDlg::OnBrowseFolder()
{
    UpdateData(TRUE);
    CBrowse browse;
    const CString chosen = browse.Browse(m_strFolder, this);
    if (!chosen.IsEmpty())
        m_strFolder = chosen;
    UpdateData(FALSE);
}

void CSaveSetDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    CString qualityText;
    GetDlgItemText(IDC_SAVE_QUALITY, qualityText);
    m_nQuality = StringToInt(qualityText);
    // The name is checked and written before anything is taken, so a refusal changes nothing.
    if (!IsUsableRegistryKeyName(m_strKeyName)) {
        AfxMessageBox(LoadLocalizedString(strings::kSaveBadKeyName), MB_ICONEXCLAMATION);
        if (CWnd* key = GetDlgItem(IDC_SAVE_KEY))
            key->SetFocus();
        return;
    }
    if (!SaveRegistryKeyName(m_strKeyName)) {
        CString message;
        message.Format(LoadLocalizedString(strings::kSaveWriteFailed), UserSettingFilePath().GetString());
        AfxMessageBox(message, MB_ICONERROR);
        return;
    }
    m_settings.folder = m_strFolder;
    m_settings.quality = m_nQuality;
    m_settings.interval = m_nInterval;
    m_settings.interlaced = RowValueOnOk(m_interlaceList.GetCurSel(), kInterlaceRows, m_settings.interlaced);
    m_settings.overwrite = RowValueOnOk(m_overwriteList.GetCurSel(), kOverwriteRows, m_settings.overwrite);
    EndDialog(IDOK);
}

void CSaveSetDlg::OnCancel() { EndDialog(IDCANCEL); }

int EditOutputSettings(CInfo& info, CWnd* pParent)
{
    CSaveSetDlg dlg(pParent, OutputSettingsOf(info), LoadRegistryKeyName());
    if (dlg.DoModal() != IDOK)
        return -2;
    ApplyOutputSettings(dlg.Settings(), info);
    return 0;
}
