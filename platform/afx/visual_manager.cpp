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
        return {"#d4d0c8", "#d4d0c8", "#d4d0c8", "#d4d0c8", "#000000", "#0a246a",
                "#0a246a", "#e8e6e1", "#d4d0c8", "#000000", "#000000", 0};
    case VisualManagerKind::OfficeXP:
        return {"#f4f3ee", "#e9e7e0", "#e9e7e0", "#fcfcf9", "#000000", "#c1d2ee",
                "#316ac5", "#e1e6f0", "#ece9d8", "#000000", "#000000", 0};
    case VisualManagerKind::WindowsXP:
        return {"#fbfbf9", "#e3e0d0", "#ece9d8", "#ffffff", "#000000", "#316ac5",
                "#316ac5", "#e3e2da", "#ece9d8", "#000000", "#000000", 2};
    case VisualManagerKind::Office2003:
        return {"#e3efff", "#9ebef5", "#c4daf9", "#f6f6f6", "#000000", "#ffeec2",
                "#000080", "#ffc080", "#9ebef5", "#000000", "#000000", 0};
    case VisualManagerKind::VisualStudio2005:
        return {"#fafaf9", "#c4c3b9", "#eeede5", "#fbfbf9", "#000000", "#c1d2ee",
                "#316ac5", "#e1e6f0", "#eeede5", "#000000", "#000000", 0};
    case VisualManagerKind::Office2007: break;
    }
    switch (style) {
    case CMFCVisualManagerOffice2007::Office2007_ObsidianBlack:
        return {"#5e5e5e", "#2f2f2f", "#535353", "#fafafa", "#000000", "#ffe794",
                "#c2a04e", "#ffbd69", "#3a3a3a", "#ffffff", "#ffffff", 3};
    case CMFCVisualManagerOffice2007::Office2007_Silver:
        return {"#f2f4f7", "#c4cad4", "#d0d4dd", "#fafafa", "#000000", "#ffe794",
                "#c2a04e", "#ffbd69", "#c9ced8", "#3b3b3b", "#3b3b3b", 3};
    case CMFCVisualManagerOffice2007::Office2007_Aqua:
        return {"#e6f0f4", "#a9c6d4", "#c4d8e2", "#fafafa", "#000000", "#ffe794",
                "#c2a04e", "#ffbd69", "#b5cedb", "#1e3a4a", "#1e3a4a", 3};
    default:
        return {"#e3eefc", "#afcbf0", "#bfdbff", "#fafafa", "#000000", "#ffe794",
                "#c2a04e", "#ffbd69", "#a9c6ec", "#15428b", "#15428b", 3};
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
