#include "dialogs/version_combo.h"

#include "platform/afx/icon.h"

namespace {

constexpr UINT CBEIF_OVERLAY = 0x8, CBEIF_INDENT = 0x10;

} // namespace

void FillVersionCombo(CComboBoxImgEx& combo, std::span<const VersionItem> items)
{
    combo.CreateImageList();
    for (const VersionItem& item : items)
        combo.ImageList().Add(LoadIconResource(item.icon));
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        CString text(items[static_cast<size_t>(i)].text);
        COMBOBOXEXITEMW entry{};
        entry.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_OVERLAY | CBEIF_INDENT;
        entry.iItem = i;
        entry.pszText = text.GetBuffer();
        entry.cchTextMax = text.GetLength();
        entry.iImage = i;
        entry.iSelectedImage = i;
        entry.iOverlay = 2;
        entry.iIndent = 1;
        combo.InsertItem(&entry);
        text.ReleaseBuffer();
    }
}
