#include "dialogs/volume_dlg.h"

#include "foundation/localized_string.h"
#include "platform/afx/ddx.h"
#include "resources/aux_dialog_ids.h"
#include "resources/string_ids.h"
#include "ui/dialog_texts.h"

namespace {

constexpr DialogText kTexts[] = {
    {IDC_VOLUME_LABEL, strings::kVolumeLabel},
};

} // namespace

CVolume::CVolume(CWnd* pParent) : CBaseDialog(IDD_VOLUME, pParent, FALSE, FALSE) {}

void CVolume::DoDataExchange(CDataExchange* pDX)
{
    CBaseDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_VOLUME, m_nVolume);
}

BOOL CVolume::OnInitDialog()
{
    CBaseDialog::OnInitDialog();
    SetDialogTexts(*this, kTexts);
    SetWindowText(LoadLocalizedString(strings::kVolumeCaption));
    return TRUE;
}

void CVolume::OnOK() { CDialog::OnOK(); }

int EditVolume(int volume, CWnd* pParent)
{
    CVolume dlg(pParent);
    dlg.SetVolume(volume);
    dlg.DoModal();
    return dlg.GetVolume();
}
