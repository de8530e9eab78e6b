// The message pump a long command runs between its steps, on the user-interface thread only.
#pragma once

#include "platform/win/types.h"

// Dispatches every waiting message, then runs the application's idle processing; TRUE when a
// quit request was met (it stays posted, so the main loop ends too).
BOOL DoEvents();
