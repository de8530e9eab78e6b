#include "platform/win/registry.h"

#include "platform/win/registry_store.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace {

constexpr std::u16string_view kCurrentUser = u"HKEY_CURRENT_USER";

// Open keys: each handle names a key by its full path.
class KeyTable {
public:
    static KeyTable& Instance()
    {
        static KeyTable table;
        return table;
    }

    bool PathOf(HKEY key, std::u16string& path)
    {
        if (key == HKEY_CURRENT_USER) {
            path = kCurrentUser;
            return true;
        }
        std::lock_guard guard(m_mutex);
        const auto it = m_open.find(reinterpret_cast<ULONG_PTR>(key));
        if (it == m_open.end())
            return false;
        path = it->second;
        return true;
    }

    HKEY Open(std::u16string path)
    {
        std::lock_guard guard(m_mutex);
        m_next += 4;
        m_open.emplace(m_next, std::move(path));
        return reinterpret_cast<HKEY>(m_next);
    }

    bool Close(HKEY key)
    {
        std::lock_guard guard(m_mutex);
        return m_open.erase(reinterpret_cast<ULONG_PTR>(key)) == 1;
    }

private:
    std::mutex m_mutex;
    std::map<ULONG_PTR, std::u16string> m_open;
    ULONG_PTR m_next = 0x1000;
};

// Joins a key and a sub-key path; false for an unknown handle or a malformed path.
LONG Resolve(HKEY key, LPCWSTR subKey, std::u16string& path)
{
    if (!KeyTable::Instance().PathOf(key, path))
        return ERROR_INVALID_HANDLE;
    if (subKey && *subKey) {
        const std::u16string_view sub(subKey);
        if (!win::IsValidRegistryPath(sub))
            return ERROR_INVALID_PARAMETER;
        path += u'\\';
        path += sub;
    }
    return ERROR_SUCCESS;
}

bool KeyExists(const std::u16string& path)
{
    return path == kCurrentUser || win::RegistryStore::Instance().KeyExists(path);
}

// The key's content; a key with nothing stored yet (the root) or one that went away since it was
// opened reads as empty.
LONG ReadKey(HKEY key, win::RegistryKey& out, DWORD* subKeys = nullptr)
{
    std::u16string path;
    if (!KeyTable::Instance().PathOf(key, path))
        return ERROR_INVALID_HANDLE;
    if (win::RegistryStore::Instance().ReadKey(path, out, subKeys) != ERROR_SUCCESS) {
        out = win::RegistryKey{path, {}};
        if (subKeys)
            *subKeys = 0;
    }
    return ERROR_SUCCESS;
}

LONG CopyData(const win::RegistryValue& value, DWORD* type, BYTE* data, DWORD* size)
{
    const auto needed = static_cast<DWORD>(value.data.size());
    if (type)
        *type = value.type;
    if (!data) {
        if (size)
            *size = needed;
        return ERROR_SUCCESS;
    }
    if (!size)
        return ERROR_INVALID_PARAMETER;
    if (*size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    std::copy(value.data.begin(), value.data.end(), data);
    *size = needed;
    return ERROR_SUCCESS;
}

} // namespace

LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD, LPWSTR, DWORD, REGSAM, void*, HKEY* result, DWORD* disposition)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    std::u16string path;
    if (const LONG error = Resolve(key, subKey, path); error != ERROR_SUCCESS)
        return error;
    const bool existed = KeyExists(path);
    if (!existed) {
        if (const LONG error = win::RegistryStore::Instance().CreateKey(path); error != ERROR_SUCCESS)
            return error;
    }
    if (disposition)
        *disposition = existed ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    *result = KeyTable::Instance().Open(std::move(path));
    return ERROR_SUCCESS;
}

LONG RegCreateKeyW(HKEY key, LPCWSTR subKey, HKEY* result)
{
    return RegCreateKeyExW(key, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, result, nullptr);
}

LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM, HKEY* result)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    std::u16string path;
    if (const LONG error = Resolve(key, subKey, path); error != ERROR_SUCCESS)
        return error;
    if (!KeyExists(path))
        return ERROR_FILE_NOT_FOUND;
    *result = KeyTable::Instance().Open(std::move(path));
    return ERROR_SUCCESS;
}

LONG RegOpenKeyW(HKEY key, LPCWSTR subKey, HKEY* result)
{
    return RegOpenKeyExW(key, subKey, 0, KEY_ALL_ACCESS, result);
}

LONG RegCloseKey(HKEY key)
{
    if (key == HKEY_CURRENT_USER)
        return ERROR_SUCCESS;
    return KeyTable::Instance().Close(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD, DWORD type, const BYTE* data, DWORD size)
{
    std::u16string path;
    if (!KeyTable::Instance().PathOf(key, path))
        return ERROR_INVALID_HANDLE;
    const std::u16string_view name = valueName ? std::u16string_view(valueName) : std::u16string_view();
    if (!win::IsValidValueName(name) || size > kMaxRegistryValueBytes || (!data && size > 0))
        return ERROR_INVALID_PARAMETER;
    win::RegistryValue value{std::u16string(name), type, {}};
    if (size > 0)
        value.data.assign(data, data + size);
    return win::RegistryStore::Instance().SetValue(path, value);
}

LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, DWORD*, DWORD* type, BYTE* data, DWORD* size)
{
    win::RegistryKey content;
    if (const LONG error = ReadKey(key, content); error != ERROR_SUCCESS)
        return error;
    const win::RegistryValue* value = content.FindValue(valueName ? valueName : u"");
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    return CopyData(*value, type, data, size);
}

LONG RegEnumValueW(HKEY key, DWORD index, LPWSTR name, DWORD* nameLength, DWORD*, DWORD* type, BYTE* data, DWORD* size)
{
    if (!name || !nameLength)
        return ERROR_INVALID_PARAMETER;
    win::RegistryKey content;
    if (const LONG error = ReadKey(key, content); error != ERROR_SUCCESS)
        return error;
    if (index >= content.values.size())
        return ERROR_NO_MORE_ITEMS;
    const win::RegistryValue& value = content.values[index];
    if (value.name.size() + 1 > *nameLength)
        return ERROR_MORE_DATA;
    std::copy(value.name.begin(), value.name.end(), name);
    name[value.name.size()] = u'\0';
    *nameLength = static_cast<DWORD>(value.name.size());
    if (!data && !size) {
        if (type)
            *type = value.type;
        return ERROR_SUCCESS;
    }
    return CopyData(value, type, data, size);
}

LONG RegQueryInfoKeyW(HKEY key, LPWSTR keyClass, DWORD* classLength, DWORD*, DWORD* subKeys, DWORD* maxSubKeyLength,
                      DWORD* maxClassLength, DWORD* values, DWORD* maxValueNameLength, DWORD* maxValueLength,
                      DWORD* securityDescriptor, void*)
{
    win::RegistryKey content;
    DWORD subKeyCount = 0;
    if (const LONG error = ReadKey(key, content, &subKeyCount); error != ERROR_SUCCESS)
        return error;
    DWORD longestName = 0;
    DWORD longestData = 0;
    for (const win::RegistryValue& value : content.values) {
        longestName = std::max(longestName, static_cast<DWORD>(value.name.size()));
        longestData = std::max(longestData, static_cast<DWORD>(value.data.size()));
    }
    if (keyClass && classLength && *classLength > 0)
        keyClass[0] = u'\0';
    if (classLength)
        *classLength = 0;
    if (subKeys)
        *subKeys = subKeyCount;
    if (maxSubKeyLength)
        *maxSubKeyLength = 0;
    if (maxClassLength)
        *maxClassLength = 0;
    if (values)
        *values = static_cast<DWORD>(content.values.size());
    if (maxValueNameLength)
        *maxValueNameLength = longestName;
    if (maxValueLength)
        *maxValueLength = longestData;
    if (securityDescriptor)
        *securityDescriptor = 0;
    return ERROR_SUCCESS;
}
