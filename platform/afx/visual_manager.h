// The frames' visual look: the bars, menus and status bar drawn in the manner of a desktop of
// the original platform, chosen at run time and applied to every frame at once.
#pragma once

#include "platform/win/types.h"

#include <QString>

enum class VisualManagerKind { Windows2000, OfficeXP, WindowsXP, Office2003, VisualStudio2005, Office2007 };

class CMFCVisualManager {
public:
    // Makes the kind current and restyles every frame.
    static void SetDefaultManager(VisualManagerKind kind);
    // The style sheet of the current look (what the frames carry).
    static QString StyleSheet();
    static QString StyleSheetOf(VisualManagerKind kind, int office2007Style);
};

class CMFCVisualManagerOffice2007 {
public:
    enum Style { Office2007_LunaBlue = 0, Office2007_ObsidianBlack = 1, Office2007_Aqua = 2, Office2007_Silver = 3 };
    // Takes effect with the next SetDefaultManager of the Office 2007 kind.
    static void SetStyle(Style style);
};

class CMFCVisualManagerWindows {
public:
    // The themed tabs of the Windows XP look (kept for the look's choice; no tabs are shown).
    static BOOL m_b3DTabsXPTheme;
};
