#include "platform/vfw/bgr_to_rgb24.h"

#include "tests/support/guarded_block.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using vfw::BgrToRgb24;

TEST(BgrToRgb24, SwapsEveryPixelOfEveryRowAndTouchesNothingElse)
{
    // Widths around the sixteen-pixel vector step and its tail, in both row orders; the
    // source rows are packed (no padding) and end where the readable memory ends, so a read
    // past the last row faults; a guard byte after each output row catches a write past it.
    for (const int width : {1, 4, 5, 6, 15, 16, 17, 31, 32, 33, 47, 48, 49, 641}) {
        for (const bool bottomUp : {false, true}) {
            constexpr int kHeight = 3;
            const int rowBytes = width * 3;
            GuardedBlock source(static_cast<size_t>(rowBytes) * kHeight);
            ASSERT_NE(source.data(), nullptr);
            for (int i = 0; i < rowBytes * kHeight; ++i)
                source.data()[i] = static_cast<uint8_t>(i * 7 + 1);
            const uint8_t* top = bottomUp ? source.data() + static_cast<ptrdiff_t>(rowBytes) * (kHeight - 1)
                                          : source.data();
            const int stride = bottomUp ? -rowBytes : rowBytes;
            const int outStride = rowBytes + 1;
            std::vector<uint8_t> out(static_cast<size_t>(outStride) * kHeight, 0xA5);

            BgrToRgb24(top, stride, width, kHeight, out.data(), outStride);

            for (int y = 0; y < kHeight; ++y) {
                const uint8_t* in = top + static_cast<ptrdiff_t>(y) * stride;
                const uint8_t* row = out.data() + static_cast<ptrdiff_t>(y) * outStride;
                for (int x = 0; x < width; ++x) {
                    const uint8_t expected[3] = {in[3 * x + 2], in[3 * x + 1], in[3 * x]};
                    ASSERT_EQ(std::memcmp(row + 3 * x, expected, 3), 0)
                        << "width " << width << (bottomUp ? " bottom-up" : " top-down") << ", row " << y << ", pixel "
                        << x;
                }
                EXPECT_EQ(row[rowBytes], 0xA5) << "width " << width << ", row " << y;
            }
        }
    }
}

TEST(BgrToRgb24, SwapsInPlaceAsIntoAnotherBlock)
{
    for (const int width : {1, 5, 15, 16, 17, 32, 33, 641}) {
        for (const bool bottomUp : {false, true}) {
            constexpr int kHeight = 3;
            const int stride = (width * 3 + 3) & ~3;
            std::vector<uint8_t> rows(static_cast<size_t>(stride) * kHeight);
            for (size_t i = 0; i < rows.size(); ++i)
                rows[i] = static_cast<uint8_t>(i * 7 + 1);
            uint8_t* top = bottomUp ? rows.data() + static_cast<ptrdiff_t>(stride) * (kHeight - 1) : rows.data();
            const int rowStride = bottomUp ? -stride : stride;
            std::vector<uint8_t> expected(static_cast<size_t>(width) * 3 * kHeight);
            BgrToRgb24(top, rowStride, width, kHeight, expected.data(), width * 3);

            BgrToRgb24(top, rowStride, width, kHeight, top, rowStride);

            for (int y = 0; y < kHeight; ++y)
                EXPECT_EQ(std::memcmp(top + static_cast<ptrdiff_t>(y) * rowStride,
                                      expected.data() + static_cast<size_t>(y) * width * 3,
                                      static_cast<size_t>(width) * 3),
                          0)
                    << "width " << width << (bottomUp ? " bottom-up" : " top-down") << ", row " << y;
        }
    }
}
