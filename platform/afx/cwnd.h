// CWnd: a C++ object attached to a window. The windows themselves live in the toolkit layer
// (window_host.h); this header stays free of it.
#pragma once

#include "platform/afx/ccmdtarget.h"

class CDC;
class CFont;
class CMenu;
class CRgn;
class CScrollBar;
class CDataExchange;

class CWnd : public CCmdTarget {
public:
    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The permanent object of a window, or one the window keeps for callers (never null for a
    // live window).
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);

    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                          int nWidth, int nHeight, HWND hWndParent, UINT nID, LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID);
    virtual BOOL DestroyWindow();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // Messages.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // The default processing of the message being handled.
    LRESULT Default();

    // Identity and hierarchy.
    int GetDlgCtrlID() const;
    CWnd* GetDlgItem(int nID) const;
    CWnd* GetParent() const;
    CWnd* GetTopLevelParent() const;
    static CWnd* GetFocus();
    CWnd* SetFocus();
    static CWnd* WindowFromPoint(POINT point);
    static CWnd* GetCapture();
    CWnd* SetCapture();

    // Text.
    void SetWindowText(LPCTSTR text);
    int GetWindowText(CString& text) const;
    CString GetWindowTextString() const;
    int GetWindowTextLength() const;
    void SetDlgItemText(int nID, LPCTSTR text);
    int GetDlgItemText(int nID, CString& text) const;
    UINT GetDlgItemInt(int nID, BOOL* pTranslated = nullptr, BOOL bSigned = TRUE) const;
    void CheckDlgButton(int nID, UINT nCheck);
    UINT IsDlgButtonChecked(int nID) const;

    // Geometry: window rectangles are in screen coordinates, client rectangles start at (0, 0).
    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    void ClientToScreen(LPPOINT point) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void CenterWindow(CWnd* pAlternateOwner = nullptr);

    // State.
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    DWORD GetStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL SetForegroundWindow();
    void DragAcceptFiles(BOOL bAccept = TRUE);
    BOOL EnableToolTips(BOOL bEnable = TRUE);
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;
    int SetWindowRgn(HRGN hRgn, BOOL bRedraw);
    CMenu* GetSystemMenu(BOOL bRevert) const;

    // Painting.
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT rect, BOOL bErase = TRUE);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT rect = nullptr, HRGN hRgn = nullptr, UINT flags = RDW_INVALIDATE | RDW_ERASE);
    CDC* GetDC();
    int ReleaseDC(CDC* pDC);

    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void* lpfnTimer);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // Data exchange.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    DECLARE_MESSAGE_MAP()

protected:
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();
    virtual void PostNcDestroy();

public:
    // Default handlers: each runs the window's default processing.
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnPaint();
    void OnTimer(UINT_PTR nIDEvent);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnDropFiles(HDROP hDropInfo);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    // Creation parameters handed over to the toolkit layer (used by it only).
    friend class WindowFactory;
};

// Window classes: our own registered classes and the control classes the toolkit layer knows.
LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                            HICON hIcon = nullptr);

BOOL IsWindow(HWND hWnd);
LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL ReleaseCapture();
BOOL GetCursorPos(LPPOINT point);
BOOL SetCursorPos(int x, int y);
BOOL TrackMouseEvent(TRACKMOUSEEVENT* tme);
inline BOOL _TrackMouseEvent(TRACKMOUSEEVENT* tme) { return TrackMouseEvent(tme); }
short GetAsyncKeyState(int vKey);
