#include "platform/afx/shell.h"

#include "platform/afx/controls_host.h"
#include "platform/afx/icon.h"
#include "platform/afx/modal_loops.h"
#include "platform/afx/toolkit_file_dialog.h"

#include <QFileDialog>
#include <QIcon>
#include <QSystemTrayIcon>

#include <cstdlib>
#include <map>
#include <set>

UINT DragQueryFileW(HDROP hDrop, UINT iFile, LPWSTR buffer, UINT cch)
{
    auto* drop = reinterpret_cast<DropFileList*>(hDrop);
    if (!drop)
        return 0;
    const auto& paths = drop->Paths();
    if (iFile == 0xFFFFFFFFu)
        return static_cast<UINT>(paths.size());
    if (iFile >= paths.size())
        return 0;
    const CString& path = paths[iFile];
    if (buffer && cch > 0) {
        const UINT n = std::min<UINT>(cch - 1, static_cast<UINT>(path.GetLength()));
        std::copy(path.GetString(), path.GetString() + n, buffer);
        buffer[n] = 0;
        return n;
    }
    return static_cast<UINT>(path.GetLength());
}

CString DragQueryFilePath(HDROP hDrop, UINT iFile)
{
    auto* drop = reinterpret_cast<DropFileList*>(hDrop);
    if (!drop || iFile >= drop->Paths().size())
        return CString();
    return drop->Paths()[iFile];
}

void DragFinish(HDROP) {} // the drop's list lives until its dispatch ends

namespace {

// The mouse messages the original platform sends a tray icon's window for each activation.
std::vector<LPARAM> MouseMessagesOf(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger: return {WM_LBUTTONDOWN, WM_LBUTTONUP};
    case QSystemTrayIcon::DoubleClick: return {WM_LBUTTONDBLCLK, WM_LBUTTONUP};
    case QSystemTrayIcon::Context: return {WM_RBUTTONDOWN, WM_RBUTTONUP};
    case QSystemTrayIcon::MiddleClick: return {WM_MBUTTONDOWN, WM_MBUTTONUP};
    default: return {};
    }
}

void Apply(QSystemTrayIcon& icon, const NOTIFYICONDATAW& d)
{
    if ((d.uFlags & NIF_ICON))
        if (QIcon* q = IconFromHandle(d.hIcon))
            icon.setIcon(*q);
    if (d.uFlags & NIF_TIP)
        icon.setToolTip(ToQString(d.szTip));
}

std::unique_ptr<TrayHost>& CurrentTrayHost()
{
    static std::unique_ptr<TrayHost> host = std::make_unique<ToolkitTrayHost>();
    return host;
}

} // namespace

ToolkitTrayHost::ToolkitTrayHost() = default;
ToolkitTrayHost::~ToolkitTrayHost() = default;

bool ToolkitTrayHost::Available() { return QSystemTrayIcon::isSystemTrayAvailable(); }

bool ToolkitTrayHost::Add(const NOTIFYICONDATAW& d)
{
    if (!Available() || m_icons.count({d.hWnd, d.uID}))
        return false;
    auto icon = std::make_unique<QSystemTrayIcon>();
    const HWND hwnd = d.hWnd;
    const UINT id = d.uID;
    const UINT callback = d.uCallbackMessage;
    QObject::connect(icon.get(), &QSystemTrayIcon::activated,
                     [hwnd, id, callback](QSystemTrayIcon::ActivationReason r) {
                         if (!callback)
                             return;
                         for (const LPARAM mouse : MouseMessagesOf(r))
                             PostMessage(hwnd, callback, id, mouse);
                     });
    Apply(*icon, d);
    icon->show();
    if ((d.uFlags & NIF_INFO) && d.szInfo[0])
        icon->showMessage(ToQString(d.szInfoTitle), ToQString(d.szInfo), QSystemTrayIcon::Information);
    m_icons[{d.hWnd, d.uID}] = std::move(icon);
    return true;
}

bool ToolkitTrayHost::Modify(const NOTIFYICONDATAW& d)
{
    auto it = m_icons.find({d.hWnd, d.uID});
    if (it == m_icons.end())
        return false;
    Apply(*it->second, d);
    return true;
}

bool ToolkitTrayHost::Remove(HWND hWnd, UINT uID) { return m_icons.erase({hWnd, uID}) > 0; }

QSystemTrayIcon* ToolkitTrayHost::Icon(HWND hWnd, UINT uID) const
{
    auto it = m_icons.find({hWnd, uID});
    return it == m_icons.end() ? nullptr : it->second.get();
}

std::unique_ptr<TrayHost> SetTrayHost(std::unique_ptr<TrayHost> host)
{
    return std::exchange(CurrentTrayHost(), std::move(host));
}

BOOL Shell_NotifyIconW(DWORD dwMessage, NOTIFYICONDATAW* d)
{
    if (!d)
        return FALSE;
    // Texts are cut to their fields, terminator included, whatever the caller left in them.
    d->szTip[127] = 0;
    d->szInfo[255] = 0;
    d->szInfoTitle[63] = 0;
    switch (dwMessage) {
    case NIM_ADD: return CurrentTrayHost()->Add(*d) ? TRUE : FALSE;
    case NIM_MODIFY: return CurrentTrayHost()->Modify(*d) ? TRUE : FALSE;
    case NIM_DELETE: return CurrentTrayHost()->Remove(d->hWnd, d->uID) ? TRUE : FALSE;
    default: return FALSE;
    }
}

struct ITEMIDLIST {
    CString path;
};

namespace {

std::set<void*>& ItemLists()
{
    static std::set<void*> lists;
    return lists;
}

class FolderDialogHost : public Host<QFileDialog> {
public:
    explicit FolderDialogHost(QWidget* parent) : Host<QFileDialog>(parent, WindowKind::Generic) {}
    LRESULT ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override
    {
        if (message == BFFM_SETSELECTIONW && wParam && lParam) {
            handled = true;
            const QString path = ToQString(reinterpret_cast<LPCWSTR>(lParam));
            // The dialog opens inside the folder, so confirming at once picks it.
            if (!path.isEmpty())
                setDirectory(path);
            return 0;
        }
        return WindowRecord::ClassProc(message, wParam, lParam, handled);
    }
};

} // namespace

LPITEMIDLIST SHBrowseForFolderW(BROWSEINFOW* bi)
{
    if (!bi || ModalLoop::Refused())
        return nullptr;
    WindowRecord* owner = WindowRecord::From(bi->hwndOwner);
    FolderDialogHost dialog(owner ? owner->widget->window() : nullptr);
    dialog.setWindowTitle(ToQString(bi->lpszTitle));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::DontResolveSymlinks, true);
    if (bi->lpfn)
        bi->lpfn(dialog.Handle(), BFFM_INITIALIZED, 0, bi->lParam);
    FitToolkitFileDialog(dialog);
    const ModalLoop running([&dialog] { dialog.reject(); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return nullptr;
    auto* list = new ITEMIDLIST{FromQString(dialog.selectedFiles().front())};
    ItemLists().insert(list);
    if (bi->pszDisplayName) {
        const QString name = QFileInfo(dialog.selectedFiles().front()).fileName().left(MAX_PATH - 1);
        std::copy(name.utf16(), name.utf16() + name.size(), reinterpret_cast<char16_t*>(bi->pszDisplayName));
        bi->pszDisplayName[name.size()] = 0;
    }
    return list;
}

CString PathFromIDList(LPCITEMIDLIST pidl)
{
    return (pidl && ItemLists().count(const_cast<ITEMIDLIST*>(pidl))) ? pidl->path : CString();
}

void CoTaskMemFree(void* pv)
{
    if (!pv)
        return;
    if (ItemLists().erase(pv)) {
        delete static_cast<ITEMIDLIST*>(pv);
        return;
    }
    std::free(pv);
}
