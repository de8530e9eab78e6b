#include "platform/vfw/frame_ahead_compressor.h"

#include "workers/part_pool.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace vfw {
namespace {

// The copies of the frames in flight stay below this together, however large the frames: a few
// huge frames already keep every thread busy.
constexpr size_t kFlightBytes = size_t{256} << 20;
// One frame compressing while the caller hands over the next is the least that overlaps.
constexpr int kMinDepth = 2;

} // namespace

int FrameAheadCompressor::DepthFor(int poolThreads, size_t frameBytes)
{
    const size_t fit = kFlightBytes / std::max<size_t>(frameBytes, 1);
    return static_cast<int>(std::max<size_t>(kMinDepth, std::min<size_t>(static_cast<size_t>(poolThreads), fit)));
}

std::unique_ptr<FrameAheadCompressor> FrameAheadCompressor::Start(CompressorInstance& begun)
{
    const int threads = workers::PartPool::Instance().Threads();
    if (!begun.IsBegun() || (begun.Descriptor().flags & VIDCF_TEMPORAL) || threads < 2)
        return nullptr;
    const size_t frameBytes = begun.InputBytes();
    // Opening an encoder can take milliseconds: the twins are opened side by side.
    std::vector<std::unique_ptr<CompressorInstance>> twins(static_cast<size_t>(DepthFor(threads, frameBytes) - 1));
    workers::PartPool::Instance().Run(static_cast<int>(twins.size()),
                                      [&](int i) { twins[static_cast<size_t>(i)] = begun.Twin(); });
    twins.erase(std::remove(twins.begin(), twins.end(), nullptr), twins.end());
    if (twins.empty())
        return nullptr;
    return std::unique_ptr<FrameAheadCompressor>(new FrameAheadCompressor(begun, std::move(twins), frameBytes));
}

FrameAheadCompressor::FrameAheadCompressor(CompressorInstance& first,
                                           std::vector<std::unique_ptr<CompressorInstance>> twins, size_t frameBytes)
    : m_twins(std::move(twins)), m_frameBytes(frameBytes), m_slots(m_twins.size() + 1)
{
    m_slots[0].compressor = &first;
    for (size_t i = 0; i < m_twins.size(); ++i)
        m_slots[i + 1].compressor = m_twins[i].get();
}

FrameAheadCompressor::~FrameAheadCompressor() { DropAll(); }

bool FrameAheadCompressor::Add(const void* bits)
{
    if (!bits || m_inFlight == Depth())
        return false;
    Slot& slot = m_slots[m_next];
    try {
        slot.input.resize(m_frameBytes);
    } catch (const std::bad_alloc&) {
        return false;
    }
    std::memcpy(slot.input.data(), bits, m_frameBytes);
    {
        std::lock_guard<std::mutex> lock(m_lock);
        slot.done = false;
    }
    m_next = (m_next + 1) % m_slots.size();
    ++m_inFlight;
    workers::PartPool::Instance().Post([this, &slot] { Compress(slot); });
    return true;
}

void FrameAheadCompressor::Compress(Slot& slot)
{
    EncodedFrame output;
    const bool compressed = slot.compressor->Compress(slot.input.data(), &output.data, &output.bytes, &output.key);
    std::lock_guard<std::mutex> lock(m_lock);
    slot.output = output;
    slot.compressed = compressed;
    slot.done = true;
    // Under the lock: the waiter may destroy this object as soon as it sees the slot done.
    m_done.notify_all();
}

bool FrameAheadCompressor::OldestDone()
{
    if (m_inFlight == 0)
        return false;
    const Slot& slot = Oldest();
    std::lock_guard<std::mutex> lock(m_lock);
    return slot.done;
}

bool FrameAheadCompressor::TakeOldest(EncodedFrame& frame)
{
    if (m_inFlight == 0)
        return false;
    Slot& slot = Oldest();
    {
        std::unique_lock<std::mutex> lock(m_lock);
        m_done.wait(lock, [&slot] { return slot.done; });
    }
    --m_inFlight;
    frame = slot.output;
    return slot.compressed;
}

void FrameAheadCompressor::DropAll()
{
    EncodedFrame dropped;
    while (m_inFlight > 0)
        TakeOldest(dropped);
}

} // namespace vfw
