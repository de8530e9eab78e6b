#include "foundation/string_to_int.h"

#include <gtest/gtest.h>

TEST(StringToInt, ReadsLikeTheRuntimeAndKeepsTheLow32Bits)
{
    struct Case {
        const char16_t* text;
        int expected;
    };
    const Case cases[] = {
        {u"42", 42},
        {u"  -7x", -7},
        {u"\t\n+15", 15},
        {u"abc", 0},
        {u"", 0},
        {u"-", 0},
        {u"4294967296", 0},
        {u"3000000000", -1294967296},
        {u"-2147483648", -2147483647 - 1},
        {u"99999999999999999999", -1},
        {u"9223372036854775807", -1},
        {u"-99999999999999999999", 0},
        {u"12 34", 12},
        {u"\u3000"
         u"5",
         0}, // only the runtime's white space is skipped
    };
    for (const Case& c : cases)
        EXPECT_EQ(StringToInt(c.text), c.expected)
            << std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text)).c_str();
    EXPECT_EQ(StringToInt(nullptr), 0);
}
