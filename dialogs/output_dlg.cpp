#include "dialogs/output_dlg.h"

#include "dialogs/frame_rate.h"
#include "foundation/localized_string.h"
#include "platform/afx/ddx.h"
#include "resources/app_dialog_ids.h"
#include "resources/string_ids.h"
#include "ui/dialog_texts.h"

#include <QString>

namespace {

// The rate's range is the program's own rule, so its prompt speaks the program's language.
CString RangePrompt()
{
    QString text = QString::fromUtf16(LoadLocalizedString(strings::kFrameRateRange).GetString());
    text.replace(QStringLiteral("%1"), QString::number(kMinFps, 'g', 15));
    text.replace(QStringLiteral("%2"), QString::number(kMaxFps, 'g', 15));
    return CString(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), text.size()));
}

constexpr DialogText kTexts[] = {
    {IDC_FPS_LABEL, strings::kFrameRateLabel},
};

} // namespace

COutputDlg::COutputDlg(CWnd* pParent) : CBaseDialog(IDD_OUTPUT, pParent, FALSE, FALSE) {}

void COutputDlg::DoDataExchange(CDataExchange* pDX)
{
    CBaseDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_FPS, m_dFps);
}

BOOL COutputDlg::OnInitDialog()
{
    CBaseDialog::OnInitDialog();
    SetDialogTexts(*this, kTexts);
    SetWindowText(LoadLocalizedString(strings::kOutputCaption));
    m_dFps = FpsFromFrameRate(static_cast<UINT>(m_info.fps));
    UpdateData(FALSE);
    GetDlgItemText(IDC_FPS, m_strShown);
    return TRUE;
}

void COutputDlg::OnOK()
{
    CString typed;
    GetDlgItemText(IDC_FPS, typed);
    // The shown text need not convert back to the same integer (1.0009 gives 10008).
    if (typed == m_strShown) {
        EndDialog(IDOK);
        return;
    }
    // Text that is not a number: the exchange has shown its prompt; the stored rate stays.
    if (!UpdateData(TRUE)) {
        EndDialog(IDOK);
        return;
    }
    const std::optional<UINT> rate = FrameRateFromFps(m_dFps);
    if (!rate) {
        AfxMessageBox(RangePrompt(), MB_ICONEXCLAMATION);
        if (CWnd* edit = GetDlgItem(IDC_FPS))
            edit->SetFocus();
        return;
    }
    m_info.fps = static_cast<int>(*rate);
    EndDialog(IDOK);
}

void COutputDlg::OnCancel() { EndDialog(IDOK); }

void EditOutputSetting(CInfo& info, CWnd* pParent)
{
    COutputDlg dlg(pParent);
    dlg.m_info = info;
    if (dlg.DoModal() == IDOK) {
        info = dlg.m_info;
        info.Save();
    }
}
