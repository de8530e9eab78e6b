// While a window exchanges its controls' data, the notifications those controls send it (an
// edit's change, for example) are held back, so writing the controls runs none of its handlers.
#pragma once

#include "platform/win/types.h"

class NotifyLockout {
public:
    explicit NotifyLockout(HWND hWnd);
    ~NotifyLockout();
    NotifyLockout(const NotifyLockout&) = delete;
    NotifyLockout& operator=(const NotifyLockout&) = delete;

    static bool Holds(HWND hWnd);

private:
    HWND m_previous;
};
