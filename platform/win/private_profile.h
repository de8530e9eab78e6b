// Private profile (ini) files: sections and keys without regard to case, keys and values trimmed,
// a value in one pair of quotes unquoted, the default for a missing file, section or key.
#pragma once

#include "platform/win/types.h"

// Copies at most size - 1 characters and a terminator; returns the characters copied.
DWORD GetPrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue, LPWSTR out, DWORD size,
                               LPCWSTR fileName);
// The default for a missing key or an empty value; otherwise the leading decimal number, 0 if none.
UINT GetPrivateProfileIntW(LPCWSTR section, LPCWSTR key, INT defaultValue, LPCWSTR fileName);
// Creates the file, section or key as needed; the file is replaced atomically.
BOOL WritePrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR fileName);
