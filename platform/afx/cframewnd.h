// The frame window: a top-level window holding one view, bars and a menu, that routes commands
// view -> document -> frame -> application and keeps every command's enabled and ticked state
// current at idle, before a menu opens and again when the command arrives.
#pragma once

#include "platform/afx/cwnd.h"

#include <memory>
#include <vector>

class CDocument;
class CDocTemplate;
class CView;

// The framework's command and window ids that the program's resources refer to.
constexpr UINT AFX_IDS_APP_TITLE = 0xE000; // 57344
constexpr UINT AFX_IDS_IDLEMESSAGE = 0xE001; // 57345
constexpr UINT ID_FILE_NEW = 0xE100; // 57600
constexpr UINT ID_FILE_OPEN = 0xE101; // 57601
constexpr UINT ID_FILE_PRINT_SETUP = 0xE106; // 57606
constexpr UINT ID_VIEW_TOOLBAR = 0xE800; // 59392
constexpr UINT ID_VIEW_STATUS_BAR = 0xE801; // 59393
constexpr UINT AFX_IDW_TOOLBAR = 0xE800;
constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;
constexpr UINT AFX_IDW_MENUBAR = 0xE81A;
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;
constexpr UINT AFX_IDW_USER_TOOLBAR_FIRST = 0xE828; // 59432, ten of them
constexpr UINT AFX_IDW_USER_TOOLBAR_COUNT = 10;

constexpr DWORD WS_OVERLAPPEDWINDOW = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                                      WS_MAXIMIZEBOX;
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;
constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);

// What the frame hands to the view it creates.
struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
};

class CFrameWnd;

// Anything of the frame that shows commands (menu bar, tool bars, status bar, accelerators): told
// at idle to bring its items' states up to date.
class CCommandUiClient {
public:
    virtual ~CCommandUiClient() = default;
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget) = 0;
};

class CFrameWnd : public CWnd {
    DECLARE_DYNAMIC(CFrameWnd)

public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Creates the window titled by the first part of string nIDResource, with icon nIDResource;
    // the menu and accelerators of that id are loaded by LoadFrameResources.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                  int nWidth, int nHeight, HWND hWndParent, UINT nID, LPVOID lpParam = nullptr) override;

    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pView) { m_pViewActive = pView; }
    CDocument* GetActiveDocument() const;
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra) override;
    // Fills state (m_nID set) from the update handlers along the routing; a command without an
    // update handler is enabled exactly when something handles it.
    void UpdateCommandState(CCmdUI& state);

    void AddCommandUiClient(CCommandUiClient* client);
    void RemoveCommandUiClient(CCommandUiClient* client);
    // Runs every client's update (what idle time does).
    void UpdateAllCommandUi();

    // The resource id the frame was loaded with.
    UINT GetResourceId() const { return m_nIDResource; }

    // Deleted when its window goes (frames the framework created).
    BOOL m_bAutoDelete = FALSE;

    DECLARE_MESSAGE_MAP()

public:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnClose();
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    void OnViewStatusBar();
    void OnUpdateViewStatusBar(CCmdUI* pCmdUI);

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    // Menu, accelerators and bars of the resource id; the base loads nothing.
    virtual BOOL LoadFrameResources(UINT nIDResource);

    UINT m_nIDResource = 0;

private:
    CView* m_pViewActive = nullptr;
    std::vector<CCommandUiClient*> m_commandUiClients;
};

class CMFCToolBar;

// Docking modes of the extended frame: DT_SMART shows where a dragged bar will land.
constexpr UINT DT_IMMEDIATE = 0, DT_STANDARD = 1, DT_SMART = 0x80;

// The extended frame: movable bars on every side, a context menu over them listing the tool bars
// with a customize command, and user tool bars.
class CFrameWndEx : public CFrameWnd {
    DECLARE_DYNAMIC(CFrameWndEx)

public:
    CFrameWndEx();
    ~CFrameWndEx() override;

    // The sides bars may be docked to (CBRS_ALIGN_*).
    BOOL EnableDocking(DWORD dwDockStyle);
    static void SetDockingMode(UINT mode);
    static UINT GetDockingMode();
    // The bars' context menu: the tool bar list and the customize command; the list also takes
    // the place of the menu item uiViewToolbarsMenuEntryID.
    void EnablePaneMenu(BOOL bEnable, UINT uiCustomizeCmd, const CString& strCustomizeLabel,
                        UINT uiViewToolbarsMenuEntryID);
    BOOL IsPaneMenuEnabled() const { return m_bPaneMenu; }
    UINT GetCustomizeCommand() const { return m_uiCustomizeCmd; }
    const CString& GetCustomizeLabel() const { return m_strCustomizeLabel; }
    UINT GetToolbarsMenuEntry() const { return m_uiToolbarsMenuEntry; }

    // User tool bars get the ids from uiFirstId to uiLastId.
    BOOL InitUserToolbars(LPCTSTR lpszRegEntry, UINT uiFirstId, UINT uiLastId);
    // A new empty user tool bar, or null when all ids are taken.
    CMFCToolBar* CreateUserToolbar(const CString& name);
    void DeleteUserToolbar(CMFCToolBar* pToolBar);
    // Called for each tool bar the frame gets, user ones included; the base does nothing more.
    virtual void OnToolbarCreated(CMFCToolBar* pToolBar);
    const std::vector<CMFCToolBar*>& GetToolBars() const { return m_toolBars; }
    void AddToolBar(CMFCToolBar* pToolBar);
    void RemoveToolBar(CMFCToolBar* pToolBar);

    // The window's size and its bars' places and visibility are kept in the profile's
    // "Workspace" section when the frame goes, and come back before it is first shown.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) override;

    DECLARE_MESSAGE_MAP()

public:
    void OnDestroy();

private:
    BOOL m_bPaneMenu = FALSE;
    UINT m_uiCustomizeCmd = 0;
    CString m_strCustomizeLabel;
    UINT m_uiToolbarsMenuEntry = 0;
    UINT m_uiFirstUserToolbar = 0;
    UINT m_uiLastUserToolbar = 0;
    std::vector<CMFCToolBar*> m_toolBars;
    std::vector<std::unique_ptr<CMFCToolBar>> m_userToolBars;
};
