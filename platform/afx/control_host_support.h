// What the control hosts share: their notifications to the parent, text handed out, item indexes.
#pragma once

#include "platform/afx/window_host.h"

#include <QString>

// Sends the parent a WM_COMMAND notification from the control.
void NotifyParent(WindowRecord* control, UINT code);

// Copies the text, terminated, into the caller's buffer when there is one; returns its length.
LRESULT CopyOut(const QString& text, LPARAM buffer);

// Whether the index names one of count items.
constexpr bool IndexInRange(int index, int count) { return index >= 0 && index < count; }
