#include "workers/serial_worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using workers::SerialWorker;

// Tasks of uneven length from one poster: each runs alone, in the order posted, and Wait sees
// everything they wrote.
TEST(SerialWorker, RunsTasksOneAtATimeInTheOrderPosted)
{
    SerialWorker worker(2);
    std::vector<int> order;
    std::atomic<int> running{0};
    std::atomic<bool> overlapped{false};
    for (int i = 0; i < 40; ++i)
        worker.Post([&, i] {
            if (++running > 1)
                overlapped = true;
            if (i % 7 == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            order.push_back(i);
            --running;
        });
    worker.Wait();
    ASSERT_EQ(order.size(), 40u);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(order[static_cast<size_t>(i)], i);
    EXPECT_FALSE(overlapped);
}

TEST(SerialWorker, DestructionRunsTheTasksStillWaiting)
{
    std::vector<int> done;
    {
        SerialWorker worker(8);
        for (int i = 0; i < 5; ++i)
            worker.Post([&done, i] {
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                done.push_back(i);
            });
    }
    EXPECT_EQ(done, (std::vector<int>{0, 1, 2, 3, 4}));
}

// With the running task held, a backlog of one takes one more task; the poster of the next one
// waits until the held task lets go.
TEST(SerialWorker, PostWaitsWhileTheBacklogIsFull)
{
    SerialWorker worker(1);
    std::mutex lock;
    std::condition_variable changed;
    bool started = false;
    bool release = false;
    worker.Post([&] {
        std::unique_lock<std::mutex> held(lock);
        started = true;
        changed.notify_all();
        changed.wait(held, [&] { return release; });
    });
    {
        std::unique_lock<std::mutex> held(lock);
        changed.wait(held, [&] { return started; });
    }
    worker.Post([] {});
    std::atomic<bool> thirdPosted{false};
    std::thread poster([&] {
        worker.Post([] {});
        thirdPosted = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(thirdPosted);
    {
        std::lock_guard<std::mutex> held(lock);
        release = true;
    }
    changed.notify_all();
    poster.join();
    worker.Wait();
    EXPECT_TRUE(thirdPosted);
}

} // namespace
