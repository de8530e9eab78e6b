#include "foundation/do_events.h"
#include "platform/afx/message_pump.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include <string>
#include <vector>

namespace {

class DoEventsTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        AfxSetIdleHandler(nullptr);
        TakeQuitMessage(nullptr);
    }

    void Post(std::function<void()> work) { QMetaObject::invokeMethod(&m_app, std::move(work), Qt::QueuedConnection); }

    static inline int argc = 1;
    static inline char name[] = "do_events_test";
    static inline char* argv[] = {name, nullptr};
    QCoreApplication m_app{argc, argv};
    std::vector<std::string> m_log;
};

} // namespace

TEST_F(DoEventsTest, DispatchesWaitingMessagesThenIdlesUntilTheHandlerIsDone)
{
    AfxSetIdleHandler([this](LONG count) {
        m_log.push_back("idle " + std::to_string(count));
        return count < 2 ? TRUE : FALSE;
    });
    Post([this] { m_log.push_back("message 1"); });
    Post([this] { m_log.push_back("message 2"); });
    EXPECT_FALSE(DoEvents());
    EXPECT_EQ(m_log, (std::vector<std::string>{"message 1", "message 2", "idle 0", "idle 1", "idle 2"}));
}

TEST_F(DoEventsTest, AnEmptyQueueOnlyIdles)
{
    int idled = 0;
    AfxSetIdleHandler([&](LONG) {
        ++idled;
        return FALSE;
    });
    EXPECT_FALSE(DoEvents());
    EXPECT_EQ(idled, 1);
    AfxSetIdleHandler(nullptr);
    EXPECT_FALSE(DoEvents());
}

TEST_F(DoEventsTest, AQuitRequestIsReportedAndStaysPosted)
{
    int idled = 0;
    AfxSetIdleHandler([&](LONG) {
        ++idled;
        return FALSE;
    });
    Post([] { PostQuitMessage(3); });
    EXPECT_TRUE(DoEvents());
    EXPECT_TRUE(DoEvents());
    EXPECT_EQ(idled, 0);
    int code = -1;
    ASSERT_TRUE(TakeQuitMessage(&code));
    EXPECT_EQ(code, 0) << "posted again with exit code 0";
    EXPECT_FALSE(DoEvents());
}

TEST_F(DoEventsTest, AQuitMetInsideALongCommandEndsTheMainLoopAfterIt)
{
    int pumped = 0;
    bool sawQuit = false;
    Post([&] {
        // A command that runs a long loop, pumping messages between its steps.
        QTimer::singleShot(0, [] { PostQuitMessage(0); });
        for (; pumped < 50; ++pumped)
            sawQuit = DoEvents() || sawQuit;
    });
    QTimer::singleShot(10000, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_TRUE(sawQuit);
    EXPECT_EQ(pumped, 50) << "the command ran to its end";
    EXPECT_TRUE(TakeQuitMessage(nullptr));
}
