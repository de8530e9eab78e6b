#include "dialogs/list_rows.h"
#include "tests/support/cstring_printer.h"

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr std::array kValues = {32, 40, 48, 40};

TEST(ListRows, AStoredValueThatMatchesNoRowSurvivesOk)
{
    EXPECT_EQ(RowOfValue(kValues, 40), 1); // the first equal row
    EXPECT_EQ(RowOfValue(kValues, 41), -1);
    EXPECT_EQ(ValueOnOk(kValues, 2, 41), 48);
    EXPECT_EQ(ValueOnOk(kValues, -1, 41), 41);
    EXPECT_EQ(ValueOnOk(kValues, 4, 41), 41);
    EXPECT_EQ(ValueOnOk({}, -1, 7), 7); // a list emptied for lack of profiles
    EXPECT_EQ(RowValueOnOk(3, 5, 9), 3);
    EXPECT_EQ(RowValueOnOk(-1, 5, 9), 9);
    EXPECT_EQ(RowValueOnOk(5, 5, 9), 9);
}

TEST(ListRows, FirstTickedRowWinsAndNoneKeepsTheChoice)
{
    constexpr std::array values = {1, 2, 0};
    EXPECT_EQ(FirstTickedValue(std::array{false, true, true}, values, 9), 2);
    EXPECT_EQ(FirstTickedValue(std::array{false, false, true}, values, 9), 0);
    EXPECT_EQ(FirstTickedValue(std::array{false, false, false}, values, 9), 9);
}

TEST(ListRows, RateRowsAreRightAlignedToSevenCharacters)
{
    const std::pair<int, const char16_t*> rows[] = {
        {8, u"  8kbps"}, {32, u" 32kbps"}, {112, u"112kbps"}, {1411, u"1411kbps"}};
    for (const auto& [kbps, text] : rows)
        EXPECT_EQ(RateRowText(kbps), CString(text));
}

} // namespace
