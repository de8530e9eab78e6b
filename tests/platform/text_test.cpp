#include "platform/win/text.h"

#include <gtest/gtest.h>

#include <string>

TEST(Text, RoundTripsJapaneseAndAstralCharacters)
{
    const std::u16string wide = u"写真/フォルダ/😀.jpg";
    const std::string narrow = Utf16ToUtf8(wide);
    EXPECT_EQ(narrow, "写真/フォルダ/😀.jpg");
    EXPECT_EQ(Utf8ToUtf16(narrow), wide);
}

TEST(Text, BytesThatAreNotUtf8SurviveTheRoundTrip)
{
    struct Case {
        std::string narrow;
        std::u16string wide;
    };
    const Case cases[] = {
        {"caf\xE9.jpg", u"caf\xDCE9.jpg"}, // Latin-1 name from another system
        {"a\xFF"
         "b",
         u"a\xDCFF"
         "b"},
        {"\xE3\x81", u"\xDCE3\xDC81"}, // truncated sequence
        {"\xC0\xAF", u"\xDCC0\xDCAF"}, // overlong '/' never becomes a separator
        {"\xED\xA0\x80", u"\xDCED\xDCA0\xDC80"}, // an encoded surrogate
        {"\xE3\x81"
         "\xE3\x81\x82",
         u"\xDCE3\xDC81\u3042"}, // resumes at the next good sequence
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8ToUtf16(c.narrow), c.wide);
        EXPECT_EQ(Utf16ToUtf8(c.wide), c.narrow);
    }
}

TEST(Text, LoneSurrogatesOutsideTheByteRangeBecomeReplacementCharacter)
{
    const char16_t lone[] = {u'x', 0xD800, u'y', 0xDC41, 0};
    EXPECT_EQ(Utf16ToUtf8(lone), "x\xEF\xBF\xBDy\xEF\xBF\xBD");
}

TEST(Text, WideCharToMultiByteFollowsSizeQueryConvention)
{
    const WCHAR text[] = u"日本";
    const int needed = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    ASSERT_EQ(needed, 7); // six bytes and the terminator
    char small[3];
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, text, -1, small, 3, nullptr, nullptr), 0);
    char out[7];
    ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, text, -1, out, 7, nullptr, nullptr), 7);
    EXPECT_STREQ(out, "日本");
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, nullptr, -1, nullptr, 0, nullptr, nullptr), 0);
    EXPECT_EQ(WideCharToMultiByte(932, 0, text, -1, nullptr, 0, nullptr, nullptr), 0);
}

TEST(Text, MultiByteToWideCharCountsTerminator)
{
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", -1, nullptr, 0), 4);
    WCHAR out[4];
    ASSERT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", -1, out, 4), 4);
    EXPECT_EQ(std::u16string(out), u"abc");
}
