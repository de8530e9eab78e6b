#include "platform/win/dib_rows.h"

#include <gtest/gtest.h>

TEST(DibRows, RowsArePaddedToFourBytes)
{
    const struct {
        uint64_t width;
        uint64_t bitCount;
        uint64_t bytes;
    } cases[] = {
        {1, 24, 4},  {2, 24, 8},
        {3, 24, 12}, {4, 24, 12},
        {5, 24, 16}, {1919, 24, 5760},
        {1, 8, 4},   {4, 8, 4},
        {5, 8, 8},   {3, 16, 8},
        {7, 32, 28}, {9, 1, 4},
        {33, 1, 8},  {uint64_t{1} << 31, 24, uint64_t{3} << 31}, // no 32-bit overflow
    };
    for (const auto& c : cases)
        EXPECT_EQ(DibRowBytes(c.width, c.bitCount), c.bytes) << c.width << " x " << c.bitCount;
    EXPECT_EQ(DibRowStride(5), DibRowBytes(5, 24));
}
