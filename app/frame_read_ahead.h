// Reads the frames after the current one on the worker pool while the current one is resized,
// written and shown: a small ring of slots, each decoding one file into blocks of its own. The
// caller still takes the frames one by one in their order, each with its own success or failure,
// exactly as loading them one after the other would give them.
#pragma once

#include "app/frame_loader.h"
#include "platform/afx/carray.h"
#include "workers/ahead_budget.h"

#include <cstdint>
#include <deque>
#include <limits>
#include <memory>
#include <vector>

class CFrameReadAhead {
public:
    // The pool's share for reading ahead, reached only as far as the reads fall behind.
    CFrameReadAhead();
    // depth frames at most are read ahead, their blocks together within ringBytes; 0 reads
    // nothing ahead. A frame larger than ringBytes is read alone: nothing is read ahead of it.
    // firstReach frames are read ahead at first, one more each time a frame is taken before its
    // read has finished, up to depth: reads that keep up hold no blocks beyond what they need.
    explicit CFrameReadAhead(int depth, uint64_t ringBytes = workers::AheadBudget::kReadingBytes,
                             int firstReach = std::numeric_limits<int>::max());
    // Drops what is still being read; reads not yet started never start.
    ~CFrameReadAhead();
    CFrameReadAhead(const CFrameReadAhead&) = delete;
    CFrameReadAhead& operator=(const CFrameReadAhead&) = delete;

    // Loads paths[index] into loader as loader.Load would, then starts reading the frames after
    // it. A frame read ahead is swapped in (CFrameLoader::SwapFrame): the loader's frame may come
    // back at another address, and its old blocks are read into from then on, so the caller hands
    // the new address on before it lets anything draw. On a failure the loader is released and
    // nothing stays in flight.
    BITMAPINFOHEADER* Load(CFrameLoader& loader, const CStringArray& paths, int index);
    // Starts reading paths[index] and the frames after it into blocks of the loader's form (none
    // without a frame in the loader), for a Load of index to come; drops what was read before.
    void Prefetch(const CFrameLoader& loader, const CStringArray& paths, int index);
    // Forgets every frame read ahead; returns when no read is running any more, and frees the
    // ring's blocks.
    void Drop();
    int Depth() const { return m_share.frames; }
    // Frames read or being read ahead of the last one loaded.
    int Queued() const { return static_cast<int>(m_queue.size()); }

private:
    struct Slot;
    struct Shared;

    CFrameReadAhead(const workers::AheadShare& share, int firstReach);

    static void Read(Shared& shared, Slot& slot, uint64_t ticket);
    // The oldest frame in flight, when it is paths[index]; -1 otherwise.
    int FrontFor(const CStringArray& paths, int index) const;
    BITMAPINFOHEADER* TakeFront(CFrameLoader& loader);
    void QueueAfter(const CFrameLoader& loader, const CStringArray& paths, int index);

    workers::AheadShare m_share;
    // Frames read ahead at most for now.
    int m_reach;
    std::shared_ptr<Shared> m_shared;
    // Slots in flight, oldest first, and the slots free to be queued.
    std::deque<int> m_queue;
    std::vector<int> m_free;
};
