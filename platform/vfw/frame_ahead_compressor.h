// Compresses the frames of one sequence on the worker pool while the caller prepares the next
// frames, for compressors whose frames stand alone (no temporal compression): each frame comes
// out exactly as the sequential call would give it, and frames are handed back in the order given.
#pragma once

#include "platform/vfw/compressor_instance.h"

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace vfw {

class FrameAheadCompressor {
public:
    // How many frames may be in flight at once: the compressing share of the pool's budget
    // (workers::AheadBudget), and at least two.
    static int DepthFor(int poolThreads, size_t frameBytes);

    // Null when the compressor's frames depend on each other, when it is not begun, or when the
    // pool has no worker to compress beside the caller. The compressor must outlive the result
    // and is not to be used by anyone else meanwhile.
    static std::unique_ptr<FrameAheadCompressor> Start(CompressorInstance& begun);
    // Waits for the frames still in flight and drops them.
    ~FrameAheadCompressor();
    FrameAheadCompressor(const FrameAheadCompressor&) = delete;
    FrameAheadCompressor& operator=(const FrameAheadCompressor&) = delete;

    // Copies the frame (the input format's size) and starts compressing it; false, with nothing
    // started, when every slot is taken.
    bool Add(const void* bits);
    int Depth() const { return static_cast<int>(m_slots.size()); }
    int InFlight() const { return m_inFlight; }
    // True when a frame is in flight and the oldest one has finished: taking it does not wait.
    bool OldestDone();
    // Waits for the oldest frame in flight. True with its compressed data, valid until the next
    // Add; false when its compression failed or none is in flight. Either way it leaves the flight.
    bool TakeOldest(EncodedFrame& frame);
    // Waits for every frame in flight and drops them.
    void DropAll();

private:
    struct Slot {
        CompressorInstance* compressor = nullptr;
        std::unique_ptr<uint8_t[]> input;
        EncodedFrame output;
        bool done = true;
        bool compressed = false;
    };

    explicit FrameAheadCompressor(size_t frameBytes);
    void Compress(Slot& slot);
    Slot& Oldest() { return m_slots[(m_next - m_inFlight + m_slots.size()) % m_slots.size()]; }

    // The compressors of the slots after the first, which uses the caller's.
    std::vector<std::unique_ptr<CompressorInstance>> m_twins;
    const size_t m_frameBytes;
    std::vector<Slot> m_slots;
    size_t m_next = 0; // the slot the next Add takes
    int m_inFlight = 0;
    std::mutex m_lock;
    std::condition_variable m_done;
};

} // namespace vfw
