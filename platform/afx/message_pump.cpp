#include "platform/afx/message_pump.h"

#include <QCoreApplication>

namespace {

struct PumpState {
    bool quitPosted = false;
    int exitCode = 0;
    IdleHandler idle;
};

// The pump belongs to the user-interface thread alone.
PumpState& State()
{
    static PumpState state;
    return state;
}

} // namespace

BOOL PumpWaitingMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return State().quitPosted ? FALSE : TRUE;
}

void PostQuitMessage(int exitCode)
{
    State().quitPosted = true;
    State().exitCode = exitCode;
    QCoreApplication::exit(exitCode);
}

BOOL IsQuitMessagePosted() { return State().quitPosted ? TRUE : FALSE; }

BOOL TakeQuitMessage(int* exitCode)
{
    PumpState& state = State();
    if (!state.quitPosted)
        return FALSE;
    if (exitCode)
        *exitCode = state.exitCode;
    state.quitPosted = false;
    state.exitCode = 0;
    return TRUE;
}

void AfxSetIdleHandler(IdleHandler handler) { State().idle = std::move(handler); }

BOOL AfxRunIdle(LONG count)
{
    // A copy, so a handler that replaces itself is not destroyed while it runs.
    const IdleHandler idle = State().idle;
    return idle && idle(count) ? TRUE : FALSE;
}
