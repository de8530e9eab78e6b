#include "platform/afx/win_thread.h"
#include "platform/win/clock.h"
#include "platform/win/error_codes.h"
#include "platform/win/process.h"

#include <gtest/gtest.h>

#include <atomic>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// Runs the body in a child process as an unprivileged user; the child's exit code is the count of
// failed checks, so the parent's process priority is never touched.
int RunUnprivileged(int (*body)())
{
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(100);
        _exit(body());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 101;
}

int NiceOfThread(pid_t thread)
{
    errno = 0;
    return getpriority(PRIO_PROCESS, static_cast<id_t>(thread));
}

} // namespace

TEST(ProcessPriority, LoweringAppliesToEveryThreadAndARefusedRaiseFails)
{
    const int failures = RunUnprivileged([] {
        int failed = 0;
        std::atomic<pid_t> worker{0};
        std::atomic<bool> done{false};
        std::thread other([&] {
            worker = static_cast<pid_t>(syscall(SYS_gettid));
            while (!done)
                Sleep(1);
        });
        while (worker == 0)
            Sleep(1);
        failed += SetPriorityClass(GetCurrentProcess(), IDLE_PRIORITY_CLASS) != TRUE;
        failed += GetPriorityClass(GetCurrentProcess()) != IDLE_PRIORITY_CLASS;
        failed += NiceOfThread(worker) != 19;
        // Back to normal is a raise, which the kernel refuses an unprivileged user.
        failed += SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS) != FALSE;
        failed += GetLastError() != static_cast<DWORD>(ERROR_ACCESS_DENIED);
        failed += SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS) != FALSE;
        failed += GetPriorityClass(GetCurrentProcess()) != IDLE_PRIORITY_CLASS;
        done = true;
        other.join();
        return failed;
    });
    EXPECT_EQ(failures, 0);
}

TEST(ProcessPriority, UnknownClassesAndHandlesAreRefused)
{
    EXPECT_FALSE(SetPriorityClass(GetCurrentProcess(), REALTIME_PRIORITY_CLASS));
    EXPECT_FALSE(SetPriorityClass(GetCurrentThread(), NORMAL_PRIORITY_CLASS));
    EXPECT_EQ(GetPriorityClass(nullptr), 0u);
}

TEST(WorkerThread, RunsItsProcedureBelowNormalPriority)
{
    struct Report {
        std::atomic<int> nice{100};
        std::atomic<bool> ran{false};
        void* parameter = nullptr;
    };
    static Report report;
    const int base = NiceOfThread(getpid());
    CWinThread* thread = AfxBeginThread(
        [](LPVOID parameter) -> UINT {
            report.parameter = parameter;
            report.nice = NiceOfThread(static_cast<pid_t>(syscall(SYS_gettid)));
            report.ran = true;
            return 0;
        },
        &report, THREAD_PRIORITY_BELOW_NORMAL);
    ASSERT_NE(thread, nullptr);
    while (!report.ran)
        Sleep(1);
    EXPECT_EQ(report.parameter, &report);
    EXPECT_EQ(report.nice, std::min(base + 2, 19));
    EXPECT_EQ(AfxBeginThread(nullptr, nullptr), nullptr);
}

TEST(Clock, IsMonotonicAndSleepWaitsAtLeastItsTime)
{
    const DWORD before = timeGetTime();
    Sleep(20);
    const DWORD elapsed = timeGetTime() - before;
    EXPECT_GE(elapsed, 20u);
    EXPECT_LT(elapsed, 0x80000000u);
}
