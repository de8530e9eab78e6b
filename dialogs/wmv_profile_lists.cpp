#include "dialogs/wmv_profile_lists.h"

#include <array>

namespace {

constexpr std::array kVersion4Rows = {
    ProfileRow{u"01. 160x120 (14-28K)", 13}, ProfileRow{u"02. 160x120 (28-56K)", 1},
    ProfileRow{u"03. 176x144 (14-28K)", 12}, ProfileRow{u"04. 176x144 (28-56K)", 15},
    ProfileRow{u"05. 176x144 (28-100K)", 3}, ProfileRow{u"06. 320x240 (100-700K)", 2},
    ProfileRow{u"07. 160x120 (28K)", 14},    ProfileRow{u"08. 176x144 (56K)", 16},
    ProfileRow{u"09. 320x240 (100K)", 17},   ProfileRow{u"10. 320x240 (250K)", 18},
    ProfileRow{u"11. 320x240 (512K)", 19},   ProfileRow{u"12. 320x240 (1M)", 20},
    ProfileRow{u"13. 320x240 (3M)", 21},
};

constexpr std::array kVersion7Rows = {
    ProfileRow{u"01. 160x120 (14-28K)", 5},   ProfileRow{u"02. 176x144 (14-28K)", 4},
    ProfileRow{u"03. 176x144 (28-56K)", 1},   ProfileRow{u"04. 176x144 (28-100K)", 3},
    ProfileRow{u"05. 320x240 (100-500K)", 2}, ProfileRow{u"06. 160x120 (28K)", 6},
    ProfileRow{u"07. 176x144 (28K)", 7},      ProfileRow{u"08. 208x160 (150K)", 26},
    ProfileRow{u"09. 208x160 (225K)", 25},    ProfileRow{u"10. 240x176 (56K)", 8},
    ProfileRow{u"11. 320x240 (100K)", 9},     ProfileRow{u"12. 320x240 (250K)", 10},
    ProfileRow{u"13. 320x240 (384K)", 11},    ProfileRow{u"14. 320x240 (700K)", 12},
    ProfileRow{u"15. 640x480 (700K)", 15},    ProfileRow{u"16. 640x480 (1M)", 16},
    ProfileRow{u"17. 640x480 (1M)", 13},      ProfileRow{u"18. 640x480 (2M)", 14},
};

constexpr std::array kVersion8Rows = {
    ProfileRow{u"01. 176x144 (28-56K)", 3},    ProfileRow{u"02. 176x144 (28-100K)", 5},
    ProfileRow{u"03. 320x240 (100-500K)", 4},  ProfileRow{u"04. 160x120 (28K)", 6},
    ProfileRow{u"05. 176x144 (28K)", 23},      ProfileRow{u"06. 176x144 (56K)", 7},
    ProfileRow{u"07. 208x160 (150K)", 2},      ProfileRow{u"08. 208x160 (225K)", 1},
    ProfileRow{u"09. 240x176 (56K)", 24},      ProfileRow{u"10. 240x176 (100K)", 8},
    ProfileRow{u"11. 320x240 (256K)", 9},      ProfileRow{u"12. 320x240 (384K)", 10},
    ProfileRow{u"13. 320x240 (450K)", 11},     ProfileRow{u"14. 320x240 (700K)", 12},
    ProfileRow{u"15. 320x240 (1400K)", 13},    ProfileRow{u"16. 352x288 (384K)", 14},
    ProfileRow{u"17. 352x288 (700K)", 15},     ProfileRow{u"18. 320x240 (VBR Fair)", 25},
    ProfileRow{u"19. 320x240 (VBR High)", 26}, ProfileRow{u"20. 320x240 (VBR Best)", 27},
};

} // namespace

const ProfileList& Version4Profiles()
{
    static const ProfileList list{WMT_VER_4_0, kVersion4Rows, 12};
    return list;
}

const ProfileList& Version7Profiles()
{
    static const ProfileList list{WMT_VER_7_0, kVersion7Rows, 17};
    return list;
}

const ProfileList& Version8Profiles()
{
    static const ProfileList list{WMT_VER_8_0, kVersion8Rows, 16};
    return list;
}

int InitialProfileRow(const ProfileList& list, int storedIndex)
{
    int row = list.defaultRow;
    for (size_t i = 0; i < list.rows.size(); ++i)
        if (list.rows[i].profileIndex == storedIndex)
            row = static_cast<int>(i);
    return row;
}

int ProfileIndexOnOK(int selectedItemData, int storedIndex)
{
    return selectedItemData < 0 ? storedIndex : selectedItemData;
}

int TwoPassOnOK(bool checked, int stored)
{
    if (checked == (stored != 0))
        return stored;
    return checked ? 1 : 0;
}

VersionControls ControlsForVersion(int versionRow)
{
    return {versionRow == 0, versionRow == 1, versionRow == 2, versionRow == kVersionPrx};
}
