// The version text of a program file and the system version test.
#pragma once

#include "platform/afx/cstring.h"

// "major.minor" followed by the third number of the file version (1.2.3.4 gives "1.23"); empty
// when the module or its version record cannot be read.
CString GetModuleVersion(LPCWSTR path);
// TRUE for a system version of 5.1 or later.
BOOL IsXPOrLater();
