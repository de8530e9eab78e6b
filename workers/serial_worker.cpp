#include "workers/serial_worker.h"

#include <algorithm>

namespace workers {

SerialWorker::SerialWorker(size_t backlog) : m_backlog(std::max<size_t>(backlog, 1)), m_thread([this] { Work(); }) {}

SerialWorker::~SerialWorker()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_stop = true;
    }
    m_posted.notify_one();
    m_thread.join();
}

void SerialWorker::Post(std::function<void()> task)
{
    {
        std::unique_lock<std::mutex> lock(m_lock);
        m_taken.wait(lock, [this] { return m_tasks.size() < m_backlog; });
        m_tasks.push_back(std::move(task));
    }
    m_posted.notify_one();
}

void SerialWorker::Wait()
{
    std::unique_lock<std::mutex> lock(m_lock);
    m_taken.wait(lock, [this] { return m_tasks.empty() && !m_running; });
}

void SerialWorker::Work()
{
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;) {
        m_posted.wait(lock, [this] { return !m_tasks.empty() || m_stop; });
        if (m_tasks.empty())
            return;
        const std::function<void()> task = std::move(m_tasks.front());
        m_tasks.pop_front();
        m_running = true;
        lock.unlock();
        m_taken.notify_all();
        task();
        lock.lock();
        m_running = false;
        m_taken.notify_all();
    }
}

} // namespace workers
