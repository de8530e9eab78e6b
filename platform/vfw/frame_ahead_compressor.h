// Compresses the frames of one sequence on the worker pool while the caller prepares the next
// frames, for compressors whose frames stand alone (no temporal compression), and hands the
// compressed frames to a sink in the order given, each exactly as the sequential call would give
// it. The sink runs on the worker that finds the oldest frame finished, one call at a time, so
// the caller's thread neither compresses nor writes.
#pragma once

#include "platform/vfw/compressor_instance.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace vfw {

class FrameAheadCompressor {
public:
    // What stopped the frames: a frame the compressor failed, or one the sink could not keep.
    enum class Failure { None, Compress, Sink };
    // Keeps one compressed frame (its data is valid during the call); false when it could not.
    using Sink = std::function<bool(const EncodedFrame&)>;

    // How many frames may be in flight at once: the compressing share of the pool's budget
    // (workers::AheadBudget), and at least two. A slot's copy is made only when a frame finds
    // every slot made so far still in flight, so a compressor that keeps up holds fewer.
    static int DepthFor(int poolThreads, size_t frameBytes);

    // Null when the compressor's frames depend on each other, when it is not begun, or when the
    // pool has no worker to compress beside the caller. The compressor must outlive the result
    // and is not to be used by anyone else meanwhile; so must whatever the sink writes to, until
    // Finish has returned.
    static std::unique_ptr<FrameAheadCompressor> Start(CompressorInstance& begun, Sink sink);
    // Waits for the frames in flight; those not yet handed to the sink are dropped.
    ~FrameAheadCompressor();
    FrameAheadCompressor(const FrameAheadCompressor&) = delete;
    FrameAheadCompressor& operator=(const FrameAheadCompressor&) = delete;

    // Copies the frame (the input format's size) and starts compressing it, after waiting for a
    // slot when every one is taken. False, with nothing started, once a frame has failed: after
    // a failure the frames behind it are dropped, not handed on, until Finish.
    bool Add(const void* bits);
    // Waits until every frame added has been handed to the sink or dropped; returns the failure
    // that stopped them, if any, and clears it, so that frames can be added again.
    Failure Finish();
    int Depth() const { return static_cast<int>(m_slots.size()); }
    // Slots whose copy has been made.
    int Opened();

private:
    struct Slot {
        CompressorInstance* compressor = nullptr;
        std::unique_ptr<uint8_t[]> input;
        EncodedFrame output;
        bool done = true;
        bool compressed = false;
    };

    FrameAheadCompressor(size_t frameBytes, Sink sink);
    // A slot free for the next frame, opening one more when all are in flight; null when none
    // is free and no more can be opened. The lock is held.
    Slot* FreeSlot();
    void Compress(Slot& slot);
    // Hands the finished frames at the front of the flight to the sink, oldest first; the lock is
    // held on entry and on return, and released while the sink runs.
    void HandOver(std::unique_lock<std::mutex>& lock);

    // The compressors of the slots after the first, which uses the caller's.
    std::vector<std::unique_ptr<CompressorInstance>> m_twins;
    const size_t m_frameBytes;
    const Sink m_sink;
    // Made once and never resized: the compressions in flight hold their slot's address.
    std::vector<Slot> m_slots;
    // Guarded by m_lock from here on.
    int m_opened = 0; // slots whose copy has been made
    int m_openable = 0; // slots that may be opened: fewer than all once memory ran out
    // The frames added and not yet handed on or dropped, oldest first, and the opened slots free
    // for the next, the one freed last at the back.
    std::deque<Slot*> m_flight;
    std::vector<Slot*> m_free;
    bool m_handing = false; // a worker is handing frames over
    bool m_dropping = false; // being destroyed: nothing more reaches the sink
    Failure m_failure = Failure::None;
    std::mutex m_lock;
    std::condition_variable m_changed;
};

} // namespace vfw
