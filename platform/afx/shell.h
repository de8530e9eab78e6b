// Shell services: dropped file lists, the notification-area icon and the folder picker.
#pragma once

#include "platform/afx/cstring.h"
#include "platform/win/ui_types.h"

#include <map>
#include <memory>
#include <vector>

class QSystemTrayIcon;

// The files of one drop; its handle lives as long as the object (the drop's dispatch).
class DropFileList {
public:
    explicit DropFileList(std::vector<CString> paths) : m_paths(std::move(paths)) {}
    HDROP Handle() { return reinterpret_cast<HDROP>(this); }
    const std::vector<CString>& Paths() const { return m_paths; }

private:
    std::vector<CString> m_paths;
};

// With index 0xFFFFFFFF the file count; else the length of path iFile, copied into buffer when
// one is given (cut to cch - 1 characters). A null buffer asks only for the length, so callers
// can read paths of any length.
UINT DragQueryFileW(HDROP hDrop, UINT iFile, LPWSTR buffer, UINT cch);
CString DragQueryFilePath(HDROP hDrop, UINT iFile);
void DragFinish(HDROP hDrop);

// Where notification-area icons go; the default shows them with the toolkit's tray icon.
class TrayHost {
public:
    virtual ~TrayHost() = default;
    virtual bool Available() = 0;
    virtual bool Add(const NOTIFYICONDATAW& data) = 0;
    virtual bool Modify(const NOTIFYICONDATAW& data) = 0;
    virtual bool Remove(HWND hWnd, UINT uID) = 0;
};
// The default host: one toolkit tray icon per window and icon id. A click on it reaches the window
// as the original platform reports one: the button's down message, then its up message.
class ToolkitTrayHost : public TrayHost {
public:
    ToolkitTrayHost();
    ~ToolkitTrayHost() override;
    bool Available() override;
    bool Add(const NOTIFYICONDATAW& data) override;
    bool Modify(const NOTIFYICONDATAW& data) override;
    bool Remove(HWND hWnd, UINT uID) override;
    // The icon shown for a window's icon id, or null.
    QSystemTrayIcon* Icon(HWND hWnd, UINT uID) const;

private:
    std::map<std::pair<HWND, UINT>, std::unique_ptr<QSystemTrayIcon>> m_icons;
};
// Replaces the tray host (tests); returns the previous one.
std::unique_ptr<TrayHost> SetTrayHost(std::unique_ptr<TrayHost> host);
BOOL Shell_NotifyIconW(DWORD dwMessage, NOTIFYICONDATAW* lpData);

struct ITEMIDLIST;
using LPITEMIDLIST = ITEMIDLIST*;
using LPCITEMIDLIST = const ITEMIDLIST*;
using BFFCALLBACK = int (*)(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

struct BROWSEINFOW {
    HWND hwndOwner;
    LPCITEMIDLIST pidlRoot;
    LPWSTR pszDisplayName;
    LPCWSTR lpszTitle;
    UINT ulFlags;
    BFFCALLBACK lpfn;
    LPARAM lParam;
    int iImage;
};

// The folder dialog: null when cancelled; the callback gets BFFM_INITIALIZED with the dialog's
// handle, to which BFFM_SETSELECTIONW may be sent.
LPITEMIDLIST SHBrowseForFolderW(BROWSEINFOW* lpbi);
// A path of any length.
CString PathFromIDList(LPCITEMIDLIST pidl);
void CoTaskMemFree(void* pv);
