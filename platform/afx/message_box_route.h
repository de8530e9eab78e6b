// Message boxes asked for by code that has no window of its own and may run on a worker thread
// (the image readers). The application object routes them to its message box while it exists;
// before and after, nothing is shown.
#pragma once

#include "platform/win/types.h"

#include <string>
#include <vector>

// Shows a box with the application's caption; the button pressed (IDOK, IDYES, ...).
using MessageBoxRoute = int (*)(LPCTSTR text, UINT type);
// Null removes the route.
void AfxSetMessageBoxRoute(MessageBoxRoute route);

// Held by a thread (see CMessageBoxHold): the box is kept and IDOK returned. Otherwise, on the
// user-interface thread (or with no application object yet), the box is shown at once and its
// answer returned; from any other thread it is handed to the user-interface thread, which shows
// it when it next takes its messages, and IDOK comes back at once: a worker must never wait for
// a thread that may be waiting for that worker. IDOK also when no route is set.
int AfxRoutedMessageBox(LPCTSTR text, UINT type);

struct HeldMessageBox {
    std::u16string text;
    UINT type = 0;
};
using HeldMessageBoxes = std::vector<HeldMessageBox>;

// For its life, the boxes asked for on the thread that made it are added to `into` instead of
// being shown, so work done ahead on a worker shows its boxes when its result is taken, and
// work whose result is dropped shows none.
class CMessageBoxHold {
public:
    explicit CMessageBoxHold(HeldMessageBoxes& into);
    ~CMessageBoxHold();
    CMessageBoxHold(const CMessageBoxHold&) = delete;
    CMessageBoxHold& operator=(const CMessageBoxHold&) = delete;

private:
    HeldMessageBoxes* m_outer;
};

// Asks for each box in turn, as AfxRoutedMessageBox does on this thread, and empties the list.
void AfxShowHeldMessageBoxes(HeldMessageBoxes& boxes);
