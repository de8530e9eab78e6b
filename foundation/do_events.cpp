#include "foundation/do_events.h"

#include "platform/afx/message_pump.h"

BOOL DoEvents()
{
    if (!PumpWaitingMessages()) {
        PostQuitMessage(0);
        return TRUE;
    }
    for (LONG count = 0; AfxRunIdle(count); ++count) {}
    return FALSE;
}
