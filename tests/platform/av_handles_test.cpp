#include "platform/av/av_handles.h"
#include "platform/av/input_format.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

TEST(AvHandles, OutputToUnwritablePathFailsAndLeavesNoContext)
{
    av::QuietLogging();
    av::OutputFormat out;
    EXPECT_LT(out.Open("avi", "/nonexistent-dir/x.avi"), 0);
    EXPECT_EQ(out.get(), nullptr);
}

TEST(AvHandles, InputOfMissingFileFails)
{
    av::QuietLogging();
    av::InputFormat in;
    EXPECT_LT(in.Open("/nonexistent-dir/x.avi"), 0);
    EXPECT_EQ(in.get(), nullptr);
    EXPECT_FALSE(av::ErrorText(AVERROR(ENOENT)).empty());
}
