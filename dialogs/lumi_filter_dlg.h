// Gamma and offset of the luminance filter on two sliders; every movement is sent to the owner
// at once as (message, gamma, offset).
#pragma once

#include "platform/afx/controls.h"
#include "ui/base_dialog.h"

constexpr int kLuminanceMin = -256;
constexpr int kLuminanceMax = 256;

// A value the sliders can show: clamped to kLuminanceMin..kLuminanceMax.
int ClampLuminance(int value);

class CLumiFilterDlg : public CBaseDialog {
public:
    CLumiFilterDlg(CWnd* pOwner, UINT nNotifyMessage, int gamma, int offset);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    int GetGamma() const { return m_nGamma; }
    int GetOffset() const { return m_nOffset; }

    DECLARE_MESSAGE_MAP()

public:
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);

private:
    CSliderCtrl m_offsetSlider;
    CSliderCtrl m_gammaSlider;
    int m_nGamma;
    int m_nOffset;
    UINT m_nNotifyMessage;
};
