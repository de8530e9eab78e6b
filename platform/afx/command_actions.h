// Toolkit actions that stand for commands: the menu bar's items and the tool bars' buttons.
#pragma once

#include "platform/afx/cstring.h"

class CFrameWnd;
class QAction;
class QObject;

// An action for command id: its text, the status-bar prompt (before '\n' of the command's
// string) and tool tip (after it); triggering posts the command to the frame, which checks it
// again when it arrives.
QAction* CreateCommandAction(CFrameWnd* frame, UINT id, const CString& text, QObject* parent);
UINT CommandIdOf(const QAction* action);
// Sets enabled, ticked and bulleted from the frame's update handlers.
void UpdateCommandAction(CFrameWnd* frame, QAction* action);
// The two halves of a command's string resource.
CString CommandPrompt(UINT id);
CString CommandToolTip(UINT id);
