// How an MP3 encoder is to encode: channel mode, constant or variable bit rate, quality.
#pragma once

#include "dialogs/audio_info.h"
#include "platform/afx/controls.h"
#include "ui/base_dialog.h"

#include <array>

inline constexpr std::array kMp3CbrRates = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
inline constexpr std::array kMp3VbrRates = {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
constexpr int kMp3ChannelRows = 5;
constexpr int kMp3QualityRows = 10;

class CMP3SetDlg : public CBaseDialog {
public:
    CMP3SetDlg(CWnd* pOwner, const CAudioInfo& info);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    // After IDOK the user's choices; otherwise the record the dialog opened with.
    const CAudioInfo& AudioInfo() const { return m_info; }

    DECLARE_MESSAGE_MAP()

public:
    void OnVbrClicked();
    void EnableVbrControls(BOOL bVbr);

private:
    CAudioInfo m_info;
    CComboBox m_vbrList;
    CComboBox m_qualityList;
    CComboBox m_cbrList;
    CComboBox m_channelList;
};
