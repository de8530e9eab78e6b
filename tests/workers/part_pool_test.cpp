#include "workers/part_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

using workers::PartPool;

// Counts how often each part ran.
std::vector<int> RunAndCount(int parts)
{
    std::vector<std::atomic<int>> runs(static_cast<size_t>(std::max(parts, 0)));
    PartPool::Instance().Run(parts, [&](int part) { runs[static_cast<size_t>(part)]++; });
    return {runs.begin(), runs.end()};
}

TEST(PartPool, RunsEveryPartExactlyOnceBeforeReturning)
{
    const int threads = PartPool::Instance().Threads();
    EXPECT_GE(threads, 1);
    for (const int parts : {1, 2, threads, threads + 1, 97}) {
        SCOPED_TRACE(parts);
        EXPECT_EQ(RunAndCount(parts), std::vector<int>(static_cast<size_t>(parts), 1));
    }
    EXPECT_TRUE(RunAndCount(0).empty());
}

// A thread that keeps waking the workers, as a picture reader does before each frame's stages,
// must neither lose a caller's parts nor leave a caller waiting.
TEST(PartPool, CallersOnSeveralThreadsEachGetAllTheirPartsWhileWorkersAreWoken)
{
    constexpr int kCallers = 4;
    constexpr int kRounds = 50;
    std::vector<std::vector<int>> sums(kCallers);
    std::atomic<bool> running{true};
    std::thread waker([&running] {
        while (running)
            PartPool::Instance().WakeWorkers();
    });
    std::vector<std::thread> callers;
    for (int c = 0; c < kCallers; ++c)
        callers.emplace_back([&sums, c] {
            for (int round = 0; round < kRounds; ++round) {
                std::vector<int> values(16, 0);
                PartPool::Instance().Run(16, [&](int part) { values[static_cast<size_t>(part)] = part + c; });
                int sum = 0;
                for (const int v : values)
                    sum += v;
                sums[static_cast<size_t>(c)].push_back(sum);
            }
        });
    for (std::thread& t : callers)
        t.join();
    running = false;
    waker.join();
    for (int c = 0; c < kCallers; ++c)
        EXPECT_EQ(sums[static_cast<size_t>(c)], std::vector<int>(kRounds, 120 + 16 * c)) << c;
}

TEST(PartPool, RunsAfterTheWorkersWentBackToSleep)
{
    PartPool::Instance().WakeWorkers();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(RunAndCount(64), std::vector<int>(64, 1));
}

TEST(PartPool, AJobThatSplitsItsOwnWorkFinishes)
{
    std::atomic<int> inner{0};
    PartPool::Instance().Run(8, [&](int) { PartPool::Instance().Run(3, [&](int) { inner++; }); });
    EXPECT_EQ(inner.load(), 24);
}

// A part that throws must not leave the pool thinking it is still inside a part (later Runs on
// this thread would then never split), nor kill a worker, nor leave the pool waiting for it.
TEST(PartPool, APartThatThrowsLetsTheOthersRunAndReachesTheCaller)
{
    const struct {
        const char* name;
        bool (*throws)(int part);
    } cases[] = {
        {"the first part", [](int part) { return part == 0; }},
        {"the last part", [](int part) { return part == 31; }},
        {"every part", [](int) { return true; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::atomic<int>> runs(32);
        EXPECT_THROW(PartPool::Instance().Run(32,
                                              [&](int part) {
                                                  runs[static_cast<size_t>(part)]++;
                                                  if (c.throws(part))
                                                      throw std::runtime_error("part failed");
                                              }),
                     std::runtime_error);
        EXPECT_EQ(std::vector<int>(runs.begin(), runs.end()), std::vector<int>(32, 1));
    }
    EXPECT_EQ(RunAndCount(97), std::vector<int>(97, 1));
}

TEST(PartPool, PartsAreSplitOverThreadsAgainAfterAPartThrew)
{
    if (PartPool::Instance().Threads() < 2)
        GTEST_SKIP() << "one core: nothing to split";
    EXPECT_THROW(PartPool::Instance().Run(1, [](int) { throw std::runtime_error("part failed"); }), std::runtime_error);
    std::mutex lock;
    std::set<std::thread::id> threads;
    PartPool::Instance().Run(8, [&](int) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const std::lock_guard<std::mutex> guard(lock);
        threads.insert(std::this_thread::get_id());
    });
    EXPECT_GT(threads.size(), 1u);
}

// Waits until count reaches target, or fails after a generous time.
bool WaitFor(std::mutex& lock, std::condition_variable& changed, const int& count, int target)
{
    std::unique_lock<std::mutex> hold(lock);
    return changed.wait_for(hold, std::chrono::seconds(20), [&] { return count >= target; });
}

TEST(PartPool, PostedTasksAllRunWhileTheCallerRunsItsOwnParts)
{
    std::mutex lock;
    std::condition_variable changed;
    int done = 0;
    std::atomic<int> innerParts{0};
    constexpr int kTasks = 40;
    for (int i = 0; i < kTasks; ++i)
        PartPool::Instance().Post([&, i] {
            // Some tasks split their own work, as a frame's compressor does.
            if (i % 3 == 0)
                PartPool::Instance().Run(4, [&](int) { innerParts++; });
            std::lock_guard<std::mutex> hold(lock);
            ++done;
            changed.notify_all();
        });
    EXPECT_EQ(RunAndCount(32), std::vector<int>(32, 1));
    ASSERT_TRUE(WaitFor(lock, changed, done, kTasks));
    EXPECT_EQ(innerParts.load(), 4 * ((kTasks + 2) / 3));
}

TEST(PartPool, APostedTaskRunsOnAnotherThreadWhenThereAreWorkers)
{
    if (PartPool::Instance().Threads() < 2)
        GTEST_SKIP() << "one CPU: tasks run in Post";
    std::mutex lock;
    std::condition_variable changed;
    int done = 0;
    std::thread::id ranOn;
    PartPool::Instance().Post([&] {
        std::lock_guard<std::mutex> hold(lock);
        ranOn = std::this_thread::get_id();
        ++done;
        changed.notify_all();
    });
    ASSERT_TRUE(WaitFor(lock, changed, done, 1));
    EXPECT_NE(ranOn, std::this_thread::get_id());
}

} // namespace
