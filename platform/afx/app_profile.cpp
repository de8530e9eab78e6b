#include "platform/afx/app_profile.h"

#include "platform/win/registry.h"

#include <atomic>
#include <memory>
#include <vector>

namespace {

std::atomic<CAppProfile*> currentProfile{nullptr};

// Opens a section key for reading only: a read never creates anything.
class SectionKey {
public:
    explicit SectionKey(const CString& path)
    {
        if (!path.IsEmpty() && RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &m_key) != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~SectionKey()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    SectionKey(const SectionKey&) = delete;
    SectionKey& operator=(const SectionKey&) = delete;

    // The value's bytes when it exists with the given type.
    bool Read(LPCWSTR entry, DWORD wantedType, std::vector<BYTE>& data) const
    {
        DWORD type = 0;
        DWORD size = 0;
        if (!m_key || RegQueryValueExW(m_key, entry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            type != wantedType)
            return false;
        data.resize(size);
        return RegQueryValueExW(m_key, entry, nullptr, &type, data.data(), &size) == ERROR_SUCCESS &&
               type == wantedType && size == data.size();
    }

private:
    HKEY m_key = nullptr;
};

BOOL WriteValue(const CString& path, LPCWSTR entry, DWORD type, const BYTE* data, DWORD size)
{
    if (path.IsEmpty() || !entry)
        return FALSE;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return FALSE;
    const LONG result = RegSetValueExW(key, entry, 0, type, data, size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? TRUE : FALSE;
}

} // namespace

void CAppProfile::SetRegistryKey(LPCWSTR keyName, LPCWSTR applicationName)
{
    // An empty key name leaves the application's key directly under Software, as the class
    // library's key creation does.
    m_path = u"Software";
    for (LPCWSTR part : {keyName, applicationName}) {
        if (part && *part)
            m_path += CString(u"\\") + part;
    }
    m_hasKey = true;
}

CString CAppProfile::GetAppRegistryPath() const { return m_hasKey ? m_path : CString(); }

CString CAppProfile::SectionPath(LPCWSTR section) const
{
    if (!m_hasKey || !section)
        return CString();
    return m_path + u"\\" + section;
}

UINT CAppProfile::GetProfileInt(LPCWSTR section, LPCWSTR entry, int defaultValue) const
{
    std::vector<BYTE> data;
    if (!entry || !SectionKey(SectionPath(section)).Read(entry, REG_DWORD, data) || data.size() != 4)
        return static_cast<UINT>(defaultValue);
    return data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<UINT>(data[3]) << 24);
}

CString CAppProfile::GetProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR defaultValue) const
{
    std::vector<BYTE> data;
    if (!entry || !SectionKey(SectionPath(section)).Read(entry, REG_SZ, data))
        return CString(defaultValue ? defaultValue : u"");
    std::u16string text(data.size() / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    // The stored terminator, and anything after a stray zero, is not part of the text.
    text.resize(std::u16string_view(text.c_str()).size());
    return CString(std::u16string_view(text));
}

BOOL CAppProfile::GetProfileBinary(LPCWSTR section, LPCWSTR entry, BYTE** data, UINT* bytes) const
{
    if (!data || !bytes)
        return FALSE;
    *data = nullptr;
    *bytes = 0;
    std::vector<BYTE> stored;
    if (!entry || !SectionKey(SectionPath(section)).Read(entry, REG_BINARY, stored))
        return FALSE;
    auto block = std::make_unique<BYTE[]>(stored.size());
    std::copy(stored.begin(), stored.end(), block.get());
    *bytes = static_cast<UINT>(stored.size());
    *data = block.release();
    return TRUE;
}

BOOL CAppProfile::WriteProfileInt(LPCWSTR section, LPCWSTR entry, int value)
{
    const auto number = static_cast<DWORD>(value);
    const BYTE data[4] = {static_cast<BYTE>(number), static_cast<BYTE>(number >> 8), static_cast<BYTE>(number >> 16),
                          static_cast<BYTE>(number >> 24)};
    return WriteValue(SectionPath(section), entry, REG_DWORD, data, 4);
}

BOOL CAppProfile::WriteProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR value)
{
    if (!value)
        return FALSE;
    const std::u16string_view text(value);
    std::vector<BYTE> data;
    data.reserve((text.size() + 1) * 2);
    for (char16_t c : text) {
        data.push_back(static_cast<BYTE>(c & 0xFF));
        data.push_back(static_cast<BYTE>(c >> 8));
    }
    data.insert(data.end(), {0, 0});
    return WriteValue(SectionPath(section), entry, REG_SZ, data.data(), static_cast<DWORD>(data.size()));
}

BOOL CAppProfile::WriteProfileBinary(LPCWSTR section, LPCWSTR entry, const BYTE* data, UINT bytes)
{
    if (!data && bytes > 0)
        return FALSE;
    return WriteValue(SectionPath(section), entry, REG_BINARY, data, bytes);
}

CAppProfile* AfxGetAppProfile() { return currentProfile.load(); }

void AfxSetAppProfile(CAppProfile* profile) { currentProfile.store(profile); }
