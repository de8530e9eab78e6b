// The WMV profile dialog: a system profile of version 4, 7 or 8, or a profile file, optionally
// encoded in two passes.
#pragma once

#include "dialogs/wmv_profile_lists.h"
#include "foundation/info.h"
#include "platform/afx/controls.h"
#include "ui/base_dialog.h"
#include "ui/combo_box_img_ex.h"

class CWMVSet : public CBaseDialog {
public:
    static constexpr UINT IDD = 40014;

    explicit CWMVSet(CWnd* pParent);
    ~CWMVSet() override;

    CInfo m_info{FALSE};

    DECLARE_MESSAGE_MAP()

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnDropFile(CString path) override;
    // How many system profiles the runtime has of this version.
    virtual DWORD CountProfiles(WMT_VERSION version) const;

    void FillProfileList(CComboBox& combo, const ProfileList& list, int storedIndex);
    void OnSelchangeVersion();
    void OnBrowsePrx();

    CComboBoxImgEx m_comboVersion;
    CComboBox m_comboV8;
    CComboBox m_comboV7;
    CComboBox m_comboV4;
    CString m_strPrx;
};

// Shows the dialog for the caller's record; 0 after OK with the record updated, -2 when cancelled
// with the record untouched.
int EditWmvSettings(CInfo* info, CWnd* parent);
