#include "platform/afx/cframewnd.h"

#include "platform/afx/app_profile.h"
#include "platform/afx/cdocument.h"
#include "platform/afx/create_struct.h"
#include "platform/afx/cview.h"
#include "platform/afx/cwinapp.h"
#include "platform/afx/frame_host.h"
#include "platform/afx/message_pump.h"
#include "platform/afx/window_classes.h"

#include "platform/afx/command_actions.h"
#include "platform/afx/tool_bar.h"
#include "platform/win/menu_resource.h"

#include <QMenu>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>

// The bars use the dialogs' proportional face, as the original platform's bars do.
FrameHost::FrameHost() : Host<QMainWindow>(nullptr, WindowKind::Generic) { setFont(DialogFont(nullptr, 9)); }

FrameHost* FrameHost::Of(const CWnd* frame)
{
    return frame ? dynamic_cast<FrameHost*>(WindowRecord::From(frame->m_hWnd)) : nullptr;
}

QMenu* FrameHost::createPopupMenu()
{
    QMenu* menu = QMainWindow::createPopupMenu();
    auto* frame = dynamic_cast<CFrameWndEx*>(wnd);
    if (!frame || !frame->IsPaneMenuEnabled())
        return menu;
    if (!menu)
        menu = new QMenu(this);
    menu->addSeparator();
    menu->addAction(CreateCommandAction(frame, frame->GetCustomizeCommand(), frame->GetCustomizeLabel(), menu));
    return menu;
}

Qt::ToolBarAreas ToolBarAreasOf(DWORD align)
{
    Qt::ToolBarAreas areas;
    if (align & CBRS_ALIGN_TOP)
        areas |= Qt::TopToolBarArea;
    if (align & CBRS_ALIGN_BOTTOM)
        areas |= Qt::BottomToolBarArea;
    if (align & CBRS_ALIGN_LEFT)
        areas |= Qt::LeftToolBarArea;
    if (align & CBRS_ALIGN_RIGHT)
        areas |= Qt::RightToolBarArea;
    return areas;
}

namespace {

QKeySequence KeyOf(const AcceleratorResource& key)
{
    int qtKey = 0;
    if (key.key >= 'A' && key.key <= 'Z')
        qtKey = Qt::Key_A + (key.key - 'A');
    else if (key.key >= '0' && key.key <= '9')
        qtKey = Qt::Key_0 + (key.key - '0');
    else if (key.key >= VK_F1 && key.key < VK_F1 + 12)
        qtKey = Qt::Key_F1 + (key.key - VK_F1);
    else if (key.key == VK_SPACE)
        qtKey = Qt::Key_Space;
    else if (key.key == VK_LEFT)
        qtKey = Qt::Key_Left;
    else if (key.key == VK_RIGHT)
        qtKey = Qt::Key_Right;
    else if (key.key == VK_RETURN)
        qtKey = Qt::Key_Return;
    else if (key.key == VK_ESCAPE)
        qtKey = Qt::Key_Escape;
    if (!qtKey)
        return {};
    int modifiers = 0;
    if (key.fVirt & FCONTROL)
        modifiers |= Qt::CTRL;
    if (key.fVirt & FSHIFT)
        modifiers |= Qt::SHIFT;
    if (key.fVirt & FALT)
        modifiers |= Qt::ALT;
    return QKeySequence(qtKey | modifiers);
}

// Accelerators act for the whole frame window, ahead of the control that has the focus.
void InstallAccelerators(FrameHost* host, UINT id)
{
    const AcceleratorTableResource* table = FindAcceleratorTable(id);
    if (!table)
        return;
    const HWND target = host->Handle();
    for (const AcceleratorResource& key : table->entries) {
        const QKeySequence sequence = KeyOf(key);
        if (sequence.isEmpty())
            continue;
        auto* shortcut = new QShortcut(sequence, host);
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setProperty("afxCommandId", static_cast<UINT>(key.cmd));
        const UINT cmd = key.cmd;
        QObject::connect(shortcut, &QShortcut::activated, shortcut,
                         [target, cmd] { SendMessage(target, WM_COMMAND, MAKELONG(cmd, 1), 0); });
    }
}

} // namespace

IMPLEMENT_DYNAMIC(CFrameWnd, CObject)
IMPLEMENT_DYNAMIC(CFrameWndEx, CFrameWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_COMMAND(ID_VIEW_STATUS_BAR, OnViewStatusBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateViewStatusBar)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd()
{
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this)
        app->m_pMainWnd = nullptr;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.cx <= 0 && cs.x == CW_USEDEFAULT)
        cs.cx = 640;
    if (cs.cy <= 0 && cs.y == CW_USEDEFAULT)
        cs.cy = 480;
    return TRUE;
}

BOOL CFrameWnd::LoadFrameResources(UINT) { return TRUE; }

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDResource = nIDResource;
    CString strings;
    strings.LoadString(nIDResource);
    const int end = strings.Find(u'\n');
    const CString title = end >= 0 ? strings.Left(end) : strings;
    if (!CreateEx(0, nullptr, title, dwDefaultStyle & ~FWS_ADDTOTITLE, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0,
                  pParentWnd ? pParentWnd->m_hWnd : nullptr, 0, pContext))
        return FALSE;
    InstallAccelerators(FrameHost::Of(this), nIDResource);
    if (HICON icon = AfxLoadIcon(nIDResource)) {
        SetIcon(icon, TRUE);
        SetIcon(icon, FALSE);
    }
    return TRUE;
}

BOOL CFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                         int nWidth, int nHeight, HWND hWndParent, UINT nID, LPVOID lpParam)
{
    if (WindowRecord::From(m_hWnd))
        return FALSE;
    CREATESTRUCT cs = CreateStructOf(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, nWidth, nHeight,
                                     hWndParent, nID, lpParam);
    if (!PreCreateWindow(cs))
        return FALSE;
    auto* host = new FrameHost;
    host->className = cs.lpszClass ? CString(cs.lpszClass) : CString(u"AfxFrameOrView");
    host->windowStyle = static_cast<DWORD>(cs.style) & ~WS_VISIBLE;
    host->exStyle = cs.dwExStyle;
    host->windowText = cs.lpszName ? CString(cs.lpszName) : CString();
    host->ApplyText();
    // The window size includes the bars, as the frame's size does on the original platform.
    host->resize(std::max(1, cs.cx), std::max(1, cs.cy));
    if (cs.x != CW_USEDEFAULT && cs.y != CW_USEDEFAULT)
        host->move(cs.x, cs.y);
    WindowFactory::Attach(this, host);
    PreSubclassWindow();
    const HWND self = m_hWnd;
    if (::SendMessage(self, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        if (WindowRecord::From(self))
            DestroyWindow();
        return FALSE;
    }
    if (!WindowRecord::From(self) || !LoadFrameResources(m_nIDResource))
        return FALSE;
    if (dwStyle & WS_VISIBLE)
        host->show();
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    auto* context = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
    return OnCreateClient(lpCreateStruct, context) ? 0 : -1;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (!pContext || !pContext->m_pNewViewClass)
        return TRUE;
    return CreateView(pContext) ? TRUE : FALSE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CObject* object = pContext->m_pNewViewClass->CreateObject();
    auto* view = dynamic_cast<CView*>(object);
    if (!view) {
        delete object;
        return nullptr;
    }
    // The document is known before the view's window exists, so its OnCreate can use it.
    if (pContext->m_pCurrentDoc)
        pContext->m_pCurrentDoc->AddView(view);
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID)) {
        delete view;
        return nullptr;
    }
    view->m_bAutoDelete = TRUE;
    if (FrameHost* host = FrameHost::Of(this))
        host->setCentralWidget(WindowRecord::From(view->m_hWnd)->widget);
    if (!m_pViewActive)
        m_pViewActive = view;
    return view;
}

CDocument* CFrameWnd::GetActiveDocument() const { return m_pViewActive ? m_pViewActive->GetDocument() : nullptr; }

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    if (!m_pViewActive && pDoc && !pDoc->GetViews().empty())
        m_pViewActive = pDoc->GetViews().front();
    if (m_pViewActive)
        m_pViewActive->OnInitialUpdate();
    if (bMakeVisible) {
        ShowWindow(SW_SHOW);
        UpdateAllCommandUi();
    }
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra)
{
    if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode, pExtra))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra);
}

void CFrameWnd::UpdateCommandState(CCmdUI& state)
{
    state.m_bEnableChanged = FALSE;
    const BOOL handled = OnCmdMsg(state.m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state);
    if (!handled) {
        AFX_CMDHANDLERINFO info;
        state.Enable(OnCmdMsg(state.m_nID, static_cast<int>(CN_COMMAND), &info));
    }
}

void CFrameWnd::AddCommandUiClient(CCommandUiClient* client)
{
    if (client && std::ranges::find(m_commandUiClients, client) == m_commandUiClients.end())
        m_commandUiClients.push_back(client);
}

void CFrameWnd::RemoveCommandUiClient(CCommandUiClient* client) { std::erase(m_commandUiClients, client); }

void CFrameWnd::UpdateAllCommandUi()
{
    // A copy: a client's update may not change the list under the loop.
    const std::vector<CCommandUiClient*> clients = m_commandUiClients;
    for (CCommandUiClient* client : clients)
        client->OnUpdateCmdUI(this);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (IsWindowVisible())
        UpdateAllCommandUi();
    return 0;
}

void CFrameWnd::OnViewStatusBar()
{
    if (FrameHost* host = FrameHost::Of(this); host && host->findChild<QStatusBar*>())
        host->statusBar()->setVisible(!host->statusBar()->isVisibleTo(host));
}

void CFrameWnd::OnUpdateViewStatusBar(CCmdUI* pCmdUI)
{
    FrameHost* host = FrameHost::Of(this);
    const bool exists = host && host->findChild<QStatusBar*>();
    pCmdUI->Enable(exists);
    pCmdUI->SetCheck(exists && host->statusBar()->isVisibleTo(host) ? 1 : 0);
}

void CFrameWnd::OnClose()
{
    CDocument* doc = GetActiveDocument();
    if (doc && !doc->CanCloseFrame(this))
        return;
    const HWND self = m_hWnd;
    CWinApp* app = AfxGetApp();
    // Closing the main window closes every document and so ends the application.
    if (app && app->m_pMainWnd == this)
        app->CloseAllDocuments(FALSE);
    else if (doc)
        doc->OnCloseDocument();
    if (CWnd* still = CWnd::FromHandlePermanent(self))
        still->DestroyWindow();
}

void CFrameWnd::PostNcDestroy()
{
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    if (m_bAutoDelete)
        delete this;
}

// ---- the extended frame ----

namespace {
UINT g_dockingMode = DT_STANDARD;
}

BEGIN_MESSAGE_MAP(CFrameWndEx, CFrameWnd)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

constexpr const char16_t* kWorkspace = u"Workspace";
constexpr const char16_t* kPlacement = u"WindowPlacement";
constexpr const char16_t* kBarState = u"BarState";

// Width, height and whether maximized, as three little-endian 32-bit numbers.
QByteArray PlacementBytes(const QWidget* window)
{
    const QSize size = window->isMaximized() ? window->normalGeometry().size() : window->size();
    QByteArray bytes;
    for (qint32 v : {qint32(size.width()), qint32(size.height()), qint32(window->isMaximized() ? 1 : 0)})
        for (int i = 0; i < 4; ++i)
            bytes.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    return bytes;
}

QByteArray ReadBinary(LPCWSTR entry)
{
    CAppProfile* profile = AfxGetAppProfile();
    BYTE* data = nullptr;
    UINT bytes = 0;
    if (!profile || !profile->GetProfileBinary(kWorkspace, entry, &data, &bytes))
        return {};
    QByteArray out(reinterpret_cast<const char*>(data), static_cast<qsizetype>(bytes));
    delete[] data;
    return out;
}

} // namespace

CFrameWndEx::CFrameWndEx() = default;

void CFrameWndEx::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    if (FrameHost* host = FrameHost::Of(this)) {
        const QByteArray placement = ReadBinary(kPlacement);
        if (placement.size() == 12) {
            qint32 v[3] = {};
            for (int n = 0; n < 3; ++n)
                for (int i = 0; i < 4; ++i)
                    v[n] |= static_cast<qint32>(static_cast<quint8>(placement[n * 4 + i])) << (8 * i);
            // A stored size the screen could not hold is not taken.
            if (v[0] >= 100 && v[1] >= 100 && v[0] <= 16384 && v[1] <= 16384)
                host->resize(v[0], v[1]);
            if (v[2] == 1)
                host->setWindowState(host->windowState() | Qt::WindowMaximized);
        }
        const QByteArray bars = ReadBinary(kBarState);
        if (!bars.isEmpty())
            host->restoreState(bars);
    }
    CFrameWnd::InitialUpdateFrame(pDoc, bMakeVisible);
}

void CFrameWndEx::OnDestroy()
{
    CAppProfile* profile = AfxGetAppProfile();
    if (FrameHost* host = FrameHost::Of(this); host && profile) {
        const QByteArray placement = PlacementBytes(host);
        profile->WriteProfileBinary(kWorkspace, kPlacement, reinterpret_cast<const BYTE*>(placement.constData()),
                                    static_cast<UINT>(placement.size()));
        const QByteArray bars = host->saveState();
        profile->WriteProfileBinary(kWorkspace, kBarState, reinterpret_cast<const BYTE*>(bars.constData()),
                                    static_cast<UINT>(bars.size()));
    }
    CFrameWnd::OnDestroy();
}

CFrameWndEx::~CFrameWndEx() { m_userToolBars.clear(); }

BOOL CFrameWndEx::EnableDocking(DWORD dwDockStyle)
{
    FrameHost* host = FrameHost::Of(this);
    if (!host)
        return FALSE;
    for (QToolBar* bar : host->findChildren<QToolBar*>())
        bar->setAllowedAreas(bar->allowedAreas() & ToolBarAreasOf(dwDockStyle));
    return TRUE;
}

void CFrameWndEx::SetDockingMode(UINT mode) { g_dockingMode = mode; }
UINT CFrameWndEx::GetDockingMode() { return g_dockingMode; }

void CFrameWndEx::EnablePaneMenu(BOOL bEnable, UINT uiCustomizeCmd, const CString& strCustomizeLabel,
                                 UINT uiViewToolbarsMenuEntryID)
{
    m_bPaneMenu = bEnable;
    m_uiCustomizeCmd = uiCustomizeCmd;
    m_strCustomizeLabel = strCustomizeLabel;
    m_uiToolbarsMenuEntry = uiViewToolbarsMenuEntryID;
}

BOOL CFrameWndEx::InitUserToolbars(LPCTSTR, UINT uiFirstId, UINT uiLastId)
{
    if (uiLastId < uiFirstId)
        return FALSE;
    m_uiFirstUserToolbar = uiFirstId;
    m_uiLastUserToolbar = uiLastId;
    return TRUE;
}

CMFCToolBar* CFrameWndEx::CreateUserToolbar(const CString& name)
{
    if (!m_uiFirstUserToolbar)
        return nullptr;
    for (UINT id = m_uiFirstUserToolbar; id <= m_uiLastUserToolbar; ++id) {
        const bool taken = std::ranges::any_of(m_userToolBars, [id](const auto& t) { return t->GetID() == id; });
        if (taken)
            continue;
        auto toolBar = std::make_unique<CMFCToolBar>();
        if (!toolBar->CreateEx(this, TBSTYLE_FLAT, AFX_DEFAULT_TOOLBAR_STYLE, CRect(1, 1, 1, 1), id))
            return nullptr;
        toolBar->SetWindowText(name);
        toolBar->EnableDocking(CBRS_ALIGN_ANY);
        m_userToolBars.push_back(std::move(toolBar));
        OnToolbarCreated(m_userToolBars.back().get());
        return m_userToolBars.back().get();
    }
    return nullptr;
}

void CFrameWndEx::DeleteUserToolbar(CMFCToolBar* pToolBar)
{
    std::erase_if(m_userToolBars, [pToolBar](const auto& t) { return t.get() == pToolBar; });
}

void CFrameWndEx::OnToolbarCreated(CMFCToolBar*) {}

void CFrameWndEx::AddToolBar(CMFCToolBar* pToolBar)
{
    if (std::ranges::find(m_toolBars, pToolBar) == m_toolBars.end())
        m_toolBars.push_back(pToolBar);
}

void CFrameWndEx::RemoveToolBar(CMFCToolBar* pToolBar) { std::erase(m_toolBars, pToolBar); }
