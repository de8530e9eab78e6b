// Power actions through systemd-logind on D-Bus.
#pragma once

#include "platform/win/power.h"

#include <QDBusConnection>

namespace win {

class LogindPowerBackend : public PowerBackend {
public:
    // The bus that carries org.freedesktop.login1: the system bus, or a private one in tests.
    explicit LogindPowerBackend(const QDBusConnection& bus) : m_bus(bus) {}
    // Asks logind whether the action is possible (CanPowerOff and friends), then requests it,
    // letting polkit ask the user when it needs to.
    bool Perform(PowerRequest request) override;

private:
    QDBusConnection m_bus;
};

// The environment variable that keeps the system back-end unreachable; the test harness sets it.
constexpr const char* kPowerDisabledVariable = "TORVINA_POWER_DISABLED";

// The running system's back-end: logind on the system bus, or, with kPowerDisabledVariable set,
// one that refuses every request without touching any bus.
std::unique_ptr<PowerBackend> CreateSystemPowerBackend();

} // namespace win
