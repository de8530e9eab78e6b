#include "dialogs/choice_dialogs.h"

#include "dialogs/list_rows.h"
#include "foundation/localized_string.h"
#include "resources/aux_dialog_ids.h"
#include "resources/string_ids.h"
#include "ui/dialog_texts.h"

#include <span>

namespace {

constexpr std::array kExtractRadios = {IDC_EXTRACT_SOURCE, IDC_EXTRACT_WAV, IDC_EXTRACT_WMA};
constexpr std::array kAudioRadios = {IDC_AUDIO_RECOMPRESS, IDC_AUDIO_COPY, IDC_AUDIO_NONE};

// Ticks the radio of row (none for -1) and clears the others.
void TickRow(CWnd* dialog, std::span<const int> radios, int row)
{
    for (size_t i = 0; i < radios.size(); ++i)
        dialog->CheckDlgButton(radios[i], static_cast<int>(i) == row ? BST_CHECKED : BST_UNCHECKED);
}

template <size_t N>
std::array<bool, N> Ticks(const CWnd* dialog, const std::array<int, N>& radios)
{
    std::array<bool, N> ticked{};
    for (size_t i = 0; i < N; ++i)
        ticked[i] = dialog->IsDlgButtonChecked(radios[i]) == BST_CHECKED;
    return ticked;
}

constexpr DialogText kStreamKindTexts[] = {
    {IDC_STREAM_VIDEO, strings::kStreamVideo},
    {IDC_STREAM_VIDEO_AUDIO, strings::kStreamVideoAudio},
    {IDC_STREAM_NOTE, strings::kStreamNote},
};
constexpr DialogText kExtractKindTexts[] = {
    {IDC_EXTRACT_SOURCE, strings::kExtractSource},
    {IDC_EXTRACT_WAV, strings::kExtractWav},
    {IDC_EXTRACT_WMA, strings::kExtractWma},
};
constexpr DialogText kAudioStreamTexts[] = {
    {IDC_AUDIO_RECOMPRESS, strings::kAudioRecompress},
    {IDC_AUDIO_COPY, strings::kAudioCopy},
    {IDC_AUDIO_NONE, strings::kAudioNone},
};

} // namespace

int AudioStreamRowOnOpen(int handling)
{
    const int row = RowOfValue(kAudioStreamValues, handling);
    return row < 0 ? 0 : row;
}

CStreamKindDlg::CStreamKindDlg(CWnd* pOwner, int withAudio)
    : CBaseDialog(IDD_STREAMKIND, pOwner, FALSE, FALSE), m_nWithAudio(withAudio)
{
}

BOOL CStreamKindDlg::OnInitDialog()
{
    CBaseDialog::OnInitDialog();
    SetDialogTexts(*this, kStreamKindTexts);
    SetWindowText(LoadLocalizedString(strings::kStreamCaption));
    CheckDlgButton(IDC_STREAM_VIDEO, m_nWithAudio == 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_STREAM_VIDEO_AUDIO, m_nWithAudio != 0 ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CStreamKindDlg::OnOK()
{
    m_nWithAudio = IsDlgButtonChecked(IDC_STREAM_VIDEO_AUDIO) == BST_CHECKED ? 1 : 0;
    CDialog::OnOK();
}

CExtractKindDlg::CExtractKindDlg(CWnd* pOwner, int kind)
    : CBaseDialog(IDD_EXTRACTKIND, pOwner, FALSE, FALSE), m_nKind(kind)
{
}

BOOL CExtractKindDlg::OnInitDialog()
{
    CBaseDialog::OnInitDialog();
    SetDialogTexts(*this, kExtractKindTexts);
    SetWindowText(LoadLocalizedString(strings::kExtractCaption));
    TickRow(this, kExtractRadios, RowOfValue(kExtractKindValues, m_nKind));
    return TRUE;
}

void CExtractKindDlg::OnOK()
{
    m_nKind = FirstTickedValue(Ticks(this, kExtractRadios), kExtractKindValues, m_nKind);
    CDialog::OnOK();
}

CAudioStreamDlg::CAudioStreamDlg(CWnd* pOwner, int handling)
    : CBaseDialog(IDD_AUDIOSTREAM, pOwner, FALSE, FALSE), m_nHandling(handling)
{
}

BOOL CAudioStreamDlg::OnInitDialog()
{
    CBaseDialog::OnInitDialog();
    SetDialogTexts(*this, kAudioStreamTexts);
    SetWindowText(LoadLocalizedString(strings::kAudioCaption));
    TickRow(this, kAudioRadios, AudioStreamRowOnOpen(m_nHandling));
    return TRUE;
}

void CAudioStreamDlg::OnOK()
{
    m_nHandling = FirstTickedValue(Ticks(this, kAudioRadios), kAudioStreamValues, m_nHandling);
    CDialog::OnOK();
}
