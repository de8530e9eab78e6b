// Ending the session and power actions, carried out by an installable back-end.
//
// Until the application installs the system's back-end (logind_power.h) every request fails, so
// code that is not the running application (tests among it) cannot reach the machine's power.
#pragma once

#include "platform/win/types.h"

#include <memory>

constexpr UINT EWX_LOGOFF = 0x00000000;
constexpr UINT EWX_SHUTDOWN = 0x00000001;
constexpr UINT EWX_REBOOT = 0x00000002;
constexpr UINT EWX_FORCE = 0x00000004;
constexpr UINT EWX_POWEROFF = 0x00000008;

namespace win {

enum class PowerRequest { LogOff, PowerOff, Reboot, Suspend, Hibernate };

class PowerBackend {
public:
    virtual ~PowerBackend() = default;
    // True when the request was accepted.
    virtual bool Perform(PowerRequest request) = 0;
};

// Replaces the back-end; null removes it.
void SetPowerBackend(std::unique_ptr<PowerBackend> backend);

} // namespace win

// EWX_LOGOFF ends the session, EWX_SHUTDOWN and EWX_POWEROFF power off, EWX_REBOOT restarts;
// EWX_FORCE changes nothing (the session manager closes the programs itself).
BOOL ExitWindowsEx(UINT flags, DWORD reason);
// TRUE suspends, FALSE hibernates.
BOOL SetSystemPowerState(BOOL suspend, BOOL force);
