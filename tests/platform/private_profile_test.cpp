#include "platform/win/private_profile.h"
#include "platform/win/text.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class PrivateProfileTest : public ::testing::Test {
protected:
    std::u16string Read(LPCWSTR section, LPCWSTR key, LPCWSTR fallback = u"Zarn", DWORD size = 520)
    {
        std::u16string buffer(size, u'#');
        const DWORD copied = GetPrivateProfileStringW(section, key, fallback, buffer.data(), size, File().c_str());
        EXPECT_EQ(buffer[copied], u'\0');
        return buffer.substr(0, copied);
    }

    std::u16string File() const { return Utf8ToUtf16(m_folder / "Setting.ini"); }
    void Write(const std::string& text) const { WriteFileText(m_folder / "Setting.ini", text); }
    std::string Text() const { return ReadFileText(m_folder / "Setting.ini"); }

    TempFolder m_folder;
};

} // namespace

TEST_F(PrivateProfileTest, ReadsTrimmedValuesWithoutRegardToCase)
{
    struct Case {
        const char* file;
        const char16_t* expected;
    };
    const Case cases[] = {
        {"[SAVE]\nRegPos=Mine\n", u"Mine"},
        {"[save]\nregpos=Mine\n", u"Mine"},
        {"  [ SAVE ]  \r\n  RegPos  =  My Key  \r\n", u"My Key"},
        {"[SAVE]\nRegPos=\"  quoted  \"\n", u"  quoted  "},
        {"[SAVE]\nRegPos='single'\n", u"single"},
        {"[SAVE]\nRegPos=\"unbalanced\n", u"\"unbalanced"},
        {"[SAVE]\nRegPos=\n", u""},
        {"[SAVE]\nRegPos=a=b\n", u"a=b"},
        {"[SAVE]\nRegPos=first\nRegPos=second\n", u"first"},
        {"[OTHER]\nRegPos=no\n[SAVE]\nRegPos=yes\n", u"yes"},
        {"\xEF\xBB\xBF[SAVE]\nRegPos=\xE5\x8B\x95\xE7\x94\xBB\n", u"動画"},
        {"[SAVE]\n;RegPos=comment\n", u"Zarn"},
        {"[SAVE]\nRegPos\n", u"Zarn"},
        {"[SAVEX]\nRegPos=x\n", u"Zarn"},
        {"RegPos=outside\n", u"Zarn"},
        {"", u"Zarn"},
    };
    for (const Case& c : cases) {
        Write(c.file);
        EXPECT_EQ(Read(u"SAVE", u"RegPos"), c.expected) << c.file;
    }
}

TEST_F(PrivateProfileTest, MissingFileGivesTheDefaultWithoutTrailingBlanks)
{
    EXPECT_EQ(Read(u"SAVE", u"RegPos"), u"Zarn");
    EXPECT_EQ(Read(u"SAVE", u"RegPos", u"Zarn  "), u"Zarn");
    EXPECT_EQ(Read(u"SAVE", u"RegPos", nullptr), u"");
}

TEST_F(PrivateProfileTest, UtfSixteenFilesRead)
{
    const std::u16string text = u"[SAVE]\r\nRegPos=Wide\r\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    Write(bytes);
    EXPECT_EQ(Read(u"SAVE", u"RegPos"), u"Wide");
}

TEST_F(PrivateProfileTest, LongValuesAreCutToTheBuffer)
{
    Write("[SAVE]\nRegPos=" + std::string(600, 'k') + "\n");
    EXPECT_EQ(Read(u"SAVE", u"RegPos"), std::u16string(519, u'k'));
    EXPECT_EQ(Read(u"SAVE", u"RegPos", u"", 4), u"kkk");
    WCHAR none = u'#';
    EXPECT_EQ(GetPrivateProfileStringW(u"SAVE", u"RegPos", u"", &none, 0, File().c_str()), 0u);
    EXPECT_EQ(none, u'#');
}

TEST_F(PrivateProfileTest, IntegersReadAsTheLeadingNumber)
{
    struct Case {
        const char* value;
        int expected;
    };
    const Case cases[] = {{"42", 42}, {"-5", -5}, {"+7", 7}, {"12abc", 12}, {"abc", 0}, {"", 99}, {"4294967297", 1}};
    for (const Case& c : cases) {
        Write(std::string("[S]\nk=") + c.value + "\n");
        EXPECT_EQ(static_cast<int>(GetPrivateProfileIntW(u"S", u"k", 99, File().c_str())), c.expected) << c.value;
    }
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntW(u"S", u"missing", -3, File().c_str())), -3);
}

TEST_F(PrivateProfileTest, WritesCreateReplaceAndKeepOtherLines)
{
    ASSERT_TRUE(WritePrivateProfileStringW(u"SAVE", u"RegPos", u"First", File().c_str()));
    EXPECT_EQ(Text(), "[SAVE]\nRegPos=First\n");
    ASSERT_TRUE(WritePrivateProfileStringW(u"save", u"REGPOS", u"Second", File().c_str()));
    EXPECT_EQ(Text(), "[SAVE]\nRegPos=Second\n");

    Write("; kept comment\r\n[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
    ASSERT_TRUE(WritePrivateProfileStringW(u"A", u"z", u"3", File().c_str()));
    ASSERT_TRUE(WritePrivateProfileStringW(u"C", u"w", u"-5", File().c_str()));
    EXPECT_EQ(Text(), "; kept comment\r\n[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n\r\n[C]\r\nw=-5\r\n");
}

TEST_F(PrivateProfileTest, AValueInQuotesOfItsOwnReadsBackAsWritten)
{
    const char16_t* values[] = {u"\"Studio\"", u"'Studio'", u"\"\"", u"\"", u"\"half", u"a\"b\"", u"plain"};
    for (const char16_t* value : values) {
        ASSERT_TRUE(WritePrivateProfileStringW(u"SAVE", u"RegPos", value, File().c_str()));
        EXPECT_EQ(Read(u"SAVE", u"RegPos"), std::u16string(value)) << Utf16ToUtf8(value);
    }
    // A file written elsewhere keeps its meaning: one pair of quotes is taken off.
    Write("[SAVE]\nRegPos=\"Studio\"\n");
    EXPECT_EQ(Read(u"SAVE", u"RegPos"), u"Studio");
}

std::string Utf16Bytes(std::u16string_view text)
{
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

TEST_F(PrivateProfileTest, AWriteChangesOnlyItsOwnKeysBytes)
{
    struct Case {
        const char* what;
        std::string before;
        const char16_t* section;
        const char16_t* key;
        const char16_t* value;
        std::string after;
    };
    const Case cases[] = {
        {"a UTF-16 file stays UTF-16 and keeps a lone surrogate",
            Utf16Bytes(u"[A]\r\nodd=\xD800x\r\nk=old\r\n"), u"A", u"k", u"new",
            Utf16Bytes(u"[A]\r\nodd=\xD800x\r\nk=new\r\n")},
        {"a new key in a UTF-16 file", Utf16Bytes(u"[A]\r\nodd=\xDC00\r\n"), u"A", u"k", u"\u52d5",
            Utf16Bytes(u"[A]\r\nodd=\xDC00\r\nk=\u52d5\r\n")},
        {"bytes that are not UTF-8 stay as they were", "[A]\nbad=\xC3\x28\xFF\nk=old\n", u"A", u"k", u"new",
            "[A]\nbad=\xC3\x28\xFF\nk=new\n"},
        {"a value ending in two CRs in an LF file", "[A]\ncr=v\r\r\nk=old\n", u"A", u"k", u"new",
            "[A]\ncr=v\r\r\nk=new\n"},
        {"trailing blank lines and a BOM stay", "\xEF\xBB\xBF[A]\nk=old\n\n\n", u"A", u"k", u"new",
            "\xEF\xBB\xBF[A]\nk=new\n\n\n"},
        {"a last line without a line end", "[A]\nx=1", u"A", u"k", u"2", "[A]\nx=1\nk=2\n"},
        {"a new section after a last line without a line end", "[A]\nx=1", u"B", u"k", u"2",
            "[A]\nx=1\n\n[B]\nk=2\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Write(c.before);
        ASSERT_TRUE(WritePrivateProfileStringW(c.section, c.key, c.value, File().c_str()));
        EXPECT_EQ(Text(), c.after);
    }
}

TEST_F(PrivateProfileTest, WritesThatWouldBreakTheFileAreRefused)
{
    Write("[SAVE]\nRegPos=Old\n");
    EXPECT_FALSE(WritePrivateProfileStringW(u"SAVE", u"RegPos", u"two\nlines", File().c_str()));
    EXPECT_FALSE(WritePrivateProfileStringW(u"SAVE", u"Reg=Pos", u"x", File().c_str()));
    EXPECT_FALSE(WritePrivateProfileStringW(u"SA]VE", u"RegPos", u"x", File().c_str()));
    EXPECT_FALSE(WritePrivateProfileStringW(u"SAVE", nullptr, u"x", File().c_str()));
    EXPECT_EQ(Text(), "[SAVE]\nRegPos=Old\n");
}

TEST_F(PrivateProfileTest, UnwritableFolderFailsAndLeavesTheFile)
{
    const std::string folder = m_folder / "locked";
    ASSERT_EQ(chmod(m_folder.Path().c_str(), 0755), 0);
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    WriteFileText(folder + "/Setting.ini", "[SAVE]\nRegPos=Old\n");
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    const std::u16string file = Utf8ToUtf16(folder + "/Setting.ini");
    // Root ignores permissions, so the write runs in a child that drops to an unprivileged user.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        _exit(WritePrivateProfileStringW(u"SAVE", u"RegPos", u"New", file.c_str()) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write claimed success";
    EXPECT_EQ(ReadFileText(folder + "/Setting.ini"), "[SAVE]\nRegPos=Old\n");
    EXPECT_EQ(Read(u"SAVE", u"RegPos"), u"Zarn");
}
