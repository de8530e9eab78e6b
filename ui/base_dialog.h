// The base of every dialog: application icon, dropped files, tool tips from the controls'
// captions, moving by the background, Enter and Esc that do not close, the post-initialisation
// message and the tray icon.
#pragma once

#include "platform/afx/cdialog.h"
#include "ui/task_tray_icon.h"

constexpr UINT WM_POSTINIT = WM_USER + 1000;

// The callback message of a dialog's tray icon. It is registered when the program starts, with
// the dialog base every program window is built on, even where no dialog ever adds an icon.
extern const UINT WM_TRAYNOTIFY;

class CBaseDialog : public CDialog {
public:
    CBaseDialog(UINT nIDTemplate, CWnd* pOwner, BOOL bSysMenu, BOOL bChild);
    ~CBaseDialog() override;

    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    virtual void DeleteTrayIcon();
    virtual void AddTrayIcon(UINT nCallbackMessage, CString tip, HICON hIcon);
    virtual void OnDropFile(CString path);
    virtual void Redraw();
    virtual BOOL CreateModeless(CWnd* pParent);
    virtual BOOL CanClose();
    virtual void SetItemText(UINT nID, CString text, BOOL bAutoWiden);
    virtual void OnSizeNotify(UINT nType, int cx, int cy);
    virtual LRESULT OnPostInit(WPARAM wParam, LPARAM lParam);
    virtual void EnableTheme();

    const CTaskTrayIcon& TrayIcon() const { return m_trayIcon; }

    DECLARE_MESSAGE_MAP()

public:
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnClose();
    void OnDropFiles(HDROP hDropInfo);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    BOOL OnToolTipNotify(UINT id, NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT HandleSize(WPARAM wParam, LPARAM lParam);

protected:
    BOOL m_bClosable = TRUE;
    CWnd* m_pOwner;
    CTaskTrayIcon m_trayIcon;
    BOOL m_bSysMenu;
    UINT m_nTemplateId;
    BOOL m_bChild;
    CString m_strToolTip;
    // The balloon shows when the icon is added to the notification area, not when it is added
    // again while it stands there; removing the icon makes the next add a first one.
    BOOL m_bTrayBalloonShown = FALSE;
};

CString GetAboutMenuText();
