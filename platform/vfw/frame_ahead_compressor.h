// Compresses the frames of one sequence on the worker pool while the caller prepares the next
// frame, for compressors whose frames stand alone (no temporal compression): each frame comes out
// exactly as the sequential call would give it, and frames are handed back in the order given.
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
    // At most this many frames are in flight: the one given last and the one before it.
    static constexpr int kSlots = 2;

    // Null when the compressor's frames depend on each other, when it is not begun, or when the
    // pool has no worker to compress beside the caller. The compressor must outlive the result
    // and is not to be used by anyone else meanwhile.
    static std::unique_ptr<FrameAheadCompressor> Start(CompressorInstance& begun);
    // Waits for the frames still in flight and drops them.
    ~FrameAheadCompressor();
    FrameAheadCompressor(const FrameAheadCompressor&) = delete;
    FrameAheadCompressor& operator=(const FrameAheadCompressor&) = delete;

    // Copies the frame (the input format's size) and starts compressing it; false, with nothing
    // started, when a slot is still taken or the copy cannot be made.
    bool Add(const void* bits);
    int InFlight() const { return m_inFlight; }
    // Waits for the oldest frame in flight. True with its compressed data, valid until the next
    // Add; false when its compression failed or none is in flight. Either way it leaves the flight.
    bool TakeOldest(EncodedFrame& frame);
    // Waits for every frame in flight and drops them.
    void DropAll();

private:
    struct Slot {
        CompressorInstance* compressor = nullptr;
        std::vector<uint8_t> input;
        EncodedFrame output;
        bool done = true;
        bool compressed = false;
    };

    FrameAheadCompressor(CompressorInstance& first, std::unique_ptr<CompressorInstance> second, size_t frameBytes);
    void Compress(Slot& slot);
    void Wait(const Slot& slot);

    std::unique_ptr<CompressorInstance> m_second;
    const size_t m_frameBytes;
    Slot m_slots[kSlots];
    int m_next = 0; // the slot the next Add takes
    int m_inFlight = 0; // the oldest is m_next - m_inFlight
    std::mutex m_lock;
    std::condition_variable m_done;
};

} // namespace vfw
