#include "image/bilinear_windows.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using Isa = BilinearWindows::Isa;

// Every instruction set this CPU runs, so that the narrower kernels are tested on wide CPUs too.
std::vector<Isa> RunnableIsas()
{
    const std::optional<Isa> fastest = BilinearWindows::Fastest();
    if (!fastest)
        return {};
    if (*fastest == Isa::Avx2)
        return {Isa::Sse41, Isa::Avx2};
    return {Isa::Sse41};
}

const char* Name(Isa isa) { return isa == Isa::Avx2 ? "AVX2" : "SSE4.1"; }

// The resizer's columns: pixel i samples the clip at left + i / sx in 8-bit fixed point.
std::vector<unsigned int> Columns(int clipLeft, int clipWidth, int outWidth)
{
    double sx = static_cast<double>(outWidth) / clipWidth;
    if (outWidth > 1 && clipWidth > 1)
        sx = static_cast<double>(outWidth - 1) / (clipWidth - 1);
    std::vector<unsigned int> columns;
    for (int i = 0; i < outWidth; ++i) {
        const int fx = static_cast<int>((clipLeft + i / sx) * 256);
        columns.push_back(static_cast<unsigned int>(fx / 256));
        columns.push_back(static_cast<unsigned int>(fx % 256));
    }
    return columns;
}

std::vector<BYTE> RandomBytes(size_t count, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<BYTE> out(count);
    for (BYTE& b : out)
        b = static_cast<BYTE>(random());
    return out;
}

} // namespace

TEST(BilinearWindows, HorizontalSumsMatchTheScalarBlendForEveryInstructionSet)
{
    struct Case {
        const char* name;
        int sourceWidth, clipLeft, clipWidth, outWidth;
    };
    // Output widths give 3 * width sums that end anywhere in a block of sixteen.
    const Case cases[] = {
        {"1080p to 720p", 1920, 0, 1920, 1280},
        {"narrowest row", 6, 0, 6, 5},
        {"narrowest row widened", 6, 0, 6, 11},
        {"one output pixel", 40, 0, 40, 1},
        {"two output pixels", 40, 35, 4, 2},
        {"widened to 2x plus one", 33, 0, 33, 67},
        {"narrowed by almost 3", 301, 0, 301, 103},
        {"clip at the right edge reads the last pixel twice", 50, 30, 20, 17},
        {"one-pixel clip blends with the pixel past it", 20, 7, 1, 9},
        {"odd widths", 101, 1, 99, 37},
    };
    for (const Isa isa : RunnableIsas()) {
        unsigned seed = 1;
        for (const Case& c : cases) {
            const std::vector<unsigned int> columns = Columns(c.clipLeft, c.clipWidth, c.outWidth);
            BilinearWindows windows;
            ASSERT_TRUE(windows.Plan(columns.data(), c.outWidth, c.sourceWidth)) << c.name;
            ASSERT_GE(windows.RowLength(), 3 * static_cast<size_t>(c.outWidth)) << c.name;
            const std::vector<BYTE> row = RandomBytes(3 * static_cast<size_t>(c.sourceWidth), seed++);
            std::vector<int16_t> sums(windows.RowLength());
            windows.Horizontal(isa, row.data(), sums.data(), row.data());
            for (int i = 0; i < c.outWidth; ++i) {
                const unsigned int left = columns[2 * i];
                const unsigned int wx = columns[2 * i + 1];
                const unsigned int right = std::min<unsigned int>(left + 1, c.sourceWidth - 1);
                for (int channel = 0; channel < 3; ++channel) {
                    const int expected = row[3 * left + channel] * (256 - wx) + row[3 * right + channel] * wx;
                    ASSERT_EQ(sums[3 * i + channel] + 32768, expected)
                        << Name(isa) << ", " << c.name << ", pixel " << i << " channel " << channel;
                }
            }
        }
    }
}

TEST(BilinearWindows, VerticalBlendRoundsLikeTheScalarSumAndWritesOnlyCountBytes)
{
    const size_t counts[] = {0, 1, 15, 16, 17, 31, 32, 33, 47, 48, 63, 100};
    const int weights[] = {0, 1, 128, 255};
    std::mt19937 random(7);
    // Sums of a byte pair lie in [0, 255 * 256]; the ends are where rounding could overflow.
    std::uniform_int_distribution<int> sum(0, 255 * 256);
    for (const Isa isa : RunnableIsas()) {
        for (const size_t count : counts) {
            for (const int wy : weights) {
                std::vector<int16_t> sums0(count), sums1(count);
                for (size_t k = 0; k < count; ++k) {
                    const int extreme = k % 4 == 0 ? 0 : 255 * 256;
                    sums0[k] = static_cast<int16_t>((k % 8 < 2 ? extreme : sum(random)) - 32768);
                    sums1[k] = static_cast<int16_t>((k % 8 < 2 ? extreme : sum(random)) - 32768);
                }
                std::vector<BYTE> out(count + 1, 0xEE);
                BilinearWindows::Vertical(isa, sums0.data(), sums1.data(), static_cast<unsigned int>(wy), out.data(),
                                          count);
                for (size_t k = 0; k < count; ++k) {
                    const int total = (sums0[k] + 32768) * (256 - wy) + (sums1[k] + 32768) * wy;
                    ASSERT_EQ(out[k], (total + 0x8000) >> 16)
                        << Name(isa) << ", " << count << " bytes, wy " << wy << ", byte " << k;
                }
                EXPECT_EQ(out[count], 0xEE) << Name(isa) << ", " << count << " bytes";
            }
        }
    }
}

TEST(BilinearWindows, RefusesWhatOneWindowCannotCover)
{
    struct Case {
        const char* name;
        std::vector<unsigned int> columns;
        int sourceWidth;
    };
    const Case cases[] = {
        {"row under 16 bytes", Columns(0, 5, 3), 5},
        {"narrowed to a quarter", Columns(0, 400, 100), 400},
        {"left pixel past the row", {20, 0}, 20},
        {"weight over 255", {0, 256}, 20},
    };
    for (const Case& c : cases) {
        BilinearWindows windows;
        EXPECT_FALSE(windows.Plan(c.columns.data(), static_cast<int>(c.columns.size() / 2), c.sourceWidth)) << c.name;
    }
}

TEST(BilinearWindows, ReplansWhenTheColumnsChange)
{
    const std::vector<unsigned int> narrowed = Columns(0, 400, 100);
    const std::vector<unsigned int> halved = Columns(0, 400, 200);
    BilinearWindows windows;
    EXPECT_FALSE(windows.Plan(narrowed.data(), 100, 400));
    EXPECT_TRUE(windows.Plan(halved.data(), 200, 400));
    EXPECT_FALSE(windows.Plan(narrowed.data(), 100, 400));
    EXPECT_FALSE(windows.Plan(halved.data(), 200, 5));
}
