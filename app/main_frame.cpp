#include "app/main_frame.h"

#include "foundation/localized_string.h"
#include "resources/resource_ids.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWndEx)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWndEx)
ON_WM_CREATE()
END_MESSAGE_MAP()

namespace {

constexpr UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_FILENAME};
constexpr int kFileNamePaneWidth = 250;

} // namespace

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::LoadFrame(UINT, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    const UINT id = IsJapaneseSystem() ? IDR_MAINFRAME : IDR_MAINFRAME_ENGLISH;
    return CFrameWndEx::LoadFrame(id, dwDefaultStyle, pParentWnd, pContext);
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.cy = 675;
    cs.cx = 760;
    return CFrameWndEx::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWndEx::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_statusBar.Create(this) || !m_statusBar.SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators))))
        return -1;
    m_statusBar.SetPaneWidth(1, kFileNamePaneWidth);
    return 0;
}

void CMainFrame::SetStatusText(CString text) { m_statusBar.SetPaneText(1, text, TRUE); }
