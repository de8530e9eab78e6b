// Binary and DWORD values under a registry key of the caller's choice.
#pragma once

#include "platform/win/registry.h"
#include "platform/win/types.h"

// Values longer than this are not read.
constexpr int kRegistryBlobCapacity = 4096;

// Creates the key as needed; FALSE only when the key cannot be created or opened.
BOOL RegWriteBinary(HKEY root, LPCWSTR subKey, LPCWSTR valueName, const BYTE* data, int size);
// A GMEM_FIXED block the caller frees with GlobalFree, or NULL with *size 0 when the key or value
// is missing, the value is longer than 4096 bytes or memory runs out. Any value type is read.
BYTE* RegReadBinary(HKEY root, LPCWSTR subKey, LPCWSTR valueName, int* size);
void RegWriteDword(HKEY root, LPCWSTR subKey, LPCWSTR valueName, DWORD value);
// The stored value when it exists as a REG_DWORD, else the default.
int RegReadDword(HKEY root, LPCWSTR subKey, LPCWSTR valueName, int defaultValue);
