// The short status and prompt texts of the player and the main frame, in the system's language.
#pragma once

#include "platform/afx/cstring.h"

CString GetPauseStatusText();
CString GetStopStatusText();
CString GetMakeStatusText();
CString GetFirstPassStatusText();
CString GetPlayStatusText();
CString GetStopPromptText();
CString GetSlashText();
CString GetStandardToolbarText();
CString GetCustomizeText();
// The saved-file sentence, a line feed and the path; the path is an argument, never a format.
CString FormatSavedMessage(CString path);
