// Case folding of the ASCII letters only, as the platform compares its names (registry keys, ini
// sections and keys, window classes, FourCCs): every other character stays as it is.
#pragma once

#include <algorithm>
#include <string_view>

template <typename Char>
constexpr Char AsciiUpper(Char c)
{
    return (c >= Char('a') && c <= Char('z')) ? static_cast<Char>(c - (Char('a') - Char('A'))) : c;
}

template <typename Char>
constexpr Char AsciiLower(Char c)
{
    return (c >= Char('A') && c <= Char('Z')) ? static_cast<Char>(c + (Char('a') - Char('A'))) : c;
}

constexpr bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, char16_t y) { return AsciiUpper(x) == AsciiUpper(y); });
}
