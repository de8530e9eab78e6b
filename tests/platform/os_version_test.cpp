#include "platform/win/error_codes.h"
#include "platform/win/os_version.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>

TEST(OsVersion, ReportsWindowsXpServicePack3WhateverTheKernel)
{
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    std::fill(std::begin(info.szCSDVersion), std::end(info.szCSDVersion), u'x');
    ASSERT_TRUE(GetVersionExW(&info));
    EXPECT_EQ(info.dwMajorVersion, 5u);
    EXPECT_EQ(info.dwMinorVersion, 1u);
    EXPECT_EQ(info.dwBuildNumber, 2600u);
    EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(std::u16string(info.szCSDVersion), u"Service Pack 3");
}

TEST(OsVersion, ARecordOfAnotherSizeIsRefused)
{
    for (const DWORD size : {DWORD{0}, DWORD{sizeof(OSVERSIONINFOW) - 1}, DWORD{sizeof(OSVERSIONINFOW) + 1}}) {
        OSVERSIONINFOW info{};
        info.dwOSVersionInfoSize = size;
        SetLastError(0);
        EXPECT_FALSE(GetVersionExW(&info)) << size;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
        EXPECT_EQ(info.dwMajorVersion, 0u);
    }
    EXPECT_FALSE(GetVersionExW(nullptr));
}
