#include "foundation/reg_util.h"

#include <string_view>

namespace {
constexpr DWORD kNameCapacity = 512;
constexpr DWORD kDataUnits = 256; // 512 bytes
} // namespace

CRegUtil::~CRegUtil()
{
    if (m_key)
        Close();
}

int CRegUtil::Open(HKEY root, LPCWSTR subKey)
{
    Close();
    if (RegOpenKeyExW(root, subKey, 0, KEY_READ, &m_key) != ERROR_SUCCESS) {
        m_key = nullptr;
        return 0;
    }
    DWORD values = 0;
    if (RegQueryInfoKeyW(m_key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return 0;
    return static_cast<int>(values);
}

void CRegUtil::EnumValue(int index, CString& name, CString& data)
{
    if (!m_key || index < 0)
        return;
    WCHAR nameBuffer[kNameCapacity];
    DWORD nameLength = kNameCapacity;
    WCHAR dataBuffer[kDataUnits] = {};
    DWORD dataSize = sizeof dataBuffer;
    DWORD type = 0;
    // A value whose name or data does not fit leaves both strings as they were.
    if (RegEnumValueW(m_key, static_cast<DWORD>(index), nameBuffer, &nameLength, nullptr, &type,
                      reinterpret_cast<BYTE*>(dataBuffer), &dataSize) != ERROR_SUCCESS)
        return;
    const std::u16string_view nameText(nameBuffer, nameLength);
    const std::u16string_view dataText(dataBuffer, kDataUnits);
    name = CString(nameText.substr(0, nameText.find(u'\0')));
    data = CString(dataText.substr(0, dataText.find(u'\0')));
}

void CRegUtil::Close()
{
    if (m_key)
        RegCloseKey(m_key);
    m_key = nullptr;
}
