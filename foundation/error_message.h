// Error numbers and the messages the user reads for them.
#pragma once

#include "platform/afx/cstring.h"

constexpr int ERROR_NONE = 0;
constexpr int ERROR_CANCELLED = -2;

// The message alone, in the system's language; empty for 0 and -2 (nothing to show), the
// "Other Errors" pair for any number without a message of its own. Matches the exact value.
CString GetErrorMessage(int error);
