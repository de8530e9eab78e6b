// Language pairs: the Japanese text at an odd string identifier, the English one after it.
#pragma once

#include "platform/afx/cstring.h"

// Asks the system on every call; nothing is cached.
BOOL IsJapaneseSystem();
CString SelectLocalizedString(CString japanese, CString english);
// Loads both entries on every call; a missing entry gives an empty text in its language.
CString LoadLocalizedString(UINT japaneseId, UINT englishId);
// The pair named in resources/string_ids.h: Japanese at japaneseId, English at the next one.
CString LoadLocalizedString(UINT japaneseId);
