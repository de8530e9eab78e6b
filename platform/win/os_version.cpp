#include "platform/win/os_version.h"

#include "platform/win/error_codes.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr DWORD kMajorVersion = 5;
constexpr DWORD kMinorVersion = 1;
constexpr DWORD kBuildNumber = 2600;
constexpr std::u16string_view kServicePack = u"Service Pack 3";

} // namespace

BOOL GetVersionExW(OSVERSIONINFOW* info)
{
    if (!info || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOW)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    info->dwMajorVersion = kMajorVersion;
    info->dwMinorVersion = kMinorVersion;
    info->dwBuildNumber = kBuildNumber;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    std::fill(std::begin(info->szCSDVersion), std::end(info->szCSDVersion), u'\0');
    std::copy(kServicePack.begin(), kServicePack.end(), info->szCSDVersion);
    return TRUE;
}
