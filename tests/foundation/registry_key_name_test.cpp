// These tests own the "Setting.ini" beside their program, so they run one at a time; the user's
// copy goes to a temporary settings folder of each test.
#include "foundation/file_path.h"
#include "foundation/ini_create.h"
#include "foundation/registry_key_name.h"
#include "platform/win/text.h"
#include "tests/support/cstring_printer.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sys/stat.h>

namespace {

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
    std::string UserFolder() const { return config.Path() + "/torvina"; }
    std::string UserPath() const { return UserFolder() + "/Setting.ini"; }
    void WriteUser(const std::string& text) const
    {
        std::filesystem::create_directories(UserFolder());
        WriteFileText(UserPath(), text);
    }

    TempConfigHome config;
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

TEST_F(RegistryKeyNameTest, TheUsersFileIsReadFirstAndTheProgramsServesUntilThen)
{
    WriteFileText(Path(), "[SAVE]\nRegPos=Beside\n");
    EXPECT_EQ(Text(LoadRegistryKeyName()), u"Beside");
    WriteUser("[SAVE]\nRegPos=Users\n");
    EXPECT_EQ(Text(LoadRegistryKeyName()), u"Users");
    WriteUser("[SAVE]\nOther=x\n"); // the user's file decides even without the key
    EXPECT_EQ(Text(LoadRegistryKeyName()), u"Zarn");
}

TEST_F(RegistryKeyNameTest, SavingRecreatesTheUsersFileWithOnlyTheName)
{
    WriteFileText(Path(), "[SAVE]\nRegPos=Beside\n");
    SaveRegistryKeyName(u"First"); // the settings folder does not exist yet
    EXPECT_EQ(ReadFileText(UserPath()), "[SAVE]\nRegPos=First\n");
    WriteUser("[SAVE]\nRegPos=Old\n[Extra]\nkept=no\n");
    ASSERT_EQ(chmod(UserPath().c_str(), 0444), 0);
    EXPECT_TRUE(SaveRegistryKeyName(u"Mine"));
    EXPECT_EQ(ReadFileText(UserPath()), "[SAVE]\nRegPos=Mine\n");
    EXPECT_EQ(Text(LoadRegistryKeyName()), u"Mine");
    EXPECT_EQ(ReadFileText(Path()), "[SAVE]\nRegPos=Beside\n"); // the program's copy is never written
    EXPECT_FALSE(std::filesystem::exists(UserPath() + ".new"));
}

TEST_F(RegistryKeyNameTest, ANameInQuotesIsReadBackWithThem)
{
    for (const char16_t* name : {u"\"Studio\"", u"'Studio'"}) {
        ASSERT_TRUE(SaveRegistryKeyName(name));
        EXPECT_EQ(Text(LoadRegistryKeyName()), std::u16string(name)) << Utf16ToUtf8(name);
    }
}

TEST_F(RegistryKeyNameTest, AnUnusableNameIsRefusedAndTheFileKept)
{
    WriteUser("[SAVE]\nRegPos=Kept\n");
    const std::u16string tooLong(256, u'k');
    const char16_t* const refused[] = {u"",     u" lead",       u"trail ",  u"\u3000wide",
                                       u"a\\b", u"line\nbreak", u"tab\tin", tooLong.c_str()};
    for (const char16_t* name : refused) {
        EXPECT_FALSE(IsUsableRegistryKeyName(CString(name))) << Utf16ToUtf8(name);
        EXPECT_FALSE(SaveRegistryKeyName(CString(name))) << Utf16ToUtf8(name);
        EXPECT_EQ(Text(LoadRegistryKeyName()), u"Kept");
    }
    const std::u16string longest(255, u'k');
    for (const char16_t* name : {u"Zarn", u"My Settings", u"設定/2", longest.c_str()})
        EXPECT_TRUE(IsUsableRegistryKeyName(CString(name))) << Utf16ToUtf8(name);
}

TEST_F(RegistryKeyNameTest, AFailedWriteLeavesTheOldNameInForce)
{
    WriteUser("[SAVE]\nRegPos=Kept\n");
    // A folder where the new file would be written makes the write fail for any user.
    std::filesystem::create_directories(UserPath() + ".new/inside");
    EXPECT_FALSE(SaveRegistryKeyName(u"New"));
    EXPECT_EQ(Text(LoadRegistryKeyName()), u"Kept");
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
