#include "dialogs/dialog_items.h"

void EnableDlgItems(const CWnd& dialog, std::initializer_list<int> ids, bool on)
{
    for (int id : ids)
        if (CWnd* item = dialog.GetDlgItem(id))
            item->EnableWindow(on ? TRUE : FALSE);
}
