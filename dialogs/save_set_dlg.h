// The output settings: folder, JPEG quality, image interval, deinterlace default, rule for an
// existing output file, audio volume, and the registry key name kept in "Setting.ini".
#pragma once

#include "dialogs/output_settings.h"
#include "platform/afx/controls.h"
#include "ui/base_dialog.h"

class CSaveSetDlg : public CBaseDialog {
public:
    // keyName is the name in use; OK writes the field back to "Setting.ini".
    CSaveSetDlg(CWnd* pOwner, const OutputSettings& settings, CString keyName);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // The edited values; the caller takes them after IDOK.
    const OutputSettings& Settings() const { return m_settings; }

    DECLARE_MESSAGE_MAP()

public:
    void OnBrowseFolder();
    void OnChangeQuality();
    void OnAudioSetting();

private:
    OutputSettings m_settings;
    CComboBox m_overwriteList;
    CComboBox m_interlaceList;
    CString m_strFolder;
    int m_nQuality = 100;
    CSpinButtonCtrl m_qualitySpin;
    UINT m_nInterval = 1;
    CString m_strKeyName;
};

// Runs the dialog on the record's output settings; after OK the record holds the edits and 0
// comes back, after Cancel or the close box the record is untouched and -2 comes back.
int EditOutputSettings(CInfo& info, CWnd* pParent);
