// What dragging does to the program's windows: the left button dragged over a background moves a
// window as its caption would, and files dropped on a window reach it one path at a time.
#pragma once

#include "platform/afx/cwnd.h"
#include "platform/afx/shell.h"

#include <functional>

// With only the left button down, starts moving target (when there is one) by its caption.
void MoveByBackgroundDrag(UINT nFlags, CWnd* target);

// Hands every dropped path to takePath, each whole however long and in the order dropped; then
// the window's default handling sees the drop and the drop is released.
void TakeDroppedFiles(CWnd& window, HDROP drop, const std::function<void(CString)>& takePath);
