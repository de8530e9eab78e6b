#include "foundation/power_action.h"

#include "platform/win/power.h"

void PowerAction(int action)
{
    switch (action) {
    case -1: SetSystemPowerState(FALSE, TRUE); break;
    case -2: SetSystemPowerState(TRUE, TRUE); break;
    default: ExitWindowsEx(static_cast<UINT>(action), 0); break;
    }
}
