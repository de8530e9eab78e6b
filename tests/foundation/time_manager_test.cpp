// The stopwatch on a clock the test moves: this file's timeGetTime replaces the system's.
#include "foundation/time_manager.h"
#include "platform/win/clock.h"

#include <gtest/gtest.h>

namespace {
DWORD fakeNow = 0;
}

DWORD timeGetTime() { return fakeNow; }

TEST(TimeManager, ElapsedTimeIsRightAcrossAWrapOfTheClock)
{
    fakeNow = 4294967000u;
    CTimeMmanager watch;
    fakeNow = 300;
    EXPECT_EQ(watch.GetElapsed(), 596u);
    EXPECT_EQ(watch.GetTotal(), 0u);
}

TEST(TimeManager, AccumulateAddsTheTimeSinceTheSameStartEachTime)
{
    fakeNow = 1000;
    CTimeMmanager watch;
    fakeNow = 1040;
    watch.Accumulate();
    watch.Accumulate();
    EXPECT_EQ(watch.GetTotal(), 80u);
    watch.Start();
    fakeNow = 1050;
    watch.Accumulate();
    EXPECT_EQ(watch.GetTotal(), 90u);
    watch.ClearTotal();
    EXPECT_EQ(watch.GetTotal(), 0u);
}

TEST(TimeManager, IsOverOnlyPastTheLimit)
{
    fakeNow = 5;
    CTimeMmanager watch;
    watch.SetLimit(1000);
    fakeNow = 1005;
    EXPECT_FALSE(watch.IsOver());
    fakeNow = 1006;
    EXPECT_TRUE(watch.IsOver());
}
