#include "foundation/power_action.h"
#include "platform/win/power.h"

#include "tests/support/recording_power_backend.h"

#include <gtest/gtest.h>

#include <vector>

using win::PowerRequest;
using win::SetPowerBackend;

TEST(PowerAction, TheBatchEndActionsReachTheirRequests)
{
    std::vector<PowerRequest> log;
    SetPowerBackend(std::make_unique<RecordingBackend>(log));
    PowerAction(1);
    PowerAction(-2);
    PowerAction(-1);
    PowerAction(0);
    PowerAction(-5); // not a flag set of any action
    SetPowerBackend(nullptr);
    EXPECT_EQ(log, (std::vector<PowerRequest>{PowerRequest::PowerOff, PowerRequest::Suspend, PowerRequest::Hibernate,
                                              PowerRequest::LogOff}));
}

TEST(PowerAction, EnablingTheShutdownPrivilegeAsksNothingOfTheMachine)
{
    std::vector<PowerRequest> log;
    SetPowerBackend(std::make_unique<RecordingBackend>(log));
    EnableShutdownPrivilege();
    EnableShutdownPrivilege();
    EXPECT_TRUE(log.empty());
    PowerAction(1);
    SetPowerBackend(nullptr);
    EXPECT_EQ(log, std::vector<PowerRequest>{PowerRequest::PowerOff});
}
