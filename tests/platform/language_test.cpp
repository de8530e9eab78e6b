#include "platform/win/language.h"

#include "tests/support/scoped_locale.h"

#include <gtest/gtest.h>

TEST(SystemLanguage, FirstNonEmptyLocaleVariableDecides)
{
    struct Case {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        LANGID expected;
    };
    const Case cases[] = {
        {nullptr, nullptr, "ja_JP.UTF-8", 0x0411},
        {nullptr, nullptr, "ja", 0x0411},
        {nullptr, nullptr, "C", 0x0409},
        {nullptr, nullptr, "en_US.UTF-8", 0x0409},
        {nullptr, nullptr, "zh_CN.UTF-8", 0x0409},
        {nullptr, nullptr, nullptr, 0x0409},
        {"ja_JP.UTF-8", "C", "C", 0x0411},
        {"C", "ja_JP.UTF-8", "ja_JP.UTF-8", 0x0409},
        {"", "ja_JP.UTF-8", "C", 0x0411},
        {nullptr, "", "ja_JP.eucJP", 0x0411},
        {nullptr, "en_GB.UTF-8", "ja_JP.UTF-8", 0x0409},
    };
    for (const Case& c : cases) {
        ScopedLocale locale(c.lcAll, c.lcMessages, c.lang);
        EXPECT_EQ(GetSystemDefaultLangID(), c.expected)
            << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " "
            << (c.lang ? c.lang : "-");
    }
}

TEST(SystemLanguage, PrimaryLanguageIsTheLowTenBits)
{
    EXPECT_EQ(PRIMARYLANGID(0x0411), LANG_JAPANESE);
    EXPECT_EQ(PRIMARYLANGID(0x0409), LANG_ENGLISH);
    EXPECT_EQ(PRIMARYLANGID(0x0804), 0x04);
    EXPECT_EQ(MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), 0x0411);
}
