// The application's profile: after SetRegistryKey, integers (REG_DWORD), strings (REG_SZ) and
// blobs (REG_BINARY) under HKEY_CURRENT_USER\Software\<key name>\<application name>\<section>.
// The application object owns one and makes it current; before SetRegistryKey nothing is stored.
#pragma once

#include "platform/afx/cstring.h"
#include "platform/win/types.h"

class CAppProfile {
public:
    CAppProfile() = default;
    CAppProfile(const CAppProfile&) = delete;
    CAppProfile& operator=(const CAppProfile&) = delete;

    void SetRegistryKey(LPCWSTR keyName, LPCWSTR applicationName);
    BOOL HasRegistryKey() const { return m_hasKey; }
    // Software\<key name>\<application name>, or empty before SetRegistryKey.
    CString GetAppRegistryPath() const;

    // The default when the entry is missing or holds another type.
    UINT GetProfileInt(LPCWSTR section, LPCWSTR entry, int defaultValue) const;
    CString GetProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR defaultValue = nullptr) const;
    // On success *data is a new[] block the caller delete[]s; FALSE and null when missing.
    BOOL GetProfileBinary(LPCWSTR section, LPCWSTR entry, BYTE** data, UINT* bytes) const;

    BOOL WriteProfileInt(LPCWSTR section, LPCWSTR entry, int value);
    BOOL WriteProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR value);
    BOOL WriteProfileBinary(LPCWSTR section, LPCWSTR entry, const BYTE* data, UINT bytes);

private:
    CString SectionPath(LPCWSTR section) const;

    bool m_hasKey = false;
    CString m_path;
};

// The running application's profile, or null when none is current.
CAppProfile* AfxGetAppProfile();
void AfxSetAppProfile(CAppProfile* profile);
