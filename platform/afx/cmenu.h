// Menus: the items the program inserts and deletes, shown as a toolkit pop-up.
#pragma once

#include "platform/afx/cstring.h"
#include "platform/win/ui_types.h"

#include <memory>
#include <vector>

class CWnd;

constexpr UINT TPM_LEFTALIGN = 0x0, TPM_RETURNCMD = 0x100;

class CMenu {
public:
    HMENU m_hMenu = nullptr;

    BOOL CreatePopupMenu();
    // The menu resource with this id; its popups become sub-menus the menu owns.
    BOOL LoadMenu(UINT nIDResource);
    // The popup at this position, or null.
    CMenu* GetSubMenu(int nPos) const;
    BOOL DestroyMenu();
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL DeleteMenu(UINT nPosition, UINT nFlags);
    int GetMenuItemCount() const;
    UINT GetMenuItemID(int nPos) const;
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    // Shows the menu at a screen point; the chosen item reaches pWnd as WM_COMMAND (or comes
    // back as the result with TPM_RETURNCMD). Before it opens, pWnd's update handlers set each
    // item's enabled and checked state.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);
    // Runs pWnd's update handlers for every item (what happens before the menu opens).
    void UpdateItems(CWnd* pWnd);

    struct Item {
        UINT flags;
        UINT_PTR id;
        CString text;
    };
    const std::vector<Item>& Items() const { return m_items; }

private:
    int Find(UINT nItem, UINT nFlags) const;
    std::vector<Item> m_items;
    std::vector<std::unique_ptr<CMenu>> m_subMenus;
};
