// How many threads can run at once for this process: the CPUs its affinity mask allows, cut by the
// CPU quota of its control group (cgroup v2). A container or `taskset` that grants 4 of 64 CPUs
// gets 4, so the worker pool does not start threads that only take turns.
#pragma once

#include <sched.h>

#include <filesystem>
#include <string_view>

namespace workers {

// CPUs granted by a cgroup v2 "cpu.max" text ("200000 100000" is two CPUs, rounded up); 0 for
// "max" or anything unreadable.
int CpusFromQuota(std::string_view cpuMax);

// The cgroup v2 path in /proc/self/cgroup's text (its "0::" line), empty when there is none.
std::string_view CgroupPathOf(std::string_view procSelfCgroup);

// The mount point of the cgroup v2 file system in /proc/self/mounts' text, empty when none.
std::string_view CgroupMountOf(std::string_view procMounts);

// The smallest quota along the control group and its ancestors up to the mount point; 0 when none
// of them sets one (or the files are missing).
int CgroupCpuLimit(const std::filesystem::path& mount, std::string_view cgroupPath);

// affinity: the mask granted (null when it could not be read); quotaCpus: 0 for no quota;
// hardwareThreads: what the system reports, the fallback. At least 1.
int UsableCpus(const cpu_set_t* affinity, int quotaCpus, int hardwareThreads);

// The same for this process, read once.
int ProcessUsableCpus();

} // namespace workers
