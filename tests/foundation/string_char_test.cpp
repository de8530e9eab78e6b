#include "foundation/string_char.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(StringChar, EmptyNullAndJapaneseTexts)
{
    CStringChar empty(u"");
    ASSERT_NE(empty.GetString(), nullptr);
    EXPECT_STREQ(empty.GetString(), "");

    CStringChar none(nullptr);
    EXPECT_EQ(none.GetString(), nullptr);

    CStringChar path(u"/tmp/写真/001.tif");
    EXPECT_STREQ(path.GetString(), "/tmp/写真/001.tif");
}

TEST(StringChar, SetResizesAndFailureEmpties)
{
    CStringChar s(u"a");
    s.Set(u"a much longer path than before");
    EXPECT_STREQ(s.GetString(), "a much longer path than before");
    s.Set(nullptr);
    EXPECT_EQ(s.GetString(), nullptr);
}

TEST(StringCharW, KeepsCopyAndIgnoresNull)
{
    CStringCharW empty(u"");
    ASSERT_NE(empty.GetString(), nullptr);
    EXPECT_EQ(empty.GetString()[0], 0);

    CStringCharW none(nullptr);
    EXPECT_EQ(none.GetString(), nullptr);

    CStringCharW name(u"/out/Enc.wmv");
    name.Set(nullptr);
    ASSERT_NE(name.GetString(), nullptr);
    EXPECT_EQ(std::u16string(name.GetString()), u"/out/Enc.wmv");
}
