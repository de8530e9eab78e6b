#include "foundation/power_action.h"

#include "platform/win/power.h"

// A Linux process holds no shutdown privilege to switch on: logind, which the power calls go
// through, checks each request against polkit's policy, and a refusal fails the power call
// itself, as an unprivileged call would fail. So there is nothing to do here.
void EnableShutdownPrivilege() {}

void PowerAction(int action)
{
    EnableShutdownPrivilege();
    switch (action) {
    case -1: SetSystemPowerState(FALSE, TRUE); break;
    case -2: SetSystemPowerState(TRUE, TRUE); break;
    default: ExitWindowsEx(static_cast<UINT>(action), 0); break;
    }
}
