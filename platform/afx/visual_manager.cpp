#include "platform/afx/visual_manager.h"

#include "platform/afx/frame_host.h"

#include <QApplication>

namespace {

VisualManagerKind g_kind = VisualManagerKind::Windows2000;
CMFCVisualManagerOffice2007::Style g_office2007Style = CMFCVisualManagerOffice2007::Office2007_LunaBlue;

// The colours of one look.
struct Look {
    const char* barTop; // tool bar and menu bar gradient
    const char* barBottom;
    const char* window; // frame background around the bars
    const char* menu; // popup menu background
    const char* menuText;
    const char* highlight; // item under the mouse
    const char* highlightBorder;
    const char* checked; // pressed or ticked button
    const char* status; // status bar
    const char* statusText;
    const char* barText;
    int radius; // rounding of highlighted items
};

Look LookOf(VisualManagerKind kind, int style)
{
    switch (kind) {
    case VisualManagerKind::Windows2000:
        return Look{
            .barTop = "#d4d0c8",
            .barBottom = "#d4d0c8",
            .window = "#d4d0c8",
            .menu = "#d4d0c8",
            .menuText = "#000000",
            .highlight = "#0a246a",
            .highlightBorder = "#0a246a",
            .checked = "#e8e6e1",
            .status = "#d4d0c8",
            .statusText = "#000000",
            .barText = "#000000",
            .radius = 0,
        };
    case VisualManagerKind::OfficeXP:
        return Look{
            .barTop = "#f4f3ee",
            .barBottom = "#e9e7e0",
            .window = "#e9e7e0",
            .menu = "#fcfcf9",
            .menuText = "#000000",
            .highlight = "#c1d2ee",
            .highlightBorder = "#316ac5",
            .checked = "#e1e6f0",
            .status = "#ece9d8",
            .statusText = "#000000",
            .barText = "#000000",
            .radius = 0,
        };
    case VisualManagerKind::WindowsXP:
        return Look{
            .barTop = "#fbfbf9",
            .barBottom = "#e3e0d0",
            .window = "#ece9d8",
            .menu = "#ffffff",
            .menuText = "#000000",
            .highlight = "#316ac5",
            .highlightBorder = "#316ac5",
            .checked = "#e3e2da",
            .status = "#ece9d8",
            .statusText = "#000000",
            .barText = "#000000",
            .radius = 2,
        };
    case VisualManagerKind::Office2003:
        return Look{
            .barTop = "#e3efff",
            .barBottom = "#9ebef5",
            .window = "#c4daf9",
            .menu = "#f6f6f6",
            .menuText = "#000000",
            .highlight = "#ffeec2",
            .highlightBorder = "#000080",
            .checked = "#ffc080",
            .status = "#9ebef5",
            .statusText = "#000000",
            .barText = "#000000",
            .radius = 0,
        };
    case VisualManagerKind::VisualStudio2005:
        return Look{
            .barTop = "#fafaf9",
            .barBottom = "#c4c3b9",
            .window = "#eeede5",
            .menu = "#fbfbf9",
            .menuText = "#000000",
            .highlight = "#c1d2ee",
            .highlightBorder = "#316ac5",
            .checked = "#e1e6f0",
            .status = "#eeede5",
            .statusText = "#000000",
            .barText = "#000000",
            .radius = 0,
        };
    case VisualManagerKind::Office2007: break;
    }
    switch (style) {
    case CMFCVisualManagerOffice2007::Office2007_ObsidianBlack:
        return Look{
            .barTop = "#5e5e5e",
            .barBottom = "#2f2f2f",
            .window = "#535353",
            .menu = "#fafafa",
            .menuText = "#000000",
            .highlight = "#ffe794",
            .highlightBorder = "#c2a04e",
            .checked = "#ffbd69",
            .status = "#3a3a3a",
            .statusText = "#ffffff",
            .barText = "#ffffff",
            .radius = 3,
        };
    case CMFCVisualManagerOffice2007::Office2007_Silver:
        return Look{
            .barTop = "#f2f4f7",
            .barBottom = "#c4cad4",
            .window = "#d0d4dd",
            .menu = "#fafafa",
            .menuText = "#000000",
            .highlight = "#ffe794",
            .highlightBorder = "#c2a04e",
            .checked = "#ffbd69",
            .status = "#c9ced8",
            .statusText = "#3b3b3b",
            .barText = "#3b3b3b",
            .radius = 3,
        };
    case CMFCVisualManagerOffice2007::Office2007_Aqua:
        return Look{
            .barTop = "#e6f0f4",
            .barBottom = "#a9c6d4",
            .window = "#c4d8e2",
            .menu = "#fafafa",
            .menuText = "#000000",
            .highlight = "#ffe794",
            .highlightBorder = "#c2a04e",
            .checked = "#ffbd69",
            .status = "#b5cedb",
            .statusText = "#1e3a4a",
            .barText = "#1e3a4a",
            .radius = 3,
        };
    default:
        return Look{
            .barTop = "#e3eefc",
            .barBottom = "#afcbf0",
            .window = "#bfdbff",
            .menu = "#fafafa",
            .menuText = "#000000",
            .highlight = "#ffe794",
            .highlightBorder = "#c2a04e",
            .checked = "#ffbd69",
            .status = "#a9c6ec",
            .statusText = "#15428b",
            .barText = "#15428b",
            .radius = 3,
        };
    }
}

void Restyle()
{
    const QString sheet = CMFCVisualManager::StyleSheet();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* frame = dynamic_cast<FrameHost*>(w))
            frame->setStyleSheet(sheet);
}

} // namespace

BOOL CMFCVisualManagerWindows::m_b3DTabsXPTheme = FALSE;

void CMFCVisualManager::SetDefaultManager(VisualManagerKind kind)
{
    g_kind = kind;
    Restyle();
}

QString CMFCVisualManager::StyleSheet() { return StyleSheetOf(g_kind, g_office2007Style); }

QString CMFCVisualManager::StyleSheetOf(VisualManagerKind kind, int office2007Style)
{
    const Look l = LookOf(kind, office2007Style);
    const bool flat = kind == VisualManagerKind::Windows2000;
    // The classic look raises buttons with 3D edges; the others highlight with a coloured box.
    const QString hover = flat
                              ? QStringLiteral(
                                    "border: 1px solid; border-color: #ffffff #808080 #808080 #ffffff; background: %1;")
                                    .arg(QLatin1String(l.barTop))
                              : QStringLiteral("border: 1px solid %1; border-radius: %2px; background: %3;")
                                    .arg(QLatin1String(l.highlightBorder))
                                    .arg(l.radius)
                                    .arg(QLatin1String(l.highlight));
    const QString pressed =
        flat ? QStringLiteral("border: 1px solid; border-color: #808080 #ffffff #ffffff #808080; background: %1;")
                   .arg(QLatin1String(l.checked))
             : QStringLiteral("border: 1px solid %1; border-radius: %2px; background: %3;")
                   .arg(QLatin1String(l.highlightBorder))
                   .arg(l.radius)
                   .arg(QLatin1String(l.checked));
    const QString menuSelected = flat ? QStringLiteral("background: #0a246a; color: #ffffff;")
                                      : QStringLiteral("background: %1; border: 1px solid %2; color: %3;")
                                            .arg(QLatin1String(l.highlight), QLatin1String(l.highlightBorder),
                                                 QLatin1String(l.menuText));
    return QStringLiteral("QMainWindow { background: %1; }"
                          "QMainWindow::separator { background: %1; }"
                          "QToolBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %2, stop:1 %3);"
                          " border: none; spacing: 0px; padding: 1px; color: %4; }"
                          "QToolBar QToolButton { color: %4; border: 1px solid transparent; padding: 2px 2px; }"
                          "QToolBar QToolButton#MenuTitle { padding: 2px 1px; margin: 0px; }"
                          "QToolBar QToolButton:hover { %5 }"
                          "QToolBar QToolButton:checked, QToolBar QToolButton:pressed { %6 }"
                          "QToolBar QToolButton:disabled { color: #8d8d8d; }"
                          "QMenu { background: %7; color: %8; border: 1px solid #868686; }"
                          "QMenu::item { padding: 3px 24px 3px 24px; border: 1px solid transparent; }"
                          "QMenu::item:selected { %9 }"
                          "QMenu::item:disabled { color: #8d8d8d; }"
                          "QMenu::indicator:exclusive:checked { width: 6px; height: 6px; margin-left: 7px;"
                          " border-radius: 3px; background: %8; }"
                          "QMenu::separator { height: 1px; background: #c5c5c5; margin: 2px 4px; }"
                          "QStatusBar { background: %10; color: %11; }"
                          "QStatusBar QLabel { color: %11; }")
        .arg(QLatin1String(l.window), QLatin1String(l.barTop), QLatin1String(l.barBottom), QLatin1String(l.barText),
             hover, pressed, QLatin1String(l.menu), QLatin1String(l.menuText), menuSelected)
        .arg(QLatin1String(l.status), QLatin1String(l.statusText));
}

void CMFCVisualManagerOffice2007::SetStyle(Style style) { g_office2007Style = style; }
