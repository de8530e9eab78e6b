// A millisecond stopwatch on the wrapping 32-bit clock; all arithmetic wraps with it.
#pragma once

#include "platform/win/types.h"

DWORD GetTimeMs();

class CTimeMmanager {
public:
    CTimeMmanager();
    virtual ~CTimeMmanager() = default;

    virtual void Start();
    virtual void ClearTotal();
    virtual void SetLimit(DWORD ms);
    // Adds the time since the last Start; Start is not moved.
    virtual void Accumulate();
    virtual DWORD GetTotal();
    virtual DWORD GetElapsed();
    // TRUE once more than the limit has elapsed.
    virtual BOOL IsOver();

private:
    DWORD m_start = 0;
    DWORD m_limit = 0;
    DWORD m_total = 0;
};
