// The toolkit side of a frame window: a main window whose central widget is the view and which
// carries the menu bar, tool bars and status bar.
#pragma once

#include "platform/afx/controls_host.h"

#include <QMainWindow>

// Qt's tool bar areas for CBRS_ALIGN_* flags.
Qt::ToolBarAreas ToolBarAreasOf(DWORD align);

class FrameHost : public Host<QMainWindow> {
public:
    FrameHost();
    // The host of a frame's window, or null.
    static FrameHost* Of(const CWnd* frame);

    // The bars' context menu: the tool bar list and, when the frame allows it, customizing.
    QMenu* createPopupMenu() override;
};
