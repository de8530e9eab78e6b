// The process's current directory by UTF-16 path.
#pragma once

#include "platform/win/types.h"

BOOL SetCurrentDirectoryW(LPCWSTR path);
// Like the system call: the length without terminator, or the size needed when it does not fit.
DWORD GetCurrentDirectoryW(DWORD size, LPWSTR buffer);
