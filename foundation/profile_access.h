// Reading and writing a section of the running application's profile.
#pragma once

#include "platform/afx/cstring.h"
#include "platform/win/types.h"

BOOL WriteAppProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR value);
BOOL WriteAppProfileInt(LPCWSTR section, LPCWSTR entry, int value);
int GetAppProfileInt(LPCWSTR section, LPCWSTR entry, int defaultValue);
CString GetAppProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR defaultValue);
