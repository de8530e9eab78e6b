// The version text of a program file, the system version test and the themed dialog background.
#pragma once

#include "platform/afx/cstring.h"

// "major.minor" followed by the third number of the file version (1.2.3.4 gives "1.23"); empty
// when the module or its version record cannot be read.
CString GetModuleVersion(LPCWSTR path);
// TRUE for a system version of 5.1 or later.
BOOL IsXPOrLater();
// Gives the dialog the themed tab background where the theme library offers it; always 0.
int EnableDialogTexture(HWND dialog);
