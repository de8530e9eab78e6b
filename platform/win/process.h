// Process and thread scheduling priority on the kernel's nice values.
#pragma once

#include "platform/win/types.h"

constexpr DWORD IDLE_PRIORITY_CLASS = 0x00000040;
constexpr DWORD BELOW_NORMAL_PRIORITY_CLASS = 0x00004000;
constexpr DWORD NORMAL_PRIORITY_CLASS = 0x00000020;
constexpr DWORD ABOVE_NORMAL_PRIORITY_CLASS = 0x00008000;
constexpr DWORD HIGH_PRIORITY_CLASS = 0x00000080;
constexpr DWORD REALTIME_PRIORITY_CLASS = 0x00000100;

constexpr int THREAD_PRIORITY_IDLE = -15;
constexpr int THREAD_PRIORITY_LOWEST = -2;
constexpr int THREAD_PRIORITY_BELOW_NORMAL = -1;
constexpr int THREAD_PRIORITY_NORMAL = 0;
constexpr int THREAD_PRIORITY_ABOVE_NORMAL = 1;
constexpr int THREAD_PRIORITY_HIGHEST = 2;
constexpr int THREAD_PRIORITY_TIME_CRITICAL = 15;

// Pseudo handles, valid only in the calling process or thread.
HANDLE GetCurrentProcess();
HANDLE GetCurrentThread();

// Sets every thread of the process to the class's nice value. A raise the kernel refuses (an
// unprivileged user cannot lower a nice value) fails with ERROR_ACCESS_DENIED and changes nothing.
BOOL SetPriorityClass(HANDLE process, DWORD priorityClass);
// The class of the process's nice value; 0 for another handle.
DWORD GetPriorityClass(HANDLE process);
// The calling thread's nice value relative to its process's class.
BOOL SetThreadPriority(HANDLE thread, int priority);
