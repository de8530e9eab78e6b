// The system's version: the kernel release's first two numbers.
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
