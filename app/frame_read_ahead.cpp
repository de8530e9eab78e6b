#include "app/frame_read_ahead.h"

#include "platform/afx/message_box_route.h"
#include "workers/part_pool.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>

namespace {

// The program's ring starts here: a read beside the frame being written and one after it.
constexpr int kFirstReach = 2;

uint64_t SlotBytes(const BITMAPINFOHEADER& decoded)
{
    uint64_t bytes = DibPixelAreaBytes(decoded.biWidth, decoded.biHeight, decoded.biBitCount);
    // A 48-bit frame is shown through a 24-bit block as well.
    if (decoded.biBitCount == 48)
        bytes += DibPixelAreaBytes(decoded.biWidth, decoded.biHeight);
    return bytes + 2 * sizeof(BITMAPINFOHEADER);
}

} // namespace

// One frame being read: written by the main thread while it is not queued, by its read while
// queued; index, path, ticket, done and loaded change only under the shared lock.
struct CFrameReadAhead::Slot {
    int index = -1;
    CString path;
    // The queueing this slot's read belongs to; 0 when it was dropped. A read whose ticket no
    // longer matches does nothing.
    uint64_t ticket = 0;
    bool done = false;
    bool loaded = false;
    CFrameLoader frames;
    // What the read asked to tell the user, told when the frame is taken.
    HeldMessageBoxes boxes;
};

// Owned by the ring and by every read posted to the pool, so a read that starts after the ring
// is gone still finds its slot.
struct CFrameReadAhead::Shared {
    std::mutex lock;
    std::condition_variable changed;
    std::vector<std::unique_ptr<Slot>> slots;
    uint64_t lastTicket = 0;
    int running = 0;
};

CFrameReadAhead::CFrameReadAhead() : CFrameReadAhead(workers::AheadBudget::OfPool().Reading(), kFirstReach) {}

CFrameReadAhead::CFrameReadAhead(int depth, uint64_t ringBytes, int firstReach)
    : CFrameReadAhead(workers::AheadShare{.frames = std::max(depth, 0), .bytes = ringBytes}, firstReach)
{
}

CFrameReadAhead::CFrameReadAhead(const workers::AheadShare& share, int firstReach)
    : m_share(share), m_reach(std::clamp(firstReach, 0, share.frames)), m_shared(std::make_shared<Shared>())
{
    for (int i = 0; i < m_share.frames; ++i) {
        m_shared->slots.push_back(std::make_unique<Slot>());
        m_free.push_back(i);
    }
}

CFrameReadAhead::~CFrameReadAhead() { Drop(); }

BITMAPINFOHEADER* CFrameReadAhead::Load(CFrameLoader& loader, const CStringArray& paths, int index)
{
    if (index < 0 || index >= paths.GetSize()) {
        Drop();
        return nullptr;
    }
    BITMAPINFOHEADER* frame = nullptr;
    if (FrontFor(paths, index) >= 0) {
        frame = TakeFront(loader);
        if (!frame)
            return nullptr;
    } else {
        Drop();
        frame = loader.Load(paths[index]);
    }
    if (frame)
        QueueAfter(loader, paths, index);
    return frame;
}

void CFrameReadAhead::Prefetch(const CFrameLoader& loader, const CStringArray& paths, int index)
{
    Drop();
    if (index >= 0 && index < paths.GetSize())
        QueueAfter(loader, paths, index - 1);
}

void CFrameReadAhead::Drop()
{
    {
        std::unique_lock<std::mutex> lock(m_shared->lock);
        for (const std::unique_ptr<Slot>& slot : m_shared->slots)
            slot->ticket = 0;
        m_shared->changed.wait(lock, [this] { return m_shared->running == 0; });
    }
    m_queue.clear();
    m_free.clear();
    for (int i = 0; i < m_share.frames; ++i) {
        Slot& slot = *m_shared->slots[static_cast<size_t>(i)];
        slot.index = -1;
        slot.frames.Release();
        slot.boxes.clear();
        m_free.push_back(i);
    }
}

void CFrameReadAhead::Read(Shared& shared, Slot& slot, uint64_t ticket)
{
    CString path;
    {
        std::lock_guard<std::mutex> lock(shared.lock);
        if (slot.ticket != ticket)
            return;
        ++shared.running;
        path = slot.path;
    }
    bool loaded = false;
    {
        CMessageBoxHold hold(slot.boxes);
        loaded = slot.frames.Load(path) != nullptr;
    }
    std::lock_guard<std::mutex> lock(shared.lock);
    slot.loaded = loaded;
    slot.done = true;
    --shared.running;
    shared.changed.notify_all();
}

int CFrameReadAhead::FrontFor(const CStringArray& paths, int index) const
{
    if (m_queue.empty())
        return -1;
    const Slot& slot = *m_shared->slots[static_cast<size_t>(m_queue.front())];
    return slot.index == index && slot.path == paths[index] ? m_queue.front() : -1;
}

BITMAPINFOHEADER* CFrameReadAhead::TakeFront(CFrameLoader& loader)
{
    const int number = m_queue.front();
    Slot& slot = *m_shared->slots[static_cast<size_t>(number)];
    bool loaded = false;
    {
        std::unique_lock<std::mutex> lock(m_shared->lock);
        if (!slot.done && m_reach < m_share.frames)
            ++m_reach;
        m_shared->changed.wait(lock, [&slot] { return slot.done; });
        loaded = slot.loaded;
        slot.ticket = 0;
    }
    HeldMessageBoxes boxes;
    boxes.swap(slot.boxes);
    m_queue.pop_front();
    m_free.push_back(number);
    // The frames after a failed one are not wanted: the run ends at the failure.
    // The loader's old blocks go to the slot, which reads into them next.
    BITMAPINFOHEADER* frame = loaded ? loader.SwapFrame(slot.frames) : nullptr;
    if (!frame) {
        Drop();
        if (!loaded)
            loader.Release();
        else
            frame = loader.Load(slot.path);
    }
    // Told at the frame's own turn, as its load on this thread would have told it.
    AfxShowHeldMessageBoxes(boxes);
    return frame;
}

void CFrameReadAhead::QueueAfter(const CFrameLoader& loader, const CStringArray& paths, int index)
{
    const BITMAPINFOHEADER* like = loader.Decoded();
    if (!like)
        return;
    const int ahead = std::min(m_reach, m_share.FramesOf(SlotBytes(*like)));
    int next = m_queue.empty() ? index + 1 : m_shared->slots[static_cast<size_t>(m_queue.back())]->index + 1;
    while (!m_free.empty() && next < paths.GetSize() && next <= index + ahead) {
        const int number = m_free.back();
        Slot& slot = *m_shared->slots[static_cast<size_t>(number)];
        // The slot's block takes the loader's form, so a file of another size fails at its own frame.
        if (!slot.frames.Expect(*like))
            return;
        m_free.pop_back();
        uint64_t ticket = 0;
        {
            std::lock_guard<std::mutex> lock(m_shared->lock);
            ticket = ++m_shared->lastTicket;
            slot.index = next;
            slot.path = paths[next];
            slot.ticket = ticket;
            slot.done = false;
        }
        m_queue.push_back(number);
        workers::PartPool::Instance().Post(
            [shared = m_shared, &slot, ticket] { CFrameReadAhead::Read(*shared, slot, ticket); });
        ++next;
    }
}
