#include "platform/afx/notify_lockout.h"

#include <utility>

namespace {

HWND g_lockedOut = nullptr;

} // namespace

NotifyLockout::NotifyLockout(HWND hWnd) : m_previous(std::exchange(g_lockedOut, hWnd)) {}

NotifyLockout::~NotifyLockout() { g_lockedOut = m_previous; }

bool NotifyLockout::Holds(HWND hWnd) { return hWnd && g_lockedOut == hWnd; }
