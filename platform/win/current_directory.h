// The process's current directory by UTF-16 path.
#pragma once

#include "platform/win/types.h"

BOOL SetCurrentDirectoryW(LPCWSTR path);
