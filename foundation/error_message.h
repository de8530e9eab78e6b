// Error numbers and the messages the user reads for them.
#pragma once

#include "foundation/error_numbers.h"
#include "platform/afx/cstring.h"

// The message alone, in the system's language; empty for 0 and -2 (nothing to show), the
// "Other Errors" pair for any number without a message of its own. Matches the exact value.
CString GetErrorMessage(int error);
