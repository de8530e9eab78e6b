// These tests own the "Setting.ini" beside their program, so they run one at a time.
#include "foundation/file_path.h"
#include "foundation/ini_create.h"
#include "foundation/registry_key_name.h"
#include "platform/win/text.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/stat.h>

namespace {

std::u16string Text(const CString& s) { return std::u16string(s.View()); }

class RegistryKeyNameTest : public ::testing::Test {
protected:
    void SetUp() override { Remove(); }
    void TearDown() override { Remove(); }
    void Remove() const
    {
        chmod(Path().c_str(), 0644);
        std::remove(Path().c_str());
    }
    static CString WidePath() { return GetModuleFolder() + u"Setting.ini"; }
    static std::string Path() { return Utf16ToUtf8(WidePath().View()); }
};

} // namespace

TEST_F(RegistryKeyNameTest, MissingFileSectionOrKeyGivesZarn)
{
    EXPECT_EQ(Text(LoadRegistryKeyName()), u"Zarn");
    const char* const files[] = {"", "[OTHER]\nRegPos=x\n", "[SAVE]\nOther=x\n", "[SAVE]\nRegPos\n"};
    for (const char* file : files) {
        WriteFileText(Path(), file);
        EXPECT_EQ(Text(LoadRegistryKeyName()), u"Zarn") << file;
    }
}

TEST_F(RegistryKeyNameTest, AnEmptyValueIsAnEmptyName)
{
    WriteFileText(Path(), "[SAVE]\nRegPos=\n");
    EXPECT_EQ(Text(LoadRegistryKeyName()), u"");
}

TEST_F(RegistryKeyNameTest, ALongNameIsCutTo519Characters)
{
    WriteFileText(Path(), "[save]\nregpos=" + std::string(700, 'n') + "\n");
    EXPECT_EQ(Text(LoadRegistryKeyName()), std::u16string(519, u'n'));
}

TEST_F(RegistryKeyNameTest, SavingRecreatesTheFileWithOnlyTheName)
{
    WriteFileText(Path(), "[SAVE]\nRegPos=Old\n[Extra]\nkept=no\n");
    ASSERT_EQ(chmod(Path().c_str(), 0444), 0);
    SaveRegistryKeyName(u"Mine");
    EXPECT_EQ(ReadFileText(Path()), "[SAVE]\nRegPos=Mine\n");
    EXPECT_EQ(Text(LoadRegistryKeyName()), u"Mine");
}

TEST_F(RegistryKeyNameTest, TheIniFileWritesIntegersAsText)
{
    CIniCreate ini;
    ini.Create(WidePath());
    ini.WriteInt(u"SAVE", u"n", -5);
    EXPECT_EQ(ReadFileText(Path()), "[SAVE]\nn=-5\n");
    EXPECT_EQ(ini.GetInt(u"SAVE", u"n", 0), -5);
    EXPECT_EQ(ini.GetInt(u"SAVE", u"missing", 9), 9);
    CIniCreate reader;
    reader.Open(WidePath());
    EXPECT_EQ(Text(reader.GetString(u"SAVE", u"n", u"")), u"-5");
}
