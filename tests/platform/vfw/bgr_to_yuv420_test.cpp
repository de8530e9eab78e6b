#include "platform/vfw/bgr_to_yuv420.h"

#include <gtest/gtest.h>

#include <vector>

using vfw::BgrToYuv420;
using vfw::Yuv420Planes;

namespace {

struct ColourCase {
    uint8_t b, g, r;
    uint8_t y, u, v;
};

TEST(BgrToYuv420, UniformColoursGiveTheirBt601Levels)
{
    const ColourCase cases[] = {
        {255, 255, 255, 235, 128, 128},
        {0, 0, 0, 16, 128, 128},
        {0, 0, 255, 81, 90, 240},
        {255, 0, 0, 41, 240, 110},
    };
    // Odd sizes take the last column and row into the chroma of their own pair; a large frame
    // is converted in parts on several threads.
    for (const auto& [width, height] : {std::pair{5, 3}, std::pair{1, 1}, std::pair{640, 480}}) {
        for (const ColourCase& c : cases) {
            const int stride = (width * 3 + 3) & ~3;
            std::vector<uint8_t> rows(static_cast<size_t>(stride) * height, 0);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    rows[y * stride + x * 3] = c.b;
                    rows[y * stride + x * 3 + 1] = c.g;
                    rows[y * stride + x * 3 + 2] = c.r;
                }
            const int cw = (width + 1) / 2;
            const int ch = (height + 1) / 2;
            // One guard byte after each plane catches a write past its end.
            std::vector<uint8_t> yPlane(width * height + 1, 7), uPlane(cw * ch + 1, 7), vPlane(cw * ch + 1, 7);
            BgrToYuv420(rows.data() + static_cast<ptrdiff_t>(stride) * (height - 1), -stride, width, height,
                        Yuv420Planes{yPlane.data(), uPlane.data(), vPlane.data(), width, cw, cw});
            for (int i = 0; i < width * height; ++i)
                ASSERT_EQ(yPlane[i], c.y) << width << "x" << height << " at " << i;
            for (int i = 0; i < cw * ch; ++i) {
                ASSERT_EQ(uPlane[i], c.u) << width << "x" << height << " at " << i;
                ASSERT_EQ(vPlane[i], c.v) << width << "x" << height << " at " << i;
            }
            EXPECT_EQ(yPlane.back(), 7);
            EXPECT_EQ(uPlane.back(), 7);
            EXPECT_EQ(vPlane.back(), 7);
        }
    }
}

TEST(BgrToYuv420, ChromaIsTheMeanOfEachTwoByTwoBlock)
{
    // Left column blue, right column black: U is the mean of the four pixels' chroma.
    const uint8_t rows[2][8] = {{255, 0, 0, 0, 0, 0, 0, 0}, {255, 0, 0, 0, 0, 0, 0, 0}};
    uint8_t y[4], u[1], v[1];
    BgrToYuv420(&rows[0][0], 8, 2, 2, Yuv420Planes{y, u, v, 2, 1, 1});
    EXPECT_EQ(y[0], 41);
    EXPECT_EQ(y[1], 16);
    EXPECT_EQ(u[0], 184);
    EXPECT_EQ(v[0], 119);
}

} // namespace
