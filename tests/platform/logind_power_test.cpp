#include "platform/win/logind_power.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QSemaphore>
#include <QThread>

#include <csignal>
#include <map>
#include <mutex>
#include <string>
#include <unistd.h>
#include <vector>

using win::CreateSystemPowerBackend;
using win::kPowerDisabledVariable;
using win::LogindPowerBackend;
using win::PowerRequest;

namespace {

// What the fake logind answers and what it was asked.
struct LogindState {
    std::mutex mutex;
    std::map<QString, QString> answers; // "CanPowerOff" -> "yes"
    std::vector<QString> failing; // methods that reply with an error
    std::vector<QString> calls; // "path member args"
};

class FakeLogind : public QDBusVirtualObject {
public:
    explicit FakeLogind(LogindState& state) : m_state(state) {}
    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        std::lock_guard guard(m_state.mutex);
        QString call = message.path() + QLatin1Char(' ') + message.member();
        for (const QVariant& argument : message.arguments())
            call += QLatin1Char(' ') + argument.toString();
        m_state.calls.push_back(call);
        QDBusMessage reply;
        if (std::find(m_state.failing.begin(), m_state.failing.end(), message.member()) != m_state.failing.end())
            reply = message.createErrorReply(QStringLiteral("org.freedesktop.login1.OperationInProgress"),
                                             QStringLiteral("busy"));
        else if (message.member().startsWith(QLatin1String("Can")))
            reply = message.createReply(m_state.answers[message.member()]);
        else
            reply = message.createReply();
        connection.send(reply);
        return true;
    }

private:
    LogindState& m_state;
};

// Serves the fake on its own thread, so blocking calls from the test thread get answers.
class ServiceThread : public QThread {
public:
    ServiceThread(QString address, LogindState& state) : m_address(std::move(address)), m_state(state) {}
    QSemaphore ready;
    bool registered = false;

protected:
    void run() override
    {
        {
            QDBusConnection bus = QDBusConnection::connectToBus(m_address, QStringLiteral("fake-logind"));
            FakeLogind fake(m_state);
            registered = bus.isConnected() && bus.registerService(QStringLiteral("org.freedesktop.login1")) &&
                         bus.registerVirtualObject(QStringLiteral("/org/freedesktop/login1"), &fake,
                                                   QDBusConnection::SubPath);
            ready.release();
            exec();
            bus.unregisterObject(QStringLiteral("/org/freedesktop/login1"), QDBusConnection::UnregisterTree);
        }
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-logind"));
    }

private:
    QString m_address;
    LogindState& m_state;
};

class LogindPowerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (access("/usr/bin/dbus-daemon", X_OK) != 0)
            GTEST_SKIP() << "dbus-daemon is not installed";
        m_daemon = std::make_unique<ChildProcess>(std::vector<std::string>{
            "/usr/bin/dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address"});
        std::string address;
        ASSERT_TRUE(m_daemon->ReadLine(address));
        m_address = QString::fromStdString(address);
        m_service = std::make_unique<ServiceThread>(m_address, m_state);
        m_service->start();
        m_service->ready.acquire();
        ASSERT_TRUE(m_service->registered);
        m_client = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(m_address, QStringLiteral("client")));
        ASSERT_TRUE(m_client->isConnected());
    }

    void TearDown() override
    {
        m_client.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
        if (m_service) {
            m_service->quit();
            m_service->wait();
        }
        if (m_daemon)
            m_daemon->Kill(SIGTERM);
    }

    std::vector<QString> Calls()
    {
        std::lock_guard guard(m_state.mutex);
        return m_state.calls;
    }

    static inline int argc = 1;
    static inline char name[] = "logind_power_test";
    static inline char* argv[] = {name, nullptr};
    QCoreApplication m_app{argc, argv};
    LogindState m_state;
    std::unique_ptr<ChildProcess> m_daemon;
    QString m_address;
    std::unique_ptr<ServiceThread> m_service;
    std::unique_ptr<QDBusConnection> m_client;
};

const QString kManager = QStringLiteral("/org/freedesktop/login1 ");

} // namespace

TEST_F(LogindPowerTest, AsksFirstThenRequestsWithoutInteraction)
{
    m_state.answers[QStringLiteral("CanPowerOff")] = QStringLiteral("yes");
    m_state.answers[QStringLiteral("CanHibernate")] = QStringLiteral("challenge");
    m_state.answers[QStringLiteral("CanReboot")] = QStringLiteral("yes");
    LogindPowerBackend backend(*m_client);
    EXPECT_TRUE(backend.Perform(PowerRequest::PowerOff));
    EXPECT_TRUE(backend.Perform(PowerRequest::Hibernate));
    EXPECT_TRUE(backend.Perform(PowerRequest::Reboot));
    EXPECT_EQ(Calls(),
              (std::vector<QString>{kManager + "CanPowerOff", kManager + "PowerOff false", kManager + "CanHibernate",
                                    kManager + "Hibernate false", kManager + "CanReboot", kManager + "Reboot false"}));
}

TEST_F(LogindPowerTest, RefusedOrFailedActionsReportFailure)
{
    m_state.answers[QStringLiteral("CanSuspend")] = QStringLiteral("no");
    m_state.answers[QStringLiteral("CanPowerOff")] = QStringLiteral("yes");
    m_state.failing.push_back(QStringLiteral("PowerOff"));
    LogindPowerBackend backend(*m_client);
    EXPECT_FALSE(backend.Perform(PowerRequest::Suspend));
    EXPECT_FALSE(backend.Perform(PowerRequest::PowerOff));
    EXPECT_EQ(Calls(),
              (std::vector<QString>{kManager + "CanSuspend", kManager + "CanPowerOff", kManager + "PowerOff false"}));
}

TEST_F(LogindPowerTest, LogOffEndsTheCallersSession)
{
    LogindPowerBackend backend(*m_client);
    EXPECT_TRUE(backend.Perform(PowerRequest::LogOff));
    EXPECT_EQ(Calls(), (std::vector<QString>{QStringLiteral("/org/freedesktop/login1/session/auto Terminate")}));
}

TEST_F(LogindPowerTest, ABusThatIsGoneFails)
{
    LogindPowerBackend backend(
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("nowhere")));
    EXPECT_FALSE(backend.Perform(PowerRequest::PowerOff));
    QDBusConnection::disconnectFromBus(QStringLiteral("nowhere"));
}

TEST(SystemPowerBackend, TheSafetyVariableMakesItRefuseWithoutABus)
{
    ScopedEnv disabled(kPowerDisabledVariable, "1");
    EXPECT_FALSE(CreateSystemPowerBackend()->Perform(PowerRequest::PowerOff));
    EXPECT_FALSE(CreateSystemPowerBackend()->Perform(PowerRequest::Suspend));
}
