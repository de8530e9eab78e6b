// Compresses the frames of one sequence on the worker pool while the caller prepares the next
// frames, for compressors whose frames stand alone (no temporal compression): each frame comes
// out exactly as the sequential call would give it, and frames are handed back in the order given.
#pragma once

#include "platform/vfw/compressor_instance.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

namespace vfw {

class FrameAheadCompressor {
public:
    // How many frames may be in flight at once: the compressing share of the pool's budget
    // (workers::AheadBudget), and at least two. A slot's copy is made only when a frame finds
    // every slot made so far still compressing, so a compressor that keeps up holds fewer.
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
    int InFlight() const { return static_cast<int>(m_flight.size()); }
    // Slots whose copy has been made.
    int Opened() const { return m_opened; }
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
    // A slot free for the next frame, opening one more when all are in flight; null when none.
    Slot* FreeSlot();

    // The compressors of the slots after the first, which uses the caller's.
    std::vector<std::unique_ptr<CompressorInstance>> m_twins;
    const size_t m_frameBytes;
    // Made once and never resized: the compressions in flight hold their slot's address.
    std::vector<Slot> m_slots;
    int m_opened = 0;
    // The frames in flight, oldest first, and the opened slots free for the next.
    std::deque<Slot*> m_flight;
    std::vector<Slot*> m_free;
    std::mutex m_lock;
    std::condition_variable m_done;
};

} // namespace vfw
