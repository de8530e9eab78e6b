// A few long-lived worker threads that split one job into parts, so per-frame work does not
// pay for starting threads. One pool serves every stage that splits a frame.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace workers {

class PartPool {
public:
    static PartPool& Instance();
    ~PartPool();
    PartPool(const PartPool&) = delete;
    PartPool& operator=(const PartPool&) = delete;

    // The caller's thread and the workers together.
    int Threads() const { return static_cast<int>(m_threads.size()) + 1; }
    // Calls job(0) .. job(parts - 1), each once, and returns when all have finished. Callers on
    // several threads run at once: each takes its own parts, and the workers take the parts of
    // the oldest job first. A job that itself calls Run gets its parts run inline. When parts
    // throw, the others still run and the first exception caught is rethrown here.
    void Run(int parts, const std::function<void(int)>& job);
    // Wakes the sleeping workers for a Run that is about to come, so that it does not wait for
    // them; they go back to sleep when none comes soon. A pool that ran nothing in the last
    // second stays asleep: its caller is not converting frames.
    void WakeWorkers();
    // Runs task on a free worker and returns at once; tasks start in the order posted. With no
    // worker (one CPU) the task runs before Post returns. The pool finishes every posted task
    // before it goes. A task must not throw.
    void Post(std::function<void()> task);

private:
    // One Run's parts; lives on its caller's stack until all have finished.
    struct Job {
        const std::function<void(int)>* run = nullptr;
        int parts = 0;
        int next = 0; // the next part to take
        // Read without the lock by a caller that spins before it sleeps; changed under it.
        std::atomic<int> pending{0};
        std::exception_ptr failure;
    };

    PartPool();
    void Work();
    // Takes the next part of job and runs it; the lock is held on entry and on return.
    void RunPart(Job& job, std::unique_lock<std::mutex>& lock);

    std::mutex m_lock;
    std::condition_variable m_finished;
    std::vector<std::thread> m_threads;
    std::deque<std::function<void()>> m_tasks;
    // Jobs with parts not yet taken, oldest first.
    std::deque<Job*> m_jobs;
    // Counts what was published for the workers; changed under the lock, read without it by the
    // workers that spin and sleep on it. Sleeping on the counter itself rather than on a
    // condition variable lets a publisher wake them without ever waiting: a condition variable's
    // signal can wait for a woken worker that the system has not run yet.
    std::atomic<uint32_t> m_published{0};
    std::chrono::steady_clock::time_point m_lastRun;
    bool m_stop = false;
};

} // namespace workers
