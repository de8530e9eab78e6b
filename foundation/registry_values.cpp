#include "foundation/registry_values.h"

#include "platform/win/heap.h"

#include <cstring>

BOOL RegWriteBinary(HKEY root, LPCWSTR subKey, LPCWSTR valueName, const BYTE* data, int size)
{
    HKEY key = nullptr;
    if (RegCreateKeyW(root, subKey, &key) != ERROR_SUCCESS)
        return FALSE;
    // A negative size cannot describe any bytes; nothing is written for it.
    if (size >= 0)
        RegSetValueExW(key, valueName, 0, REG_BINARY, data, static_cast<DWORD>(size));
    RegCloseKey(key);
    return TRUE;
}

BYTE* RegReadBinary(HKEY root, LPCWSTR subKey, LPCWSTR valueName, int* size)
{
    if (size)
        *size = 0;
    HKEY key = nullptr;
    if (RegOpenKeyW(root, subKey, &key) != ERROR_SUCCESS)
        return nullptr;
    BYTE buffer[kRegistryBlobCapacity];
    DWORD length = sizeof buffer;
    DWORD type = 0;
    const LONG result = RegQueryValueExW(key, valueName, nullptr, &type, buffer, &length);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return nullptr;
    auto* block = static_cast<BYTE*>(GlobalAlloc(GMEM_FIXED, length));
    if (!block)
        return nullptr;
    std::memcpy(block, buffer, length);
    if (size)
        *size = static_cast<int>(length);
    return block;
}

void RegWriteDword(HKEY root, LPCWSTR subKey, LPCWSTR valueName, DWORD value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExW(key, valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

int RegReadDword(HKEY root, LPCWSTR subKey, LPCWSTR valueName, int defaultValue)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return defaultValue;
    int result = defaultValue;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, valueName, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_DWORD) {
        DWORD value = 0;
        size = sizeof value;
        if (RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
            type == REG_DWORD && size == sizeof value)
            result = static_cast<int>(value);
    }
    RegCloseKey(key);
    return result;
}
