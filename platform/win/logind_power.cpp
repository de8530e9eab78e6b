#include "platform/win/logind_power.h"

#include <QDBusMessage>
#include <QString>

#include <cstdlib>

namespace win {

namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kSessionPath = QStringLiteral("/org/freedesktop/login1/session/auto");
const QString kSession = QStringLiteral("org.freedesktop.login1.Session");
constexpr int kCallTimeoutMs = 30000; // polkit may be waiting for the user

class RefusingBackend : public PowerBackend {
public:
    bool Perform(PowerRequest) override { return false; }
};

struct Action {
    const char* check;
    const char* method;
};

Action ActionOf(PowerRequest request)
{
    switch (request) {
    case PowerRequest::PowerOff: return {"CanPowerOff", "PowerOff"};
    case PowerRequest::Reboot: return {"CanReboot", "Reboot"};
    case PowerRequest::Suspend: return {"CanSuspend", "Suspend"};
    case PowerRequest::Hibernate: return {"CanHibernate", "Hibernate"};
    case PowerRequest::LogOff: break;
    }
    return {nullptr, nullptr};
}

} // namespace

bool LogindPowerBackend::Perform(PowerRequest request)
{
    if (!m_bus.isConnected())
        return false;
    if (request == PowerRequest::LogOff) {
        const QDBusMessage reply = m_bus.call(
            QDBusMessage::createMethodCall(kService, kSessionPath, kSession, QStringLiteral("Terminate")), QDBus::Block,
            kCallTimeoutMs);
        return reply.type() == QDBusMessage::ReplyMessage;
    }
    const Action action = ActionOf(request);
    const QDBusMessage answer = m_bus.call(
        QDBusMessage::createMethodCall(kService, kManagerPath, kManager, QString::fromLatin1(action.check)),
        QDBus::Block, kCallTimeoutMs);
    if (answer.type() != QDBusMessage::ReplyMessage || answer.arguments().size() != 1)
        return false;
    const QString can = answer.arguments().first().toString();
    if (can != QLatin1String("yes") && can != QLatin1String("challenge"))
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kManagerPath, kManager,
                                                       QString::fromLatin1(action.method));
    // Never interactive: the action ends an unattended batch, where a password prompt would wait for
    // nobody; a cached authorisation still lets a "challenge" through.
    call << false;
    return m_bus.call(call, QDBus::Block, kCallTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

std::unique_ptr<PowerBackend> CreateSystemPowerBackend()
{
    if (std::getenv(kPowerDisabledVariable))
        return std::make_unique<RefusingBackend>();
    return std::make_unique<LogindPowerBackend>(QDBusConnection::systemBus());
}

} // namespace win
