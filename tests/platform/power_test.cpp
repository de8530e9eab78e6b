#include "platform/win/error_codes.h"
#include "platform/win/power.h"

#include "tests/support/recording_power_backend.h"

#include <gtest/gtest.h>

#include <vector>

using win::PowerRequest;
using win::SetPowerBackend;

TEST(Power, WithoutABackendEveryRequestFails)
{
    SetPowerBackend(nullptr);
    EXPECT_FALSE(ExitWindowsEx(EWX_SHUTDOWN, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    EXPECT_FALSE(SetSystemPowerState(TRUE, TRUE));
}

TEST(Power, FlagsChooseTheRequest)
{
    std::vector<PowerRequest> log;
    SetPowerBackend(std::make_unique<RecordingBackend>(log));
    EXPECT_TRUE(ExitWindowsEx(EWX_SHUTDOWN, 0));
    EXPECT_TRUE(ExitWindowsEx(EWX_POWEROFF | EWX_FORCE, 0));
    EXPECT_TRUE(ExitWindowsEx(EWX_REBOOT, 0));
    EXPECT_TRUE(ExitWindowsEx(EWX_LOGOFF, 0));
    EXPECT_TRUE(SetSystemPowerState(TRUE, TRUE));
    EXPECT_TRUE(SetSystemPowerState(FALSE, TRUE));
    EXPECT_FALSE(ExitWindowsEx(0x10, 0));
    SetPowerBackend(nullptr);
    EXPECT_EQ(log, (std::vector<PowerRequest>{PowerRequest::PowerOff, PowerRequest::PowerOff, PowerRequest::Reboot,
                                              PowerRequest::LogOff, PowerRequest::Suspend, PowerRequest::Hibernate}));
}
