// The work done ahead of the current frame on the worker pool: frames read ahead of it and frames
// compressed behind it. Both take turns on the same threads and hold copies of whole frames, so
// each asks this one budget for its share instead of keeping a bound of its own.
#pragma once

#include <cstdint>

namespace workers {

// What one stage may hold at once.
struct AheadShare {
    int frames = 0;
    uint64_t bytes = 0;

    // As many frames as the share allows whose copies of frameBytes each fit in its bytes; 0 for
    // a frame larger than all of them.
    int FramesOf(uint64_t frameBytes) const;
};

class AheadBudget {
public:
    // Every frame ahead together stays below this, however large the frames: a few huge frames
    // already keep every thread busy. Reading and compressing have half of it each.
    static constexpr uint64_t kBytes = uint64_t{512} << 20;
    static constexpr uint64_t kReadingBytes = kBytes / 2;
    static constexpr uint64_t kCompressingBytes = kBytes - kReadingBytes;

    // poolThreads: the caller's thread and the pool's workers together.
    explicit AheadBudget(int poolThreads) : m_threads(poolThreads) {}
    // The budget of the process's pool.
    static AheadBudget OfPool();

    // One frame read ahead per worker; none without a worker beside the caller.
    AheadShare Reading() const;
    // One frame compressing per thread of three quarters of them; none without a worker.
    AheadShare Compressing() const;

private:
    int m_threads;
};

} // namespace workers
