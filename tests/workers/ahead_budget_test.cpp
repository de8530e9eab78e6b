#include "workers/ahead_budget.h"

#include <gtest/gtest.h>

namespace {

using workers::AheadBudget;
using workers::AheadShare;

} // namespace

// Reading and compressing ahead share one pool: together they never hold more than the one
// budget, and with no worker beside the caller neither works ahead.
TEST(AheadBudget, ReadingAndCompressingShareThePoolsThreadsAndOneBound)
{
    const struct {
        int threads;
        int reading;
        int compressing;
    } cases[] = {{0, 0, 0}, {1, 0, 0}, {2, 1, 2}, {3, 2, 3}, {8, 7, 6}, {32, 31, 24}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.threads);
        const AheadBudget budget(c.threads);
        EXPECT_EQ(budget.Reading().frames, c.reading);
        EXPECT_EQ(budget.Compressing().frames, c.compressing);
        EXPECT_LE(budget.Reading().bytes + budget.Compressing().bytes, AheadBudget::kBytes);
    }
}

TEST(AheadBudget, AShareHoldsTheFramesThatFitItsBytes)
{
    const AheadShare share{.frames = 4, .bytes = 1000};
    const struct {
        uint64_t frameBytes;
        int frames;
    } cases[] = {{1, 4}, {250, 4}, {251, 3}, {500, 2}, {1000, 1}, {1001, 0}, {0, 4}};
    for (const auto& c : cases)
        EXPECT_EQ(share.FramesOf(c.frameBytes), c.frames) << c.frameBytes << " bytes a frame";
}
