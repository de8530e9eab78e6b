// The millisecond clock and sleeping.
#pragma once

#include "platform/win/types.h"

constexpr DWORD INFINITE = 0xFFFFFFFF;

// Milliseconds on a monotonic clock, wrapping at 2^32.
DWORD timeGetTime();
// Sleep(0) yields the rest of the time slice; INFINITE is not supported and returns at once.
void Sleep(DWORD milliseconds);
