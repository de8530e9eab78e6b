#include "ui/window_drag.h"

void MoveByBackgroundDrag(UINT nFlags, CWnd* target)
{
    if (nFlags != MK_LBUTTON)
        return;
    ReleaseCapture();
    if (target)
        target->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void TakeDroppedFiles(CWnd& window, HDROP drop, const std::function<void(CString)>& takePath)
{
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFFu, nullptr, 0);
    for (UINT i = 0; i < count; ++i)
        takePath(DragQueryFilePath(drop, i));
    window.CWnd::OnDropFiles(drop);
    DragFinish(drop);
}
