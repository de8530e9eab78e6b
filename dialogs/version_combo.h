// The version combo the WMV and WMA dialogs share: one row per encoder version, each with its icon.
#pragma once

#include "ui/combo_box_img_ex.h"

#include <span>

struct VersionItem {
    LPCWSTR text;
    UINT icon;
};

// Loads every item's icon into the combo's image list and adds one indented row per item.
void FillVersionCombo(CComboBoxImgEx& combo, std::span<const VersionItem> items);
