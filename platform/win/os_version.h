// The system's version, as the platform layer reports it: one fixed Windows version, whatever
// the Linux kernel under it. The layer behaves as Windows XP with Service Pack 3 (5.1, build
// 2600), the system the program was written for; the kernel's own release numbers are no
// Windows version and would make the program's version tests depend on the machine.
#pragma once

#include "platform/win/types.h"

struct OSVERSIONINFOW {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    WCHAR szCSDVersion[128];
};

constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

// dwOSVersionInfoSize must hold sizeof(OSVERSIONINFOW).
BOOL GetVersionExW(OSVERSIONINFOW* info);
