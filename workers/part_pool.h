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
    // several threads take turns; a job that itself calls Run gets its parts run inline. When
    // parts throw, the others still run and the first exception caught is rethrown here.
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
    PartPool();
    void Work();
    // Takes and runs parts until none is left; the lock is held on entry and on return.
    void RunParts(std::unique_lock<std::mutex>& lock);

    std::mutex m_runLock;
    std::mutex m_lock;
    std::condition_variable m_wake;
    std::condition_variable m_finished;
    std::vector<std::thread> m_threads;
    std::deque<std::function<void()>> m_tasks;
    const std::function<void(int)>* m_job = nullptr;
    int m_parts = 0;
    int m_next = 0;
    // Read without the lock by threads that spin before they sleep; changed under it.
    std::atomic<int> m_pending{0};
    std::atomic<uint64_t> m_published{0};
    std::chrono::steady_clock::time_point m_lastRun;
    std::exception_ptr m_failure;
    bool m_stop = false;
};

} // namespace workers
