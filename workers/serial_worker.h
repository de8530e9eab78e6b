// One thread of its own that runs the tasks posted to it one after another, in the order posted:
// a stage whose steps depend on each other still runs beside the thread that feeds it.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace workers {

class SerialWorker {
public:
    // backlog (at least one): how many posted tasks may wait to start; Post waits while they do.
    explicit SerialWorker(size_t backlog);
    // Runs every task posted, then ends the thread.
    ~SerialWorker();
    SerialWorker(const SerialWorker&) = delete;
    SerialWorker& operator=(const SerialWorker&) = delete;

    // Queues task after those posted before it. A task must not throw.
    void Post(std::function<void()> task);
    // Returns when every task posted so far has finished; what they wrote is then seen here.
    void Wait();

private:
    void Work();

    const size_t m_backlog;
    std::mutex m_lock;
    std::condition_variable m_posted; // a task came, or the worker is to stop
    std::condition_variable m_taken; // a task started or finished
    std::deque<std::function<void()>> m_tasks;
    bool m_running = false; // a task is running
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace workers
