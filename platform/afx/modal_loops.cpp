#include "platform/afx/modal_loops.h"

#include <algorithm>
#include <vector>

namespace {

// The user-interface thread's alone.
struct Loops {
    std::vector<ModalLoop*> running;
    bool refused = false;
};

Loops& State()
{
    static Loops loops;
    return loops;
}

} // namespace

ModalLoop::ModalLoop(std::function<void()> cancel) : m_cancel(std::move(cancel)) { State().running.push_back(this); }

ModalLoop::~ModalLoop()
{
    std::vector<ModalLoop*>& running = State().running;
    running.erase(std::remove(running.begin(), running.end(), this), running.end());
}

bool ModalLoop::Refused() { return State().refused; }

void ModalLoop::EndAll()
{
    Loops& loops = State();
    loops.refused = true;
    // Each loop only learns that it is to end; none leaves its frame before this returns.
    const std::vector<ModalLoop*> running = loops.running;
    for (auto it = running.rbegin(); it != running.rend(); ++it)
        (*it)->m_cancel();
}

void ModalLoop::AllowAgain() { State().refused = false; }

bool ModalLoop::AnyRunning() { return !State().running.empty(); }
