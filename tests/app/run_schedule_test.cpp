#include "app/run_schedule.h"

#include "image/packed_dib.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(RunScheduleTest, SilenceIsOneFrameOfWholeSampleFrames)
{
    struct Case {
        DWORD fps;
        int bytes;
    };
    const Case cases[] = {
        {299700, 6408},
        {300000, 6400},
        {250000, 7680},
        {240000, 8000},
        {239760, 8008},
        {600000, 3200},
        // The slowest rate still gives a block that one buffer holds; none comes from a rate of 0.
        {1, 1920000000},
        {0, 0},
        // The fastest rate the writers take still gives one sample frame.
        {static_cast<DWORD>(INT_MAX), 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SilenceByteCount(c.fps), c.bytes) << c.fps;
}

TEST(RunScheduleTest, FrameRatesTheWritersTake)
{
    EXPECT_FALSE(IsUsableFrameRate(0));
    EXPECT_TRUE(IsUsableFrameRate(1));
    EXPECT_TRUE(IsUsableFrameRate(static_cast<DWORD>(INT_MAX)));
    EXPECT_FALSE(IsUsableFrameRate(static_cast<DWORD>(INT_MAX) + 1));
}

TEST(RunScheduleTest, OutputFrameBytesArePaddedRowsTimesHeightWithinOneBuffer)
{
    struct Case {
        LONG width, height;
        int bytes;
    };
    const Case cases[] = {
        {1280, 720, 1280 * 3 * 720}, {3, 2, 12 * 2}, {1, 1, 4}, {0, 5, 0}, {5, -1, 0}, {65535, 65535, 0}};
    for (const Case& c : cases) {
        BITMAPINFOHEADER header{};
        header.biWidth = c.width;
        header.biHeight = c.height;
        EXPECT_EQ(OutputFrameBytes(header), c.bytes) << c.width << "x" << c.height;
    }
}

TEST(RunScheduleTest, OddDisplayRatesDrawEveryFrame)
{
    for (int rate : {0, -3}) {
        EXPECT_TRUE(ShouldDrawFrame(0, rate)) << rate;
        EXPECT_TRUE(ShouldDrawStatus(7, rate)) << rate;
    }
    EXPECT_TRUE(ShouldDrawStatus(29, 50)) << "the status strip at least every 30th frame";
    EXPECT_FALSE(ShouldDrawFrame(29, 50));
    EXPECT_FALSE(ShouldDrawStatus(49, 50));
}

} // namespace
