// The registry key name under which all settings live, kept in "Setting.ini" beside the program.
#pragma once

#include "platform/afx/cstring.h"

// "RegPos" of section "SAVE"; "Zarn" when the file, the section or the key is missing.
CString LoadRegistryKeyName();
// Recreates "Setting.ini" holding only that name; failures are not reported.
void SaveRegistryKeyName(CString name);
