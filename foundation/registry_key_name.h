// The registry key name under which all settings live, kept in "Setting.ini": the user's copy in
// the settings folder ($XDG_CONFIG_HOME/torvina/) is read first and is the only one written; the
// copy beside the program serves until the user has one.
#pragma once

#include "platform/afx/cstring.h"

CString UserSettingFilePath();
CString ProgramSettingFilePath();

// "RegPos" of section "SAVE" in the first "Setting.ini" that exists; "Zarn" when there is none,
// or that file lacks the section or the key.
CString LoadRegistryKeyName();
// A name the profile can live under and "Setting.ini" gives back unchanged: not empty, at most
// 255 characters, no '\', no control character, no blank at either end.
BOOL IsUsableRegistryKeyName(const CString& name);
// Replaces the user's "Setting.ini" by one holding only that name, creating the folder when
// needed. FALSE, with the old file left as it was, for an unusable name or a failed write.
BOOL SaveRegistryKeyName(CString name);
