#include "platform/vfw/frame_ahead_compressor.h"

#include "workers/ahead_budget.h"
#include "workers/part_pool.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace vfw {
namespace {

// One frame compressing while the caller hands over the next is the least that overlaps.
constexpr int kMinDepth = 2;

} // namespace

int FrameAheadCompressor::DepthFor(int poolThreads, size_t frameBytes)
{
    return std::max(kMinDepth, workers::AheadBudget(poolThreads).Compressing().FramesOf(frameBytes));
}

std::unique_ptr<FrameAheadCompressor> FrameAheadCompressor::Start(CompressorInstance& begun)
{
    const int threads = workers::PartPool::Instance().Threads();
    if (!begun.IsBegun() || (begun.Descriptor().flags & VIDCF_TEMPORAL) ||
        workers::AheadBudget(threads).Compressing().frames == 0)
        return nullptr;
    const size_t frameBytes = begun.InputBytes();
    const int depth = DepthFor(threads, frameBytes);
    // Opening an encoder can take milliseconds, and the first touch of a fresh block costs a page
    // fault every 4 KiB (6 ms for a 1080p frame here): both are done side by side before the
    // first frame instead of one after the other on the caller's thread.
    std::vector<std::unique_ptr<CompressorInstance>> twins(static_cast<size_t>(depth));
    std::vector<std::unique_ptr<uint8_t[]>> inputs(static_cast<size_t>(depth));
    workers::PartPool::Instance().Run(depth, [&](int i) {
        const size_t slot = static_cast<size_t>(i);
        if (slot > 0)
            twins[slot] = begun.Twin();
        inputs[slot].reset(new (std::nothrow) uint8_t[frameBytes]);
        if (inputs[slot])
            std::memset(inputs[slot].get(), 0, frameBytes);
    });
    std::unique_ptr<FrameAheadCompressor> ahead(new FrameAheadCompressor(frameBytes));
    for (size_t slot = 0; slot < inputs.size(); ++slot) {
        if (!inputs[slot] || (slot > 0 && !twins[slot]))
            continue;
        Slot& added = ahead->m_slots.emplace_back();
        added.compressor = slot == 0 ? &begun : twins[slot].get();
        added.input = std::move(inputs[slot]);
        if (twins[slot])
            ahead->m_twins.push_back(std::move(twins[slot]));
    }
    if (ahead->m_slots.size() < 2)
        return nullptr;
    return ahead;
}

FrameAheadCompressor::FrameAheadCompressor(size_t frameBytes) : m_frameBytes(frameBytes) {}

FrameAheadCompressor::~FrameAheadCompressor() { DropAll(); }

bool FrameAheadCompressor::Add(const void* bits)
{
    if (!bits || m_inFlight == Depth())
        return false;
    Slot& slot = m_slots[m_next];
    std::memcpy(slot.input.get(), bits, m_frameBytes);
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
    // The slot's copy is the compressor's to overwrite: converted in place, it needs no frame more.
    const bool compressed = slot.compressor->CompressInPlace(slot.input.get(), &output.data, &output.bytes,
                                                             &output.key);
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
