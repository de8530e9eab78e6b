// CWnd's life cycle and message routing: creation, destruction, subclassing, sending and
// dispatching messages, the window hierarchy and the default handlers.
#include "platform/afx/cwnd.h"

#include "platform/afx/create_struct.h"
#include "platform/afx/notify_lockout.h"
#include "platform/afx/window_classes.h"
#include "platform/afx/window_host.h"
#include "platform/afx/window_widget.h"

#include <QCoreApplication>
#include <QWidget>

#include <vector>

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

namespace {

// The live descendants of a window, in creation order.
std::vector<WindowRecord*> LiveDescendants(WindowRecord& r)
{
    std::vector<WindowRecord*> descendants;
    for (QWidget* w : r.widget->findChildren<QWidget*>())
        if (auto* d = dynamic_cast<WindowRecord*>(w); d && !d->isDestroyed)
            descendants.push_back(d);
    return descendants;
}

} // namespace

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    WindowRecord* r = WindowRecord::From(m_hWnd);
    if (r && r->wnd == this)
        DestroyWindow();
    else if (r && r->temporary.get() != this)
        m_hWnd = nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return WithWindow(hWnd, nullptr, [](WindowRecord& r) { return r.Object(); });
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return WithWindow(hWnd, nullptr, [](WindowRecord& r) { return r.wnd; });
}

QWidget* WindowWidget(const CWnd& wnd)
{
    return WithWindow(wnd.m_hWnd, nullptr, [](WindowRecord& r) { return r.widget.data(); });
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }
void CWnd::PreSubclassWindow() {}
void CWnd::PostNcDestroy() {}
BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }
void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, UINT nID, LPVOID lpParam)
{
    if (IsWindow(m_hWnd))
        return FALSE;
    CREATESTRUCT cs = CreateStructOf(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, nWidth, nHeight,
                                     hWndParent, nID, lpParam);
    if (!PreCreateWindow(cs))
        return FALSE;
    WindowRecord* parent = WindowRecord::From(cs.hwndParent);
    const DWORD style = static_cast<DWORD>(cs.style);
    if ((style & WS_CHILD) && !parent)
        return FALSE;
    const CString className = cs.lpszClass ? CString(cs.lpszClass) : CString(u"");
    const QRect geometry(cs.x, cs.y, std::max(0, cs.cx), std::max(0, cs.cy));
    WindowRecord* r = WindowFactory::Create(className, cs.lpszName ? CString(cs.lpszName) : CString(), style,
                                            cs.dwExStyle, geometry, parent,
                                            static_cast<int>(reinterpret_cast<UINT_PTR>(cs.hMenu)), parent != nullptr);
    WindowFactory::Attach(this, r);
    PreSubclassWindow();
    const HWND self = m_hWnd;
    if (::SendMessage(self, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        if (IsWindow(self))
            DestroyWindow();
        return FALSE;
    }
    if (!IsWindow(self))
        return FALSE;
    if (style & WS_VISIBLE)
        r->widget->show();
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr, nID, lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::DestroyWindow()
{
    WindowRecord* r = WindowRecord::From(m_hWnd);
    if (!r)
        return FALSE;
    const HWND self = m_hWnd;
    SendMessage(WM_DESTROY);
    if (!IsWindow(self))
        return TRUE;
    const std::vector<WindowRecord*> descendants = LiveDescendants(*r);
    for (WindowRecord* d : descendants)
        if (IsWindow(d->Handle()))
            ::SendMessage(d->Handle(), WM_DESTROY, 0, 0);
    std::vector<CWnd*> finished;
    for (WindowRecord* d : descendants) {
        if (!IsWindow(d->Handle()))
            continue;
        if (d->wnd)
            finished.push_back(d->wnd);
        d->Destroy(false);
    }
    CWnd* owner = r->wnd;
    r->Destroy(true);
    // Children first, as WM_NCDESTROY reaches them: a parent's PostNcDestroy may delete the
    // objects of its children (its own members).
    for (auto w = finished.rbegin(); w != finished.rend(); ++w)
        (*w)->PostNcDestroy();
    if (owner)
        owner->PostNcDestroy(); // may delete the object; nothing touches it afterwards
    return TRUE;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    WindowRecord* r = WindowRecord::From(hWnd);
    if (!r || r->wnd || IsWindow(m_hWnd))
        return FALSE;
    WindowFactory::Attach(this, r);
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    CWnd* item = pParent ? pParent->GetDlgItem(static_cast<int>(nID)) : nullptr;
    return item ? SubclassWindow(item->m_hWnd) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    const HWND h = m_hWnd;
    WindowFactory::Detach(this);
    return h;
}

BOOL IsWindow(HWND hWnd) { return WindowRecord::From(hWnd) ? TRUE : FALSE; }

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return WithWindow(hWnd, 0, [&](WindowRecord& r) {
        DispatchContext ctx{&r, message, wParam, lParam, nullptr};
        return DispatchWithContext(&r, ctx);
    });
}

BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return WithWindow(hWnd, FALSE, [&](WindowRecord& r) {
        if (!r.widget)
            return FALSE;
        QCoreApplication::postEvent(r.widget, new PostedMessageEvent(message, wParam, lParam));
        return TRUE;
    });
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam)
{
    std::vector<HWND> handles;
    WithWindow(m_hWnd, [&](WindowRecord& r) {
        for (WindowRecord* d : LiveDescendants(r))
            handles.push_back(d->Handle());
    });
    for (HWND h : handles)
        ::SendMessage(h, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        LRESULT r = 0;
        if (!lParam || !OnNotify(wParam, lParam, &r))
            return FALSE;
        *pResult = r;
        return TRUE;
    }
    if (const AFX_MSGMAP_ENTRY* e = FindEntry(message, 0, 0)) {
        e->pfn(this, wParam, lParam, pResult);
        return TRUE; // the handler may have deleted this object
    }
    if (message == WM_DRAWITEM && lParam) {
        const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (CWnd* child = FromHandlePermanent(dis->hwndItem))
            return child->OnChildNotify(message, wParam, lParam, pResult);
    }
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    const UINT nCode = HIWORD(wParam);
    if (lParam != 0 && NotifyLockout::Holds(m_hWnd))
        return TRUE;
    if (lParam == 0 && nCode <= 1) {
        // Menu items, accelerators and posted commands: a disabled command is refused.
        CCmdUI state;
        state.m_nID = nID;
        if (OnCmdMsg(nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state) && !state.m_bEnabled)
            return TRUE;
        // An accelerator's code 1 is the same command as a menu's 0.
        return OnCmdMsg(nID, static_cast<int>(CN_COMMAND), nullptr);
    }
    return OnCmdMsg(nID, static_cast<int>(nCode), nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    const AFX_MSGMAP_ENTRY* e = FindEntry(WM_NOTIFY, hdr->code, static_cast<UINT>(wParam));
    if (!e)
        return FALSE;
    return e->pfn(this, wParam, lParam, pResult);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return WithWindow(m_hWnd, 0, [&](WindowRecord& r) -> LRESULT {
        DispatchContext* ctx = CurrentDispatch();
        if (ctx && ctx->base && ctx->record == &r && ctx->message == message && !ctx->baseRan) {
            ctx->baseRan = true;
            ctx->baseResult = (*ctx->base)();
            return 0;
        }
        bool handled = false;
        return r.ClassProc(message, wParam, lParam, handled);
    });
}

LRESULT CWnd::Default()
{
    DispatchContext* ctx = CurrentDispatch();
    if (!ctx || !ctx->record || ctx->record->Handle() != m_hWnd)
        return 0;
    return DefWindowProc(ctx->message, ctx->wParam, ctx->lParam);
}

int CWnd::GetDlgCtrlID() const
{
    return WithWindow(m_hWnd, 0, [](WindowRecord& r) { return r.id; });
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return WithWindow(m_hWnd, nullptr, [nID](WindowRecord& r) -> CWnd* {
        for (QWidget* w : r.widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (auto* c = dynamic_cast<WindowRecord*>(w); c && !c->isDestroyed && c->id == nID)
                return c->Object();
        return nullptr;
    });
}

CWnd* CWnd::GetParent() const
{
    return WithWindow(m_hWnd, nullptr, [](WindowRecord& r) -> CWnd* {
        if (!r.widget)
            return nullptr;
        WindowRecord* p = WindowRecord::OfWidget(r.widget->parentWidget());
        return p ? p->Object() : nullptr;
    });
}

CWnd* CWnd::GetTopLevelParent() const
{
    return WithWindow(m_hWnd, nullptr, [](WindowRecord& r) { return r.TopLevelRecord()->Object(); });
}

// Default handlers.
int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
