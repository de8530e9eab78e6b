#include "platform/win/power.h"

#include "platform/win/error_codes.h"

#include <mutex>

namespace {

std::mutex backendMutex;
std::unique_ptr<win::PowerBackend> installedBackend;

BOOL Perform(win::PowerRequest request)
{
    std::lock_guard guard(backendMutex);
    if (!installedBackend) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    if (!installedBackend->Perform(request)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}

} // namespace

void win::SetPowerBackend(std::unique_ptr<PowerBackend> backend)
{
    std::lock_guard guard(backendMutex);
    installedBackend = std::move(backend);
}

BOOL ExitWindowsEx(UINT flags, DWORD)
{
    switch (flags & ~EWX_FORCE) {
    case EWX_LOGOFF: return Perform(win::PowerRequest::LogOff);
    case EWX_SHUTDOWN:
    case EWX_POWEROFF:
    case EWX_SHUTDOWN | EWX_POWEROFF: return Perform(win::PowerRequest::PowerOff);
    case EWX_REBOOT: return Perform(win::PowerRequest::Reboot);
    default: SetLastError(ERROR_INVALID_PARAMETER); return FALSE;
    }
}

BOOL SetSystemPowerState(BOOL suspend, BOOL)
{
    return Perform(suspend ? win::PowerRequest::Suspend : win::PowerRequest::Hibernate);
}
