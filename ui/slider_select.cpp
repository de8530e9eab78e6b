#include "ui/slider_select.h"

BEGIN_MESSAGE_MAP(CSliderSelect, CSliderCtrl)
    ON_WM_PAINT()
END_MESSAGE_MAP()

int CSliderSelect::SetPosFromCursor()
{
    CRect rc;
    GetClientRect(&rc);
    const int channel = rc.Width() - 28;
    POINT pt{};
    GetCursorPos(&pt);
    ScreenToClient(&pt);
    pt.x -= 14;
    const int max = static_cast<int>(SendMessage(TBM_GETRANGEMAX));
    int position;
    if (channel > 0)
        position = static_cast<int>(static_cast<double>(max) * pt.x / channel);
    else
        position = pt.x > 0 ? max : 0; // no channel to measure: an end of the range
    SendMessage(TBM_SETPOS, TRUE, position);
    return static_cast<int>(SendMessage(TBM_GETPOS));
}
