// Message boxes owned by a window, and the system beep.
#pragma once

#include "platform/win/ui_types.h"

// Modal over owner (or the application when owner is null); IDOK, IDYES, IDNO or IDCANCEL.
int MessageBox(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type);

// The default sound; type (MB_OK, MB_ICONERROR...) chooses nothing here.
BOOL MessageBeep(UINT type);
// How many beeps were given so far, which a caller can see when no sound is heard.
UINT MessageBeepCount();
