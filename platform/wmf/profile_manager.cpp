#include "platform/wmf/profile_manager.h"

#include "platform/wmf/encoder_setup.h"
#include "platform/wmf/profile_parser.h"
#include "platform/wmf/system_profiles.h"

#include <new>

namespace wmf {

namespace {

HRESULT LoadDocument(std::u16string_view text, IWMProfile** loaded)
{
    std::optional<ProfileDescription> description = ParseProfile(text);
    if (!description || !CanEncode(*description))
        return E_INVALIDARG;
    Profile* profile = new (std::nothrow) Profile(std::move(*description));
    if (!profile)
        return E_OUTOFMEMORY;
    *loaded = profile;
    return S_OK;
}

} // namespace

HRESULT ProfileManager::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IWMProfileManager)
        *object = static_cast<IWMProfileManager*>(this);
    else if (iid == IID_IWMProfileManager2)
        *object = static_cast<IWMProfileManager2*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

HRESULT ProfileManager::GetSystemProfileCount(DWORD* count)
{
    if (!count)
        return E_POINTER;
    *count = SystemProfileCount(m_version);
    return S_OK;
}

HRESULT ProfileManager::LoadSystemProfile(DWORD index, IWMProfile** profile)
{
    if (!profile)
        return E_POINTER;
    *profile = nullptr;
    const std::optional<std::u16string> document = SystemProfileDocument(m_version, index);
    if (!document)
        return E_INVALIDARG;
    return LoadDocument(*document, profile);
}

HRESULT ProfileManager::LoadProfileByData(LPCWSTR text, IWMProfile** loaded)
{
    if (!text || !loaded)
        return E_POINTER;
    *loaded = nullptr;
    // A text longer than any profile is refused without being parsed.
    size_t length = 0;
    while (length <= kMaxProfileChars && text[length] != 0)
        ++length;
    if (length > kMaxProfileChars)
        return E_INVALIDARG;
    return LoadDocument(std::u16string_view(text, length), loaded);
}

HRESULT ProfileManager::GetSystemProfileVersion(WMT_VERSION* version)
{
    if (!version)
        return E_POINTER;
    *version = m_version;
    return S_OK;
}

HRESULT ProfileManager::SetSystemProfileVersion(WMT_VERSION version)
{
    if (version != WMT_VER_4_0 && version != WMT_VER_7_0 && version != WMT_VER_8_0)
        return E_INVALIDARG;
    m_version = version;
    return S_OK;
}

} // namespace wmf

HRESULT WMCreateProfileManager(IWMProfileManager** manager)
{
    if (!manager)
        return E_POINTER;
    *manager = new (std::nothrow) wmf::ProfileManager();
    return *manager ? S_OK : E_OUTOFMEMORY;
}
