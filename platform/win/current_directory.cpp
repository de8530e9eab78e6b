#include "platform/win/current_directory.h"

#include "platform/win/error_codes.h"
#include "platform/win/text.h"

#include <cerrno>
#include <cstdlib>
#include <memory>
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

DWORD GetCurrentDirectoryW(DWORD size, LPWSTR buffer)
{
    const std::unique_ptr<char, decltype(&std::free)> current(getcwd(nullptr, 0), &std::free);
    if (!current) {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    const std::u16string text = Utf8ToUtf16(current.get());
    if (!buffer || text.size() + 1 > size)
        return static_cast<DWORD>(text.size() + 1);
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = u'\0';
    return static_cast<DWORD>(text.size());
}
