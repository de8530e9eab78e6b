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
    // first frame instead of one after the other on the caller's thread, the copies for the
    // slots every run uses.
    std::vector<std::unique_ptr<CompressorInstance>> twins(static_cast<size_t>(depth));
    std::vector<std::unique_ptr<uint8_t[]>> inputs(static_cast<size_t>(kMinDepth));
    workers::PartPool::Instance().Run(depth, [&](int i) {
        const size_t slot = static_cast<size_t>(i);
        if (slot > 0)
            twins[slot] = begun.Twin();
        if (slot < inputs.size()) {
            inputs[slot].reset(new (std::nothrow) uint8_t[frameBytes]);
            if (inputs[slot])
                std::memset(inputs[slot].get(), 0, frameBytes);
        }
    });
    std::unique_ptr<FrameAheadCompressor> ahead(new FrameAheadCompressor(frameBytes));
    for (size_t slot = 0; slot < twins.size(); ++slot) {
        if (slot > 0 && !twins[slot])
            continue;
        Slot& added = ahead->m_slots.emplace_back();
        added.compressor = slot == 0 ? &begun : twins[slot].get();
        if (twins[slot])
            ahead->m_twins.push_back(std::move(twins[slot]));
    }
    for (std::unique_ptr<uint8_t[]>& input : inputs) {
        if (!input || ahead->m_opened == ahead->Depth())
            continue;
        Slot& opened = ahead->m_slots[static_cast<size_t>(ahead->m_opened++)];
        opened.input = std::move(input);
        ahead->m_free.push_back(&opened);
    }
    if (ahead->m_opened < kMinDepth)
        return nullptr;
    return ahead;
}

FrameAheadCompressor::FrameAheadCompressor(size_t frameBytes) : m_frameBytes(frameBytes) {}

FrameAheadCompressor::~FrameAheadCompressor() { DropAll(); }

FrameAheadCompressor::Slot* FrameAheadCompressor::FreeSlot()
{
    if (m_free.empty() && m_opened < Depth()) {
        Slot& slot = m_slots[static_cast<size_t>(m_opened)];
        // Every byte is copied over before the compressor reads it.
        slot.input.reset(new (std::nothrow) uint8_t[m_frameBytes]);
        if (slot.input) {
            ++m_opened;
            m_free.push_back(&slot);
        }
    }
    if (m_free.empty())
        return nullptr;
    Slot* slot = m_free.back();
    m_free.pop_back();
    return slot;
}

bool FrameAheadCompressor::Add(const void* bits)
{
    Slot* slot = bits ? FreeSlot() : nullptr;
    if (!slot)
        return false;
    std::memcpy(slot->input.get(), bits, m_frameBytes);
    {
        std::lock_guard<std::mutex> lock(m_lock);
        slot->done = false;
    }
    m_flight.push_back(slot);
    workers::PartPool::Instance().Post([this, slot] { Compress(*slot); });
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
    if (m_flight.empty())
        return false;
    const Slot& slot = *m_flight.front();
    std::lock_guard<std::mutex> lock(m_lock);
    return slot.done;
}

bool FrameAheadCompressor::TakeOldest(EncodedFrame& frame)
{
    if (m_flight.empty())
        return false;
    Slot& slot = *m_flight.front();
    {
        std::unique_lock<std::mutex> lock(m_lock);
        m_done.wait(lock, [&slot] { return slot.done; });
    }
    m_flight.pop_front();
    // Taken again first, so a run touches no more slots than it ever had in flight at once.
    m_free.push_back(&slot);
    frame = slot.output;
    return slot.compressed;
}

void FrameAheadCompressor::DropAll()
{
    EncodedFrame dropped;
    while (!m_flight.empty())
        TakeOldest(dropped);
}

} // namespace vfw
