#include "foundation/profile_access.h"

#include "platform/afx/app_profile.h"

BOOL WriteAppProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR value)
{
    CAppProfile* profile = AfxGetAppProfile();
    return profile ? profile->WriteProfileString(section, entry, value) : FALSE;
}

BOOL WriteAppProfileInt(LPCWSTR section, LPCWSTR entry, int value)
{
    CAppProfile* profile = AfxGetAppProfile();
    return profile ? profile->WriteProfileInt(section, entry, value) : FALSE;
}

int GetAppProfileInt(LPCWSTR section, LPCWSTR entry, int defaultValue)
{
    const CAppProfile* profile = AfxGetAppProfile();
    return profile ? static_cast<int>(profile->GetProfileInt(section, entry, defaultValue)) : defaultValue;
}

CString GetAppProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR defaultValue)
{
    const CAppProfile* profile = AfxGetAppProfile();
    return profile ? profile->GetProfileString(section, entry, defaultValue)
                   : CString(defaultValue ? defaultValue : u"");
}
