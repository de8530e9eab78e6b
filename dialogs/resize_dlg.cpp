#include "dialogs/resize_dlg.h"

#include "dialogs/resize_rules.h"
#include "foundation/localized_string.h"
#include "foundation/profile_access.h"
#include "foundation/string_to_int.h"
#include "platform/afx/ddx.h"
#include "resources/clip_resize_ids.h"
#include "resources/string_ids.h"
#include "ui/dialog_texts.h"

#include <array>

namespace {

constexpr LPCWSTR kSection = u"DATA";

struct Preset {
    int id;
    int width;
    int height;
};

// In the order their ticks are set.
constexpr std::array kPresets = {
    Preset{IDC_PRESET_640x480, 640, 480}, Preset{IDC_PRESET_640x360, 640, 360}, Preset{IDC_PRESET_512x288, 512, 288},
    Preset{IDC_PRESET_480x360, 480, 360}, Preset{IDC_PRESET_320x240, 320, 240}, Preset{IDC_PRESET_176x144, 176, 144},
    Preset{IDC_PRESET_160x120, 160, 120}, Preset{IDC_PRESET_720x480, 720, 480},
};

constexpr DialogText kTexts[] = {
    {IDC_CLIP_GROUP, strings::kClipGroup},    {IDC_LABEL_TOP, strings::kClipTop},
    {IDC_LABEL_LEFT, strings::kClipLeft},     {IDC_LABEL_RIGHT, strings::kClipRight},
    {IDC_LABEL_BOTTOM, strings::kClipBottom}, {IDC_RESIZE_GROUP, strings::kResizeGroup},
    {IDC_LABEL_PIXEL, strings::kResizePixel}, {IDC_CLEAR, strings::kClipClear},
};

} // namespace

BEGIN_MESSAGE_MAP(CResizeDlg, CBaseDialog)
    ON_EN_CHANGE(IDC_OUT_WIDTH, OnChangeWidth)
    ON_EN_CHANGE(IDC_OUT_HEIGHT, OnChangeHeight)
    ON_BN_CLICKED(IDC_CLEAR, OnClear)
    ON_BN_CLICKED(IDOK, OnSave)
    ON_WM_CLOSE()
    ON_BN_CLICKED(IDC_PRESET_640x480, OnPreset640x480)
    ON_BN_CLICKED(IDC_PRESET_640x360, OnPreset640x360)
    ON_BN_CLICKED(IDC_PRESET_512x288, OnPreset512x288)
    ON_BN_CLICKED(IDC_PRESET_480x360, OnPreset480x360)
    ON_BN_CLICKED(IDC_PRESET_320x240, OnPreset320x240)
    ON_BN_CLICKED(IDC_PRESET_176x144, OnPreset176x144)
    ON_BN_CLICKED(IDC_PRESET_160x120, OnPreset160x120)
    ON_BN_CLICKED(IDC_PRESET_720x480, OnPreset720x480)
    ON_EN_CHANGE(IDC_CLIP_BOTTOM, OnChangeClipBottom)
    ON_EN_CHANGE(IDC_CLIP_RIGHT, OnChangeClipRight)
    ON_EN_CHANGE(IDC_CLIP_LEFT, OnChangeClipLeft)
    ON_EN_CHANGE(IDC_CLIP_TOP, OnChangeClipTop)
END_MESSAGE_MAP()

CResizeDlg::CResizeDlg(CWnd* pOwner, BITMAPINFOHEADER bihSource, BITMAPINFOHEADER* pbihOutput, RECT* prcClip,
                       UINT nPreviewCmd, UINT nDoneCmd)
    : CBaseDialog(IDD_CLIP_RESIZE, nullptr, FALSE, FALSE), m_bihSource(bihSource), m_pbihOutput(pbihOutput),
      m_prcClip(prcClip), m_nPreviewCmd(nPreviewCmd), m_nDoneCmd(nDoneCmd)
{
    // Created without a parent window; notifications still go to the owner.
    m_pOwner = pOwner;
    // Stored values were made for some earlier source: what reaches the owner is made to fit.
    const CSize size = ClampOutputSize(GetAppProfileInt(kSection, u"DST_WIDTH", m_pbihOutput->biWidth),
                                       GetAppProfileInt(kSection, u"DST_HEIGHT", m_pbihOutput->biHeight));
    m_nWidth = size.cx;
    m_nHeight = size.cy;
    m_pbihOutput->biWidth = size.cx;
    m_pbihOutput->biHeight = size.cy;
    ClipMargins margins;
    margins.left = GetAppProfileInt(kSection, u"CLIP_LEFT", 0);
    margins.right = GetAppProfileInt(kSection, u"CLIP_RIGHT", 0);
    margins.top = GetAppProfileInt(kSection, u"CLIP_TOP", 0);
    margins.bottom = GetAppProfileInt(kSection, u"CLIP_BOTTOM", 0);
    *m_prcClip = FitMarginsToSource(margins, m_bihSource.biWidth, m_bihSource.biHeight);
    m_nClipLeft = margins.left;
    m_nClipRight = margins.right;
    m_nClipTop = margins.top;
    m_nClipBottom = margins.bottom;
}

CResizeDlg::~CResizeDlg() = default;

BOOL CResizeDlg::Open() { return CreateModeless(nullptr); }

void CResizeDlg::DoDataExchange(CDataExchange* pDX)
{
    CBaseDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SPIN_BOTTOM, m_spinBottom);
    DDX_Control(pDX, IDC_SPIN_TOP, m_spinTop);
    DDX_Control(pDX, IDC_SPIN_RIGHT, m_spinRight);
    DDX_Control(pDX, IDC_SPIN_LEFT, m_spinLeft);
    DDX_Control(pDX, IDC_SPIN_HEIGHT, m_spinHeight);
    DDX_Control(pDX, IDC_SPIN_WIDTH, m_spinWidth);
    DDX_Text(pDX, IDC_OUT_WIDTH, m_nWidth);
    DDX_Text(pDX, IDC_OUT_HEIGHT, m_nHeight);
    DDX_Text(pDX, IDC_CLIP_BOTTOM, m_nClipBottom);
    DDX_Text(pDX, IDC_CLIP_LEFT, m_nClipLeft);
    DDX_Text(pDX, IDC_CLIP_RIGHT, m_nClipRight);
    DDX_Text(pDX, IDC_CLIP_TOP, m_nClipTop);
}

BOOL CResizeDlg::OnInitDialog()
{
    CBaseDialog::OnInitDialog();
    SetDialogTexts(*this, kTexts);
    SetWindowText(LoadLocalizedString(strings::kClipResizeCaption));
    // Full 32-bit bounds: a 16-bit cut would turn the range of a wide source upside down.
    m_spinTop.SetRange32(0, m_bihSource.biHeight);
    m_spinBottom.SetRange32(0, m_bihSource.biHeight);
    m_spinLeft.SetRange32(0, m_bihSource.biWidth);
    m_spinRight.SetRange32(0, m_bihSource.biWidth);
    m_spinWidth.SetRange32(0, 10000);
    m_spinHeight.SetRange32(0, 10000);
    UpdateSize();
    return TRUE;
}

void CResizeDlg::UpdateSize()
{
    const CSize size = ClampOutputSize(m_nWidth, m_nHeight);
    m_pbihOutput->biWidth = size.cx;
    m_pbihOutput->biHeight = size.cy;
    CString info;
    info.Format(u"Original %d x %d\nClipSize %d x %d", m_bihSource.biWidth, m_bihSource.biHeight,
                m_prcClip->right - m_prcClip->left, m_prcClip->bottom - m_prcClip->top);
    SetDlgItemText(IDC_SIZE_INFO, info);
    UpdateData(FALSE);
    const HWND self = m_hWnd;
    SendToOwner(m_nPreviewCmd);
    // The owner may have closed the dialog while redrawing.
    if (!IsWindow(self))
        return;
    for (const Preset& preset : kPresets)
        CheckDlgButton(preset.id,
                       (m_nWidth == preset.width && m_nHeight == preset.height) ? BST_CHECKED : BST_UNCHECKED);
}

void CResizeDlg::SaveSettings()
{
    WriteAppProfileInt(kSection, u"DST_WIDTH", m_pbihOutput->biWidth);
    WriteAppProfileInt(kSection, u"DST_HEIGHT", m_pbihOutput->biHeight);
    WriteAppProfileInt(kSection, u"CLIP_LEFT", m_nClipLeft);
    WriteAppProfileInt(kSection, u"CLIP_RIGHT", m_nClipRight);
    WriteAppProfileInt(kSection, u"CLIP_TOP", m_nClipTop);
    WriteAppProfileInt(kSection, u"CLIP_BOTTOM", m_nClipBottom);
    SendToOwner(m_nDoneCmd); // the last action: the owner may delete this dialog
}

void CResizeDlg::SendToOwner(UINT nCmd)
{
    if (m_pOwner && IsWindow(m_pOwner->m_hWnd))
        m_pOwner->SendMessage(WM_COMMAND, nCmd, 0);
}

bool CResizeDlg::ReadEdit(const CSpinButtonCtrl& spin, int nID, int& value) const
{
    if (!spin.m_hWnd)
        return false;
    CString text;
    GetDlgItemText(nID, text);
    value = StringToInt(text.GetString());
    return true;
}

void CResizeDlg::OnChangeWidth()
{
    if (!m_spinWidth.m_hWnd)
        return;
    // Brings the integer prompt for an edit that holds no number; the width is read regardless.
    UpdateData(TRUE);
    ReadEdit(m_spinWidth, IDC_OUT_WIDTH, m_nWidth);
    UpdateSize();
}

void CResizeDlg::OnChangeHeight()
{
    if (ReadEdit(m_spinHeight, IDC_OUT_HEIGHT, m_nHeight))
        UpdateSize();
}

void CResizeDlg::OnChangeClipTop()
{
    if (!ReadEdit(m_spinTop, IDC_CLIP_TOP, m_nClipTop))
        return;
    m_nClipTop = ClampNearMargin(m_nClipTop, m_prcClip->bottom);
    m_prcClip->top = m_nClipTop;
    FollowClip();
}

void CResizeDlg::OnChangeClipLeft()
{
    if (!ReadEdit(m_spinLeft, IDC_CLIP_LEFT, m_nClipLeft))
        return;
    m_nClipLeft = ClampNearMargin(m_nClipLeft, m_prcClip->right);
    m_prcClip->left = m_nClipLeft;
    FollowClip();
}

void CResizeDlg::OnChangeClipRight()
{
    if (!ReadEdit(m_spinRight, IDC_CLIP_RIGHT, m_nClipRight))
        return;
    m_nClipRight = ClampFarMargin(m_nClipRight, m_bihSource.biWidth, m_prcClip->left);
    m_prcClip->right = m_bihSource.biWidth - m_nClipRight;
    FollowClip();
}

void CResizeDlg::OnChangeClipBottom()
{
    if (!ReadEdit(m_spinBottom, IDC_CLIP_BOTTOM, m_nClipBottom))
        return;
    m_nClipBottom = ClampFarMargin(m_nClipBottom, m_bihSource.biHeight, m_prcClip->top);
    m_prcClip->bottom = m_bihSource.biHeight - m_nClipBottom;
    FollowClip();
}

void CResizeDlg::FollowClip()
{
    m_nWidth = m_prcClip->right - m_prcClip->left;
    m_nHeight = m_prcClip->bottom - m_prcClip->top;
    UpdateSize();
}

void CResizeDlg::OnClear()
{
    m_nClipLeft = m_nClipTop = m_nClipRight = m_nClipBottom = 0;
    m_nWidth = m_bihSource.biWidth;
    m_nHeight = m_bihSource.biHeight;
    UpdateData(FALSE);
    ClipMargins none;
    *m_prcClip = FitMarginsToSource(none, m_bihSource.biWidth, m_bihSource.biHeight);
    UpdateSize();
}

void CResizeDlg::OnSave() { SaveSettings(); }

void CResizeDlg::OnClose() { SaveSettings(); }

void CResizeDlg::SetPreset(int width, int height)
{
    m_nWidth = width;
    m_nHeight = height;
    UpdateSize();
}

void CResizeDlg::OnPreset160x120() { SetPreset(160, 120); }
void CResizeDlg::OnPreset176x144() { SetPreset(176, 144); }
void CResizeDlg::OnPreset320x240() { SetPreset(320, 240); }
void CResizeDlg::OnPreset480x360() { SetPreset(480, 360); }
void CResizeDlg::OnPreset512x288() { SetPreset(512, 288); }
void CResizeDlg::OnPreset640x360() { SetPreset(640, 360); }
void CResizeDlg::OnPreset720x480() { SetPreset(720, 480); }
void CResizeDlg::OnPreset640x480() { SetPreset(640, 480); }
