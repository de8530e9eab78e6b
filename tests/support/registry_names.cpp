#include "tests/support/registry_names.h"

#include "platform/win/registry.h"

std::vector<std::u16string> RegistryValueNames(const char16_t* subKey)
{
    std::vector<std::u16string> names;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    for (DWORD i = 0;; ++i) {
        WCHAR name[64];
        DWORD length = 64;
        if (RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    RegCloseKey(key);
    return names;
}
