#include "platform/win/current_directory.h"

#include "platform/win/error_codes.h"
#include "platform/win/text.h"

#include <cerrno>
#include <unistd.h>

BOOL SetCurrentDirectoryW(LPCWSTR path)
{
    if (!path || !*path) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (chdir(Utf16ToUtf8(path).c_str()) != 0) {
        SetLastError(errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND : ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}
