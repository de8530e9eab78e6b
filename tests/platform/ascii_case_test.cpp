#include "platform/win/ascii_case.h"

#include <gtest/gtest.h>

TEST(AsciiCase, FoldsTheTwentySixLettersAndNothingElse)
{
    const struct {
        char16_t c;
        char16_t upper;
        char16_t lower;
    } cases[] = {
        {u'a', u'A', u'a'},
        {u'z', u'Z', u'z'},
        {u'A', u'A', u'a'},
        {u'Z', u'Z', u'z'},
        // The neighbours of both ranges.
        {u'@', u'@', u'@'},
        {u'[', u'[', u'['},
        {u'`', u'`', u'`'},
        {u'{', u'{', u'{'},
        // Letters outside ASCII keep their case: names compare as the platform compares them.
        {u'é', u'é', u'é'},
        {u'É', u'É', u'É'},
        {u'ａ', u'ａ', u'ａ'},
        {u'Ａ', u'Ａ', u'Ａ'},
        {u'ı', u'ı', u'ı'}, // dotless i
        {u'\u212A', u'\u212A', u'\u212A'}, // Kelvin sign
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AsciiUpper(c.c), c.upper) << static_cast<int>(c.c);
        EXPECT_EQ(AsciiLower(c.c), c.lower) << static_cast<int>(c.c);
    }
    // Narrow and unsigned characters, as FourCC bytes come.
    EXPECT_EQ(AsciiUpper('m'), 'M');
    EXPECT_EQ(AsciiUpper(static_cast<unsigned char>(0xE9)), 0xE9);
    EXPECT_EQ(AsciiUpper(static_cast<char>(-23)), static_cast<char>(-23));
}

TEST(AsciiCase, NamesAreEqualWhateverTheirAsciiCase)
{
    const struct {
        std::u16string_view a;
        std::u16string_view b;
        bool equal;
    } cases[] = {
        {u"Software\\Torvina", u"SOFTWARE\\torvina", true},
        {u"", u"", true},
        {u"Button", u"BUTTONS", false},
        {u"BUTTON", u"BUTTO", false},
        {u"résumé", u"RÉSUMÉ", false}, // é is not folded
        {u"résumé", u"RéSUMé", true},
        {u"a[", u"A{", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EqualsIgnoringAsciiCase(c.a, c.b), c.equal);
}
