// The profile manager and the profiles it loads.
#pragma once

#include "platform/wmf/profile_description.h"
#include "platform/wmf/wm_interfaces.h"

namespace wmf {

class Profile final : public ComObject<IWMProfile> {
public:
    explicit Profile(ProfileDescription description) : m_description(std::move(description)) {}

    const ProfileDescription& Description() const override { return m_description; }

private:
    ProfileDescription m_description;
};

class ProfileManager final : public ComObject<IWMProfileManager2> {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override;
    HRESULT GetSystemProfileCount(DWORD* count) override;
    HRESULT LoadSystemProfile(DWORD index, IWMProfile** profile) override;
    HRESULT LoadProfileByData(LPCWSTR profile, IWMProfile** loaded) override;
    HRESULT GetSystemProfileVersion(WMT_VERSION* version) override;
    HRESULT SetSystemProfileVersion(WMT_VERSION version) override;

private:
    WMT_VERSION m_version = WMT_VER_8_0;
};

} // namespace wmf
