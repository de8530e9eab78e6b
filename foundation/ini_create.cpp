#include "foundation/ini_create.h"

#include "foundation/file_system.h"
#include "platform/win/private_profile.h"

namespace {
constexpr DWORD kValueCapacity = 520;
}

void CIniCreate::Create(LPCWSTR path)
{
    m_path = path;
    DeleteExistingFile(m_path);
}

void CIniCreate::WriteInt(LPCWSTR section, LPCWSTR key, int value)
{
    CString text;
    text.Format(u"%d", value);
    WriteString(section, key, text);
}

BOOL CIniCreate::WriteString(LPCWSTR section, LPCWSTR key, LPCWSTR value)
{
    return WritePrivateProfileStringW(section, key, value, m_path);
}

void CIniCreate::Open(LPCWSTR path) { m_path = path; }

int CIniCreate::GetInt(LPCWSTR section, LPCWSTR key, int defaultValue)
{
    return static_cast<int>(GetPrivateProfileIntW(section, key, defaultValue, m_path));
}

CString CIniCreate::GetString(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue)
{
    WCHAR buffer[kValueCapacity];
    const DWORD length = GetPrivateProfileStringW(section, key, defaultValue, buffer, kValueCapacity, m_path);
    return CString(buffer, static_cast<int>(length));
}
