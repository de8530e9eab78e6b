#include "platform/win/process.h"

#include "platform/win/error_codes.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace {

HANDLE const kCurrentProcess = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1));
HANDLE const kCurrentThread = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-2));

bool NiceOfClass(DWORD priorityClass, int& nice)
{
    switch (priorityClass) {
    case IDLE_PRIORITY_CLASS: nice = 19; return true;
    case BELOW_NORMAL_PRIORITY_CLASS: nice = 10; return true;
    case NORMAL_PRIORITY_CLASS: nice = 0; return true;
    case ABOVE_NORMAL_PRIORITY_CLASS: nice = -5; return true;
    case HIGH_PRIORITY_CLASS: nice = -10; return true;
    default: return false; // real-time scheduling is not offered
    }
}

DWORD ClassOfNice(int nice)
{
    if (nice >= 19)
        return IDLE_PRIORITY_CLASS;
    if (nice > 0)
        return BELOW_NORMAL_PRIORITY_CLASS;
    if (nice == 0)
        return NORMAL_PRIORITY_CLASS;
    return nice >= -5 ? ABOVE_NORMAL_PRIORITY_CLASS : HIGH_PRIORITY_CLASS;
}

std::vector<pid_t> ThreadsOfProcess()
{
    std::vector<pid_t> threads;
    if (DIR* folder = opendir("/proc/self/task")) {
        while (const dirent* entry = readdir(folder)) {
            if (entry->d_name[0] != '.')
                threads.push_back(static_cast<pid_t>(std::atoi(entry->d_name)));
        }
        closedir(folder);
    }
    if (threads.empty())
        threads.push_back(getpid());
    return threads;
}

// errno survives getpriority only when cleared first: -1 is a valid nice value.
bool NiceOf(pid_t thread, int& nice)
{
    errno = 0;
    nice = getpriority(PRIO_PROCESS, static_cast<id_t>(thread));
    return errno == 0;
}

BOOL Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

DWORD ErrorOf(int error) { return (error == EACCES || error == EPERM) ? ERROR_ACCESS_DENIED : ERROR_INVALID_PARAMETER; }

} // namespace

HANDLE GetCurrentProcess() { return kCurrentProcess; }

HANDLE GetCurrentThread() { return kCurrentThread; }

BOOL SetPriorityClass(HANDLE process, DWORD priorityClass)
{
    int nice = 0;
    if (process != kCurrentProcess || !NiceOfClass(priorityClass, nice))
        return Fail(ERROR_INVALID_PARAMETER);
    // The nice value belongs to each thread on Linux; the class is the whole process's.
    for (pid_t thread : ThreadsOfProcess()) {
        if (setpriority(PRIO_PROCESS, static_cast<id_t>(thread), nice) != 0 && errno != ESRCH)
            return Fail(ErrorOf(errno));
    }
    return TRUE;
}

DWORD GetPriorityClass(HANDLE process)
{
    int nice = 0;
    if (process != kCurrentProcess || !NiceOf(getpid(), nice)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return ClassOfNice(nice);
}

BOOL SetThreadPriority(HANDLE thread, int priority)
{
    if (thread != kCurrentThread || priority < THREAD_PRIORITY_IDLE || priority > THREAD_PRIORITY_TIME_CRITICAL)
        return Fail(ERROR_INVALID_PARAMETER);
    int base = 0;
    if (!NiceOf(getpid(), base))
        return Fail(ERROR_INVALID_HANDLE);
    int nice = priority == THREAD_PRIORITY_IDLE ? 19 : base - 2 * priority;
    nice = nice < -20 ? -20 : (nice > 19 ? 19 : nice);
    const auto self = static_cast<id_t>(syscall(SYS_gettid));
    if (setpriority(PRIO_PROCESS, self, nice) != 0)
        return Fail(ErrorOf(errno));
    return TRUE;
}
