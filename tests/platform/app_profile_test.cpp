#include "platform/afx/app_profile.h"
#include "platform/win/registry.h"
#include "tests/support/cstring_printer.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class AppProfileTest : public ::testing::Test {
protected:
    TempConfigHome m_config;
    CAppProfile m_profile;
};

} // namespace

TEST_F(AppProfileTest, StoresNothingBeforeTheRegistryKeyIsSet)
{
    EXPECT_FALSE(m_profile.WriteProfileInt(u"DATA", u"fps", 1));
    EXPECT_FALSE(m_profile.WriteProfileString(u"DATA", u"PRX", u"x"));
    EXPECT_EQ(static_cast<int>(m_profile.GetProfileInt(u"DATA", u"fps", -4)), -4);
    EXPECT_EQ(Text(m_profile.GetProfileString(u"DATA", u"PRX", u"dflt")), u"dflt");
    EXPECT_TRUE(ListFolder(m_config.Path()).empty());
}

TEST_F(AppProfileTest, ValuesLiveUnderSoftwareKeyNameAndApplication)
{
    m_profile.SetRegistryKey(u"Zarn", u"Torvina");
    EXPECT_EQ(Text(m_profile.GetAppRegistryPath()), u"Software\\Zarn\\Torvina");
    ASSERT_TRUE(m_profile.WriteProfileInt(u"DATA", u"fps", -299700));
    ASSERT_TRUE(m_profile.WriteProfileString(u"DATA", u"hozon", u"/home/user/動画"));

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Zarn\\Torvina\\DATA", 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"fps", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(RegQueryValueExW(key, u"hozon", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    RegCloseKey(key);

    // Sections are keys, so "data" and "DATA" are one section.
    EXPECT_EQ(static_cast<int>(m_profile.GetProfileInt(u"data", u"FPS", 0)), -299700);
    EXPECT_EQ(Text(m_profile.GetProfileString(u"data", u"HOZON")), u"/home/user/動画");
}

TEST_F(AppProfileTest, AnEmptyKeyNamePutsTheApplicationUnderSoftware)
{
    m_profile.SetRegistryKey(u"", u"Torvina");
    EXPECT_EQ(Text(m_profile.GetAppRegistryPath()), u"Software\\Torvina");
    ASSERT_TRUE(m_profile.WriteProfileInt(u"DATA", u"fps", 1));
    EXPECT_EQ(static_cast<int>(m_profile.GetProfileInt(u"DATA", u"fps", 0)), 1);
}

TEST_F(AppProfileTest, AValueOfAnotherTypeReadsAsTheDefault)
{
    m_profile.SetRegistryKey(u"Zarn", u"Torvina");
    ASSERT_TRUE(m_profile.WriteProfileString(u"DATA", u"fps", u"1"));
    ASSERT_TRUE(m_profile.WriteProfileInt(u"DATA", u"PRX", 5));
    EXPECT_EQ(static_cast<int>(m_profile.GetProfileInt(u"DATA", u"fps", 299700)), 299700);
    EXPECT_EQ(Text(m_profile.GetProfileString(u"DATA", u"PRX", u"none")), u"none");
    BYTE* data = nullptr;
    UINT bytes = 7;
    EXPECT_FALSE(m_profile.GetProfileBinary(u"DATA", u"fps", &data, &bytes));
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(bytes, 0u);
}

TEST_F(AppProfileTest, BinaryValuesRoundTrip)
{
    m_profile.SetRegistryKey(u"Zarn", u"Torvina");
    std::vector<BYTE> blob(5000);
    for (size_t i = 0; i < blob.size(); ++i)
        blob[i] = static_cast<BYTE>(i * 13);
    ASSERT_TRUE(m_profile.WriteProfileBinary(u"Workspace", u"State", blob.data(), static_cast<UINT>(blob.size())));
    BYTE* data = nullptr;
    UINT bytes = 0;
    ASSERT_TRUE(m_profile.GetProfileBinary(u"Workspace", u"State", &data, &bytes));
    std::unique_ptr<BYTE[]> owned(data);
    ASSERT_EQ(bytes, blob.size());
    EXPECT_TRUE(std::equal(blob.begin(), blob.end(), owned.get()));
}

TEST_F(AppProfileTest, TheCurrentProfileIsTheRegisteredOne)
{
    EXPECT_EQ(AfxGetAppProfile(), nullptr);
    AfxSetAppProfile(&m_profile);
    EXPECT_EQ(AfxGetAppProfile(), &m_profile);
    AfxSetAppProfile(nullptr);
    EXPECT_EQ(AfxGetAppProfile(), nullptr);
}
