#include "platform/vfw/frame_ahead_compressor.h"

#include "workers/ahead_budget.h"
#include "workers/part_pool.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace vfw {
namespace {

// One frame compressing while the caller hands over the next is the least that overlaps.
constexpr int kMinDepth = 2;

} // namespace

int FrameAheadCompressor::DepthFor(int poolThreads, size_t frameBytes)
{
    return std::max(kMinDepth, workers::AheadBudget(poolThreads).Compressing().FramesOf(frameBytes));
}

std::unique_ptr<FrameAheadCompressor> FrameAheadCompressor::Start(CompressorInstance& begun, Sink sink)
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
    std::unique_ptr<FrameAheadCompressor> ahead(new FrameAheadCompressor(frameBytes, std::move(sink)));
    for (size_t slot = 0; slot < twins.size(); ++slot) {
        if (slot > 0 && !twins[slot])
            continue;
        Slot& added = ahead->m_slots.emplace_back();
        added.compressor = slot == 0 ? &begun : twins[slot].get();
        if (twins[slot])
            ahead->m_twins.push_back(std::move(twins[slot]));
    }
    ahead->m_openable = ahead->Depth();
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

FrameAheadCompressor::FrameAheadCompressor(size_t frameBytes, Sink sink)
    : m_frameBytes(frameBytes), m_sink(std::move(sink))
{
}

FrameAheadCompressor::~FrameAheadCompressor()
{
    std::unique_lock<std::mutex> lock(m_lock);
    m_dropping = true;
    m_changed.wait(lock, [this] { return m_flight.empty() && !m_handing; });
}

int FrameAheadCompressor::Opened()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_opened;
}

FrameAheadCompressor::Slot* FrameAheadCompressor::FreeSlot()
{
    if (m_free.empty() && m_opened < m_openable) {
        Slot& slot = m_slots[static_cast<size_t>(m_opened)];
        // Every byte is copied over before the compressor reads it.
        slot.input.reset(new (std::nothrow) uint8_t[m_frameBytes]);
        if (slot.input) {
            ++m_opened;
            m_free.push_back(&slot);
        } else {
            // The slots already opened go round instead.
            m_openable = m_opened;
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
    if (!bits)
        return false;
    Slot* slot = nullptr;
    {
        std::unique_lock<std::mutex> lock(m_lock);
        m_changed.wait(lock, [this] { return m_failure != Failure::None || !m_free.empty() || m_opened < m_openable; });
        if (m_failure != Failure::None)
            return false;
        slot = FreeSlot();
        if (!slot) {
            m_changed.wait(lock, [this] { return m_failure != Failure::None || !m_free.empty(); });
            if (m_failure != Failure::None)
                return false;
            slot = FreeSlot();
        }
    }
    // A free slot is touched by nobody else: the frame is copied without the lock.
    slot->compressor->CopyInput(bits, slot->input.get());
    {
        std::lock_guard<std::mutex> lock(m_lock);
        slot->done = false;
        m_flight.push_back(slot);
    }
    workers::PartPool::Instance().Post([this, slot] { Compress(*slot); });
    return true;
}

void FrameAheadCompressor::Compress(Slot& slot)
{
    EncodedFrame output;
    // The slot's copy is the compressor's to overwrite: taken as it lies, it needs no frame more.
    const bool compressed = slot.compressor->CompressCopy(slot.input.get(), &output.data, &output.bytes, &output.key);
    std::unique_lock<std::mutex> lock(m_lock);
    slot.output = output;
    slot.compressed = compressed;
    slot.done = true;
    // The worker already handing over takes this frame too when its turn comes.
    if (m_handing)
        return;
    m_handing = true;
    HandOver(lock);
    m_handing = false;
    // Under the lock: a waiter may destroy this object as soon as it sees the flight empty.
    m_changed.notify_all();
}

void FrameAheadCompressor::HandOver(std::unique_lock<std::mutex>& lock)
{
    while (!m_flight.empty() && m_flight.front()->done) {
        Slot& oldest = *m_flight.front();
        if (m_failure == Failure::None && !m_dropping) {
            if (!oldest.compressed) {
                m_failure = Failure::Compress;
            } else {
                // The slot stays in flight, so no Add reuses it while the sink reads its frame.
                lock.unlock();
                const bool kept = m_sink(oldest.output);
                lock.lock();
                if (!kept)
                    m_failure = Failure::Sink;
            }
        }
        m_flight.pop_front();
        // Taken again first, so a run touches no more slots than it ever had in flight at once.
        m_free.push_back(&oldest);
        m_changed.notify_all();
    }
}

FrameAheadCompressor::Failure FrameAheadCompressor::Finish()
{
    std::unique_lock<std::mutex> lock(m_lock);
    m_changed.wait(lock, [this] { return m_flight.empty() && !m_handing; });
    const Failure failure = m_failure;
    m_failure = Failure::None;
    return failure;
}

} // namespace vfw
