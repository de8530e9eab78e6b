#include "workers/ahead_budget.h"

#include "workers/part_pool.h"

#include <algorithm>

namespace workers {

int AheadShare::FramesOf(uint64_t frameBytes) const
{
    const uint64_t fit = bytes / std::max<uint64_t>(frameBytes, 1);
    return static_cast<int>(std::min<uint64_t>(static_cast<uint64_t>(std::max(frames, 0)), fit));
}

AheadBudget AheadBudget::OfPool() { return AheadBudget(PartPool::Instance().Threads()); }

AheadShare AheadBudget::Reading() const
{
    // Reads run on the workers only, so no more than one a worker runs at once; a frame queued
    // beyond that is read only when a worker is free, and holds its block meanwhile. 1080p PNG ->
    // FFV1 and JPEG -> MJPG on 8 threads ran as fast with 7 frames as with 8, in 6 MB less.
    return {.frames = m_threads >= 2 ? m_threads - 1 : 0, .bytes = kReadingBytes};
}

AheadShare AheadBudget::Compressing() const
{
    // A quarter of the threads is left to the frames being read: on 8 threads, 1080p PNG -> HFYU
    // ran in 1.33, 1.24 and 1.30 s with 4, 6 and 8 compressors, and JPEG -> MJPG the same with
    // 6 or 8.
    return {.frames = m_threads >= 2 ? m_threads - m_threads / 4 : 0, .bytes = kCompressingBytes};
}

} // namespace workers
