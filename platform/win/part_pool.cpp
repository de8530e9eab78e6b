#include "platform/win/part_pool.h"

#include <algorithm>

namespace {

// Set while this thread runs a part, so a nested Run neither waits for itself nor for a pool
// whose workers are all busy with the outer job.
thread_local bool t_inPart = false;

void RunPart(const std::function<void(int)>& job, int part)
{
    t_inPart = true;
    job(part);
    t_inPart = false;
}

} // namespace

PartPool& PartPool::Instance()
{
    static PartPool pool;
    return pool;
}

PartPool::PartPool()
{
    const int workers = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 16) - 1;
    for (int i = 0; i < workers; ++i)
        m_threads.emplace_back(&PartPool::Work, this);
}

PartPool::~PartPool()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_stop = true;
    }
    m_wake.notify_all();
    for (std::thread& t : m_threads)
        t.join();
}

void PartPool::RunParts(std::unique_lock<std::mutex>& lock)
{
    while (m_next < m_parts) {
        const int part = m_next++;
        const std::function<void(int)>* job = m_job;
        lock.unlock();
        RunPart(*job, part);
        lock.lock();
        if (--m_pending == 0)
            m_finished.notify_all();
    }
}

void PartPool::Run(int parts, const std::function<void(int)>& job)
{
    if (parts <= 0)
        return;
    if (t_inPart) {
        for (int part = 0; part < parts; ++part)
            job(part);
        return;
    }
    std::lock_guard<std::mutex> run(m_runLock);
    std::unique_lock<std::mutex> lock(m_lock);
    m_job = &job;
    m_parts = parts;
    m_next = 0;
    m_pending = parts;
    m_wake.notify_all();
    RunParts(lock);
    m_finished.wait(lock, [this] { return m_pending == 0; });
    m_job = nullptr;
    m_parts = 0;
    m_next = 0;
}

void PartPool::Work()
{
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || m_next < m_parts; });
        if (m_stop)
            return;
        RunParts(lock);
    }
}
