#include "platform/afx/cmenu.h"

#include "platform/afx/cwnd.h"
#include "platform/afx/modal_loops.h"
#include "platform/afx/window_host.h"
#include "platform/win/menu_resource.h"

#include <QMenu>

BOOL CMenu::CreatePopupMenu()
{
    m_hMenu = reinterpret_cast<HMENU>(this);
    return TRUE;
}

namespace {

void AppendResourceItems(CMenu& menu, std::span<const MenuItemResource> items,
                         std::vector<std::unique_ptr<CMenu>>& owned)
{
    for (const MenuItemResource& item : items) {
        if (item.flags & MF_POPUP) {
            auto sub = std::make_unique<CMenu>();
            sub->CreatePopupMenu();
            AppendResourceItems(*sub, item.Items(), owned);
            menu.AppendMenu(item.flags, reinterpret_cast<UINT_PTR>(sub->m_hMenu), item.text);
            owned.push_back(std::move(sub));
        } else {
            menu.AppendMenu(item.flags, item.id, item.text);
        }
    }
}

} // namespace

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    const std::span<const MenuItemResource> items = FindMenuItems(nIDResource);
    if (items.empty())
        return FALSE;
    DestroyMenu();
    CreatePopupMenu();
    AppendResourceItems(*this, items, m_subMenus);
    return TRUE;
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    if (nPos < 0 || nPos >= GetMenuItemCount())
        return nullptr;
    const Item& item = m_items[static_cast<size_t>(nPos)];
    return (item.flags & MF_POPUP) ? reinterpret_cast<CMenu*>(item.id) : nullptr;
}

BOOL CMenu::DestroyMenu()
{
    m_items.clear();
    m_subMenus.clear();
    m_hMenu = nullptr;
    return TRUE;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nID, LPCTSTR text)
{
    m_items.push_back({nFlags, nID, text ? CString(text) : CString()});
    return TRUE;
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nID, LPCTSTR text)
{
    size_t at = m_items.size();
    if (nFlags & MF_BYPOSITION) {
        if (nPosition != 0xFFFFFFFFu && nPosition < m_items.size())
            at = nPosition;
    } else if (const int found = Find(nPosition, MF_BYCOMMAND); found >= 0) {
        at = static_cast<size_t>(found);
    }
    Item item{nFlags & ~MF_BYPOSITION, nID, text ? CString(text) : CString()};
    // An item with neither text nor string flag shows as a separator.
    if (!text && !(nFlags & MF_POPUP))
        item.flags |= MF_SEPARATOR;
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at), item);
    return TRUE;
}

int CMenu::Find(UINT nItem, UINT nFlags) const
{
    if (nFlags & MF_BYPOSITION)
        return nItem < m_items.size() ? static_cast<int>(nItem) : -1;
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].id == nItem && !(m_items[i].flags & MF_SEPARATOR))
            return static_cast<int>(i);
    return -1;
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags)
{
    const int at = Find(nPosition, nFlags);
    if (at < 0)
        return FALSE;
    m_items.erase(m_items.begin() + at);
    return TRUE;
}

int CMenu::GetMenuItemCount() const { return static_cast<int>(m_items.size()); }

UINT CMenu::GetMenuItemID(int nPos) const
{
    if (nPos < 0 || nPos >= GetMenuItemCount())
        return 0xFFFFFFFFu;
    const Item& item = m_items[static_cast<size_t>(nPos)];
    return (item.flags & MF_SEPARATOR) && item.id == 0 ? 0 : static_cast<UINT>(item.id);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    const int at = Find(nIDItem, nFlags);
    rString = at >= 0 ? m_items[static_cast<size_t>(at)].text : CString();
    return rString.GetLength();
}

void CMenu::UpdateItems(CWnd* pWnd)
{
    if (!pWnd)
        return;
    for (Item& item : m_items) {
        if (item.flags & MF_POPUP) {
            reinterpret_cast<CMenu*>(item.id)->UpdateItems(pWnd);
            continue;
        }
        if (item.flags & MF_SEPARATOR)
            continue;
        CCmdUI state;
        state.m_nID = static_cast<UINT>(item.id);
        state.m_nCheck = (item.flags & MF_CHECKED) ? 1 : 0;
        if (!pWnd->OnCmdMsg(state.m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state))
            continue;
        item.flags = (item.flags & ~(MF_GRAYED | MF_DISABLED | MF_CHECKED)) | (state.m_bEnabled ? 0 : MF_GRAYED) |
                     (state.m_nCheck ? MF_CHECKED : 0);
    }
}

namespace {

void FillQMenu(QMenu& menu, const std::vector<CMenu::Item>& items)
{
    for (const CMenu::Item& item : items) {
        if (item.flags & MF_SEPARATOR) {
            menu.addSeparator();
            continue;
        }
        if (item.flags & MF_POPUP) {
            QMenu* sub = menu.addMenu(ToQString(item.text));
            FillQMenu(*sub, reinterpret_cast<CMenu*>(item.id)->Items());
            continue;
        }
        QAction* action = menu.addAction(ToQString(item.text));
        action->setData(QVariant::fromValue<qulonglong>(item.id));
        action->setEnabled(!(item.flags & (MF_GRAYED | MF_DISABLED)));
        action->setCheckable(item.flags & MF_CHECKED);
        action->setChecked(item.flags & MF_CHECKED);
    }
}

} // namespace

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT)
{
    if (ModalLoop::Refused())
        return 0;
    UpdateItems(pWnd);
    QMenu menu;
    FillQMenu(menu, m_items);
    const HWND owner = pWnd ? pWnd->m_hWnd : nullptr;
    const ModalLoop running([&menu] { menu.close(); });
    QAction* chosen = menu.exec(QPoint(x, y));
    if (!chosen)
        return 0;
    const auto id = static_cast<UINT>(chosen->data().toULongLong());
    if (nFlags & TPM_RETURNCMD)
        return static_cast<BOOL>(id);
    if (IsWindow(owner))
        PostMessage(owner, WM_COMMAND, id, 0);
    return TRUE;
}
