// Static message maps: one table per class, chained to the base class's table.
#pragma once

#include "platform/afx/geometry.h"

class CCmdTarget;
class CCmdUI;

// Each entry's thunk casts the target to the class that declared the entry and calls its handler;
// it returns FALSE when the handler declines (notification "EX" handlers), TRUE otherwise.
using AfxThunk = BOOL (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam, LRESULT* result);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage; // window message, WM_COMMAND or WM_NOTIFY; 0 ends the table
    UINT nCode; // notification code for WM_COMMAND / WM_NOTIFY entries
    UINT nID; // first control or command id
    UINT nLastID; // last id of a range
    const UINT* pnRegistered; // a registered message's id, read at dispatch
    AfxThunk pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

constexpr UINT CN_COMMAND = 0;
constexpr UINT CN_UPDATE_COMMAND_UI = static_cast<UINT>(-1);

#define DECLARE_MESSAGE_MAP()                                                                                          \
protected:                                                                                                             \
    static const AFX_MSGMAP* GetThisMessageMap();                                                                      \
    const AFX_MSGMAP* GetMessageMap() const override;                                                                  \
                                                                                                                       \
private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                         \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }                                  \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                                                    \
    {                                                                                                                  \
        using ThisClass [[maybe_unused]] = theClass;                                                                   \
        using TheBaseClass = baseClass;                                                                                \
        static const AFX_MSGMAP_ENTRY entries[] = {
#define END_MESSAGE_MAP()                                                                                              \
    {                                                                                                                  \
        0, 0, 0, 0, nullptr, nullptr                                                                                   \
    }                                                                                                                  \
    }                                                                                                                  \
    ;                                                                                                                  \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, entries};                                  \
    return &messageMap;                                                                                                \
    }

#define AFX_THUNK(body)                                                                                                \
    [](CCmdTarget* t, [[maybe_unused]] WPARAM w, [[maybe_unused]] LPARAM l, [[maybe_unused]] LRESULT* r) -> BOOL {     \
        [[maybe_unused]] ThisClass* self = static_cast<ThisClass*>(t);                                                 \
        body;                                                                                                          \
        return TRUE;                                                                                                   \
    }

#define AFX_MSG_ENTRY(msg, body) {msg, 0, 0, 0, nullptr, AFX_THUNK(body)},

// Window messages.
#define ON_WM_CREATE() AFX_MSG_ENTRY(WM_CREATE, *r = self->OnCreate(reinterpret_cast<LPCREATESTRUCT>(l)))
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, self->OnDestroy())
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, self->OnPaint())
#define ON_WM_ERASEBKGND()                                                                                             \
    AFX_MSG_ENTRY(WM_ERASEBKGND, *r = self->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(w))))
#define ON_WM_SIZE() AFX_MSG_ENTRY(WM_SIZE, self->OnSize(UINT(w), GET_X_LPARAM(l), GET_Y_LPARAM(l)))
#define ON_WM_CLOSE() AFX_MSG_ENTRY(WM_CLOSE, self->OnClose())
#define ON_WM_TIMER() AFX_MSG_ENTRY(WM_TIMER, self->OnTimer(UINT_PTR(w)))
#define ON_WM_MOUSEMOVE() AFX_MSG_ENTRY(WM_MOUSEMOVE, self->OnMouseMove(UINT(w), CPoint(l)))
#define ON_WM_LBUTTONDOWN() AFX_MSG_ENTRY(WM_LBUTTONDOWN, self->OnLButtonDown(UINT(w), CPoint(l)))
#define ON_WM_LBUTTONUP() AFX_MSG_ENTRY(WM_LBUTTONUP, self->OnLButtonUp(UINT(w), CPoint(l)))
#define ON_WM_LBUTTONDBLCLK() AFX_MSG_ENTRY(WM_LBUTTONDBLCLK, self->OnLButtonDblClk(UINT(w), CPoint(l)))
#define ON_WM_RBUTTONDOWN() AFX_MSG_ENTRY(WM_RBUTTONDOWN, self->OnRButtonDown(UINT(w), CPoint(l)))
#define ON_WM_RBUTTONUP() AFX_MSG_ENTRY(WM_RBUTTONUP, self->OnRButtonUp(UINT(w), CPoint(l)))
#define ON_WM_MOUSEWHEEL()                                                                                             \
    AFX_MSG_ENTRY(WM_MOUSEWHEEL, *r = self->OnMouseWheel(LOWORD(w), static_cast<short>(HIWORD(w)), CPoint(l)))
#define ON_WM_MOUSELEAVE() AFX_MSG_ENTRY(WM_MOUSELEAVE, self->OnMouseLeave())
#define ON_WM_CONTEXTMENU()                                                                                            \
    AFX_MSG_ENTRY(WM_CONTEXTMENU, self->OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(w)), CPoint(l)))
#define ON_WM_SYSCOMMAND() AFX_MSG_ENTRY(WM_SYSCOMMAND, self->OnSysCommand(UINT(w), l))
#define ON_WM_DROPFILES() AFX_MSG_ENTRY(WM_DROPFILES, self->OnDropFiles(reinterpret_cast<HDROP>(w)))
#define ON_WM_HSCROLL()                                                                                                \
    AFX_MSG_ENTRY(WM_HSCROLL,                                                                                          \
                  self->OnHScroll(LOWORD(w), static_cast<short>(HIWORD(w)),                                            \
                                  reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(l)))))
#define ON_WM_VSCROLL()                                                                                                \
    AFX_MSG_ENTRY(WM_VSCROLL,                                                                                          \
                  self->OnVScroll(LOWORD(w), static_cast<short>(HIWORD(w)),                                            \
                                  reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(l)))))
#define ON_WM_ACTIVATE()                                                                                               \
    AFX_MSG_ENTRY(WM_ACTIVATE, self->OnActivate(LOWORD(w), CWnd::FromHandle(reinterpret_cast<HWND>(l)), HIWORD(w)))
#define ON_WM_SETCURSOR()                                                                                              \
    AFX_MSG_ENTRY(WM_SETCURSOR,                                                                                        \
                  *r = self->OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(w)), LOWORD(l), HIWORD(l)))
#define ON_WM_KEYDOWN() AFX_MSG_ENTRY(WM_KEYDOWN, self->OnKeyDown(UINT(w), LOWORD(l), HIWORD(l)))
// The control-colour request arrives as WM_CTLCOLOR with a CtlColorRequest in lParam.
#define ON_WM_CTLCOLOR()                                                                                               \
    AFX_MSG_ENTRY(WM_CTLCOLOR, {                                                                                       \
        auto* q = reinterpret_cast<CtlColorRequest*>(l);                                                               \
        *r = reinterpret_cast<LRESULT>(                                                                                \
            self->OnCtlColor(CDC::FromHandle(q->hdc), CWnd::FromHandle(q->hwnd), q->nCtlColor));                       \
    })

#define ON_MESSAGE(msg, handler) AFX_MSG_ENTRY(msg, *r = self->handler(w, l))
// The number of a message registered by name; the same name always gives the same number.
UINT RegisterWindowMessageW(LPCWSTR name);
#define ON_REGISTERED_MESSAGE(var, handler) {0xC000, 0, 0, 0, &var, AFX_THUNK(*r = self->handler(w, l))},

// Commands and control notifications.
#define ON_COMMAND(id, handler) {WM_COMMAND, CN_COMMAND, UINT(id), UINT(id), nullptr, AFX_THUNK(self->handler())},
#define ON_COMMAND_RANGE(id, idLast, handler)                                                                          \
    {WM_COMMAND, CN_COMMAND, UINT(id), UINT(idLast), nullptr, AFX_THUNK(self->handler(UINT(w)))},
#define ON_CONTROL(code, id, handler) {WM_COMMAND, UINT(code), UINT(id), UINT(id), nullptr, AFX_THUNK(self->handler())},
#define ON_BN_CLICKED(id, handler) ON_CONTROL(BN_CLICKED, id, handler)
#define ON_EN_CHANGE(id, handler) ON_CONTROL(EN_CHANGE, id, handler)
#define ON_EN_KILLFOCUS(id, handler) ON_CONTROL(EN_KILLFOCUS, id, handler)
#define ON_CBN_SELCHANGE(id, handler) ON_CONTROL(CBN_SELCHANGE, id, handler)
#define ON_LBN_SELCHANGE(id, handler) ON_CONTROL(LBN_SELCHANGE, id, handler)
#define ON_LBN_DBLCLK(id, handler) ON_CONTROL(LBN_DBLCLK, id, handler)
#define ON_UPDATE_COMMAND_UI(id, handler)                                                                              \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI,                                                                                 \
     UINT(id),   UINT(id),                                                                                             \
     nullptr,    AFX_THUNK(self->handler(reinterpret_cast<CCmdUI*>(l)))},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, handler)                                                                \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI,                                                                                 \
     UINT(id),   UINT(idLast),                                                                                         \
     nullptr,    AFX_THUNK(self->handler(reinterpret_cast<CCmdUI*>(l)))},
#define ON_NOTIFY(code, id, handler)                                                                                   \
    {WM_NOTIFY, UINT(code), UINT(id), UINT(id), nullptr, AFX_THUNK(self->handler(reinterpret_cast<NMHDR*>(l), r))},
#define ON_NOTIFY_EX(code, id, handler)                                                                                \
    {WM_NOTIFY, UINT(code), UINT(id), UINT(id), nullptr, [](CCmdTarget* t, WPARAM w, LPARAM l, LRESULT* r) -> BOOL {   \
         return static_cast<ThisClass*>(t)->handler(UINT(w), reinterpret_cast<NMHDR*>(l), r);                          \
     }},

// What a control-colour request carries (see ON_WM_CTLCOLOR).
struct CtlColorRequest {
    HDC hdc;
    HWND hwnd;
    UINT nCtlColor;
};
