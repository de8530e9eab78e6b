// A Windows Media Audio encoding: a bit rate of version 4 or 7, or a profile file with or without
// two passes.
#pragma once

#include "dialogs/audio_info.h"
#include "platform/afx/controls.h"
#include "platform/wmf/wm_types.h"
#include "ui/base_dialog.h"
#include "ui/combo_box_img_ex.h"

#include <array>

inline constexpr std::array kWmaV4Values = {4, 5, 6, 7, 8, 9, 10, 11};
inline constexpr std::array kWmaV7Values = {17, 18, 19, 20, 21, 22, 23, 24};
constexpr int kWmaVersionRows = 3;
constexpr int kWmaPrxRow = 2;

class CWMASetDlg : public CBaseDialog {
public:
    CWMASetDlg(CWnd* pOwner, const CAudioInfo& info);
    ~CWMASetDlg() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    // Only while the profile file is the setting being edited.
    void OnDropFile(CString path) override;
    // After IDOK the user's choices; otherwise the record the dialog opened with.
    const CAudioInfo& AudioInfo() const { return m_info; }

    DECLARE_MESSAGE_MAP()

public:
    void OnSelchangeVersion();
    void OnBrowsePrx();

protected:
    // The runtime's system profiles of a version (a seam for tests).
    virtual DWORD CountProfiles(WMT_VERSION version) const;

private:
    CAudioInfo m_info;
    CComboBoxImgEx m_versionBox;
    CComboBox m_v4List;
    CComboBox m_v7List;
    CString m_strPrx;
};
