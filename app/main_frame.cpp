#include "app/main_frame.h"

#include "foundation/localized_string.h"
#include "foundation/profile_access.h"
#include "foundation/status_text.h"
#include "platform/afx/customize_dialog.h"
#include "platform/afx/visual_manager.h"
#include "platform/win/process.h"
#include "resources/resource_ids.h"

#include <QApplication>
#include <QCursor>

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWndEx)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWndEx)
    ON_WM_CREATE()
    ON_COMMAND(ID_VIEW_CUSTOMIZE, OnViewCustomize)
    ON_COMMAND_RANGE(ID_VIEW_APPLOOK_FIRST, ID_VIEW_APPLOOK_LAST, OnApplicationLook)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_APPLOOK_FIRST, ID_VIEW_APPLOOK_LAST, OnUpdateApplicationLook)
    ON_COMMAND(ID_PRIORITY_HIGH, OnPriorityHigh)
    ON_COMMAND(ID_PRIORITY_NORMAL, OnPriorityNormal)
    ON_COMMAND(ID_PRIORITY_LOW, OnPriorityLow)
    ON_UPDATE_COMMAND_UI(ID_PRIORITY_HIGH, OnUpdatePriorityHigh)
    ON_UPDATE_COMMAND_UI(ID_PRIORITY_NORMAL, OnUpdatePriorityNormal)
    ON_UPDATE_COMMAND_UI(ID_PRIORITY_LOW, OnUpdatePriorityLow)
END_MESSAGE_MAP()

namespace {

constexpr UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_FILENAME};
constexpr int kFileNamePaneWidth = 250;
constexpr int kDefaultLook = static_cast<int>(ID_VIEW_APPLOOK_OFF_2007_BLUE);

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

CMainFrame::CMainFrame()
    : m_nAppLook(static_cast<UINT>(GetAppProfileInt(u"Workspace", u"ApplicationLook", kDefaultLook)))
{
}

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
    OnApplicationLook(m_nAppLook);
    if (!m_menuBar.Create(this))
        return -1;
    m_menuBar.SetPaneStyle(m_menuBar.GetPaneStyle() | CBRS_SIZE_DYNAMIC | CBRS_TOOLTIPS | CBRS_FLYBY);
    if (!m_toolBar.CreateEx(this, TBSTYLE_FLAT,
                            WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                                CBRS_SIZE_DYNAMIC) ||
        !m_toolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    m_toolBar.SetWindowText(GetStandardToolbarText());
    m_toolBar.EnableCustomizeButton(TRUE, ID_VIEW_CUSTOMIZE, GetCustomizeText());
    InitUserToolbars(nullptr, AFX_IDW_USER_TOOLBAR_FIRST, AFX_IDW_USER_TOOLBAR_FIRST + AFX_IDW_USER_TOOLBAR_COUNT - 1);
    if (!m_statusBar.Create(this) || !m_statusBar.SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators))))
        return -1;
    m_menuBar.EnableDocking(CBRS_ALIGN_ANY);
    m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    SetDockingMode(DT_SMART);
    EnablePaneMenu(TRUE, ID_VIEW_CUSTOMIZE, GetCustomizeText(), ID_VIEW_TOOLBAR);
    CMFCToolBar::EnableQuickCustomization();
    m_statusBar.SetPaneWidth(1, kFileNamePaneWidth);
    return 0;
}

void CMainFrame::SetStatusText(CString text) { m_statusBar.SetPaneText(1, text, TRUE); }

void CMainFrame::OnApplicationLook(UINT id)
{
    const WaitCursor wait;
    m_nAppLook = id;
    switch (m_nAppLook) {
    case ID_VIEW_APPLOOK_WIN_2000: CMFCVisualManager::SetDefaultManager(VisualManagerKind::Windows2000); break;
    case ID_VIEW_APPLOOK_OFF_XP: CMFCVisualManager::SetDefaultManager(VisualManagerKind::OfficeXP); break;
    case ID_VIEW_APPLOOK_WIN_XP:
        CMFCVisualManagerWindows::m_b3DTabsXPTheme = TRUE;
        CMFCVisualManager::SetDefaultManager(VisualManagerKind::WindowsXP);
        break;
    case ID_VIEW_APPLOOK_OFF_2003:
        CMFCVisualManager::SetDefaultManager(VisualManagerKind::Office2003);
        SetDockingMode(DT_SMART);
        break;
    case ID_VIEW_APPLOOK_VS_2005:
        CMFCVisualManager::SetDefaultManager(VisualManagerKind::VisualStudio2005);
        SetDockingMode(DT_SMART);
        break;
    default:
        switch (m_nAppLook) {
        case ID_VIEW_APPLOOK_OFF_2007_BLUE:
            CMFCVisualManagerOffice2007::SetStyle(CMFCVisualManagerOffice2007::Office2007_LunaBlue);
            break;
        case ID_VIEW_APPLOOK_OFF_2007_BLACK:
            CMFCVisualManagerOffice2007::SetStyle(CMFCVisualManagerOffice2007::Office2007_ObsidianBlack);
            break;
        case ID_VIEW_APPLOOK_OFF_2007_SILVER:
            CMFCVisualManagerOffice2007::SetStyle(CMFCVisualManagerOffice2007::Office2007_Silver);
            break;
        case ID_VIEW_APPLOOK_OFF_2007_AQUA:
            CMFCVisualManagerOffice2007::SetStyle(CMFCVisualManagerOffice2007::Office2007_Aqua);
            break;
        default: break;
        }
        CMFCVisualManager::SetDefaultManager(VisualManagerKind::Office2007);
        SetDockingMode(DT_SMART);
        break;
    }
    RedrawWindow(nullptr, nullptr, RDW_ALLCHILDREN | RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME | RDW_ERASE);
    WriteAppProfileInt(u"Workspace", u"ApplicationLook", static_cast<int>(m_nAppLook));
}

void CMainFrame::OnUpdateApplicationLook(CCmdUI* pCmdUI) { pCmdUI->SetRadio(m_nAppLook == pCmdUI->m_nID); }

void CMainFrame::OnPriorityHigh() { SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS); }
void CMainFrame::OnPriorityNormal() { SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS); }
void CMainFrame::OnPriorityLow() { SetPriorityClass(GetCurrentProcess(), IDLE_PRIORITY_CLASS); }

void CMainFrame::OnUpdatePriorityHigh(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(GetPriorityClass(GetCurrentProcess()) == HIGH_PRIORITY_CLASS);
}

void CMainFrame::OnUpdatePriorityNormal(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(GetPriorityClass(GetCurrentProcess()) == NORMAL_PRIORITY_CLASS);
}

void CMainFrame::OnUpdatePriorityLow(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(GetPriorityClass(GetCurrentProcess()) == IDLE_PRIORITY_CLASS);
}

void CMainFrame::OnViewCustomize()
{
    CMFCToolBarsCustomizeDialog dialog(this, TRUE);
    dialog.Create();
}

void CMainFrame::OnToolbarCreated(CMFCToolBar* pToolBar)
{
    CFrameWndEx::OnToolbarCreated(pToolBar);
    pToolBar->EnableCustomizeButton(TRUE, ID_VIEW_CUSTOMIZE, GetCustomizeText());
}
