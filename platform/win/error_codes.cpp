#include "platform/win/error_codes.h"

namespace {
thread_local DWORD lastError = 0;
}

DWORD GetLastError() { return lastError; }

void SetLastError(DWORD error) { lastError = error; }
