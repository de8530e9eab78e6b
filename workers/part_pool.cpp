#include "workers/part_pool.h"

#include "workers/cpu_budget.h"

#include <algorithm>
#include <chrono>
#include <utility>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace workers {
namespace {

// Set while this thread runs a part, so a nested Run neither waits for itself nor for a pool
// whose workers are all busy with the outer job.
thread_local bool t_inPart = false;

// The stages of one frame follow each other within microseconds: threads wait this long awake
// before they sleep, so the next stage finds them running. The gap between frames (a picture's
// decoding) is far longer and is bridged by WakeWorkers. Measured on 1080p JPEG -> 720p MJPG runs
// with 8 threads, 0, 20 and 100 us gave the same wall time, but 100 us took 15% more CPU time
// than 20 (time the decoding threads lack) and 400 us 50% more.
constexpr auto kSpin = std::chrono::microseconds(20);
// A pool that ran no job for this long is not in the middle of a run of frames.
constexpr auto kBusyLately = std::chrono::seconds(1);
// Beyond this the parts of one frame get too small to pay for their hand-over.
constexpr int kMaxThreads = 32;

// Marks this thread as running a part for as long as it lives, however the part ends.
class InPart {
public:
    InPart() : m_outer(std::exchange(t_inPart, true)) {}
    ~InPart() { t_inPart = m_outer; }
    InPart(const InPart&) = delete;
    InPart& operator=(const InPart&) = delete;

private:
    bool m_outer;
};

// Runs one part; what it throws is returned, so that a worker thread survives it and the
// pool's count of pending parts still reaches 0.
std::exception_ptr CallPart(const std::function<void(int)>& job, int part)
{
    const InPart inPart;
    try {
        job(part);
    } catch (...) {
        return std::current_exception();
    }
    return nullptr;
}

void Relax()
{
#if defined(__x86_64__) || defined(__i386__)
    _mm_pause();
#else
    std::this_thread::yield();
#endif
}

// Spins until done() holds or the spin time is over; true when done() held.
template <typename Done>
bool SpinUntil(const Done& done)
{
    const auto end = std::chrono::steady_clock::now() + kSpin;
    for (int i = 0;; ++i) {
        if (done())
            return true;
        if ((i & 63) == 63 && std::chrono::steady_clock::now() >= end)
            return false;
        Relax();
    }
}

} // namespace

PartPool& PartPool::Instance()
{
    static PartPool pool;
    return pool;
}

PartPool::PartPool()
{
    const int workers = std::clamp(ProcessUsableCpus(), 1, kMaxThreads) - 1;
    for (int i = 0; i < workers; ++i)
        m_threads.emplace_back(&PartPool::Work, this);
}

PartPool::~PartPool()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_stop = true;
        m_published.fetch_add(1, std::memory_order_release);
    }
    m_published.notify_all();
    for (std::thread& t : m_threads)
        t.join();
}

void PartPool::RunPart(Job& job, std::unique_lock<std::mutex>& lock)
{
    const int part = job.next++;
    if (job.next == job.parts)
        m_jobs.erase(std::find(m_jobs.begin(), m_jobs.end(), &job));
    lock.unlock();
    std::exception_ptr failure = CallPart(*job.run, part);
    lock.lock();
    if (failure && !job.failure)
        job.failure = std::move(failure);
    // The caller may return and end the job as soon as it sees pending reach 0.
    if (job.pending.fetch_sub(1, std::memory_order_acq_rel) == 1)
        m_finished.notify_all();
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
    Job own;
    own.run = &job;
    own.parts = parts;
    own.pending.store(parts, std::memory_order_relaxed);
    std::unique_lock<std::mutex> lock(m_lock);
    m_lastRun = std::chrono::steady_clock::now();
    m_jobs.push_back(&own);
    m_published.fetch_add(1, std::memory_order_release);
    // Wakes only the workers that went to sleep; spinning ones see the new job by themselves.
    m_published.notify_all();
    while (own.next < own.parts)
        RunPart(own, lock);
    if (own.pending.load(std::memory_order_acquire) != 0) {
        lock.unlock();
        SpinUntil([&own] { return own.pending.load(std::memory_order_acquire) == 0; });
        lock.lock();
        m_finished.wait(lock, [&own] { return own.pending.load(std::memory_order_acquire) == 0; });
    }
    if (std::exception_ptr failure = std::exchange(own.failure, nullptr)) {
        lock.unlock();
        std::rethrow_exception(failure);
    }
}

void PartPool::WakeWorkers()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (std::chrono::steady_clock::now() - m_lastRun > kBusyLately)
            return;
        m_published.fetch_add(1, std::memory_order_release);
    }
    m_published.notify_all();
}

void PartPool::Post(std::function<void()> task)
{
    if (m_threads.empty()) {
        task();
        return;
    }
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_tasks.push_back(std::move(task));
        m_published.fetch_add(1, std::memory_order_release);
    }
    m_published.notify_one();
}

void PartPool::Work()
{
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;) {
        // The parts of a Run come first: their caller waits for them.
        if (!m_jobs.empty()) {
            RunPart(*m_jobs.front(), lock);
            continue;
        }
        if (!m_tasks.empty()) {
            const std::function<void()> task = std::move(m_tasks.front());
            m_tasks.pop_front();
            lock.unlock();
            task();
            lock.lock();
            continue;
        }
        if (m_stop)
            return;
        const uint32_t seen = m_published.load(std::memory_order_acquire);
        lock.unlock();
        if (!SpinUntil([this, seen] { return m_published.load(std::memory_order_acquire) != seen; }))
            m_published.wait(seen, std::memory_order_acquire);
        lock.lock();
    }
}

} // namespace workers
