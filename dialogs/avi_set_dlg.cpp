#include "dialogs/avi_set_dlg.h"

#include "dialogs/dialog_items.h"
#include "dialogs/open_compressor.h"
#include "foundation/localized_string.h"
#include "foundation/string_to_int.h"
#include "platform/afx/ddx.h"
#include "platform/vfw/vcm.h"
#include "platform/win/heap.h"
#include "resources/string_ids.h"
#include "ui/dialog_texts.h"
#include "writers/enc_avi_setting.h"

#include <cstring>

namespace {

constexpr int IDC_CODEC_LABEL = 42054, IDC_CODEC = 42025, IDC_QUALITY_LABEL = 42056, IDC_QUALITY = 42052,
              IDC_QUALITY_SPIN = 42039, IDC_KEYFRAME_LABEL = 42063, IDC_KEYFRAME = 42022, IDC_KEYFRAME_SPIN = 42059,
              IDC_FRAMES_UNIT = 42071, IDC_DATARATE_LABEL = 42066, IDC_DATARATE = 42032, IDC_DATARATE_SPIN = 42057,
              IDC_DATARATE_UNIT = 42073, IDC_DEFAULT = 42058, IDC_CONFIGURE = 42043, IDC_ABOUT = 42048;

constexpr int kDefaultQuality = 100, kDefaultKeyFrame = 15, kDefaultDataRate = 300;
constexpr int kMaxTyped = 999999, kMaxSpin = 32767;

constexpr DialogText kTexts[] = {
    {IDC_CODEC_LABEL, strings::kAviCodecLabel},
    {IDC_QUALITY_LABEL, strings::kAviQualityLabel},
    {IDC_KEYFRAME_LABEL, strings::kAviKeyFrameLabel},
    {IDC_DATARATE_LABEL, strings::kAviDataRateLabel},
    {IDC_FRAMES_UNIT, strings::kAviFramesUnit},
    {IDC_DATARATE_UNIT, strings::kAviDataRateUnit},
    {IDC_DEFAULT, strings::kAviDefault},
    {IDC_CONFIGURE, strings::kAviConfigure},
    {IDC_ABOUT, strings::kAviAbout},
};

} // namespace

BEGIN_MESSAGE_MAP(CAVISetDlg, CBaseDialog)
    ON_CBN_SELCHANGE(IDC_CODEC, OnSelchangeCodec)
    ON_BN_CLICKED(IDC_CONFIGURE, OnCodecConfigure)
    ON_BN_CLICKED(IDC_ABOUT, OnCodecAbout)
    ON_BN_CLICKED(IDC_DEFAULT, OnDefault)
    ON_EN_CHANGE(IDC_QUALITY, OnChangeQuality)
    ON_EN_CHANGE(IDC_KEYFRAME, OnChangeKeyFrame)
    ON_EN_CHANGE(IDC_DATARATE, OnChangeDataRate)
END_MESSAGE_MAP()

CAVISetDlg::CAVISetDlg(CWnd* pParent) : CBaseDialog(IDD, pParent, FALSE, FALSE) {}

CAVISetDlg::~CAVISetDlg() { FreeState(); }

void CAVISetDlg::FreeState()
{
    if (m_pState)
        GlobalFree(m_pState);
    m_pState = nullptr;
    m_cbState = 0;
}

void CAVISetDlg::AllocState(int bytes)
{
    FreeState();
    if (bytes < 0)
        return;
    // A failed allocation leaves no block rather than a size without one.
    m_pState = GlobalAlloc(GMEM_FIXED, static_cast<SIZE_T>(bytes));
    m_cbState = m_pState ? bytes : 0;
}

void CAVISetDlg::SetSettings(const BITMAPINFOHEADER* input, const CEncAVISetting* setting)
{
    m_pbihInput = input;
    m_nQuality = setting->GetQuality();
    m_nKeyFrame = setting->GetKeyFrameEvery();
    m_nDataRate = setting->GetDataRate();
    m_fccHandler = setting->GetHandler();
    AllocState(setting->GetStateSize());
    if (m_pState && m_cbState > 0) {
        // A size that the setting's block cannot hold leaves no block rather than a read past it.
        const void* stored = setting->GetState();
        if (stored && GlobalSize(const_cast<void*>(stored)) >= static_cast<SIZE_T>(m_cbState))
            std::memcpy(m_pState, stored, static_cast<size_t>(m_cbState));
        else
            FreeState();
    }
    m_fccStateOwner = m_fccHandler;
}

void CAVISetDlg::GetSettings(CEncAVISetting* setting) const
{
    setting->SetQuality(m_nQuality);
    setting->SetKeyFrameEvery(m_nKeyFrame);
    setting->SetDataRate(m_nDataRate);
    setting->SetHandler(m_fccHandler);
    // OK on another compressor than the block's owner drops the block.
    const int bytes = m_fccStateOwner == m_fccHandler ? m_cbState : 0;
    void* copy = GlobalAlloc(GMEM_FIXED, static_cast<SIZE_T>(bytes));
    if (copy && bytes > 0)
        std::memcpy(copy, m_pState, static_cast<size_t>(bytes));
    setting->SetStateSize(copy ? bytes : 0);
    setting->SetState(copy);
}

void CAVISetDlg::DoDataExchange(CDataExchange* pDX)
{
    CBaseDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DATARATE_SPIN, m_spinDataRate);
    DDX_Control(pDX, IDC_KEYFRAME_SPIN, m_spinKeyFrame);
    DDX_Control(pDX, IDC_QUALITY_SPIN, m_spinQuality);
    DDX_Control(pDX, IDC_CODEC, m_comboCodec);
    DDX_Text(pDX, IDC_QUALITY, m_nQuality);
    DDV_MinMaxInt(pDX, m_nQuality, 0, 100);
    DDX_Text(pDX, IDC_KEYFRAME, m_nKeyFrame);
    DDV_MinMaxInt(pDX, m_nKeyFrame, 0, kMaxTyped);
    DDX_Text(pDX, IDC_DATARATE, m_nDataRate);
    DDV_MinMaxInt(pDX, m_nDataRate, 0, kMaxTyped);
}

BOOL CAVISetDlg::OnInitDialog()
{
    CBaseDialog::OnInitDialog();
    SetDialogTexts(*this, kTexts);
    SetWindowText(LoadLocalizedString(strings::kAviCaption));
    m_spinQuality.SetRange32(0, 100);
    m_spinKeyFrame.SetRange32(0, kMaxSpin);
    m_spinDataRate.SetRange32(0, kMaxSpin);
    FillCodecList();
    m_nQuality = ClampTyped(m_nQuality, 0, 100).value;
    m_nKeyFrame = ClampTyped(m_nKeyFrame, 0, kMaxTyped).value;
    m_nDataRate = ClampTyped(m_nDataRate, 0, kMaxTyped).value;
    UpdateData(FALSE);
    return TRUE;
}

void CAVISetDlg::FillCodecList()
{
    const CodecRows rows = BuildCodecRows(AcceptingCompressors(m_pbihInput), m_fccHandler,
                                          m_pbihInput ? m_pbihInput->biBitCount : 0);
    m_nCodecs = static_cast<int>(rows.entries.size());
    std::copy(rows.entries.begin(), rows.entries.end(), m_codecs.begin());
    m_comboCodec.ResetContent();
    for (const CString& text : rows.texts)
        m_comboCodec.AddString(text);
    m_comboCodec.SetCurSel(rows.selected);
    OnSelchangeCodec();
}

const ICINFO* CAVISetDlg::SelectedCodec() const
{
    const int row = m_comboCodec.GetCurSel();
    return (row >= 0 && row < m_nCodecs) ? &m_codecs[static_cast<size_t>(row)] : nullptr;
}

void CAVISetDlg::OnSelchangeCodec()
{
    const ICINFO* codec = SelectedCodec();
    if (!codec)
        return;
    // The state block stays with its owner while other rows are looked at: it is applied only to
    // that compressor and dropped only by Default or by OK on another one.
    const CodecControls controls = ControlsFor(*codec);
    EnableDlgItems(*this, {IDC_CONFIGURE}, controls.configure);
    EnableDlgItems(*this, {IDC_ABOUT}, controls.about);
    EnableDlgItems(*this, {IDC_QUALITY, IDC_QUALITY_SPIN}, controls.quality);
    EnableDlgItems(*this, {IDC_KEYFRAME, IDC_KEYFRAME_SPIN}, controls.keyFrame);
    EnableDlgItems(*this, {IDC_DATARATE, IDC_DATARATE_SPIN}, controls.dataRate);
}

void CAVISetDlg::OnCodecConfigure()
{
    const ICINFO* codec = SelectedCodec();
    if (!codec)
        return;
    const OpenCompressor compressor(*codec);
    const HIC hic = compressor.Handle();
    if (!hic)
        return;
    const bool ownsBlock = m_pState && m_fccStateOwner == codec->fccHandler;
    if (ownsBlock) {
        const int size = static_cast<int>(ICSendMessage(hic, ICM_GETSTATE, 0, 0));
        if (m_cbState == size)
            ICSendMessage(hic, ICM_SETSTATE, reinterpret_cast<DWORD_PTR>(m_pState), static_cast<DWORD_PTR>(m_cbState));
        else
            FreeState();
    }
    // Cancelled, the configuration changes nothing: another compressor's block is kept as well.
    if (ICSendMessage(hic, ICM_CONFIGURE, reinterpret_cast<DWORD_PTR>(m_hWnd), 0) == ICERR_CANCEL)
        return;
    const int newSize = static_cast<int>(ICSendMessage(hic, ICM_GETSTATE, 0, 0));
    if (!m_pState || m_fccStateOwner != codec->fccHandler || newSize != m_cbState)
        AllocState(newSize);
    if (m_pState)
        ICSendMessage(hic, ICM_GETSTATE, reinterpret_cast<DWORD_PTR>(m_pState), static_cast<DWORD_PTR>(m_cbState));
    m_fccStateOwner = codec->fccHandler;
}

void CAVISetDlg::OnCodecAbout()
{
    const ICINFO* codec = SelectedCodec();
    if (!codec)
        return;
    const OpenCompressor compressor(*codec);
    if (compressor.Handle())
        ICSendMessage(compressor.Handle(), ICM_ABOUT, reinterpret_cast<DWORD_PTR>(m_hWnd), 0);
}

void CAVISetDlg::OnDefault()
{
    FreeState();
    m_nQuality = kDefaultQuality;
    m_nKeyFrame = kDefaultKeyFrame;
    m_nDataRate = kDefaultDataRate;
    UpdateData(FALSE);
}

void CAVISetDlg::OnChangeQuality()
{
    if (!m_spinQuality.m_hWnd)
        return;
    TakeClampedEdit(IDC_QUALITY, 100, m_nQuality);
}

void CAVISetDlg::OnChangeKeyFrame()
{
    if (!m_spinKeyFrame.m_hWnd)
        return;
    TakeClampedEdit(IDC_KEYFRAME, kMaxTyped, m_nKeyFrame);
}

void CAVISetDlg::TakeClampedEdit(int id, int hi, int& value)
{
    const ClampedValue typed = ClampTyped(StringToInt(GetDlgItem(id)->GetWindowTextString()), 0, hi);
    value = typed.value;
    if (typed.rewrite) {
        CString text;
        text.Format(u"%d", value);
        GetDlgItem(id)->SetWindowText(text);
    }
}

void CAVISetDlg::OnChangeDataRate()
{
    if (!m_spinDataRate.m_hWnd)
        return;
    m_nDataRate = StringToInt(GetDlgItem(IDC_DATARATE)->GetWindowTextString());
}

void CAVISetDlg::OnOK()
{
    if (const ICINFO* codec = SelectedCodec())
        m_fccHandler = codec->fccHandler;
    CDialog::OnOK();
}

void CAVISetDlg::OnCancel() { CDialog::OnCancel(); }

int EditAviSettings(const BITMAPINFOHEADER* input, CEncAVISetting* setting, CWnd* parent)
{
    CAVISetDlg dialog(parent);
    dialog.SetSettings(input, setting);
    if (dialog.DoModal() != IDOK)
        return -2;
    dialog.GetSettings(setting);
    return 0;
}
