#include "platform/vfw/frame_ahead_compressor.h"

#include "workers/part_pool.h"

#include <cstring>
#include <new>

namespace vfw {

std::unique_ptr<FrameAheadCompressor> FrameAheadCompressor::Start(CompressorInstance& begun)
{
    if (!begun.IsBegun() || (begun.Descriptor().flags & VIDCF_TEMPORAL) || workers::PartPool::Instance().Threads() < 2)
        return nullptr;
    std::unique_ptr<CompressorInstance> second = begun.Twin();
    if (!second)
        return nullptr;
    return std::unique_ptr<FrameAheadCompressor>(
        new FrameAheadCompressor(begun, std::move(second), begun.InputBytes()));
}

FrameAheadCompressor::FrameAheadCompressor(CompressorInstance& first, std::unique_ptr<CompressorInstance> second,
                                           size_t frameBytes)
    : m_second(std::move(second)), m_frameBytes(frameBytes)
{
    m_slots[0].compressor = &first;
    m_slots[1].compressor = m_second.get();
}

FrameAheadCompressor::~FrameAheadCompressor() { DropAll(); }

bool FrameAheadCompressor::Add(const void* bits)
{
    if (!bits || m_inFlight == kSlots)
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
    m_next = (m_next + 1) % kSlots;
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

void FrameAheadCompressor::Wait(const Slot& slot)
{
    std::unique_lock<std::mutex> lock(m_lock);
    m_done.wait(lock, [&slot] { return slot.done; });
}

bool FrameAheadCompressor::TakeOldest(EncodedFrame& frame)
{
    if (m_inFlight == 0)
        return false;
    Slot& slot = m_slots[(m_next - m_inFlight + kSlots) % kSlots];
    Wait(slot);
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
