#include "platform/win/os_version.h"

#include "platform/win/error_codes.h"

#include <cstdio>
#include <cstring>
#include <sys/utsname.h>

BOOL GetVersionExW(OSVERSIONINFOW* info)
{
    if (!info || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOW)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    utsname name{};
    unsigned major = 0;
    unsigned minor = 0;
    unsigned build = 0;
    if (uname(&name) != 0 || std::sscanf(name.release, "%u.%u.%u", &major, &minor, &build) < 2) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    info->dwMajorVersion = major;
    info->dwMinorVersion = minor;
    info->dwBuildNumber = build;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
    return TRUE;
}
