// The WMV profile dialog's three system-profile lists and the decisions made from them.
#pragma once

#include "platform/win/types.h"
#include "platform/wmf/wm_types.h"

#include <span>

struct ProfileRow {
    LPCWSTR text;
    int profileIndex; // the system profile of the list's version that the row stands for
};

struct ProfileList {
    WMT_VERSION version;
    std::span<const ProfileRow> rows;
    int defaultRow;
};

const ProfileList& Version4Profiles();
const ProfileList& Version7Profiles();
const ProfileList& Version8Profiles();

// The row a list opens on: the last row carrying the stored index, else the default row.
int InitialProfileRow(const ProfileList& list, int storedIndex);

// The version combo's rows: 0 "V4", 1 "V7", 2 "V8", 3 "PRX".
constexpr int kVersionRows = 4;
constexpr int kVersionPrx = 3;

// The stored index after OK: the selected row's item data, or the stored one when the list is
// empty (the system may list its profiles again next time).
int ProfileIndexOnOK(int selectedItemData, int storedIndex);

// The stored two-pass value after OK: any value other than 0 means two passes and is kept
// unless the user changed the box; a changed box stores 0 or 1.
int TwoPassOnOK(bool checked, int stored);

// Which controls the chosen version enables.
struct VersionControls {
    bool version4;
    bool version7;
    bool version8;
    bool profileFile;
};
VersionControls ControlsForVersion(int versionRow);
