// The frame-rate dialog: edits the frame rate of a settings record.
#pragma once

#include "foundation/info.h"
#include "ui/base_dialog.h"

class COutputDlg : public CBaseDialog {
public:
    explicit COutputDlg(CWnd* pParent);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Stores the edited rate; a number outside the usable range is refused with a prompt and the
    // dialog stays open. The shown value, left as it was, keeps the stored rate exactly.
    void OnOK() override;
    // Closes keeping the record's rate.
    void OnCancel() override;

    CInfo m_info{FALSE};
    double m_dFps = 0.0;

private:
    CString m_strShown;
};

// The frame-rate command: the record is copied into the dialog and, when it closes, back and
// saved to the profile.
void EditOutputSetting(CInfo& info, CWnd* pParent);
