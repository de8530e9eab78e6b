#include "platform/win/private_profile.h"
#include "platform/win/text.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/forked_call.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <chrono>
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

TEST_F(PrivateProfileTest, AValueInQuotesOrBlanksOfItsOwnReadsBackAsWritten)
{
    const char16_t* values[] = {u"\"Studio\"", u"'Studio'", u"\"\"",    u"\"",     u"\"half", u"a\"b\"",
                                u"plain",      u" lead",    u"trail\t", u"\"y\" ", u" ",      u"' a '"};
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
        {"a UTF-16 file stays UTF-16 and keeps a lone surrogate", Utf16Bytes(u"[A]\r\nodd=\xD800x\r\nk=old\r\n"), u"A",
         u"k", u"new", Utf16Bytes(u"[A]\r\nodd=\xD800x\r\nk=new\r\n")},
        {"a new key in a UTF-16 file", Utf16Bytes(u"[A]\r\nodd=\xDC00\r\n"), u"A", u"k", u"\u52d5",
         Utf16Bytes(u"[A]\r\nodd=\xDC00\r\nk=\u52d5\r\n")},
        {"bytes that are not UTF-8 stay as they were", "[A]\nbad=\xC3\x28\xFF\nk=old\n", u"A", u"k", u"new",
         "[A]\nbad=\xC3\x28\xFF\nk=new\n"},
        {"a value ending in two CRs in an LF file", "[A]\ncr=v\r\r\nk=old\n", u"A", u"k", u"new",
         "[A]\ncr=v\r\r\nk=new\n"},
        {"trailing blank lines and a BOM stay", "\xEF\xBB\xBF[A]\nk=old\n\n\n", u"A", u"k", u"new",
         "\xEF\xBB\xBF[A]\nk=new\n\n\n"},
        {"a last line without a line end", "[A]\nx=1", u"A", u"k", u"2", "[A]\nx=1\nk=2\n"},
        {"a new section after a last line without a line end", "[A]\nx=1", u"B", u"k", u"2", "[A]\nx=1\n\n[B]\nk=2\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Write(c.before);
        ASSERT_TRUE(WritePrivateProfileStringW(c.section, c.key, c.value, File().c_str()));
        EXPECT_EQ(Text(), c.after);
    }
}

TEST_F(PrivateProfileTest, AWriteReadsBackAndLeavesOtherKeysInEveryFileItAccepts)
{
    struct Case {
        const char* what;
        std::string before;
        const char16_t* section;
        const char16_t* key;
        const char16_t* otherSection;
        const char16_t* otherKey;
        const char16_t* otherValue;
    };
    const Case cases[] = {
        {"a UTF-16 file of an odd size", "\xFF\xFE\x0D", u"SAVE", u"RegPos", u"SAVE", u"none", u"Zarn"},
        {"a UTF-16 file of an odd size with a section", Utf16Bytes(u"[S]\r\nk=v") + "\x41", u"S", u"j", u"S", u"k",
         u"v"},
        {"a last line ending in a lone CR", "[SAVE]\nRegPos\r", u"SAVE", u"RegPos", u"SAVE", u"none", u"Zarn"},
        {"a value ending in a lone CR at the end", "[A]\nk=v\r", u"A", u"j", u"A", u"k", u"v"},
        {"a new section behind a lone CR", "[A]\nk=v\r", u"B", u"j", u"A", u"k", u"v"},
        {"a value ending in a lone CR, UTF-16", Utf16Bytes(u"[A]\r\nk=v\r"), u"A", u"j", u"A", u"k", u"v"},
        {"the key itself on a last line ending in a lone CR", "[A]\nk=old\r", u"A", u"k", u"A", u"none", u"Zarn"},
        {"a value ending in two CRs at the end", "[A]\nk=v\r\r", u"A", u"j", u"A", u"k", u"v\r"},
        {"a blank last line of a lone CR", "[A]\nk=v\n\r", u"A", u"j", u"A", u"k", u"v"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Write(c.before);
        EXPECT_EQ(Read(c.otherSection, c.otherKey), c.otherValue);
        ASSERT_TRUE(WritePrivateProfileStringW(c.section, c.key, u"Written", File().c_str()));
        EXPECT_EQ(Read(c.section, c.key), u"Written");
        EXPECT_EQ(Read(c.otherSection, c.otherKey), c.otherValue);
        // A second write finds the first one's line.
        ASSERT_TRUE(WritePrivateProfileStringW(c.section, c.key, u"Again", File().c_str()));
        EXPECT_EQ(Read(c.section, c.key), u"Again");
        EXPECT_EQ(Read(c.otherSection, c.otherKey), c.otherValue);
    }
}

TEST_F(PrivateProfileTest, AnOddUtfSixteenFileKeepsItsLastByteBehindTheNewText)
{
    Write("\xFF\xFE\x0D");
    ASSERT_TRUE(WritePrivateProfileStringW(u"S", u"k", u"v", File().c_str()));
    EXPECT_EQ(Text(), Utf16Bytes(u"[S]\nk=v\n") + "\x0D");
}

TEST_F(PrivateProfileTest, ANamedPipeIsAnUnreadableFileAndNeverWaitedOn)
{
    const std::string pipe = m_folder / "Setting.ini";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::u16string file = File();
    const auto outcome = ExitCodeWithin(std::chrono::seconds(20), [&] {
        std::u16string value(64, u'#');
        const DWORD copied = GetPrivateProfileStringW(u"SAVE", u"RegPos", u"Zarn", value.data(), 64, file.c_str());
        const bool defaulted = value.substr(0, copied) == u"Zarn" &&
                               GetPrivateProfileIntW(u"SAVE", u"n", 7, file.c_str()) == 7;
        const bool refused = !WritePrivateProfileStringW(u"SAVE", u"RegPos", u"x", file.c_str());
        return defaulted && refused ? 0 : 1;
    });
    ASSERT_TRUE(outcome.has_value()) << "reading or writing a named pipe blocked";
    EXPECT_EQ(*outcome, 0);
    struct stat info {};
    ASSERT_EQ(lstat(pipe.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode)) << "the pipe was replaced";
}

TEST_F(PrivateProfileTest, AWriteThatDoesNotFitOnTheDiskFailsAndLeavesTheFile)
{
    Write("[SAVE]\nRegPos=Old\n");
    const std::u16string file = File();
    const std::u16string large(5000, u'v');
    const auto outcome = ExitCodeWithin(std::chrono::seconds(20), [&] {
        const FileSizeLimit full(1000);
        return WritePrivateProfileStringW(u"SAVE", u"Big", large.c_str(), file.c_str()) ? 1 : 0;
    });
    ASSERT_TRUE(outcome.has_value());
    EXPECT_EQ(*outcome, 0) << "the write claimed success";
    EXPECT_EQ(Text(), "[SAVE]\nRegPos=Old\n");
}

TEST_F(PrivateProfileTest, TextTheFilesEncodingCannotHoldIsRefused)
{
    Write("[A]\nk=old\n");
    const char16_t lone[] = {u'x', 0xD800, u'y', 0};
    EXPECT_FALSE(WritePrivateProfileStringW(u"A", u"k", lone, File().c_str()));
    EXPECT_FALSE(WritePrivateProfileStringW(u"A", lone, u"v", File().c_str()));
    EXPECT_EQ(Text(), "[A]\nk=old\n");
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
