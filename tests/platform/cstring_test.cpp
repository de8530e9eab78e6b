#include "platform/afx/cstring.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CString Fmt(LPCWSTR format, ...)
{
    va_list args;
    va_start(args, format);
    CString s;
    s.FormatV(format, args);
    va_end(args);
    return s;
}

} // namespace

TEST(CStringFormat, ClassLibraryConversions)
{
    struct Case {
        CString actual;
        const char16_t* expected;
    };
    const Case cases[] = {
        {Fmt(u"Error No.%04d", 7), u"Error No.0007"},
        {Fmt(u"Error No.%04d", 3001), u"Error No.3001"},
        {Fmt(u"Error No.%04d", -2), u"Error No.-002"},
        {Fmt(u"%s|%5s|%-5s|%.2s", u"ab", u"ab", u"ab", u"abc"), u"ab|   ab|ab   |ab"},
        {Fmt(u"%S %hs", "narrow", "日本"), u"narrow 日本"},
        {Fmt(u"%ls", u"wide"), u"wide"},
        {Fmt(u"%u %x %X %o", 4294967295u, 255u, 255u, 8u), u"4294967295 ff FF 10"},
        {Fmt(u"%I64d", static_cast<long long>(1) << 40), u"1099511627776"},
        {Fmt(u"%ld", -5), u"-5"},
        {Fmt(u"%c%C", u'日', u'x'), u"日x"},
        {Fmt(u"%.2f %g %e", 29.97, 0.5, 1.0), u"29.97 0.5 1.000000e+00"},
        {Fmt(u"%*d|%-*d", 4, 1, 3, 2), u"   1|2  "},
        {Fmt(u"100%%"), u"100%"},
        {Fmt(u"%s", static_cast<LPCWSTR>(nullptr)), u"(null)"},
        {Fmt(u"%d%", 5), u"5"}, // a trailing lone "%" is dropped
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::u16string(c.actual.View()), std::u16string(c.expected));
}

TEST(CStringFormat, ArgumentIsNeverReadAsFormat)
{
    CString s;
    s.Format(u"saved:\n%s", u"C%d%s%n");
    EXPECT_TRUE(s == u"saved:\nC%d%s%n");
}

TEST(CString, CompareNoCaseFoldsOnlyAsciiLetters)
{
    EXPECT_EQ(CString(u"ABC.JPG").CompareNoCase(u"abc.jpg"), 0);
    EXPECT_LT(CString(u"a").CompareNoCase(u"B"), 0);
    EXPECT_LT(CString(u"_").CompareNoCase(u"a"), 0); // letters fold to lower case, so "_" sorts before them
    EXPECT_LT(CString(u"_").CompareNoCase(u"A"), 0);
    EXPECT_NE(CString(u"Ä").CompareNoCase(u"ä"), 0);
    EXPECT_NE(CString(u"Ａ").CompareNoCase(u"ａ"), 0); // full-width letters do not fold
    EXPECT_LT(CString(u"ab").CompareNoCase(u"abc"), 0);
}

TEST(CString, LowerAndUpperTouchAsciiOnly)
{
    CString s(u"PHOTO.JPG Ä");
    EXPECT_TRUE(s.MakeLower() == u"photo.jpg Ä");
    EXPECT_TRUE(s.MakeUpper() == u"PHOTO.JPG Ä");
}

TEST(CString, SubstringsClampToTheText)
{
    const CString s(u"/home/user/Enc.avi");
    EXPECT_TRUE(s.Left(5) == u"/home");
    EXPECT_TRUE(s.Right(7) == u"Enc.avi");
    EXPECT_TRUE(s.Mid(11) == u"Enc.avi");
    EXPECT_TRUE(s.Mid(6, 4) == u"user");
    EXPECT_TRUE(s.Left(100) == s);
    EXPECT_TRUE(s.Mid(100).IsEmpty());
    EXPECT_TRUE(s.Right(-1).IsEmpty());
    EXPECT_EQ(s.ReverseFind(u'/'), 10);
    EXPECT_EQ(s.Find(u"user"), 6);
    EXPECT_EQ(s.Find(u'x', 100), -1);
    EXPECT_EQ(s.FindOneOf(u".x"), 14);
}

TEST(CString, EditingOperations)
{
    CString s(u"  a-b-c  ");
    s.Trim();
    EXPECT_TRUE(s == u"a-b-c");
    EXPECT_EQ(s.Replace(u"-", u"--"), 2);
    EXPECT_TRUE(s == u"a--b--c");
    EXPECT_EQ(s.Remove(u'-'), 4);
    s.Insert(1, u"XY");
    EXPECT_TRUE(s == u"aXYbc");
    s.Delete(1, 10);
    EXPECT_TRUE(s == u"a");
    CString t(u"//x//");
    EXPECT_TRUE(t.TrimRight(u'/') == u"//x");
}

TEST(CString, BufferRoundTrip)
{
    CString s;
    LPWSTR buffer = s.GetBuffer(600);
    const char16_t text[] = u"long";
    for (int i = 0; i < 5; ++i)
        buffer[i] = text[i];
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 4);
    EXPECT_TRUE(s == u"long");
}

TEST(CString, NarrowTextIsUtf8)
{
    EXPECT_TRUE(CString("日本語") == u"日本語");
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
}
