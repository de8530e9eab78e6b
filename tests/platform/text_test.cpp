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

TEST(Text, MalformedInputBecomesReplacementCharacter)
{
    EXPECT_EQ(Utf8ToUtf16("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(Utf8ToUtf16("\xE3\x81"), u"\uFFFD");       // truncated sequence
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD");       // overlong '/'
    const char16_t lone[] = {u'x', 0xD800, 0};
    EXPECT_EQ(Utf16ToUtf8(lone), "x\xEF\xBF\xBD");
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
