#include "platform/afx/cwnd.h"

#include "platform/afx/cdc.h"
#include "platform/afx/cmenu.h"
#include "platform/afx/ddx.h"
#include "platform/afx/gdi_internal.h"
#include "platform/afx/window_host.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

#include <deque>
#include <map>

// ---- command targets ----

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(UINT nMessage, UINT nCode, UINT nID) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nMessage != 0; ++e) {
            if (e->pnRegistered) {
                if (*e->pnRegistered == nMessage && nMessage != 0)
                    return e;
            } else if (e->nMessage == nMessage && e->nCode == nCode && nID >= e->nID && nID <= e->nLastID) {
                return e;
            }
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra)
{
    const AFX_MSGMAP_ENTRY* e = FindEntry(WM_COMMAND, static_cast<UINT>(nCode), nID);
    if (!e)
        return FALSE;
    LRESULT result = 0;
    return e->pfn(this, nID, reinterpret_cast<LPARAM>(pExtra), &result);
}

void CCmdUI::Enable(BOOL bOn)
{
    m_bEnabled = bOn ? TRUE : FALSE;
    m_bEnableChanged = TRUE;
    if (m_pOther)
        m_pOther->EnableWindow(bOn);
}

void CCmdUI::SetCheck(int nCheck)
{
    m_nCheck = nCheck;
    if (m_pOther)
        m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck), 0);
}

void CCmdUI::SetText(LPCTSTR text)
{
    if (m_pOther)
        m_pOther->SetWindowText(text);
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    m_bEnableChanged = FALSE;
    const BOOL handled = pTarget->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this);
    if (!handled && bDisableIfNoHandler && !m_bEnableChanged)
        Enable(FALSE);
    return handled;
}

// ---- windows ----

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

namespace {

struct WindowClass {
    CString name;
    HBRUSH background;
};

std::deque<WindowClass>& Classes()
{
    static std::deque<WindowClass> classes;
    return classes;
}

WindowRecord* Rec(HWND h) { return WindowRecord::From(h); }

} // namespace

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR, HBRUSH hbrBackground, HICON)
{
    for (const WindowClass& c : Classes())
        if (c.background == hbrBackground)
            return c.name.GetString();
    CString name;
    name.Format(u"Afx:%x:%p", nClassStyle, static_cast<void*>(hbrBackground));
    Classes().push_back({name, hbrBackground});
    return Classes().back().name.GetString();
}

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    WindowRecord* r = Rec(m_hWnd);
    if (r && r->wnd == this)
        DestroyWindow();
    else if (r && r->temporary.get() != this)
        m_hWnd = nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    WindowRecord* r = Rec(hWnd);
    return r ? r->Object() : nullptr;
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    WindowRecord* r = Rec(hWnd);
    return r ? r->wnd : nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }
void CWnd::PreSubclassWindow() {}
void CWnd::PostNcDestroy() {}
BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }
void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, UINT nID, LPVOID lpParam)
{
    if (Rec(m_hWnd))
        return FALSE;
    CREATESTRUCT cs{};
    cs.lpCreateParams = lpParam;
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID));
    cs.hwndParent = hWndParent;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.style = static_cast<LONG>(dwStyle);
    cs.lpszName = lpszWindowName;
    cs.lpszClass = lpszClassName;
    cs.dwExStyle = dwExStyle;
    if (!PreCreateWindow(cs))
        return FALSE;
    WindowRecord* parent = Rec(cs.hwndParent);
    const DWORD style = static_cast<DWORD>(cs.style);
    if ((style & WS_CHILD) && !parent)
        return FALSE;
    const CString className = cs.lpszClass ? CString(cs.lpszClass) : CString(u"");
    const QRect geometry(cs.x, cs.y, std::max(0, cs.cx), std::max(0, cs.cy));
    WindowRecord* r = WindowFactory::Create(className, cs.lpszName ? CString(cs.lpszName) : CString(), style,
                                            cs.dwExStyle, geometry, parent,
                                            static_cast<int>(reinterpret_cast<UINT_PTR>(cs.hMenu)), parent != nullptr);
    for (const WindowClass& c : Classes())
        if (c.name == className)
            r->classBrush = c.background;
    WindowFactory::Attach(this, r);
    PreSubclassWindow();
    const HWND self = m_hWnd;
    if (::SendMessage(self, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        if (Rec(self))
            DestroyWindow();
        return FALSE;
    }
    if (!Rec(self))
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
    WindowRecord* r = Rec(m_hWnd);
    if (!r)
        return FALSE;
    const HWND self = m_hWnd;
    SendMessage(WM_DESTROY);
    if (!Rec(self))
        return TRUE;
    std::vector<WindowRecord*> descendants;
    for (QWidget* w : r->widget->findChildren<QWidget*>())
        if (auto* d = dynamic_cast<WindowRecord*>(w); d && !d->isDestroyed)
            descendants.push_back(d);
    for (WindowRecord* d : descendants)
        if (Rec(d->Handle()))
            ::SendMessage(d->Handle(), WM_DESTROY, 0, 0);
    std::vector<CWnd*> finished;
    for (WindowRecord* d : descendants) {
        if (!Rec(d->Handle()))
            continue;
        if (d->wnd)
            finished.push_back(d->wnd);
        d->Destroy(false);
    }
    CWnd* owner = r->wnd;
    r->Destroy(true);
    for (CWnd* w : finished)
        w->PostNcDestroy();
    if (owner)
        owner->PostNcDestroy(); // may delete the object; nothing touches it afterwards
    return TRUE;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    WindowRecord* r = Rec(hWnd);
    if (!r || r->wnd || Rec(m_hWnd))
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

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowRecord* r = Rec(hWnd);
    if (!r)
        return 0;
    DispatchContext ctx{r, message, wParam, lParam, nullptr};
    return DispatchWithContext(r, ctx);
}

BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowRecord* r = Rec(hWnd);
    if (!r || !r->widget)
        return FALSE;
    QCoreApplication::postEvent(r->widget, new PostedMessageEvent(message, wParam, lParam));
    return TRUE;
}

BOOL IsWindow(HWND hWnd) { return Rec(hWnd) ? TRUE : FALSE; }

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
    WindowRecord* r = Rec(m_hWnd);
    if (!r)
        return;
    std::vector<HWND> handles;
    for (QWidget* w : r->widget->findChildren<QWidget*>())
        if (auto* d = dynamic_cast<WindowRecord*>(w); d && !d->isDestroyed)
            handles.push_back(d->Handle());
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
    if (lParam == 0 && nCode <= 1) {
        // Menu items, accelerators and posted commands: a disabled command is refused.
        CCmdUI state;
        state.m_nID = nID;
        if (OnCmdMsg(nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state) && !state.m_bEnabled)
            return TRUE;
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
    WindowRecord* r = Rec(m_hWnd);
    if (!r)
        return 0;
    DispatchContext* ctx = CurrentDispatch();
    if (ctx && ctx->base && ctx->record == r && ctx->message == message && !ctx->baseRan) {
        ctx->baseRan = true;
        ctx->baseResult = (*ctx->base)();
        return 0;
    }
    bool handled = false;
    return r->ClassProc(message, wParam, lParam, handled);
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
    WindowRecord* r = Rec(m_hWnd);
    return r ? r->id : 0;
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    WindowRecord* r = Rec(m_hWnd);
    if (!r)
        return nullptr;
    for (QWidget* w : r->widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (auto* c = dynamic_cast<WindowRecord*>(w); c && !c->isDestroyed && c->id == nID)
            return c->Object();
    return nullptr;
}

CWnd* CWnd::GetParent() const
{
    WindowRecord* r = Rec(m_hWnd);
    if (!r || !r->widget)
        return nullptr;
    WindowRecord* p = WindowRecord::OfWidget(r->widget->parentWidget());
    return p ? p->Object() : nullptr;
}

CWnd* CWnd::GetTopLevelParent() const
{
    WindowRecord* r = Rec(m_hWnd);
    return r ? r->TopLevelRecord()->Object() : nullptr;
}

CWnd* CWnd::GetFocus()
{
    WindowRecord* r = WindowRecord::OfWidget(QApplication::focusWidget());
    return r ? r->Object() : nullptr;
}

HWND GetFocus()
{
    CWnd* w = CWnd::GetFocus();
    return w ? w->m_hWnd : nullptr;
}

CWnd* CWnd::SetFocus()
{
    CWnd* previous = GetFocus();
    if (WindowRecord* r = Rec(m_hWnd))
        r->widget->setFocus(Qt::OtherFocusReason);
    return previous;
}

CWnd* CWnd::WindowFromPoint(POINT point)
{
    WindowRecord* r = WindowRecord::OfWidget(QApplication::widgetAt(point.x, point.y));
    return r ? r->Object() : nullptr;
}

namespace {
QPointer<QWidget> g_capture;
}

CWnd* CWnd::GetCapture()
{
    WindowRecord* r = WindowRecord::OfWidget(g_capture);
    return r ? r->Object() : nullptr;
}

CWnd* CWnd::SetCapture()
{
    CWnd* previous = GetCapture();
    if (WindowRecord* r = Rec(m_hWnd)) {
        if (g_capture)
            g_capture->releaseMouse();
        g_capture = r->widget;
        if (r->widget->isVisible())
            r->widget->grabMouse();
    }
    return previous;
}

BOOL ReleaseCapture()
{
    if (g_capture)
        g_capture->releaseMouse();
    g_capture = nullptr;
    return TRUE;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* tme)
{
    WindowRecord* r = tme ? Rec(tme->hwndTrack) : nullptr;
    if (!r)
        return FALSE;
    if (tme->dwFlags & TME_LEAVE)
        r->trackLeave = true;
    return TRUE;
}

void CWnd::SetWindowText(LPCTSTR text) { SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : u"")); }

int CWnd::GetWindowText(CString& text) const
{
    const int length = GetWindowTextLength();
    LPWSTR buffer = text.GetBuffer(length);
    const_cast<CWnd*>(this)->SendMessage(WM_GETTEXT, static_cast<WPARAM>(length + 1), reinterpret_cast<LPARAM>(buffer));
    buffer[length] = 0;
    text.ReleaseBuffer();
    return text.GetLength();
}

CString CWnd::GetWindowTextString() const
{
    CString text;
    GetWindowText(text);
    return text;
}

int CWnd::GetWindowTextLength() const
{
    return static_cast<int>(const_cast<CWnd*>(this)->SendMessage(WM_GETTEXTLENGTH));
}

void CWnd::SetDlgItemText(int nID, LPCTSTR text)
{
    if (CWnd* item = GetDlgItem(nID))
        item->SetWindowText(text);
}

int CWnd::GetDlgItemText(int nID, CString& text) const
{
    text.Empty();
    CWnd* item = GetDlgItem(nID);
    return item ? item->GetWindowText(text) : 0;
}

void CWnd::SetDlgItemInt(int nID, UINT value, BOOL bSigned)
{
    CString text;
    if (bSigned)
        text.Format(u"%d", static_cast<int>(value));
    else
        text.Format(u"%u", value);
    SetDlgItemText(nID, text);
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* pTranslated, BOOL bSigned) const
{
    CString text;
    GetDlgItemText(nID, text);
    const QString t = ToQString(text).trimmed();
    bool ok = false;
    const qlonglong v = bSigned ? t.toLongLong(&ok) : static_cast<qlonglong>(t.toULongLong(&ok));
    ok = ok && (bSigned ? (v >= INT32_MIN && v <= INT32_MAX) : (v >= 0 && v <= UINT32_MAX));
    if (pTranslated)
        *pTranslated = ok ? TRUE : FALSE;
    return ok ? static_cast<UINT>(v) : 0;
}

void CWnd::CheckDlgButton(int nID, UINT nCheck)
{
    if (CWnd* item = GetDlgItem(nID))
        item->SendMessage(BM_SETCHECK, nCheck, 0);
}

UINT CWnd::IsDlgButtonChecked(int nID) const
{
    CWnd* item = GetDlgItem(nID);
    return item ? static_cast<UINT>(item->SendMessage(BM_GETCHECK)) : 0;
}

void CWnd::GetWindowRect(LPRECT rect) const
{
    WindowRecord* r = Rec(m_hWnd);
    if (!r || !rect)
        return;
    QWidget* w = r->widget;
    const QRect g = w->isWindow() ? w->frameGeometry() : QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
    *rect = RECT{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void CWnd::GetClientRect(LPRECT rect) const
{
    WindowRecord* r = Rec(m_hWnd);
    if (!r || !rect)
        return;
    QWidget* client = r->ClientArea();
    *rect = RECT{0, 0, client->width(), client->height()};
}

void CWnd::ScreenToClient(LPPOINT point) const
{
    WindowRecord* r = Rec(m_hWnd);
    if (!r || !point)
        return;
    const QPoint p = r->ClientArea()->mapFromGlobal(QPoint(point->x, point->y));
    *point = POINT{p.x(), p.y()};
}

void CWnd::ScreenToClient(LPRECT rect) const
{
    POINT a{rect->left, rect->top}, b{rect->right, rect->bottom};
    ScreenToClient(&a);
    ScreenToClient(&b);
    *rect = RECT{a.x, a.y, b.x, b.y};
}

void CWnd::ClientToScreen(LPPOINT point) const
{
    WindowRecord* r = Rec(m_hWnd);
    if (!r || !point)
        return;
    const QPoint p = r->ClientArea()->mapToGlobal(QPoint(point->x, point->y));
    *point = POINT{p.x(), p.y()};
}

void CWnd::ClientToScreen(LPRECT rect) const
{
    POINT a{rect->left, rect->top}, b{rect->right, rect->bottom};
    ClientToScreen(&a);
    ClientToScreen(&b);
    *rect = RECT{a.x, a.y, b.x, b.y};
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    WindowRecord* r = Rec(m_hWnd);
    if (!r)
        return;
    QWidget* w = r->widget;
    if (w->isWindow()) {
        // Window sizes include the frame; Qt sizes the client area.
        const QSize frame = w->frameGeometry().size() - w->size();
        w->move(x, y);
        w->resize(std::max(0, nWidth - frame.width()), std::max(0, nHeight - frame.height()));
    } else {
        w->setGeometry(x, y, std::max(0, nWidth), std::max(0, nHeight));
    }
    if (bRepaint)
        w->update();
}

void CWnd::MoveWindow(LPCRECT rect, BOOL bRepaint)
{
    MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd*, int x, int y, int cx, int cy, UINT nFlags)
{
    WindowRecord* r = Rec(m_hWnd);
    if (!r)
        return FALSE;
    QWidget* w = r->widget;
    const QRect old = w->isWindow() ? w->frameGeometry() : w->geometry();
    MoveWindow((nFlags & SWP_NOMOVE) ? old.left() : x, (nFlags & SWP_NOMOVE) ? old.top() : y,
               (nFlags & SWP_NOSIZE) ? old.width() : cx, (nFlags & SWP_NOSIZE) ? old.height() : cy, FALSE);
    if (!(nFlags & SWP_NOZORDER))
        w->raise();
    if (nFlags & SWP_SHOWWINDOW) {
        w->setAttribute(Qt::WA_ShowWithoutActivating, (nFlags & SWP_NOACTIVATE) != 0);
        w->show();
        // Shown windows are painted at once, so drawing that follows is not erased later.
        if (!r->painting)
            w->repaint();
    }
    if (nFlags & SWP_HIDEWINDOW)
        w->hide();
    return TRUE;
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    WindowRecord* r = Rec(m_hWnd);
    if (!r)
        return;
    QWidget* w = r->widget;
    QRect area;
    WindowRecord* owner = pAlternateOwner ? Rec(pAlternateOwner->m_hWnd) : nullptr;
    if (!owner && w->parentWidget())
        owner = WindowRecord::OfWidget(w->parentWidget()->window());
    if (owner && owner->widget->isVisible())
        area = owner->widget->frameGeometry();
    else if (QScreen* s = w->screen())
        area = s->availableGeometry();
    if (area.isValid())
        w->move(area.center() - QPoint(w->frameGeometry().width() / 2, w->frameGeometry().height() / 2));
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    WindowRecord* r = Rec(m_hWnd);
    if (!r)
        return FALSE;
    QWidget* w = r->widget;
    const BOOL wasVisible = w->isVisible() ? TRUE : FALSE;
    switch (nCmdShow) {
    case SW_HIDE: w->hide(); break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED: w->showMinimized(); break;
    case SW_SHOWMAXIMIZED: w->showMaximized(); break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        if (w->isWindow())
            w->showNormal();
        else
            w->show();
        break;
    case SW_SHOWNOACTIVATE:
    case SW_SHOWNA:
        w->setAttribute(Qt::WA_ShowWithoutActivating, true);
        w->show();
        break;
    default: w->show(); break;
    }
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const
{
    WindowRecord* r = Rec(m_hWnd);
    return (r && r->widget->isVisible()) ? TRUE : FALSE;
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    WindowRecord* r = Rec(m_hWnd);
    if (!r)
        return FALSE;
    const BOOL wasDisabled = r->widget->isEnabled() ? FALSE : TRUE;
    r->widget->setEnabled(bEnable != FALSE);
    if (bEnable)
        r->windowStyle &= ~WS_DISABLED;
    else
        r->windowStyle |= WS_DISABLED;
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const
{
    WindowRecord* r = Rec(m_hWnd);
    return (r && r->widget->isEnabled()) ? TRUE : FALSE;
}

BOOL CWnd::IsIconic() const
{
    WindowRecord* r = Rec(m_hWnd);
    return (r && r->widget->isMinimized()) ? TRUE : FALSE;
}

DWORD CWnd::GetStyle() const
{
    WindowRecord* r = Rec(m_hWnd);
    if (!r)
        return 0;
    return (r->windowStyle & ~WS_VISIBLE) | (r->widget->isVisible() ? WS_VISIBLE : 0);
}

DWORD CWnd::GetExStyle() const
{
    WindowRecord* r = Rec(m_hWnd);
    return r ? r->exStyle : 0;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT)
{
    WindowRecord* r = Rec(m_hWnd);
    if (!r)
        return FALSE;
    const DWORD next = (r->windowStyle & ~dwRemove) | dwAdd;
    if (next == r->windowStyle)
        return FALSE;
    r->windowStyle = next;
    if (r->widget->isWindow() && (dwRemove & WS_CAPTION))
        r->widget->setWindowFlag(Qt::FramelessWindowHint, true);
    r->widget->update();
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT)
{
    WindowRecord* r = Rec(m_hWnd);
    if (!r)
        return FALSE;
    const DWORD next = (r->exStyle & ~dwRemove) | dwAdd;
    if (next == r->exStyle)
        return FALSE;
    r->exStyle = next;
    return TRUE;
}

BOOL CWnd::SetForegroundWindow()
{
    WindowRecord* r = Rec(m_hWnd);
    if (!r)
        return FALSE;
    QWidget* top = r->widget->window();
    top->raise();
    top->activateWindow();
    return TRUE;
}

void CWnd::DragAcceptFiles(BOOL bAccept)
{
    if (WindowRecord* r = Rec(m_hWnd)) {
        r->acceptFiles = bAccept != FALSE;
        r->widget->setAcceptDrops(r->acceptFiles || r->dropTarget);
    }
}

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    WindowRecord* r = Rec(m_hWnd);
    if (!r)
        return FALSE;
    const BOOL old = r->toolTips ? TRUE : FALSE;
    r->toolTips = bEnable != FALSE;
    return old;
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bBigIcon ? 1 : 0, reinterpret_cast<LPARAM>(hIcon)));
}

HICON CWnd::GetIcon(BOOL bBigIcon) const
{
    WindowRecord* r = Rec(m_hWnd);
    return r ? (bBigIcon ? r->bigIcon : r->smallIcon) : nullptr;
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->m_hObject : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(const_cast<CWnd*>(this)->SendMessage(WM_GETFONT)));
}

int CWnd::SetWindowRgn(HRGN hRgn, BOOL bRedraw)
{
    WindowRecord* r = Rec(m_hWnd);
    if (!r)
        return 0;
    // The window owns the region from now on.
    if (r->region && r->region != hRgn)
        ::DeleteObject(r->region);
    r->region = hRgn;
    if (GdiObjectData* g = GdiObjectData::From(hRgn))
        r->widget->setMask(g->region);
    else
        r->widget->clearMask();
    if (bRedraw)
        r->widget->update();
    return 1;
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    WindowRecord* r = Rec(m_hWnd);
    if (!r || !(r->windowStyle & WS_SYSMENU))
        return nullptr;
    if (!r->systemMenu || bRevert) {
        r->systemMenu = std::make_unique<CMenu>();
        r->systemMenu->CreatePopupMenu();
        r->systemMenu->AppendMenu(MF_STRING, SC_MOVE, u"&Move");
        r->systemMenu->AppendMenu(MF_SEPARATOR, 0, nullptr);
        r->systemMenu->AppendMenu(MF_STRING, SC_CLOSE, u"&Close\tAlt+F4");
    }
    return r->systemMenu.get();
}

void CWnd::Invalidate(BOOL bErase) { InvalidateRect(nullptr, bErase); }

void CWnd::InvalidateRect(LPCRECT rect, BOOL bErase)
{
    WindowRecord* r = Rec(m_hWnd);
    if (!r)
        return;
    // Erase requests add up until the paint runs.
    r->erasePending = (r->needsPaint && r->erasePending) || bErase != FALSE;
    r->needsPaint = true;
    if (rect)
        r->widget->update(QRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top));
    else
        r->widget->update();
}

void CWnd::UpdateWindow()
{
    WindowRecord* r = Rec(m_hWnd);
    if (r && r->widget->isVisible() && !r->painting)
        r->widget->repaint();
}

BOOL CWnd::RedrawWindow(LPCRECT rect, HRGN, UINT flags)
{
    WindowRecord* r = Rec(m_hWnd);
    if (!r)
        return FALSE;
    if (flags & RDW_INVALIDATE)
        InvalidateRect(rect, (flags & RDW_ERASE) ? TRUE : FALSE);
    if (flags & RDW_UPDATENOW)
        UpdateWindow();
    return TRUE;
}

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return GetDC(); }
int CWnd::ReleaseDC(CDC* pDC) { return pDC ? ::ReleaseDC(m_hWnd, pDC->m_hDC) : 0; }

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, void*)
{
    WindowRecord* r = Rec(m_hWnd);
    if (!r)
        return 0;
    KillTimer(nIDEvent);
    r->timers[nIDEvent] = r->widget->startTimer(static_cast<int>(std::max<UINT>(nElapse, 1)));
    return nIDEvent;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    WindowRecord* r = Rec(m_hWnd);
    if (!r)
        return FALSE;
    const auto it = r->timers.find(nIDEvent);
    if (it == r->timers.end())
        return FALSE;
    r->widget->killTimer(it->second);
    r->timers.erase(it);
    return TRUE;
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const DataExchangeFailure&) {
        return FALSE;
    }
    return TRUE;
}

UINT RegisterWindowMessageW(LPCWSTR name)
{
    static std::map<std::u16string, UINT> registered;
    if (!name || !name[0])
        return 0;
    const auto [it, added] = registered.emplace(name, 0xC000 + static_cast<UINT>(registered.size()));
    return it->second;
}

COLORREF GetSysColor(int index)
{
    switch (index) {
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_HIGHLIGHT: return RGB(0, 120, 215);
    case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
    case COLOR_BTNFACE: return RGB(240, 240, 240);
    case COLOR_BTNSHADOW: return RGB(160, 160, 160);
    case COLOR_GRAYTEXT: return RGB(109, 109, 109);
    case COLOR_BTNTEXT: return RGB(0, 0, 0);
    case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
    case COLOR_3DDKSHADOW: return RGB(105, 105, 105);
    case COLOR_3DLIGHT: return RGB(227, 227, 227);
    case COLOR_INFOTEXT: return RGB(0, 0, 0);
    case COLOR_INFOBK: return RGB(255, 255, 225);
    default: return RGB(0, 0, 0);
    }
}

// Default handlers.
int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
