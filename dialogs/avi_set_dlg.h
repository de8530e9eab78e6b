// The AVI compressor dialog: which installed compressor encodes the run, with its quality,
// key-frame interval, data rate and private configuration.
#pragma once

#include "dialogs/avi_codec_list.h"
#include "platform/afx/controls.h"
#include "ui/base_dialog.h"

#include <array>

class CEncAVISetting;

class CAVISetDlg : public CBaseDialog {
public:
    static constexpr UINT IDD = 40016;

    explicit CAVISetDlg(CWnd* pParent);
    ~CAVISetDlg() override;

    void SetSettings(const BITMAPINFOHEADER* input, const CEncAVISetting* setting);
    void GetSettings(CEncAVISetting* setting) const;

    DECLARE_MESSAGE_MAP()

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    void FillCodecList();
    void FreeState();
    void AllocState(int bytes);
    // The table entry of the selected row, or null.
    const ICINFO* SelectedCodec() const;

    void OnSelchangeCodec();
    void OnCodecConfigure();
    void OnCodecAbout();
    void OnDefault();
    void OnChangeQuality();
    void OnChangeKeyFrame();
    void OnChangeDataRate();
    // Takes the number typed into edit id, clamped to 0..hi, into value; a number outside is
    // written back clamped.
    void TakeClampedEdit(int id, int hi, int& value);

    CSpinButtonCtrl m_spinDataRate;
    CSpinButtonCtrl m_spinKeyFrame;
    CSpinButtonCtrl m_spinQuality;
    CComboBox m_comboCodec;
    int m_nQuality = 100;
    int m_nKeyFrame = 15;
    int m_nDataRate = 300;
    // One place more than the list's compressors, for the uncompressed row.
    std::array<ICINFO, kMaxListedCodecs + 1> m_codecs{};
    int m_nCodecs = 0;
    const BITMAPINFOHEADER* m_pbihInput = nullptr;
    void* m_pState = nullptr;
    int m_cbState = 0;
    // The compressor whose state the block holds; another compressor never receives it.
    FOURCC m_fccStateOwner = 0;
    FOURCC m_fccHandler = kFourCCUncompressed;
};

// Shows the dialog for this input format; 0 after OK with the setting updated, -2 when cancelled
// with the setting untouched.
int EditAviSettings(const BITMAPINFOHEADER* input, CEncAVISetting* setting, CWnd* parent);
