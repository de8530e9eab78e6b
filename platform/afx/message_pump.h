// The user-interface thread's message pump on Qt's event loop.
//
// A quit request stays posted until the main loop takes it, so every nested pump sees it and
// the main loop still ends. Idle processing is the application object's: it installs a handler
// that receives the idle count and returns non-zero while it wants more idle time.
#pragma once

#include "platform/win/types.h"

#include <functional>

// Dispatches every event waiting on the calling thread; FALSE when a quit request is posted.
BOOL PumpWaitingMessages();

// Asks the application's event loops to end with the code; QCoreApplication::exit follows.
void PostQuitMessage(int exitCode);
BOOL IsQuitMessagePosted();
// The main loop takes the request when it ends; TRUE and the code when one was posted.
BOOL TakeQuitMessage(int* exitCode);

using IdleHandler = std::function<BOOL(LONG count)>;
void AfxSetIdleHandler(IdleHandler handler);
// One idle step; FALSE when no handler is installed or it wants no more idle time.
BOOL AfxRunIdle(LONG count);
